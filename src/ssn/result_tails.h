// What a result line holds after the number, for every area 000-999 and verdict: the place of issue and the
// answer, the illegal-area form, or the unknown form. Built at compile time; the areas share a few dozen distinct
// texts, so each is kept once, small enough to stay in cache, and found by lookup rather than by branches that
// random input mispredicts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kalderos/kalderos.h"
#include "ssn/area_name_index.h"
#include "ssn/ssn_reason.h"

namespace kalderos::ssn {

// Room of every tail: copying it whole is cheaper than copying the exact length.
inline constexpr std::size_t kTailRoom = 64;

struct ResultTail {
    std::array<char, kTailRoom> text{};
    std::size_t length = 0;

    constexpr bool operator==(const ResultTail&) const = default;
    [[nodiscard]] constexpr std::string_view View() const { return {text.data(), length}; }
};

namespace detail {

constexpr ResultTail MakeTail(std::initializer_list<std::string_view> pieces) {
    ResultTail tail;
    for (const std::string_view piece : pieces) {
        for (const char c : piece) tail.text[tail.length++] = c;  // out of room fails the build
    }
    return tail;
}

// The named form: " ", the area's name text ("(null)" for an area without one), " VALID=" and the answer.
constexpr ResultTail NamedTail(std::string_view name, bool valid) {
    return MakeTail({" ", name, " VALID=", valid ? "YES" : "NO"});
}

inline constexpr std::size_t kVerdicts = 3;  // Valid, Invalid, Unknown
// The fourth column: a valid number that the current rules say can only have been issued at random.
inline constexpr std::size_t kIssuedAtRandom = kVerdicts;
// The fifth: an invalid number under the current rules, whose area, when it names no place, says so rather
// than "(null)".
inline constexpr std::size_t kCurrentInvalid = kVerdicts + 1;
inline constexpr std::size_t kColumns = kVerdicts + 2;

constexpr std::size_t Index(SsnVerdict verdict) { return static_cast<std::size_t>(verdict); }
static_assert(Index(SsnVerdict::Valid) == 0 && Index(SsnVerdict::Invalid) < kVerdicts &&
              Index(SsnVerdict::Unknown) < kVerdicts);

struct ResultTails {
    std::array<ResultTail, 128> distinct{};
    std::array<std::array<std::uint8_t, kColumns>, kAreaCount> of_area{};  // [area][column]
};

constexpr std::size_t IdOf(ResultTails& tails, std::size_t& count, const ResultTail& tail) {
    std::size_t id = 0;
    while (id < count && !(tails.distinct[id] == tail)) ++id;
    if (id == count) tails.distinct[count++] = tail;  // more than the room fails the build
    return id;
}

constexpr ResultTails BuildResultTails() {
    ResultTails tails;
    std::size_t count = 0;
    const std::size_t unknown = IdOf(tails, count, MakeTail({"   UNKNOWN-after 06/2011 VALID=MAYBE"}));
    const std::size_t illegal_000 = IdOf(tails, count, MakeTail({"   ILLEGAL 000           VALID=NO"}));
    const std::size_t illegal_666 = IdOf(tails, count, MakeTail({"   ILLEGAL 666           VALID=NO"}));
    // In the place column's 23 characters, where the area's place would stand.
    const std::size_t random = IdOf(tails, count, MakeTail({"   RANDOM-after 06/2011  VALID=YES"}));
    const std::size_t never_assigned = IdOf(tails, count, MakeTail({"   NEVER ASSIGNED        VALID=NO"}));
    std::string_view previous;
    std::array<std::uint8_t, 2> previous_ids{};
    for (std::size_t area = 0; area < kAreaCount; ++area) {
        std::array<std::uint8_t, 2> ids{};  // [valid]
        if (area == 0 || area == 666) {
            // Never issued: the area is shown rather than a place of issue, and the answer is always no.
            ids.fill(static_cast<std::uint8_t>(area == 0 ? illegal_000 : illegal_666));
        } else {
            const AreaNameText& entry = kAreaNameIndex.area[area];
            const std::string_view name = entry.present ? entry.View() : std::string_view("(null)");
            // Areas of one range share their name: looking back one area first keeps the compile-time work
            // small enough for every compiler's evaluation limits.
            if (name == previous) {
                ids = previous_ids;
            } else {
                ids = {static_cast<std::uint8_t>(IdOf(tails, count, NamedTail(name, false))),
                       static_cast<std::uint8_t>(IdOf(tails, count, NamedTail(name, true)))};
            }
            previous = name;
            previous_ids = ids;
        }
        std::array<std::uint8_t, kColumns>& of_area = tails.of_area[area];
        of_area[Index(SsnVerdict::Valid)] = ids[1];
        of_area[Index(SsnVerdict::Invalid)] = ids[0];
        of_area[Index(SsnVerdict::Unknown)] = static_cast<std::uint8_t>(unknown);
        of_area[kIssuedAtRandom] = static_cast<std::uint8_t>(random);
        const bool named = area == 0 || area == 666 || kAreaNameIndex.area[area].present;
        of_area[kCurrentInvalid] = named ? ids[0] : static_cast<std::uint8_t>(never_assigned);
    }
    return tails;
}

}  // namespace detail

namespace detail {

// The column of an invalid number's tail under a rule set: the current rules' invalid lines name no place for an
// area that was never assigned.
constexpr std::size_t InvalidColumn(RuleSet rules) {
    return RowOf(rules).shows_never_assigned ? kCurrentInvalid : Index(SsnVerdict::Invalid);
}

}  // namespace detail

inline constexpr detail::ResultTails kResultTails = detail::BuildResultTails();

// The tail of a line of `area` (000-999) and `verdict`.
inline const ResultTail& TailOf(std::size_t area, SsnVerdict verdict) {
    return kResultTails.distinct[kResultTails.of_area[area][detail::Index(verdict)]];
}

// The same under a rule set, or the random form for a valid number `issued_at_random`: the verdict's column,
// moved past the verdicts (valid is the first) without a branch.
template <RuleSet kSet>
const ResultTail& TailOf(std::size_t area, SsnVerdict verdict, bool issued_at_random) {
    // Added without a branch, and nothing at all under the classic rules.
    constexpr std::size_t kInvalidShift = detail::InvalidColumn(kSet) - detail::Index(SsnVerdict::Invalid);
    const std::size_t column = detail::Index(verdict) + detail::kIssuedAtRandom * issued_at_random +
                               kInvalidShift * (verdict == SsnVerdict::Invalid);
    return kResultTails.distinct[kResultTails.of_area[area][column]];
}

namespace detail {
constexpr std::string_view TailView(std::size_t area, SsnVerdict verdict) {
    return kResultTails.distinct[kResultTails.of_area[area][Index(verdict)]].View();
}
}  // namespace detail
static_assert(detail::TailView(7, SsnVerdict::Valid) == "   Maine                 VALID=YES");
static_assert(detail::TailView(7, SsnVerdict::Invalid) == "   Maine                 VALID=NO");
static_assert(detail::TailView(740, SsnVerdict::Invalid) == " (null) VALID=NO");
static_assert(detail::TailView(666, SsnVerdict::Valid) == "   ILLEGAL 666           VALID=NO");
static_assert(detail::TailView(7, SsnVerdict::Unknown) == "   UNKNOWN-after 06/2011 VALID=MAYBE");
static_assert(kResultTails.distinct[kResultTails.of_area[800][detail::kIssuedAtRandom]].View() ==
              "   RANDOM-after 06/2011  VALID=YES");
static_assert(kResultTails.distinct[kResultTails.of_area[900][detail::kCurrentInvalid]].View() ==
                  "   NEVER ASSIGNED        VALID=NO" &&
              kResultTails.distinct[kResultTails.of_area[7][detail::kCurrentInvalid]].View() ==
                  "   Maine                 VALID=NO");

}  // namespace kalderos::ssn
