// The columns of a data frame of texts, one numpy array per record field, which pandas takes without a copy:
// objects for the input, digits, texts and names; bool for the flags; for a word, its code in the rule set's
// vocabulary of the field (int8, -1 for none), from which the frame makes a categorical column.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "record_types.h"
#include "record_words.h"
#include "text_list.h"

namespace kalderos::python {

template <class Kind>
class FrameColumns {
public:
    FrameColumns(RuleSet rules, Py_ssize_t rows) {
        for (std::size_t field = 0; field < N; ++field) {
            switch (Kind::KindAt(field)) {
                case ValueKind::Flag: {
                    py::array_t<bool> column(rows);
                    at_[field] = column.mutable_data();
                    columns_[field] = std::move(column);
                    break;
                }
                case ValueKind::Word: {
                    py::array_t<std::int8_t> column(rows);
                    at_[field] = column.mutable_data();
                    columns_[field] = std::move(column);
                    codes_[field] = WordCodes(WordsOf(rules, static_cast<typename Kind::Field>(field)));
                    break;
                }
                case ValueKind::Input:
                case ValueKind::Padded:
                case ValueKind::Text:
                case ValueKind::Name: {
                    // numpy fills an array of objects with null pointers, or with None.
                    py::array column(py::dtype("O"), std::vector<py::ssize_t>{rows});
                    at_[field] = column.mutable_data();
                    columns_[field] = std::move(column);
                    break;
                }
            }
        }
    }

    // The row `row` of the text whose record gives back `input` (borrowed) and whose result is `result`.
    void Put(Py_ssize_t row, PyObject* input, const typename Kind::Result& result) {
        [&]<std::size_t... kField>(std::index_sequence<kField...>) {
            (PutField<kField>(row, input, result), ...);
        }(std::make_index_sequence<N>{});
    }

    py::list Take() {
        py::list columns(N);
        for (std::size_t field = 0; field < N; ++field) columns[field] = std::move(columns_[field]);
        return columns;
    }

private:
    static constexpr std::size_t N = Kind::kFieldCount;

    template <std::size_t kField>
    void PutField(Py_ssize_t row, PyObject* input, const typename Kind::Result& result) {
        constexpr ValueKind kKind = Kind::KindAt(kField);
        const FieldValue value = Kind::ValueAt(kField, result);
        if constexpr (kKind == ValueKind::Flag) {
            static_cast<bool*>(at_[kField])[row] = value.flag;
        } else if constexpr (kKind == ValueKind::Word) {
            const std::int8_t code = codes_[kField].CodeOf(value.text);
            // A word outside the field's vocabulary is a fault of the vocabulary, never a silent missing value.
            if (code < -1) throw py::value_error("kalderos: a field's word is not among its categories");
            static_cast<std::int8_t*>(at_[kField])[row] = code;
        } else {
            PyObject* object = ObjectOf(kKind, value, input);
            if (object == nullptr) throw py::error_already_set();
            PyObject*& slot = static_cast<PyObject**>(at_[kField])[row];
            PyObject* old = slot;
            slot = object;
            Py_XDECREF(old);
        }
    }

    std::array<py::array, N> columns_;
    std::array<void*, N> at_{};
    std::array<WordCodes, N> codes_;
};

// The columns of the texts of `texts` (an iterable), judged by `checker`.
template <class Kind>
py::list ColumnsOf(const Checker& checker, py::handle texts, const char* one_text_function) {
    TextList list(texts, one_text_function);
    const Py_ssize_t rows = list.Size();
    FrameColumns<Kind> columns(checker.Rules(), rows);
    PyObject* input = nullptr;
    for (Py_ssize_t row = 0; row < rows; ++row) {
        const std::string_view text = list.Read(row, input);
        columns.Put(row, input, Kind::Check(checker, text));
    }
    return columns.Take();
}

}  // namespace kalderos::python
