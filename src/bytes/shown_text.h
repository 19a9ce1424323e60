// A text shown as it was given, where a line names a text that is no number: in double quotes, each byte that
// would not show or would break the line written as an escape, so that an empty line, blanks around a word and
// control bytes can be told apart. Bytes above 127 stay as they are, so that UTF-8 stays readable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bytes/byte_vectors.h"

namespace kalderos::bytes {

// How one byte is shown: its escape, or nothing (`size` 0) for a byte shown as it is.
struct ShownByte {
    std::array<char, 4> text;
    std::size_t size;

    [[nodiscard]] constexpr std::string_view View() const { return {text.data(), size}; }
};

constexpr ShownByte ShowByte(char c) {
    switch (c) {
        case '\\':
            return {{'\\', '\\'}, 2};
        case '"':
            return {{'\\', '"'}, 2};
        case '\t':
            return {{'\\', 't'}, 2};
        case '\r':
            return {{'\\', 'r'}, 2};
        case '\n':
            return {{'\\', 'n'}, 2};
        default:
            break;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) return {{}, 0};
    constexpr std::string_view kHex = "0123456789abcdef";
    return {{'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]}, 4};
}

// The number of bytes ShowQuoted hands out for `text`.
constexpr std::size_t ShownSize(std::string_view text) {
    std::size_t size = 2;
    for (const char c : text) {
        const std::size_t escaped = ShowByte(c).size;
        size += escaped == 0 ? 1 : escaped;
    }
    return size;
}

// Hands `write(std::string_view)` the shown text in order and in pieces, however long the text: the quotes, each
// run of bytes shown as they are, each escape.
template <class Write>
void ShowQuoted(std::string_view text, const Write& write) {
    write(std::string_view("\""));
    std::size_t plain = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const ShownByte shown = ShowByte(text[at]);
        if (shown.size == 0) continue;
        if (at > plain) write(text.substr(plain, at - plain));
        write(shown.View());
        plain = at + 1;
    }
    if (text.size() > plain) write(text.substr(plain));
    write(std::string_view("\""));
}

// Whether a text of at most kReadAhead bytes shows as it is between its quotes: no byte of it has an escape.
inline bool ShowsPlain(Readable readable) {
    const char* const text = readable.data();
    const std::size_t size = readable.size();
    static_assert(kReadAhead == 32, "two vectors");
    const auto escaped = [](Bytes16 b) {
        return FlagMask(reinterpret_cast<Bytes16>(b < 0x20) | BytesEqualTo(b, '\x7F') | BytesEqualTo(b, '"') |
                        BytesEqualTo(b, '\\'));
    };
    const std::uint32_t in_text = size >= 32 ? ~std::uint32_t{0} : (std::uint32_t{1} << size) - 1;
    return ((escaped(LoadSixteen(text)) | std::uint32_t{escaped(LoadSixteen(text + 16))} << 16) & in_text) == 0;
}

static_assert(ShownSize("") == 2 && ShownSize("a\x01\"\xC3\xA9") == 2 + 1 + 4 + 2 + 2 &&
              ShowByte('\x7F').View() == "\\x7f" && ShowByte('\x1B').View() == "\\x1b" && ShowByte('\x80').size == 0);

}  // namespace kalderos::bytes
