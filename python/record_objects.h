// The result objects of the module: SsnResult and CardResult, immutable named tuples (struct sequences, as
// os.stat_result) whose fields are the program's record fields by the same names and with the same values, and
// the Python values those fields take. A struct sequence rather than a class of pybind11: making one is making a
// tuple, which a list of a million results needs, and it pickles by value (Dask sends results between processes).
#pragma once

#include <Python.h>

#include <array>
#include <cstddef>

#include "kalderos/kalderos.h"

namespace kalderos::python {

// The fields in the order of the program's records: field 0 is the input text, as the caller gave it.
inline constexpr std::array<const char*, 11> kSsnFieldNames{
    "input", "well_formed", "area", "group", "serial", "place", "verdict", "confirm", "reason", "issued_after",
    "issued_by"};
inline constexpr std::array<const char*, 6> kCardFieldNames{"input", "digits", "type", "luhn", "outcome", "reason"};
inline constexpr std::size_t kSsnValueCount = kSsnFieldNames.size() - 1;
inline constexpr std::size_t kCardValueCount = kCardFieldNames.size() - 1;

// Makes the two types and the values their fields share, once, as the module is imported. False with a Python
// error set when that failed.
bool MakeRecordTypes();
PyTypeObject* SsnResultType();
PyTypeObject* CardResultType();

// New references to the values of the fields after the input, in the record's order: str where the record has a
// string, None where it has null, bool where it has true or false. False, with a Python error set and nothing
// held, when memory ran out.
bool SsnValues(const SsnResult& result, std::array<PyObject*, kSsnValueCount>& values);
bool CardValues(const CardResult& result, std::array<PyObject*, kCardValueCount>& values);

// A new result object of `input` (borrowed) and its result; nullptr with a Python error set.
PyObject* NewSsnRecord(PyObject* input, const SsnResult& result);
PyObject* NewCardRecord(PyObject* input, const CardResult& result);

}  // namespace kalderos::python
