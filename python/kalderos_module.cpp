// The compiled part of the Python module kalderos (kalderos._kalderos): the library's Checker, judging Python
// texts one at a time, a list at a time into result objects, and a list at a time into the columns of a data
// frame. The package around it (kalderos/__init__.py) reads group files and makes the data frames.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "kalderos/kalderos.h"
#include "record_objects.h"
#include "text_bytes.h"

namespace py = pybind11;

namespace kalderos::python {
namespace {

std::string TypeName(py::handle object) { return Py_TYPE(object.ptr())->tp_name; }

RuleSet RulesNamed(py::handle rules) {
    if (!PyUnicode_Check(rules.ptr())) {
        throw py::type_error("rules must be a str, 'classic' or 'current', not " + TypeName(rules));
    }
    const py::str name = py::reinterpret_borrow<py::str>(rules);
    if (name.equal(py::str("classic"))) return RuleSet::Classic;
    if (name.equal(py::str("current"))) return RuleSet::Current;
    throw py::value_error("unknown rules " + py::repr(rules).cast<std::string>() +
                          ": the rule sets are 'classic' and 'current'");
}

const char* RulesName(RuleSet rules) {
    switch (rules) {
        case RuleSet::Classic:
            return "classic";
        case RuleSet::Current:
            return "current";
    }
    return "classic";
}

// A group file's text, given as bytes (the package reads a file named by path into bytes).
Checker MakeChecker(py::handle rules, py::handle groups) {
    const RuleSet set = RulesNamed(rules);
    if (groups.is_none()) return Checker(set);
    if (!PyBytes_Check(groups.ptr())) {
        throw py::type_error("groups must be a group file's text as bytes, not " + TypeName(groups));
    }
    return Checker(set, {PyBytes_AS_STRING(groups.ptr()), static_cast<std::size_t>(PyBytes_GET_SIZE(groups.ptr()))});
}

// The bytes of `text`, or a TypeError that names what was given in its place: the text, or the text at `index`
// of a list (the message is made only then).
std::string_view ReadText(TextBytes& bytes, py::handle text, Py_ssize_t index = -1) {
    switch (bytes.Read(text.ptr())) {
        case TextBytes::Outcome::Read:
            return bytes.View();
        case TextBytes::Outcome::NotText:
            throw py::type_error((index < 0 ? std::string("text") : "texts[" + std::to_string(index) + "]") +
                                 " must be str or bytes, not " + TypeName(text));
        case TextBytes::Outcome::Failed:
            throw py::error_already_set();
    }
    throw py::error_already_set();
}

// The input field of the text `text` whose bytes are `bytes`: the text up to its first NUL, where the checker
// stops reading, as the program's record shows what it read of a line; the text itself when it has no NUL.
py::object InputField(py::handle text, std::string_view bytes) {
    if (std::memchr(bytes.data(), '\0', bytes.size()) == nullptr) return py::reinterpret_borrow<py::object>(text);
    Py_ssize_t end = static_cast<Py_ssize_t>(bytes.find('\0'));
    if (PyUnicode_Check(text.ptr())) end = PyUnicode_FindChar(text.ptr(), 0, 0, PyUnicode_GET_LENGTH(text.ptr()), 1);
    PyObject* input = end < 0 ? nullptr : PySequence_GetSlice(text.ptr(), 0, end);
    if (input == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::object>(input);
}

// The result object of one text.
template <class Check, class NewRecord>
PyObject* CheckOne(TextBytes& bytes, py::handle text, Py_ssize_t index, Check check, NewRecord new_record) {
    const std::string_view view = ReadText(bytes, text, index);
    PyObject* record = new_record(InputField(text, view).ptr(), check(view));
    if (record == nullptr) throw py::error_already_set();
    return record;
}

// The texts of an iterable as a list or tuple whose items may be read in place (the iterable itself if it is one).
// A str or bytes object is iterable too, by characters: never what a caller of the list functions means.
py::object TextSequence(py::handle texts, const char* one_text_function) {
    if (PyUnicode_Check(texts.ptr()) || PyBytes_Check(texts.ptr())) {
        throw py::type_error(std::string("texts must be an iterable of texts, not one ") + TypeName(texts) +
                             " (for one text, call " + one_text_function + ")");
    }
    PyObject* sequence = PySequence_Fast(texts.ptr(), "texts must be an iterable of str or bytes");
    if (sequence == nullptr) {
        if (!PyErr_ExceptionMatches(PyExc_TypeError)) throw py::error_already_set();
        PyErr_Clear();
        throw py::type_error("texts must be an iterable of str or bytes, not " + TypeName(texts));
    }
    return py::reinterpret_steal<py::object>(sequence);
}

// The result objects of every text of an iterable, in its order.
template <class Check, class NewRecord>
py::list CheckEach(py::handle iterable, const char* one_text_function, Check check, NewRecord new_record) {
    const py::object texts = TextSequence(iterable, one_text_function);
    const Py_ssize_t count = PySequence_Fast_GET_SIZE(texts.ptr());
    PyObject** items = PySequence_Fast_ITEMS(texts.ptr());
    py::list results(count);
    TextBytes bytes;
    for (Py_ssize_t index = 0; index < count; ++index) {
        PyList_SET_ITEM(results.ptr(), index, CheckOne(bytes, items[index], index, check, new_record));
    }
    return results;
}

// A missing value of a data frame's column (None, NaN), which a frame judges as an empty text.
bool Missing(py::handle text) {
    return text.is_none() || (PyFloat_Check(text.ptr()) && std::isnan(PyFloat_AS_DOUBLE(text.ptr())));
}

// The columns of a frame, one per field, as numpy arrays that pandas takes without a copy: of objects (str, or
// None), or of bool for the fields that are True or False.
template <std::size_t N>
class Columns {
public:
    Columns(Py_ssize_t rows, const std::array<bool, N>& flags) : flags_(flags), input_(ObjectArray(rows)) {
        for (std::size_t field = 0; field < N; ++field) {
            if (flags[field]) {
                py::array_t<bool> column(rows);
                flags_at_[field] = column.mutable_data();
                columns_[field] = std::move(column);
            } else {
                py::array column = ObjectArray(rows);
                objects_at_[field] = static_cast<PyObject**>(column.mutable_data());
                columns_[field] = std::move(column);
            }
        }
        inputs_at_ = static_cast<PyObject**>(input_.mutable_data());
    }

    // Takes the references of `values`.
    void Put(Py_ssize_t row, py::object input, const std::array<PyObject*, N>& values) {
        Replace(inputs_at_[row], input.release().ptr());
        for (std::size_t field = 0; field < N; ++field) {
            if (flags_[field]) {
                flags_at_[field][row] = values[field] == Py_True;
                Py_DECREF(values[field]);
            } else {
                Replace(objects_at_[field][row], values[field]);
            }
        }
    }

    py::tuple Take() {
        py::tuple columns(N + 1);
        columns[0] = std::move(input_);
        for (std::size_t field = 0; field < N; ++field) columns[field + 1] = std::move(columns_[field]);
        return columns;
    }

private:
    // numpy makes an array of objects filled with null pointers, or with None.
    static py::array ObjectArray(Py_ssize_t rows) {
        return py::array(py::dtype("O"), std::vector<py::ssize_t>{rows});
    }
    static void Replace(PyObject*& slot, PyObject* value) {
        PyObject* old = slot;
        slot = value;
        Py_XDECREF(old);
    }

    std::array<bool, N> flags_;
    py::array input_;
    PyObject** inputs_at_ = nullptr;
    std::array<py::array, N> columns_;
    std::array<PyObject**, N> objects_at_{};
    std::array<bool*, N> flags_at_{};
};

// The columns of a frame of the texts of an iterable: the input first, then the other fields.
template <std::size_t N, class Check, class Values>
py::tuple ColumnsOf(py::handle iterable, const char* one_text_function, const std::array<bool, N>& flags, Check check,
                    Values values_of) {
    const py::object texts = TextSequence(iterable, one_text_function);
    const Py_ssize_t rows = PySequence_Fast_GET_SIZE(texts.ptr());
    PyObject** items = PySequence_Fast_ITEMS(texts.ptr());
    Columns<N> columns(rows, flags);
    TextBytes bytes;
    std::array<PyObject*, N> values{};
    for (Py_ssize_t row = 0; row < rows; ++row) {
        const bool missing = Missing(items[row]);
        const std::string_view text = missing ? std::string_view("") : ReadText(bytes, items[row], row);
        if (!values_of(check(text), values)) throw py::error_already_set();
        columns.Put(row, missing ? py::none() : InputField(items[row], text), values);
    }
    return columns.Take();
}

constexpr std::array<bool, kSsnValueCount> kSsnFlagColumns{true, false, false, false, false, false, true};
constexpr std::array<bool, kCardValueCount> kCardFlagColumns{};

py::tuple FieldNames(const char* const* names, std::size_t count) {
    py::tuple tuple(count);
    for (std::size_t i = 0; i < count; ++i) tuple[i] = py::str(names[i]);
    return tuple;
}

py::object TypeObject(PyTypeObject* type) {
    return py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(type));
}

void DefineChecker(py::module_& module) {
    // The signatures are written into the docstrings: pybind11's own would show every argument as a "handle".
    py::options options;
    options.disable_function_signatures();
    py::class_<Checker>(module, "Checker",
                        "The checks of one rule set, made once (see kalderos.Checker for the whole story).")
        .def(py::init(&MakeChecker), py::arg("rules") = "current", py::arg("groups") = py::none(),
             "Checker(rules='current', groups=None): groups is None or a group file's text as bytes.")
        .def_property_readonly("rules", [](const Checker& checker) { return RulesName(checker.Rules()); },
                               "The rule set's name, 'classic' or 'current'.")
        .def_property_readonly("highest_groups", [](const Checker& checker) {
                const auto& groups = checker.HighestGroups().group;
                py::tuple tuple(groups.size());
                for (std::size_t area = 0; area < groups.size(); ++area) tuple[area] = py::int_(groups[area]);
                return tuple;
            }, "The highest group the checker takes as issued in each area, indexed by area (0-999); 0 for none.")
        .def("check_ssn", [](const Checker& checker, py::handle text) {
                TextBytes bytes;
                return py::reinterpret_steal<py::object>(CheckOne(
                    bytes, text, -1, [&](std::string_view view) { return checker.CheckSsn(view); }, &NewSsnRecord));
            }, py::arg("text"), "check_ssn(text) -> SsnResult\n\nThe SsnResult of one text (str or bytes).")
        .def("check_card", [](const Checker& checker, py::handle text) {
                TextBytes bytes;
                return py::reinterpret_steal<py::object>(CheckOne(
                    bytes, text, -1, [&](std::string_view view) { return checker.CheckCard(view); }, &NewCardRecord));
            }, py::arg("text"), "check_card(text) -> CardResult\n\nThe CardResult of one text (str or bytes).")
        .def("check_ssns", [](const Checker& checker, py::handle texts) {
                return CheckEach(texts, "check_ssn", [&](std::string_view text) { return checker.CheckSsn(text); },
                                 &NewSsnRecord);
            }, py::arg("texts"),
            "check_ssns(texts) -> list of SsnResult\n\nThe SsnResult of each text of an iterable of str or bytes.")
        .def("check_cards", [](const Checker& checker, py::handle texts) {
                return CheckEach(texts, "check_card", [&](std::string_view text) { return checker.CheckCard(text); },
                                 &NewCardRecord);
            }, py::arg("texts"),
            "check_cards(texts) -> list of CardResult\n\nThe CardResult of each text of an iterable of str or bytes.")
        .def("_ssn_columns", [](const Checker& checker, py::handle texts) {
                return ColumnsOf(texts, "check_ssn", kSsnFlagColumns, [&](std::string_view text) { return checker.CheckSsn(text); },
                                 &SsnValues);
            }, py::arg("texts"))
        .def("_card_columns", [](const Checker& checker, py::handle texts) {
                return ColumnsOf(texts, "check_card", kCardFlagColumns, [&](std::string_view text) { return checker.CheckCard(text); },
                                 &CardValues);
            }, py::arg("texts"))
        .def("__repr__", [](const Checker& checker) {
            return std::string("kalderos.Checker(rules='") + RulesName(checker.Rules()) + "')";
        });
}

}  // namespace
}  // namespace kalderos::python

PYBIND11_MODULE(_kalderos, module) {
    namespace kp = kalderos::python;
    module.doc() = "The compiled part of the module kalderos: use kalderos itself.";
    if (!kp::MakeRecordTypes()) throw py::error_already_set();
    module.attr("SsnResult") = kp::TypeObject(kp::SsnResultType());
    module.attr("CardResult") = kp::TypeObject(kp::CardResultType());
    module.attr("SSN_FIELDS") = kp::FieldNames(kp::kSsnFieldNames.data(), kp::kSsnFieldNames.size());
    module.attr("CARD_FIELDS") = kp::FieldNames(kp::kCardFieldNames.data(), kp::kCardFieldNames.size());
    kp::DefineChecker(module);
}
