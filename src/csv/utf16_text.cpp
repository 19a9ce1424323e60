// Units to code points to UTF-8.
#include "csv/utf16_text.h"

namespace kalderos::csv {
namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

char* PutUtf8(std::uint32_t point, char* out) {
    const auto put = [&out](std::uint32_t byte) { *out++ = static_cast<char>(byte); };
    if (point < 0x80) {
        put(point);
    } else if (point < 0x800) {
        put(0xC0 | point >> 6);
        put(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        put(0xE0 | point >> 12);
        put(0x80 | ((point >> 6) & 0x3F));
        put(0x80 | (point & 0x3F));
    } else {
        put(0xF0 | point >> 18);
        put(0x80 | ((point >> 12) & 0x3F));
        put(0x80 | ((point >> 6) & 0x3F));
        put(0x80 | (point & 0x3F));
    }
    return out;
}

constexpr bool IsHigh(std::uint32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
constexpr bool IsLow(std::uint32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

}  // namespace

std::optional<ByteOrder> Utf16Order(char first, char second) {
    const auto a = static_cast<unsigned char>(first);
    const auto b = static_cast<unsigned char>(second);
    if (a == 0xFF && b == 0xFE) return ByteOrder::kLittleEndian;
    if (a == 0xFE && b == 0xFF) return ByteOrder::kBigEndian;
    return std::nullopt;
}

char* Utf16Decoder::Unit(std::uint32_t unit, char* out) {
    if (high_ != 0) {
        const std::uint32_t high = high_;
        high_ = 0;
        if (IsLow(unit)) return PutUtf8(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00), out);
        out = PutUtf8(kReplacement, out);
    }
    if (IsHigh(unit)) {
        high_ = unit;
        return out;
    }
    return PutUtf8(IsLow(unit) ? kReplacement : unit, out);
}

std::size_t Utf16Decoder::Decode(const char* in, std::size_t size, char* out) {
    char* const start = out;
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(in[i]);
        if (!odd_byte_) {
            first_ = byte;
            odd_byte_ = true;
            continue;
        }
        odd_byte_ = false;
        const std::uint32_t unit = order_ == ByteOrder::kLittleEndian ? (std::uint32_t{byte} << 8 | first_)
                                                                      : (std::uint32_t{first_} << 8 | byte);
        out = Unit(unit, out);
    }
    return static_cast<std::size_t>(out - start);
}

std::size_t Utf16Decoder::Finish(char* out) {
    char* const start = out;
    if (high_ != 0) out = PutUtf8(kReplacement, out);
    if (odd_byte_) out = PutUtf8(kReplacement, out);
    high_ = 0;
    odd_byte_ = false;
    return static_cast<std::size_t>(out - start);
}

}  // namespace kalderos::csv
