// What the fast card classifier knows of a table, derived at compile time from its rows: the lookups of the type
// by the first four, six or eight digits, and the digit counts each type requires. Only the classifier reads
// them; they are apart so that the scan reads on its own.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "card/card_outcome.h"

namespace kalderos::card::prefix_lookup {

// What the fast classifier knows of a table, all derived from its rows.
template <const CardTypeTable& kTable>
struct Shape {
    static constexpr std::size_t kTypes = kTable.rows.size();
    static constexpr std::size_t kOther = kTypes - 1;
    static constexpr std::size_t kMinDigits = ShortestLength(kTable);
    static constexpr std::size_t kMaxDigits = DigitsScanned(kTable);  // the scan takes no more
    static constexpr std::size_t kScanLimit = ScanLimit(kTable);     // characters looked at
    // The type is looked up by the first four digits, where longer prefixes divide them by two more, and where
    // prefixes of seven or eight digits divide those six, by two more again.
    static constexpr std::size_t kDecidingDigits = PrefixDigits(kTable) > 6 ? 8 : PrefixDigits(kTable) > 4 ? 6 : 4;
    static_assert(kMaxPrefixDigits <= 8);
    static_assert(kScanLimit <= 16 + 16 && kScanLimit < kCardReadAhead && kMinDigits >= kDecidingDigits);
    static_assert(kMaxDigits - 4 < 16 + 16 && kTypes < 128);
};

constexpr std::uint32_t PowerOfTen(std::size_t exponent) {
    std::uint32_t power = 1;
    while (exponent-- > 0) power *= 10;
    return power;
}

// The starts of `digits` digits that a range of longer prefixes begins with, from `first` to `last`.
struct Starts {
    std::uint32_t first;
    std::uint32_t last;
};

constexpr Starts StartsOf(const PrefixRange& range, std::size_t digits) {
    return {range.first / PowerOfTen(range.digits - digits), range.last / PowerOfTen(range.digits - digits)};
}

// The starts of `kDigits` digits (four or six) that longer prefixes divide, as often as prefixes divide them.
template <const CardTypeTable& kTable, std::size_t kDigits>
constexpr std::size_t StartsWithRepeats() {
    std::size_t count = 0;
    for (const CardTypeRow& row : kTable.rows) {
        (void)ForEachItem(row.prefixes, [&](const PrefixRange& range) {
            if (range.digits > kDigits) count += StartsOf(range, kDigits).last - StartsOf(range, kDigits).first + 1;
        });
    }
    return count;
}

template <const CardTypeTable& kTable, std::size_t kDigits>
constexpr std::array<std::uint32_t, StartsWithRepeats<kTable, kDigits>()> SortedStarts() {
    std::array<std::uint32_t, StartsWithRepeats<kTable, kDigits>()> starts{};
    std::size_t count = 0;
    for (const CardTypeRow& row : kTable.rows) {
        (void)ForEachItem(row.prefixes, [&](const PrefixRange& range) {
            if (range.digits <= kDigits) return;
            const Starts of = StartsOf(range, kDigits);
            for (std::uint32_t start = of.first; start <= of.last; ++start) starts[count++] = start;
        });
    }
    std::sort(starts.begin(), starts.end());
    return starts;
}

template <const CardTypeTable& kTable, std::size_t kDigits>
constexpr std::size_t DividedCount() {
    auto starts = SortedStarts<kTable, kDigits>();
    return static_cast<std::size_t>(std::unique(starts.begin(), starts.end()) - starts.begin());
}

// Every start of `kDigits` digits that a longer prefix divides, once each and in order: each of them gets a
// block of the next two digits.
template <const CardTypeTable& kTable, std::size_t kDigits>
constexpr std::array<std::uint32_t, DividedCount<kTable, kDigits>()> kDividedStarts = [] {
    auto starts = SortedStarts<kTable, kDigits>();
    std::array<std::uint32_t, DividedCount<kTable, kDigits>()> divided{};
    std::copy(starts.begin(), std::unique(starts.begin(), starts.end()), divided.begin());
    return divided;
}();

// The type of every four-digit start, or for a divided start the number of types plus its block's number; in a
// block, the type of every six-digit start or, for one divided again, the number of types plus its block of the
// last two digits. Each prefix claims the starts it begins, the shorter prefixes first, so that where prefixes
// overlap the longest wins (prefixes of one length never do: TableWellFormed).
template <const CardTypeTable& kTable>
struct TypeLookup {
    using Block = std::array<std::uint8_t, 100>;
    std::array<std::uint8_t, 10000> by_first_four{};
    std::array<Block, kDividedStarts<kTable, 4>.size()> by_next_two{};
    std::array<Block, kDividedStarts<kTable, 6>.size()> by_last_two{};
    static_assert(Shape<kTable>::kTypes + kDividedStarts<kTable, 4>.size() <= 256 &&
                  Shape<kTable>::kTypes + kDividedStarts<kTable, 6>.size() <= 256);

