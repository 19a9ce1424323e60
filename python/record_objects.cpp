// The result types and their field values. Every value a field takes but a card's digits is made once and
// shared: the number codes as the record writes them ("078"), and the words of the library's constant data
// (verdicts, reasons, places, months, card types), so that a result costs a tuple and no strings.
#include "record_objects.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kalderos::python {
namespace {

PyTypeObject* g_ssn_type = nullptr;
PyTypeObject* g_card_type = nullptr;

// The number codes, zero-padded to their width: "000"-"999", "00"-"99", "0000"-"9999".
std::array<PyObject*, 1000> g_areas{};
std::array<PyObject*, 100> g_groups{};
std::array<PyObject*, 10000> g_serials{};

PyObject* NewRef(PyObject* object) {
    Py_INCREF(object);
    return object;
}

PyObject* Bool(bool value) { return NewRef(value ? Py_True : Py_False); }

template <std::size_t N>
bool MakeCodes(std::array<PyObject*, N>& codes, int width) {
    for (std::size_t value = 0; value < N; ++value) {
        char text[8];
        std::snprintf(text, sizeof text, "%0*u", width, static_cast<unsigned>(value));
        codes[value] = PyUnicode_InternFromString(text);
        if (codes[value] == nullptr) return false;
    }
    return true;
}

template <std::size_t N>
PyObject* Code(const std::array<PyObject*, N>& codes, std::int32_t value, bool stated) {
    if (!stated || value < 0 || static_cast<std::size_t>(value) >= N) return NewRef(Py_None);
    return NewRef(codes[static_cast<std::size_t>(value)]);
}

// The str of each word of the library's constant data. The library's views of a word always point at the same
// bytes, so a word is found by where it lies first (a direct-mapped cache) and by its text only on a miss.
class WordCache {
public:
    // A new reference to the str of `word`, None for an empty one (a field the record leaves null).
    PyObject* Get(std::string_view word) {
        if (word.empty()) return NewRef(Py_None);
        Slot& slot = slots_[SlotOf(word.data())];
        if (slot.data != word.data() || slot.size != word.size()) {
            PyObject* value = ByText(word);
            if (value == nullptr) return nullptr;
            slot = {word.data(), word.size(), value};
        }
        return NewRef(slot.value);
    }

private:
    struct Slot {
        const char* data = nullptr;
        std::size_t size = 0;
        PyObject* value = nullptr;  // borrowed from by_text_
    };

    // The words of one table lie a few bytes apart: a multiplicative hash spreads them over the slots.
    static std::size_t SlotOf(const char* data) {
        const auto address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(data));
        return static_cast<std::size_t>((address * 0x9E3779B97F4A7C15u) >> (64 - kSlotBits));
    }

    PyObject* ByText(std::string_view word) {
        auto [at, added] = by_text_.try_emplace(std::string(word), nullptr);
        if (added) {
            at->second = PyUnicode_DecodeUTF8(word.data(), static_cast<Py_ssize_t>(word.size()), "replace");
            if (at->second == nullptr) {
                by_text_.erase(at);
                return nullptr;
            }
            PyUnicode_InternInPlace(&at->second);
        }
        return at->second;
    }

    static constexpr unsigned kSlotBits = 10;
    static constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;
    std::array<Slot, kSlots> slots_{};
    std::unordered_map<std::string, PyObject*> by_text_;  // owns one reference of each, for the module's life
};

WordCache g_words;

PyObject* Digits(std::string_view digits) {
    if (digits.empty()) return NewRef(Py_None);
    return PyUnicode_FromStringAndSize(digits.data(), static_cast<Py_ssize_t>(digits.size()));
}

template <std::size_t N>
bool AllMade(std::array<PyObject*, N>& values) {
    for (PyObject* value : values) {
        if (value != nullptr) continue;
        for (PyObject*& made : values) Py_CLEAR(made);
        return false;
    }
    return true;
}

