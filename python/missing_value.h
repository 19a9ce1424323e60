// A missing value among texts, which the list functions judge as an empty text: None, a NaN (Python's float,
// numpy's floats, Decimal), NaT (pandas', numpy's) and pandas.NA, the values pandas.isna calls missing.
#pragma once

#include <Python.h>

namespace kalderos::python {

enum class Missing { Yes, No, Failed };

namespace missing_detail {

// A Python error raised by a foreign object's comparison means "not missing", unless it is no ordinary
// exception (KeyboardInterrupt), which is passed on.
inline Missing NotMissingUnlessInterrupted() {
    if (!PyErr_ExceptionMatches(PyExc_Exception)) return Missing::Failed;
    PyErr_Clear();
    return Missing::No;
}

}  // namespace missing_detail

// Called for an object that is neither str nor bytes.
inline Missing IsMissing(PyObject* object) {
    if (object == Py_None) return Missing::Yes;
    // NaN and NaT are the values unequal to themselves (RichCompare, not RichCompareBool, which takes an object
    // as equal to itself); pandas.NA is the value whose comparisons give itself, neither true nor false.
    PyObject* unequal = PyObject_RichCompare(object, object, Py_NE);
    if (unequal == nullptr) return missing_detail::NotMissingUnlessInterrupted();
    if (unequal == object) {
        Py_DECREF(unequal);
        return Missing::Yes;
    }
    const int truth = PyObject_IsTrue(unequal);
    Py_DECREF(unequal);
    if (truth < 0) return missing_detail::NotMissingUnlessInterrupted();
    return truth > 0 ? Missing::Yes : Missing::No;
}

}  // namespace kalderos::python
