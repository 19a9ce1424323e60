// The usual shapes of a number, "123-45-6789" and "123456789": where their fields stand, read from masks of
// where the first sixteen bytes hold digits and dashes. A text is well formed when, blanks trimmed, it is
// exactly one of them or "123 45 6789"; the text line's lenient reading takes the usual ones at the start of any
// text.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bytes/byte_vectors.h"
#include "bytes/readable.h"
#include "kalderos/kalderos.h"

namespace kalderos::ssn {

// Where the group and the serial stand (the area at the start); group_at is 0 when the text has neither shape.
struct UsualShape {
    std::uint8_t group_at = 0;
    std::uint8_t serial_at = 0;

    [[nodiscard]] constexpr bool Found() const { return group_at != 0; }
    // The shape's length: 9 or 11.
    [[nodiscard]] constexpr std::size_t Length() const { return serial_at + 4u; }
};

inline constexpr UsualShape kPlainShape{3, 5};
inline constexpr UsualShape kDashedShape{4, 7};

namespace detail {
inline constexpr unsigned kPlainDigits = 0x1FFu;   // "123456789": nine digits
inline constexpr unsigned kDashedDigits = 0x7B7u;  // "123-45-6789": digits but at 3 and 6
inline constexpr unsigned kDashedDashes = 0x048u;  // and dashes there
static_assert(kDashedDigits == 0b111'1011'0111u && kDashedDashes == (1u << 3 | 1u << 6) &&
              kPlainShape.Length() == 9 && kDashedShape.Length() == 11 &&
              kPlainShape.group_at == kDashedShape.group_at - 1 && kPlainShape.serial_at == kDashedShape.serial_at - 2);
}  // namespace detail

// "123 45 6789", as people write a number too: blanks where the dashes stand, the fields where the dashed shape
// has them. The strict reading alone takes it, off the usual shapes' short path: the text line reads such a
// text as it always has. Not Found for any other text of exactly `size` bytes, its first sixteen in `bytes`.
inline UsualShape WholeSpacedShapeOf(bytes::Sixteen bytes, std::size_t size) {
    if (size != kDashedShape.Length()) return {};
    const unsigned digits = bytes.Digits();
    const unsigned blanks = bytes.Equal(' ');
    const bool spaced = ((digits & detail::kDashedDigits) == detail::kDashedDigits) &
                        ((blanks & detail::kDashedDashes) == detail::kDashedDashes);
    return spaced ? kDashedShape : UsualShape{};
}

// The shape at the start of a text.
inline UsualShape UsualShapeAt(bytes::Readable text) {
    const std::size_t size = text.size();
    const bytes::Sixteen bytes = bytes::Sixteen::Load(text.data());
    const unsigned in_text = 0xFFFFu >> (16 - std::min<std::size_t>(size, 16));
    const unsigned digits = bytes.Digits() & in_text;
    const unsigned dashes = bytes.Equal('-') & in_text;
    const bool plain = (digits & detail::kPlainDigits) == detail::kPlainDigits;
    const bool dashed = ((digits & detail::kDashedDigits) == detail::kDashedDigits) &
                        ((dashes & detail::kDashedDashes) == detail::kDashedDashes);
    if (!(plain | dashed)) return {};
    // The shapes differ only by the two dashes, which move the group and the serial.
    return {static_cast<std::uint8_t>(kDashedShape.group_at - plain),
            static_cast<std::uint8_t>(kDashedShape.serial_at - 2 * plain)};
}

// The shape of a text of exactly `size` bytes, its first sixteen in `bytes`, that is one of the usual shapes,
// whole; not Found for any other text.
inline UsualShape WholeUsualShapeOf(bytes::Sixteen bytes, std::size_t size) {
    if (size != kPlainShape.Length() && size != kDashedShape.Length()) return {};
    const unsigned digits = bytes.Digits();
    if (size == kPlainShape.Length()) {
        return (digits & detail::kPlainDigits) == detail::kPlainDigits ? kPlainShape : UsualShape{};
    }
    const unsigned dashes = bytes.Equal('-');
    const bool dashed = ((digits & detail::kDashedDigits) == detail::kDashedDigits) &
                        ((dashes & detail::kDashedDashes) == detail::kDashedDashes);
    return dashed ? kDashedShape : UsualShape{};
}

// The same for a text.
inline UsualShape WholeUsualShape(bytes::Readable text) {
    return WholeUsualShapeOf(bytes::Sixteen::Load(text.data()), text.size());
}

// The same for a text of nine to sixteen bytes of which none past its end may be read: its first and last eight
// bytes, put together.
inline UsualShape WholeUsualShapeWithin(const char* text, std::size_t size) {
    if (size != kPlainShape.Length() && size != kDashedShape.Length()) return {};
    if constexpr (std::endian::native != std::endian::little) {
        return WholeUsualShape(bytes::ReadableCopy({text, size}).Get());
    }
    const std::uint64_t last = bytes::LoadEight(text + size - 8) >> (8 * (16 - size));
    return WholeUsualShapeOf(bytes::Sixteen::FromHalves(bytes::LoadEight(text), last), size);
}

// The digits of a field that stands in a text: `width` of them at `at`.
inline std::int32_t FieldAt(const char* text, std::size_t at, std::size_t width) {
    std::int32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value = value * 10 + (text[at + i] - '0');
    return value;
}

// The number a text of `shape` states.
inline SsnNumber NumberOfShape(const char* text, UsualShape shape) {
    return {FieldAt(text, 0, 3), FieldAt(text, shape.group_at, 2), FieldAt(text, shape.serial_at, 4)};
}

// A well-formed text: where its number starts (the text without its blanks) and its shape; `shape` not Found
// when the text is not well formed, and `empty` when it holds nothing but blanks.
struct StrictReading {
    const char* start = nullptr;
    UsualShape shape;
    bool empty = false;
};

// The strict reading of `text` (its line end already dropped): WholeUsualShape, or else WholeSpacedShapeOf, of
// the text without its leading and trailing blanks. Nothing past the text is read.
[[nodiscard]] StrictReading ReadStrict(std::string_view text);

}  // namespace kalderos::ssn
