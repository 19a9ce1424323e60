// The bytes the checker judges of one Python text: a bytes object's own, a str's UTF-8 form.
#pragma once

#include <Python.h>

#include <string_view>

namespace kalderos::python {

// A str that cannot be UTF-8 encoded holds surrogates. The low ones U+DC80-U+DCFF are how Python's
// surrogateescape decoding (file names, sys.argv, a file opened with errors="surrogateescape") stands for bytes
// that were no UTF-8, so they become those bytes again; a str holding any other surrogate is written with every
// surrogate in its three-byte form (surrogatepass), so that no text fails to be judged.
class TextBytes {
public:
    TextBytes() = default;
    TextBytes(const TextBytes&) = delete;
    TextBytes& operator=(const TextBytes&) = delete;
    ~TextBytes() { Py_XDECREF(encoded_); }

    enum class Outcome { Read, NotText, Failed };

    // Reads `object` (borrowed; it must outlive the view). NotText, with no Python error set, when it is neither
    // str nor bytes; Failed, with the Python error set, only when memory ran out.
    Outcome Read(PyObject* object) {
        if (encoded_ != nullptr) Py_CLEAR(encoded_);
        if (PyUnicode_Check(object) && PyUnicode_IS_COMPACT_ASCII(object)) {
            // Most texts: their bytes are their characters, where the str holds them.
            view_ = {static_cast<const char*>(PyUnicode_DATA(object)), static_cast<std::size_t>(PyUnicode_GET_LENGTH(object))};
            return Outcome::Read;
        }
        if (PyBytes_Check(object)) {
            view_ = {PyBytes_AS_STRING(object), static_cast<std::size_t>(PyBytes_GET_SIZE(object))};
            return Outcome::Read;
        }
        if (!PyUnicode_Check(object)) return Outcome::NotText;
        Py_ssize_t size = 0;
        if (const char* data = PyUnicode_AsUTF8AndSize(object, &size)) {
            view_ = {data, static_cast<std::size_t>(size)};
            return Outcome::Read;
        }
        return ReadWithSurrogates(object);
    }

    [[nodiscard]] std::string_view View() const { return view_; }

private:
    Outcome ReadWithSurrogates(PyObject* object) {
        if (!PyErr_ExceptionMatches(PyExc_UnicodeEncodeError)) return Outcome::Failed;
        PyErr_Clear();
        encoded_ = PyUnicode_AsEncodedString(object, "utf-8", "surrogateescape");
        if (encoded_ == nullptr && PyErr_ExceptionMatches(PyExc_UnicodeEncodeError)) {
            PyErr_Clear();
            encoded_ = PyUnicode_AsEncodedString(object, "utf-8", "surrogatepass");
        }
        if (encoded_ == nullptr) return Outcome::Failed;
        view_ = {PyBytes_AS_STRING(encoded_), static_cast<std::size_t>(PyBytes_GET_SIZE(encoded_))};
        return Outcome::Read;
    }

    std::string_view view_;
    PyObject* encoded_ = nullptr;  // the bytes of a str with surrogates
};

}  // namespace kalderos::python
