// The values of a record's fields as the JavaScript side reads them out of the module's memory: the fields of a
// record kind's list, after the input (which JavaScript holds already), in the list's order, each a pair of
// words. The switches over the fields have no default, so the compiler names a field the package has not learnt.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "card/card_fields.h"
#include "kalderos/kalderos.h"
#include "ssn/ssn_fields.h"

namespace kalderos::web {

// A string is where it lies in the module's memory and its size. A word of the library's constant data always
// lies at the same place, so JavaScript makes its string once; a card's digits lie in the batch's own text
// (kInBatch set in the size). A size of kNull, kFalse or kTrue is that JSON value.
struct FieldValue {
    std::uint32_t at = 0;
    std::uint32_t size = 0;
};
inline constexpr std::uint32_t kInBatch = 0x80000000u;
inline constexpr std::uint32_t kNull = 0xFFFFFFFFu;
inline constexpr std::uint32_t kFalse = 0xFFFFFFFEu;
inline constexpr std::uint32_t kTrue = 0xFFFFFFFDu;

inline constexpr std::size_t kSsnValueCount = ssn::kSsnFieldNames.size() - 1;
inline constexpr std::size_t kCardValueCount = card::kCardFieldNames.size() - 1;
static_assert(ssn::kSsnFieldNames[0] == "input" && card::kCardFieldNames[0] == "input",
              "a record starts with its input, which JavaScript fills in itself");

// The number codes as a record writes them, zero-padded to their width ("078"), each at a place of its own.
template <std::size_t kCount, std::size_t kWidth>
inline constexpr std::array<char, kCount * kWidth> kCodes = [] {
    std::array<char, kCount * kWidth> codes{};
    for (std::size_t value = 0; value < kCount; ++value) {
        std::size_t rest = value;
        for (std::size_t digit = kWidth; digit-- > 0; rest /= 10) codes[value * kWidth + digit] = static_cast<char>('0' + rest % 10);
    }
    return codes;
}();
static_assert(kCodes<1000, 3>[78 * 3] == '0' && kCodes<1000, 3>[78 * 3 + 1] == '7' && kCodes<10000, 4>[9999 * 4] == '9');

inline std::uint32_t Address(const char* data) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(data));
}

// A word of constant data; null where it is empty (a field the record leaves empty).
inline FieldValue Word(std::string_view word) {
    if (word.empty()) return {0, kNull};
    return {Address(word.data()), static_cast<std::uint32_t>(word.size())};
}

inline FieldValue Bool(bool value) { return {0, value ? kTrue : kFalse}; }

template <std::size_t kCount, std::size_t kWidth>
FieldValue Code(bool stated, std::int32_t value) {
    if (!stated || value < 0 || static_cast<std::size_t>(value) >= kCount) return {0, kNull};
    return {Address(kCodes<kCount, kWidth>.data() + static_cast<std::size_t>(value) * kWidth), kWidth};
}

inline FieldValue SsnFieldValue(ssn::SsnField field, const SsnResult& result) {
    switch (field) {
        case ssn::SsnField::Input:
        case ssn::SsnField::kCount:
            break;
        case ssn::SsnField::WellFormed:
            return Bool(result.well_formed);
        case ssn::SsnField::Area:
            return Code<1000, 3>(result.well_formed, result.area);
        case ssn::SsnField::Group:
            return Code<100, 2>(result.well_formed, result.group);
        case ssn::SsnField::Serial:
            return Code<10000, 4>(result.well_formed, result.serial);
        case ssn::SsnField::Place:
            return Word(result.place);
        case ssn::SsnField::Verdict:
            return Word(result.verdict_name);
        case ssn::SsnField::Confirm:
            return Bool(result.confirm);
        case ssn::SsnField::Reason:
            return Word(result.reason);
        case ssn::SsnField::IssuedAfter:
            return Word(result.issued_after);
        case ssn::SsnField::IssuedBy:
            return Word(result.issued_by);
    }
    return {0, kNull};
}

// `batch_at` is where the batch's text holds the card's digits (CardDigitsTo wrote them there).
inline FieldValue CardFieldValue(card::CardField field, const CardResult& result, std::uint32_t batch_at) {
    switch (field) {
        case card::CardField::Input:
        case card::CardField::kCount:
            break;
        case card::CardField::Digits:
            if (result.digit_count == 0) return {0, kNull};
            return {batch_at, kInBatch | static_cast<std::uint32_t>(result.digit_count)};
        case card::CardField::Type:
            return Word(result.type);
        case card::CardField::Luhn:
            return Word(result.luhn);
        case card::CardField::Outcome:
            return Word(result.outcome);
        case card::CardField::Reason:
            return Word(result.reason);
    }
    return {0, kNull};
}

}  // namespace kalderos::web
