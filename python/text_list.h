// The texts the module judges: one text given alone, which must be a str or bytes, and the texts of an
// iterable, where a missing value (None, NaN, NaT, pandas.NA) is an empty text, as a blank cell of a column is.
#pragma once

#include <pybind11/pybind11.h>

#include <cstring>
#include <string>
#include <string_view>

#include "missing_value.h"
#include "text_bytes.h"

namespace kalderos::python {

namespace py = pybind11;

inline std::string TypeName(py::handle object) { return Py_TYPE(object.ptr())->tp_name; }

// The input field of the text `text` whose bytes are `bytes`: the text up to its first NUL, where the checker
// stops reading, as the program's record shows what it read of a line; the text itself when it has no NUL.
inline py::object InputField(py::handle text, std::string_view bytes) {
    if (std::memchr(bytes.data(), '\0', bytes.size()) == nullptr) return py::reinterpret_borrow<py::object>(text);
    Py_ssize_t end = static_cast<Py_ssize_t>(bytes.find('\0'));
    if (PyUnicode_Check(text.ptr())) end = PyUnicode_FindChar(text.ptr(), 0, 0, PyUnicode_GET_LENGTH(text.ptr()), 1);
    PyObject* input = end < 0 ? nullptr : PySequence_GetSlice(text.ptr(), 0, end);
    if (input == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::object>(input);
}

// One text given alone: its bytes, or a TypeError that names what was given in its place.
inline std::string_view OneText(TextBytes& bytes, py::handle text) {
    switch (bytes.Read(text.ptr())) {
        case TextBytes::Outcome::Read:
            return bytes.View();
        case TextBytes::Outcome::NotText:
            throw py::type_error("text must be str or bytes, not " + TypeName(text));
        case TextBytes::Outcome::Failed:
            break;
    }
    throw py::error_already_set();
}

// The texts of an iterable, read in place from a list or tuple (the iterable itself if it is one).
class TextList {
public:
    // A str or bytes object is iterable too, by characters: never what a caller of a list function means.
    TextList(py::handle iterable, const char* one_text_function) {
        if (PyUnicode_Check(iterable.ptr()) || PyBytes_Check(iterable.ptr())) {
            throw py::type_error(std::string("texts must be an iterable of texts, not one ") + TypeName(iterable) +
                                 " (for one text, call " + one_text_function + ")");
        }
        PyObject* sequence = PySequence_Fast(iterable.ptr(), "texts must be an iterable of str or bytes");
        if (sequence == nullptr) {
            if (!PyErr_ExceptionMatches(PyExc_TypeError)) throw py::error_already_set();
            PyErr_Clear();
            throw py::type_error("texts must be an iterable of str or bytes, not " + TypeName(iterable));
        }
        texts_ = py::reinterpret_steal<py::object>(sequence);
    }

    [[nodiscard]] Py_ssize_t Size() const { return PySequence_Fast_GET_SIZE(texts_.ptr()); }

    // The bytes of the text at `index`, and in `input` what its record gives back as the input (borrowed, valid
    // until the next Read): the text up to its first NUL, or None for a missing value, whose bytes are empty.
    std::string_view Read(Py_ssize_t index, PyObject*& input) {
        PyObject* text = PySequence_Fast_ITEMS(texts_.ptr())[index];
        switch (bytes_.Read(text)) {
            case TextBytes::Outcome::Read:
                input = text;
                if (std::memchr(bytes_.View().data(), '\0', bytes_.View().size()) != nullptr) {
                    cut_ = InputField(text, bytes_.View());
                    input = cut_.ptr();
                }
                return bytes_.View();
            case TextBytes::Outcome::NotText:
                break;
            case TextBytes::Outcome::Failed:
                throw py::error_already_set();
        }
        switch (IsMissing(text)) {
            case Missing::Yes:
                input = Py_None;
                return {};
            case Missing::No:
                break;
            case Missing::Failed:
                throw py::error_already_set();
        }
        throw py::type_error("texts[" + std::to_string(index) + "] must be str or bytes, not " + TypeName(text));
    }

private:
    py::object texts_;
    TextBytes bytes_;
    py::object cut_;  // a text cut at its NUL
};

}  // namespace kalderos::python
