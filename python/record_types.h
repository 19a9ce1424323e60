// The result types of the module: SsnResult and CardResult, immutable named tuples whose fields are the
// program's record fields, by the names and with the docs of the record field lists. A tuple of its own type
// rather than a class of pybind11 or a struct sequence: making one is making a tuple (a struct sequence looks its
// size up in its type's dict at every making and freeing), it holds nothing that could form a cycle, so the
// garbage collector never walks a list of a million of them, and it pickles by value (Dask sends results between
// processes). And the results of a list of texts.
#pragma once

#include <Python.h>

#include <cstddef>
#include <string_view>
#include <utility>

#include "record_values.h"
#include "record_words.h"
#include "text_list.h"

namespace kalderos::python {

// Makes the two types, once, as the module is imported; false with a Python error set when that failed.
bool MakeRecordTypes();
PyTypeObject* RecordType(const SsnRecordKind&);
PyTypeObject* RecordType(const CardRecordKind&);

// A new reference to the Python value of one field; nullptr with a Python error set.
inline PyObject* ObjectOf(ValueKind kind, const FieldValue& value, PyObject* input) {
    switch (kind) {
        case ValueKind::Input:
            Py_INCREF(input);
            return input;
        case ValueKind::Flag:
            return PyBool_FromLong(value.flag);
        case ValueKind::Padded:
            return SharedDigits(value.digits, value.width);
        case ValueKind::Text:
            if (value.text.empty()) Py_RETURN_NONE;
            return PyUnicode_FromStringAndSize(value.text.data(), static_cast<Py_ssize_t>(value.text.size()));
        case ValueKind::Name:
        case ValueKind::Word:
            return SharedWord(value.text);
    }
    Py_RETURN_NONE;
}

// A new result of `input` (borrowed: the text as given, or None for a missing value) and its result; nullptr
// with a Python error set. Made untracked by the garbage collector: it holds str, bytes, bool and None alone.
template <class Kind>
PyObject* NewRecord(PyObject* input, const typename Kind::Result& result) {
    constexpr auto size = static_cast<Py_ssize_t>(Kind::kFieldCount);
    PyTupleObject* record = PyObject_GC_NewVar(PyTupleObject, RecordType(Kind{}), size);
    if (record == nullptr) return nullptr;
    bool made = true;
    [&]<std::size_t... kField>(std::index_sequence<kField...>) {
        ((record->ob_item[kField] =
              made ? ObjectOf(Kind::KindAt(kField), Kind::ValueAt(kField, result), input) : nullptr,
          made = made && record->ob_item[kField] != nullptr),
         ...);
    }(std::make_index_sequence<Kind::kFieldCount>{});
    if (made) return reinterpret_cast<PyObject*>(record);
    Py_DECREF(record);
    return nullptr;
}

// The result objects of every text of `texts`, in its order.
template <class Kind>
py::list RecordsOf(const Checker& checker, py::handle texts, const char* one_text_function) {
    TextList list(texts, one_text_function);
    const Py_ssize_t count = list.Size();
    py::list results(count);
    PyObject* input = nullptr;
    for (Py_ssize_t index = 0; index < count; ++index) {
        const std::string_view text = list.Read(index, input);
        PyObject* record = NewRecord<Kind>(input, Kind::Check(checker, text));
        if (record == nullptr) throw py::error_already_set();
        PyList_SET_ITEM(results.ptr(), index, record);
    }
    return results;
}

}  // namespace kalderos::python
