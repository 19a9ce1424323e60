// The compiled part of the Python module kalderos (kalderos._kalderos): the library's Checker, judging Python
// texts one at a time, a list at a time into result objects, and a list at a time into the columns of a data
// frame; the module's functions, each by a checker made once per rule set. The package around it
// (kalderos/__init__.py) makes the data frames and reads group files named by path.
#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "frame_columns.h"
#include "kalderos/kalderos.h"
#include "record_types.h"
#include "record_words.h"
#include "rule_names.h"
#include "type_casters.h"

namespace py = pybind11;

namespace kalderos::python {
namespace {

// The checker of each rule set without a group file, made once.
const Checker& PlainChecker(RuleSet rules) {
    static const auto checkers = []<std::size_t... kSet>(std::index_sequence<kSet...>) {
        return std::array<Checker, kRuleSetCount>{Checker(static_cast<RuleSet>(kSet))...};
    }(std::make_index_sequence<kRuleSetCount>{});
    return checkers[static_cast<std::size_t>(rules)];
}

// The bytes of the group file `groups` gives or names, None for none: its text (bytes, bytearray, memoryview, or a
// str holding a line feed), or its path (another str, an os.PathLike), read by the package.
py::object GroupText(py::handle groups) {
    if (groups.is_none() || PyBytes_Check(groups.ptr())) return py::reinterpret_borrow<py::object>(groups);
    if (PyByteArray_Check(groups.ptr()) || PyMemoryView_Check(groups.ptr())) {
        PyObject* bytes = PyBytes_FromObject(groups.ptr());
        if (bytes == nullptr) throw py::error_already_set();
        return py::reinterpret_steal<py::object>(bytes);
    }
    if (PyUnicode_Check(groups.ptr()) &&
        PyUnicode_FindChar(groups.ptr(), '\n', 0, PyUnicode_GET_LENGTH(groups.ptr()), 1) >= 0) {
        PyObject* bytes = PyUnicode_AsEncodedString(groups.ptr(), "utf-8", "surrogateescape");
        if (bytes == nullptr) throw py::error_already_set();
        return py::reinterpret_steal<py::object>(bytes);
    }
    PyObject* path = PyOS_FSPath(groups.ptr());
    if (path == nullptr) {
        if (!PyErr_ExceptionMatches(PyExc_TypeError)) throw py::error_already_set();
        PyErr_Clear();
        throw py::type_error("groups must be a group file's text (bytes, or a str with a line feed) or its path "
                             "(str, os.PathLike), not " + TypeName(groups));
    }
    Py_DECREF(path);
    return py::module_::import("kalderos._files").attr("read_group_file")(groups);
}

// `call` with the checker of `rules` and `groups`.
template <class Call>
auto WithChecker(RuleSet rules, const GroupFile& groups, Call call) {
    const py::object text = GroupText(groups.object);
    if (text.is_none()) return call(PlainChecker(rules));
    const Checker checker(rules, {PyBytes_AS_STRING(text.ptr()), static_cast<std::size_t>(PyBytes_GET_SIZE(text.ptr()))});
    return call(checker);
}

template <class Kind>
Record<Kind> CheckOne(const Checker& checker, const Text& text) {
    TextBytes bytes;
    const std::string_view view = OneText(bytes, text.object);
    PyObject* record = NewRecord<Kind>(InputField(text.object, view).ptr(), Kind::Check(checker, view));
    if (record == nullptr) throw py::error_already_set();
    return {py::reinterpret_steal<py::object>(record)};
}

template <class Kind>
Records<Kind> CheckEach(const Checker& checker, const Texts& texts, const char* one_text_function) {
    return {RecordsOf<Kind>(checker, texts.object, one_text_function)};
}

// The words each word field can hold under `rules`, by field name: the categories of a frame's columns.
template <class Kind, class Rows>
py::dict WordsByField(RuleSet rules, const Rows& rows) {
    py::dict words;
    for (std::size_t field = 0; field < Kind::kFieldCount; ++field) {
        if (Kind::KindAt(field) != ValueKind::Word) continue;
        py::tuple names(0);
        for (const std::string_view word : WordsOf(rules, static_cast<typename Kind::Field>(field))) {
            names = names + py::make_tuple(py::str(word.data(), word.size()));
        }
        words[py::str(rows[field].name.data(), rows[field].name.size())] = names;
    }
    return words;
}

template <std::size_t N>
py::tuple Names(const std::array<std::string_view, N>& names) {
    py::tuple tuple(N);
    for (std::size_t i = 0; i < N; ++i) tuple[i] = py::str(names[i].data(), names[i].size());
    return tuple;
}

// A group file of every area's highest group: read over the built-in groups, it gives the same table.
py::bytes GroupsOf(const Checker& checker) {
    std::string text;
    const auto& groups = checker.HighestGroups().group;
    for (std::size_t area = 0; area < groups.size(); ++area) {
        text.append(std::to_string(area)).append(" ").append(std::to_string(groups[area])).append("\n");
    }
    return py::bytes(text);
}

constexpr const char* kCheckerDoc =
    "The checks of one rule set (and group file), made once and used for any number of texts.\n\n"
    "rules is 'current' or 'classic'; groups a group file's text (bytes, or a str holding a line feed) or path "
    "(another str, an os.PathLike), read over the built-in highest groups as the program's -g reads one. The "
    "module's functions use a checker of their own (one per rule set made once where there is no group file); "
    "make one to judge many calls' texts against one group file. A checker is never changed once made; it "
    "pickles, so it may be sent to Dask's workers.\n\n"
    ">>> checker = kalderos.Checker('classic', groups=b'123 10\\n')\n"
    ">>> checker.check_ssn('123-90-0001').reason\n"
    "'group-not-issued'\n";

void DefineChecker(py::module_& module) {
    py::class_<Checker> checker(module, "Checker", kCheckerDoc);
    // Its home is the package, where pickle and the signatures below find it.
    checker.attr("__module__") = "kalderos";
    checker
        .def(py::init([](RuleSet rules, const GroupFile& groups) {
                 return WithChecker(rules, groups, [](const Checker& made) { return Checker(made); });
             }),
             py::arg("rules") = RuleSet::Current, py::kw_only(), py::arg("groups") = py::none())
        .def_property_readonly("rules", [](MadeChecker self) { return (*self).Rules(); },
                               "The rule set's name.")
        .def_property_readonly("highest_groups", [](MadeChecker self) {
                const auto& groups = (*self).HighestGroups().group;
                py::tuple tuple(groups.size());
                for (std::size_t area = 0; area < groups.size(); ++area) tuple[area] = py::int_(groups[area]);
                return tuple;
            }, "The highest group the checker takes as issued in each area, indexed by area (0-999); 0 for none.")
        .def("check_ssn", [](MadeChecker self, const Text& text) { return CheckOne<SsnRecordKind>(*self, text); },
             py::arg("text"), "The SsnResult of one text.")
        .def("check_card", [](MadeChecker self, const Text& text) { return CheckOne<CardRecordKind>(*self, text); },
             py::arg("text"), "The CardResult of one text.")
        .def("check_ssns", [](MadeChecker self, const Texts& texts) {
                return CheckEach<SsnRecordKind>(*self, texts, "check_ssn");
            }, py::arg("texts"), "The SsnResult of each text of an iterable, in its order; a missing value "
                                 "(None, NaN, NaT, pandas.NA) is judged as an empty text, its input None.")
        .def("check_cards", [](MadeChecker self, const Texts& texts) {
                return CheckEach<CardRecordKind>(*self, texts, "check_card");
            }, py::arg("texts"), "The CardResult of each text of an iterable, in its order; a missing value "
                                 "is judged as an empty text, its input None.")
        .def("_ssn_columns", [](MadeChecker self, const Texts& texts) {
                return ColumnsOf<SsnRecordKind>(*self, texts.object, "check_ssn");
            }, py::arg("texts"))
        .def("_card_columns", [](MadeChecker self, const Texts& texts) {
                return ColumnsOf<CardRecordKind>(*self, texts.object, "check_card");
            }, py::arg("texts"))
        .def("__repr__", [](py::handle self) {
            if (!WasInitialised(self)) return std::string("<kalderos.Checker, never initialised>");
            return std::string("kalderos.Checker(rules='").append(RuleSetName(self.cast<const Checker&>().Rules())).append("')");
        })
        .def(py::pickle([](MadeChecker self) { return py::make_tuple((*self).Rules(), GroupsOf(*self)); },
                        [](const py::tuple& state) {
                            const std::string groups = state[1].cast<std::string>();
                            return Checker(state[0].cast<RuleSet>(), groups);
                        }));
}

void DefineFunctions(py::module_& module) {
    module.def("check_ssn", [](const Text& text, RuleSet rules, const GroupFile& groups) {
            return WithChecker(rules, groups, [&](const Checker& checker) { return CheckOne<SsnRecordKind>(checker, text); });
        }, py::arg("text"), py::kw_only(), py::arg("rules") = RuleSet::Current, py::arg("groups") = py::none(),
        "The SsnResult of one SSN text: what the program's record says of it, field by field.\n\n"
        ">>> kalderos.check_ssn('123-45-6789', rules='classic').place\n'New York'\n"
        ">>> kalderos.check_ssn(b' 078-05-1120 ').reason\n'known-invalid'\n");
    module.def("check_card", [](const Text& text, RuleSet rules) {
            return CheckOne<CardRecordKind>(PlainChecker(rules), text);
        }, py::arg("text"), py::kw_only(), py::arg("rules") = RuleSet::Current,
        "The CardResult of one payment-card text, by the card networks of the rule set.\n\n"
        ">>> kalderos.check_card('4111 1111 1111 1111').outcome\n'VISA'\n"
        ">>> kalderos.check_card('6221260000000000', rules='classic').type\n'Other'\n");
    module.def("check_ssns", [](const Texts& texts, RuleSet rules, const GroupFile& groups) {
            return WithChecker(rules, groups, [&](const Checker& checker) {
                return CheckEach<SsnRecordKind>(checker, texts, "check_ssn");
            });
        }, py::arg("texts"), py::kw_only(), py::arg("rules") = RuleSet::Current, py::arg("groups") = py::none(),
        "The SsnResult of every text of an iterable, in its order, by one checker. A missing value (None, NaN, "
        "NaT, pandas.NA) is judged as an empty text; its input is None.\n\n"
        ">>> [result.verdict for result in kalderos.check_ssns(['001-13-0001', None])]\n['valid', 'invalid']\n");
    module.def("check_cards", [](const Texts& texts, RuleSet rules) {
            return CheckEach<CardRecordKind>(PlainChecker(rules), texts, "check_card");
        }, py::arg("texts"), py::kw_only(), py::arg("rules") = RuleSet::Current,
        "The CardResult of every text of an iterable, in its order, by one checker; a missing value is judged as "
        "an empty text.\n\n"
        ">>> [result.reason for result in kalderos.check_cards(['4111111111111111', ''])]\n['ok', 'empty']\n");
    // The library's CsvCheck over the whole of `data`; kalderos._csv makes the result of it.
    module.def("_check_csv", [](const py::bytes& data, std::string_view column_name, std::size_t column_number,
                                char delimiter, char output_delimiter, bool header, bool cards, RuleSet rules,
                                int format) {
            CsvCheckOptions options;
            options.column_name = column_name;
            options.column_number = column_number;
            options.delimiter = delimiter;
            options.output_delimiter = output_delimiter;
            options.header = header;
            options.cards = cards;
            options.rules = rules;
            options.format = static_cast<CsvOutput>(format);
            const std::string_view bytes = data;
            CsvCheck check(options);
            {
                py::gil_scoped_release unlocked;
                check.Feed(bytes);
                check.Finish();
            }
            std::size_t size = 0;
            const CsvCount* counts = check.Counts(&size);
            py::list listed;
            for (std::size_t i = 0; i < size; ++i) {
                listed.append(py::make_tuple(py::str(counts[i].what.data(), counts[i].what.size()),
                                             py::str(counts[i].name.data(), counts[i].name.size()), counts[i].count));
            }
            const std::string_view output = check.Output();
            return py::make_tuple(py::bytes(output.data(), output.size()), check.Rows(), listed,
                                  static_cast<int>(check.Status()), std::string(check.Message()));
        }, py::arg("data"), py::arg("column_name"), py::arg("column_number"), py::arg("delimiter"),
        py::arg("output_delimiter"), py::arg("header"), py::arg("cards"), py::arg("rules"), py::arg("format"));
    module.def("_ssn_words", [](RuleSet rules) { return WordsByField<SsnRecordKind>(rules, ssn::kSsnFields); },
               py::arg("rules"));
    module.def("_card_words", [](RuleSet rules) { return WordsByField<CardRecordKind>(rules, card::kCardFields); },
               py::arg("rules"));
}

}  // namespace
}  // namespace kalderos::python

PYBIND11_MODULE(_kalderos, module) {
    namespace kp = kalderos::python;
    module.doc() = "The compiled part of the module kalderos: use kalderos itself.";
    if (!kp::MakeRecordTypes()) throw py::error_already_set();
    module.attr("SsnResult") = py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(
        kp::RecordType(kp::SsnRecordKind{})));
    module.attr("CardResult") = py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(
        kp::RecordType(kp::CardRecordKind{})));
    module.attr("SSN_FIELDS") = kp::Names(kalderos::ssn::kSsnFieldNames);
    module.attr("CARD_FIELDS") = kp::Names(kalderos::card::kCardFieldNames);
    py::tuple rule_sets(kp::kRuleSetCount);
    for (std::size_t set = 0; set < kp::kRuleSetCount; ++set) rule_sets[set] = static_cast<kalderos::RuleSet>(set);
    module.attr("RULE_SETS") = rule_sets;
    kp::DefineChecker(module);
    kp::DefineFunctions(module);
    for (const char* name : {"check_ssn", "check_card", "check_ssns", "check_cards"}) {
        module.attr(name).attr("__module__") = "kalderos";
    }
}
