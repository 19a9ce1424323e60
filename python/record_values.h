// Each field's value in a result, by the record field lists of ssn/ and card/: the one switch over the fields
// that holds the module to those lists (a new field is a case here, or the build fails), and what kind of Python
// value each kind of field is kept as.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "card/card_fields.h"
#include "kalderos/kalderos.h"
#include "ssn/ssn_fields.h"

namespace kalderos::python {

// How the module keeps a field: the input as given, True or False, a number's digits zero-padded to their width,
// a text of its own (a card's digits), a name of the library's constant data (a place), or a word of the rule
// set's small vocabulary of the field (a category of a frame). Names and words are shared str objects.
enum class ValueKind : std::uint8_t { Input, Flag, Padded, Text, Name, Word };

// One field's value; the kind of the field says which member holds it. An empty text or word, and negative
// digits, are none.
struct FieldValue {
    std::string_view text;
    bool flag = false;
    std::int32_t digits = -1;
    int width = 0;
};

constexpr ValueKind KindOf(ssn::SsnFieldKind kind) {
    switch (kind) {
        case ssn::SsnFieldKind::Input:
            return ValueKind::Input;
        case ssn::SsnFieldKind::Flag:
            return ValueKind::Flag;
        case ssn::SsnFieldKind::Digits:
            return ValueKind::Padded;
        case ssn::SsnFieldKind::Place:
            return ValueKind::Name;
        case ssn::SsnFieldKind::Word:
            return ValueKind::Word;
    }
    return ValueKind::Text;
}

constexpr ValueKind KindOf(card::CardFieldKind kind) {
    switch (kind) {
        case card::CardFieldKind::Input:
            return ValueKind::Input;
        case card::CardFieldKind::Digits:
            return ValueKind::Text;
        case card::CardFieldKind::Word:
            return ValueKind::Word;
    }
    return ValueKind::Text;
}

constexpr FieldValue FlagValue(bool flag) {
    FieldValue value;
    value.flag = flag;
    return value;
}

constexpr FieldValue TextValue(std::string_view text) {
    FieldValue value;
    value.text = text;
    return value;
}

// The zero-padded digits of an SSN's part; none for a text that is not well formed.
constexpr FieldValue NumberPart(const SsnResult& result, std::int32_t digits, int width) {
    FieldValue value;
    value.digits = result.well_formed ? digits : -1;
    value.width = width;
    return value;
}

constexpr FieldValue ValueOf(ssn::SsnField field, const SsnResult& result) {
    using ssn::SsnField;
    switch (field) {
        case SsnField::Input:
            return {};
        case SsnField::WellFormed:
            return FlagValue(result.well_formed);
        case SsnField::Area:
            return NumberPart(result, result.area, 3);
        case SsnField::Group:
            return NumberPart(result, result.group, 2);
        case SsnField::Serial:
            return NumberPart(result, result.serial, 4);
        case SsnField::Place:
            return TextValue(result.place);
        case SsnField::Verdict:
            return TextValue(result.verdict_name);
        case SsnField::Confirm:
            return FlagValue(result.confirm);
        case SsnField::Reason:
            return TextValue(result.reason);
        case SsnField::IssuedAfter:
            return TextValue(result.issued_after);
        case SsnField::IssuedBy:
            return TextValue(result.issued_by);
        case SsnField::kCount:
            break;
    }
    return {};
}

// The digits are a view into `result`.
constexpr FieldValue ValueOf(card::CardField field, const CardResult& result) {
    using card::CardField;
    switch (field) {
        case CardField::Input:
            return {};
        case CardField::Digits:
            return TextValue(result.Digits());
        case CardField::Type:
            return TextValue(result.type);
        case CardField::Luhn:
            return TextValue(result.luhn);
        case CardField::Outcome:
            return TextValue(result.outcome);
        case CardField::Reason:
            return TextValue(result.reason);
        case CardField::kCount:
            break;
    }
    return {};
}

// A record kind as the module's generic parts read it.
struct SsnRecordKind {
    using Result = SsnResult;
    using Field = ssn::SsnField;
    static constexpr std::size_t kFieldCount = ssn::kSsnFields.size();
    static constexpr ValueKind KindAt(std::size_t field) { return KindOf(ssn::kSsnFields[field].kind); }
    static constexpr FieldValue ValueAt(std::size_t field, const Result& result) {
        return ValueOf(static_cast<Field>(field), result);
    }
    static Result Check(const Checker& checker, std::string_view text) { return checker.CheckSsn(text); }
};

struct CardRecordKind {
    using Result = CardResult;
    using Field = card::CardField;
    static constexpr std::size_t kFieldCount = card::kCardFields.size();
    static constexpr ValueKind KindAt(std::size_t field) { return KindOf(card::kCardFields[field].kind); }
    static constexpr FieldValue ValueAt(std::size_t field, const Result& result) {
        return ValueOf(static_cast<Field>(field), result);
    }
    static Result Check(const Checker& checker, std::string_view text) { return checker.CheckCard(text); }
};

}  // namespace kalderos::python