// Field documentation, read by help() and editors.
constexpr std::array<PyStructSequence_Field, kSsnFieldNames.size() + 1> kSsnFieldDocs{{
    {kSsnFieldNames[0], "the text as given (str or bytes), up to its first NUL"},
    {kSsnFieldNames[1], "True when the text, blanks trimmed, is exactly NNN-NN-NNNN, NNN NN NNNN or nine digits"},
    {kSsnFieldNames[2], "the area as written, '001'; None when the text is not well formed"},
    {kSsnFieldNames[3], "the group as written, '06'; None when the text is not well formed"},
    {kSsnFieldNames[4], "the serial as written, '1234'; None when the text is not well formed"},
    {kSsnFieldNames[5], "the state or office of issue, 'New York'; None where there is none"},
    {kSsnFieldNames[6], "'valid', 'invalid' or 'unknown'"},
    {kSsnFieldNames[7], "True when the number is valid and its group is the highest its area had reached"},
    {kSsnFieldNames[8], "'ok', or the first rule the number breaks: 'malformed', 'area-000', 'group-not-issued', ...; "
                       "'empty' for a text of blanks or none"},
    {kSsnFieldNames[9], "the latest published list ('2003-11', '2007-07', '2011-06') the group was not yet in; "
                        "None where no list bounds it"},
    {kSsnFieldNames[10], "the earliest published list the group was in; None where no list bounds it"},
    {nullptr, nullptr},
}};
constexpr std::array<PyStructSequence_Field, kCardFieldNames.size() + 1> kCardFieldDocs{{
    {kCardFieldNames[0], "the text as given (str or bytes), up to its first NUL"},
    {kCardFieldNames[1], "the digits of the number, the blanks or dashes between its groups left out; None for a text "
                        "that is no number"},
    {kCardFieldNames[2], "the type by the leading digits, 'VISA', or 'Other'; None for a text that is no number"},
    {kCardFieldNames[3], "the check digit: 'pass', 'fail', or 'n/a' where it is not tested"},
    {kCardFieldNames[4], "what the program's text line shows: the type ('VISA_X' when its check digit is wrong), "
                         "'Other', '2MANY_DIGITS' or 'UNKNOWN'"},
    {kCardFieldNames[5], "'ok', or why not: 'not-a-number', 'bad-dashes', 'too-few-digits', 'unknown-prefix', "
                         "'too-many-digits', 'bad-check-digit', 'empty'"},
    {nullptr, nullptr},
}};

PyTypeObject* NewType(const char* name, const char* doc, const PyStructSequence_Field* fields, std::size_t count) {
    PyStructSequence_Desc desc{name, doc, const_cast<PyStructSequence_Field*>(fields), static_cast<int>(count)};
    return PyStructSequence_NewType(&desc);
}

PyObject* NewRecord(PyTypeObject* type, PyObject* input, PyObject* const* values, std::size_t count) {
    PyObject* record = PyStructSequence_New(type);
    if (record == nullptr) {
        for (std::size_t i = 0; i < count; ++i) Py_DECREF(values[i]);
        return nullptr;
    }
    PyStructSequence_SET_ITEM(record, 0, NewRef(input));
    for (std::size_t i = 0; i < count; ++i) PyStructSequence_SET_ITEM(record, static_cast<Py_ssize_t>(i + 1), values[i]);
    return record;
}

}  // namespace

bool MakeRecordTypes() {
    if (!MakeCodes(g_areas, 3) || !MakeCodes(g_groups, 2) || !MakeCodes(g_serials, 4)) return false;
    g_ssn_type = NewType("kalderos.SsnResult",
                         "What the kalderos program's JSON Lines record says of one SSN text, field by field.\n\n"
                         "An immutable named tuple: read the fields as attributes (result.verdict) or in the "
                         "record's order (kalderos.SSN_FIELDS).",
                         kSsnFieldDocs.data(), kSsnFieldNames.size());
    if (g_ssn_type == nullptr) return false;
    g_card_type = NewType("kalderos.CardResult",
                          "What the kalderos program's JSON Lines record says of one card text (kalderos -C), "
                          "field by field.\n\nAn immutable named tuple: read the fields as attributes "
                          "(result.type) or in the record's order (kalderos.CARD_FIELDS).",
                          kCardFieldDocs.data(), kCardFieldNames.size());
    return g_card_type != nullptr;
}

PyTypeObject* SsnResultType() { return g_ssn_type; }
PyTypeObject* CardResultType() { return g_card_type; }

bool SsnValues(const SsnResult& result, std::array<PyObject*, kSsnValueCount>& values) {
    values = {
        Bool(result.well_formed),
        Code(g_areas, result.area, result.well_formed),
        Code(g_groups, result.group, result.well_formed),
        Code(g_serials, result.serial, result.well_formed),
        g_words.Get(result.place),
        g_words.Get(result.verdict_name),
        Bool(result.confirm),
        g_words.Get(result.reason),
        g_words.Get(result.issued_after),
        g_words.Get(result.issued_by),
    };
    return AllMade(values);
}

bool CardValues(const CardResult& result, std::array<PyObject*, kCardValueCount>& values) {
    values = {
        Digits(result.Digits()),
        g_words.Get(result.type),
        g_words.Get(result.luhn),
        g_words.Get(result.outcome),
        g_words.Get(result.reason),
    };
    return AllMade(values);
}

PyObject* NewSsnRecord(PyObject* input, const SsnResult& result) {
    std::array<PyObject*, kSsnValueCount> values{};
    if (!SsnValues(result, values)) return nullptr;
    return NewRecord(g_ssn_type, input, values.data(), values.size());
}

PyObject* NewCardRecord(PyObject* input, const CardResult& result) {
    std::array<PyObject*, kCardValueCount> values{};
    if (!CardValues(result, values)) return nullptr;
    return NewRecord(g_card_type, input, values.data(), values.size());
}

}  // namespace kalderos::python
