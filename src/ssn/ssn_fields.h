// The fields of an SSN record, in their order: the one list from which the TSV header, the printers' field
// order, the --help text and the Python module's attributes, docs and column types come. A new field is added
// here (its value in the printers' switch and in the Python module's, which the compiler holds to this list),
// never renamed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kalderos/kalderos.h"

namespace kalderos::ssn {

enum class SsnField : std::uint8_t {
    Input, WellFormed, Area, Group, Serial, Place, Verdict, Confirm, Reason, IssuedAfter, IssuedBy, kCount
};

// What a field holds, which tells a client how to keep it: the text as given, true or false, digits as written
// (zero-padded), a place's name, or a word of a small fixed vocabulary (the verdicts, the reasons, the months
// of the published lists).
enum class SsnFieldKind : std::uint8_t { Input, Flag, Digits, Place, Word };

struct SsnFieldRow {
    std::string_view name;
    SsnFieldKind kind;
    std::string_view doc;  // one line; "none" is the record's empty field (null, None)
};

inline constexpr std::array<SsnFieldRow, static_cast<std::size_t>(SsnField::kCount)> kSsnFields{{
    {"input", SsnFieldKind::Input, "the text as given, up to its first NUL"},
    {"well_formed", SsnFieldKind::Flag,
     "true when the text, blanks trimmed, is exactly NNN-NN-NNNN, NNN NN NNNN or nine digits"},
    {"area", SsnFieldKind::Digits, "the area as written, '001'; none when the text is not well formed"},
    {"group", SsnFieldKind::Digits, "the group as written, '06'; none when the text is not well formed"},
    {"serial", SsnFieldKind::Digits, "the serial as written, '1234'; none when the text is not well formed"},
    {"place", SsnFieldKind::Place, "the state or office of issue, 'New York'; none where there is none"},
    {"verdict", SsnFieldKind::Word, "'valid', 'invalid' or 'unknown'"},
    {"confirm", SsnFieldKind::Flag,
     "true when the number is valid and its group is the highest its area had reached"},
    {"reason", SsnFieldKind::Word,
     "'ok', or the first rule the number breaks: 'malformed', 'area-000', 'group-not-issued', ...; 'empty' for a "
     "text of blanks or none"},
    {"issued_after", SsnFieldKind::Word,
     "the latest published list ('2003-11', '2007-07', '2011-06') the group was not yet in; none where no list "
     "bounds it"},
    {"issued_by", SsnFieldKind::Word, "the earliest published list the group was in; none where no list bounds it"},
}};

inline constexpr std::array<std::string_view, kSsnFields.size()> kSsnFieldNames = [] {
    std::array<std::string_view, kSsnFields.size()> names{};
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = kSsnFields[i].name;
    return names;
}();
static_assert(kSsnFieldNames[static_cast<std::size_t>(SsnField::Reason)] == "reason" &&
              kSsnFieldNames[static_cast<std::size_t>(SsnField::IssuedBy)] == "issued_by" &&
              !kSsnFieldNames.back().empty() && !kSsnFields.back().doc.empty());

// The verdict's word, by SsnVerdict.
inline constexpr std::array<std::string_view, 3> kVerdictNames{"valid", "invalid", "unknown"};
static_assert(kVerdictNames[static_cast<std::size_t>(SsnVerdict::Valid)] == "valid" &&
              kVerdictNames[static_cast<std::size_t>(SsnVerdict::Invalid)] == "invalid" &&
              kVerdictNames[static_cast<std::size_t>(SsnVerdict::Unknown)] == "unknown");

}  // namespace kalderos::ssn
