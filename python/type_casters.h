// The types the module's functions take and give, as pybind11 reads them from Python and writes them into the
// signatures help() shows: a rule set by its name, a text, an iterable of texts, a group file, the results, and
// a Checker that was made by its __init__. A text, texts and a group file are taken as they come and read by the
// function, whose errors name what was given.
#pragma once

#include <pybind11/pybind11.h>

#include <utility>

#include "kalderos/kalderos.h"
#include "record_values.h"
#include "rule_names.h"
#include "text_list.h"

namespace kalderos::python {

struct Text {
    py::handle object;
};
struct Texts {
    py::handle object;
};
struct GroupFile {
    py::handle object;
};
template <class Kind>
struct Record {
    py::object object;
};
template <class Kind>
struct Records {
    py::list list;
};
// The checker a method is called on.
struct MadeChecker {
    const Checker* checker = nullptr;
    const Checker& operator*() const { return *checker; }
};

// Whether `object` is a Checker, and whether that checker was made by its __init__: one made by
// Checker.__new__ alone holds memory that was never initialised, which pybind11 would hand out as a checker.
inline bool IsChecker(py::handle object) {
    const py::detail::type_info* info = py::detail::get_type_info(typeid(Checker));
    return info != nullptr && PyObject_TypeCheck(object.ptr(), info->type);
}
inline bool WasInitialised(py::handle checker) {
    auto* instance = reinterpret_cast<py::detail::instance*>(checker.ptr());
    return instance->get_value_and_holder(py::detail::get_type_info(typeid(Checker))).holder_constructed();
}

namespace caster_detail {

template <std::size_t... kAt>
constexpr auto RulesTypeName(std::index_sequence<kAt...>) {
    return py::detail::descr<sizeof...(kAt)>(kRulesTypeText[kAt]...);
}

// A caster that takes any object, for the function to read.
template <class Wrapper>
struct Taken {
    bool load(py::handle source, bool) {
        value.object = source;
        return true;
    }
    Wrapper value;
    operator Wrapper&() { return value; }
    template <class T>
    using cast_op_type = Wrapper&;
};

}  // namespace caster_detail

}  // namespace kalderos::python

namespace pybind11::detail {

template <>
struct type_caster<kalderos::RuleSet> {
    PYBIND11_TYPE_CASTER(kalderos::RuleSet, kalderos::python::caster_detail::RulesTypeName(
                                                std::make_index_sequence<kalderos::python::kRulesTypeText.size()>{}));

    bool load(handle source, bool) {
        namespace kp = kalderos::python;
        if (!PyUnicode_Check(source.ptr())) {
            throw type_error("rules must be a str, " + kp::RuleSetNames(" or ") + ", not " + kp::TypeName(source));
        }
        Py_ssize_t size = 0;
        const char* name = PyUnicode_AsUTF8AndSize(source.ptr(), &size);
        const auto rules = name == nullptr ? std::nullopt : kp::RuleSetNamed({name, static_cast<std::size_t>(size)});
        if (!rules) {
            PyErr_Clear();
            throw value_error("unknown rules " + repr(source).cast<std::string>() + ": the rule sets are " +
                              kp::RuleSetNames(" and "));
        }
        value = *rules;
        return true;
    }

    static handle cast(kalderos::RuleSet rules, return_value_policy, handle) {
        const std::string_view name = kalderos::python::RuleSetName(rules);
        return PyUnicode_FromStringAndSize(name.data(), static_cast<Py_ssize_t>(name.size()));
    }
};

template <>
struct type_caster<kalderos::python::Text> : kalderos::python::caster_detail::Taken<kalderos::python::Text> {
    static constexpr auto name = const_name("str | bytes");
};

template <>
struct type_caster<kalderos::python::Texts> : kalderos::python::caster_detail::Taken<kalderos::python::Texts> {
    static constexpr auto name = const_name("Iterable[str | bytes | None]");
};

template <>
struct type_caster<kalderos::python::GroupFile>
    : kalderos::python::caster_detail::Taken<kalderos::python::GroupFile> {
    static constexpr auto name = const_name("str | bytes | os.PathLike | None");
};

template <>
struct type_caster<kalderos::python::Record<kalderos::python::SsnRecordKind>> {
    using Type = kalderos::python::Record<kalderos::python::SsnRecordKind>;
    PYBIND11_TYPE_CASTER(Type, const_name("kalderos.SsnResult"));
    static handle cast(Type record, return_value_policy, handle) { return record.object.release(); }
};
template <>
struct type_caster<kalderos::python::Record<kalderos::python::CardRecordKind>> {
    using Type = kalderos::python::Record<kalderos::python::CardRecordKind>;
    PYBIND11_TYPE_CASTER(Type, const_name("kalderos.CardResult"));
    static handle cast(Type record, return_value_policy, handle) { return record.object.release(); }
};
template <>
struct type_caster<kalderos::python::Records<kalderos::python::SsnRecordKind>> {
    using Type = kalderos::python::Records<kalderos::python::SsnRecordKind>;
    PYBIND11_TYPE_CASTER(Type, const_name("list[kalderos.SsnResult]"));
    static handle cast(Type records, return_value_policy, handle) { return records.list.release(); }
};
template <>
struct type_caster<kalderos::python::Records<kalderos::python::CardRecordKind>> {
    using Type = kalderos::python::Records<kalderos::python::CardRecordKind>;
    PYBIND11_TYPE_CASTER(Type, const_name("list[kalderos.CardResult]"));
    static handle cast(Type records, return_value_policy, handle) { return records.list.release(); }
};

template <>
struct type_caster<kalderos::python::MadeChecker> {
    PYBIND11_TYPE_CASTER(kalderos::python::MadeChecker, const_name<kalderos::Checker>());

    bool load(handle source, bool convert) {
        if (!kalderos::python::IsChecker(source)) return false;
        if (!kalderos::python::WasInitialised(source)) {
            throw type_error("this kalderos.Checker was never initialised: make one with kalderos.Checker(rules)");
        }
        type_caster_base<kalderos::Checker> checker;
        if (!checker.load(source, convert)) return false;
        value.checker = &static_cast<const kalderos::Checker&>(checker);
        return true;
    }
};

}  // namespace pybind11::detail