    // The entry of a start of `digits` (4, 6 or 8) digits, where the shorter starts it begins with are divided.
    constexpr std::uint8_t& Entry(std::size_t digits, std::uint32_t start) {
        if (digits == 4) return by_first_four[start];
        const std::uint8_t of_four = Entry(4, start / PowerOfTen(digits - 4));
        std::uint8_t& of_six = by_next_two[of_four - kTypes][start / PowerOfTen(digits - 6) % 100];
        if (digits == 6) return of_six;
        return by_last_two[of_six - kTypes][start % 100];
    }
    // Every number that begins with the start of `digits` digits is the type's.
    constexpr void Claim(std::size_t digits, std::uint32_t start, std::uint8_t type) {
        std::uint8_t& entry = Entry(digits, start);
        if (entry < kTypes) {
            entry = type;
        } else if (digits == 4) {
            for (std::uint32_t two = 0; two < 100; ++two) Claim(6, start * 100 + two, type);
        } else {
            by_last_two[entry - kTypes].fill(type);
        }
    }

    static constexpr std::size_t kTypes = Shape<kTable>::kTypes;
};

template <const CardTypeTable& kTable>
constexpr TypeLookup<kTable> kTypeLookup = [] {
    using S = Shape<kTable>;
    TypeLookup<kTable> lookup;
    lookup.by_first_four.fill(static_cast<std::uint8_t>(S::kOther));
    for (auto& block : lookup.by_next_two) block.fill(static_cast<std::uint8_t>(S::kOther));
    for (auto& block : lookup.by_last_two) block.fill(static_cast<std::uint8_t>(S::kOther));
    const auto& fours = kDividedStarts<kTable, 4>;
    for (std::size_t block = 0; block < fours.size(); ++block) {
        lookup.by_first_four[fours[block]] = static_cast<std::uint8_t>(S::kTypes + block);
    }
    const auto& sixes = kDividedStarts<kTable, 6>;
    for (std::size_t block = 0; block < sixes.size(); ++block) {
        lookup.Entry(6, sixes[block]) = static_cast<std::uint8_t>(S::kTypes + block);
    }
    for (std::size_t digits = 1; digits <= kMaxPrefixDigits; ++digits) {
        const std::size_t level = digits <= 4 ? 4 : digits <= 6 ? 6 : 8;
        for (std::size_t type = 0; type < S::kTypes; ++type) {
            (void)ForEachItem(kTable.rows[type].prefixes, [&](const PrefixRange& range) {
                if (range.digits != digits) return;
                const std::uint32_t first = range.first * PowerOfTen(level - digits);
                const std::uint32_t end = (range.last + 1) * PowerOfTen(level - digits);
                for (std::uint32_t start = first; start < end; ++start) {
                    lookup.Claim(level, start, static_cast<std::uint8_t>(type));
                }
            });
        }
    }
    return lookup;
}();

// RequiredDigits by type and count, looked up: a switch on the type becomes an indirect jump that random input
// mispredicts.
template <const CardTypeTable& kTable>
using RequiredByCount = std::array<std::uint8_t, Shape<kTable>::kMaxDigits - Shape<kTable>::kMinDigits + 1>;

template <const CardTypeTable& kTable>
constexpr std::array<RequiredByCount<kTable>, Shape<kTable>::kTypes> kRequiredDigits = [] {
    using S = Shape<kTable>;
    std::array<RequiredByCount<kTable>, S::kTypes> required{};
    for (std::size_t type = 0; type < S::kTypes; ++type) {
        for (std::size_t count = S::kMinDigits; count <= S::kMaxDigits; ++count) {
            required[type][count - S::kMinDigits] = static_cast<std::uint8_t>(RequiredDigits(kTable.rows[type], count));
        }
    }
    return required;
}();

}  // namespace kalderos::card::prefix_lookup
