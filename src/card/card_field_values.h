// What the fields of a card record hold beyond the outcome's own values: the record printers and the library's
// Checker take them from here, so that a program that embeds the checks reads what the records print.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "bytes/byte_vectors.h"
#include "bytes/readable.h"
#include "bytes/text_copy.h"
#include "card/card_outcome.h"

namespace kalderos::card {

// The digits and the type: none for a text that is no number (UNKNOWN).
constexpr bool ShowsNumber(const CardOutcome& outcome) { return outcome.kind != kUnknownKind; }

// The kind whose text the type field shows: the type's own name, without "_X", and for 2MANY_DIGITS the type
// its leading digits name.
constexpr std::size_t TypeFieldKind(const CardOutcome& outcome) { return TypeKind(outcome.type); }

// Room for the digits field: the kept part's digits, and a move of kCardReadAhead bytes past them.
inline constexpr std::size_t kDigitsRoom = 2 * kCardReadAhead;

// The digits: those of the part of the text the classifier kept (`kept`: digits and dashes, fewer than
// kCardReadAhead), its dashes left out, written to `digits`; returns their count.
inline std::size_t DigitsField(bytes::Readable kept, std::array<char, kDigitsRoom>& digits) {
    static_assert(kCardReadAhead == bytes::kReadAhead, "the kept part read whole");
    // Each part between two dashes is moved whole, from a copy with room to read past the kept part: numbers in
    // groups of four take four moves rather than a step for each of their 19 characters.
    std::array<char, kDigitsRoom> part{};
    std::memcpy(part.data(), kept.data(), kCardReadAhead);
    std::uint64_t dashes = bytes::BytesEqualMask32(kept.data(), '-') & ((std::uint64_t{1} << kept.size()) - 1);
    std::size_t count = 0;
    for (std::size_t from = 0;; dashes &= dashes - 1) {
        const std::size_t to = dashes != 0 ? static_cast<std::size_t>(std::countr_zero(dashes)) : kept.size();
        bytes::PutFixed<kCardReadAhead>(digits.data() + count, part.data() + from);
        count += to - from;
        if (dashes == 0) return count;
        from = to + 1;
    }
}

}  // namespace kalderos::card
