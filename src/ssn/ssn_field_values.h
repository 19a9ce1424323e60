// What the fields of an SSN record hold beyond the judgement's own values: the record printers and the library's
// Checker take them from here, so that a program that embeds the checks reads what the records print.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kalderos/kalderos.h"
#include "ssn/issuance_window.h"
#include "ssn/place_names.h"
#include "ssn/ssn_judgement.h"

namespace kalderos::ssn {

// The place: none for a text that is not well formed, for a number issued at random, which tells no place, and
// for an area never assigned.
inline const PlaceName* PlaceField(const SsnJudgement& judgement) {
    if (!judgement.WellFormed() || judgement.issued_at_random) return nullptr;
    const PlaceName& place = kPlaceNames[static_cast<std::size_t>(judgement.number.area)];
    return place.size == 0 ? nullptr : &place;
}

// The issuance window, packed (Pack): empty for a number that was never issuable, of which the lists say
// nothing (a malformed text's number is 000-00-0000). Looked up, so that a list of random numbers takes no
// branch on it.
inline IssuanceWindow WindowFields(const PackedWindows& windows, const SsnJudgement& judgement) {
    const auto issuable = static_cast<std::uint8_t>(-static_cast<int>(judgement.verdict != SsnVerdict::Invalid));
    return Unpack(PackedWindowFor(windows, judgement.number.area, judgement.number.group) & issuable);
}

}  // namespace kalderos::ssn
