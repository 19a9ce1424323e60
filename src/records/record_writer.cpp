// Escaping and long inputs. TSV escapes the tab, the line ends and the backslash; JSON the quote, the
// backslash and the control bytes, and takes bytes above 127 as Latin-1, so that every record is valid UTF-8.
#include "records/record_writer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kalderos {
namespace record {
namespace {

// A piece of input escaped at once: at most six bytes out for each byte in.
constexpr std::size_t kEscapePiece = 4096;
constexpr std::size_t kMaxEscaped = 6;

constexpr std::string_view kHex = "0123456789abcdef";

}  // namespace

constexpr EscapeTable kTsvEscapes = [] {
    EscapeTable table{};
    table['\t'] = 't';
    table['\n'] = 'n';
    table['\r'] = 'r';
    table['\\'] = '\\';
    return table;
}();

constexpr EscapeTable kJsonEscapes = [] {
    EscapeTable table{};
    for (std::size_t c = 0; c < 0x20; ++c) table[c] = 'u';
    for (std::size_t c = 0x7F; c < 0x100; ++c) table[c] = 'u';
    table['\t'] = 't';
    table['\n'] = 'n';
    table['\r'] = 'r';
    table['\b'] = 'b';
    table['\f'] = 'f';
    table['"'] = '"';
    table['\\'] = '\\';
    return table;
}();
static_assert(kJsonEscapes[0x7F] == 'u' && kJsonEscapes[0xE9] == 'u' && kTsvEscapes[0xE9] == 0 && kTsvEscapes['"'] == 0);

char* Escape(std::string_view text, const EscapeTable& escapes, char* out) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const char escape = escapes[byte];
        if (escape == 0) {
            *out++ = c;
        } else if (escape != 'u') {
            out[0] = '\\';
            out[1] = escape;
            out += 2;
        } else {
            std::memcpy(out, "\\u00", 4);
            out[4] = kHex[byte >> 4];
            out[5] = kHex[byte & 15u];
            out += 6;
        }
    }
    return out;
}

template <class Syntax>
Span BeginAnyInput(OutputStream& out, std::string_view name, std::string_view input, std::size_t fields_room) {
    const std::size_t opening = Syntax::kOpeningRoom + name.size();
    if (input.size() <= kEscapePiece) {
        // The usual case: one reservation for the whole record.
        char* const start = out.Reserve(opening + 2 + kMaxEscaped * input.size() + fields_room);
        char* cursor = Put(Syntax::Key(start, name, true), Syntax::kQuote);
        cursor = Escape(input, Syntax::kEscapes, cursor);
        return {start, Put(cursor, Syntax::kQuote)};
    }
    char* const line = out.Reserve(opening + 1);
    out.Commit(static_cast<std::size_t>(Put(Syntax::Key(line, name, true), Syntax::kQuote) - line));
    for (; !input.empty(); input.remove_prefix(std::min(input.size(), kEscapePiece))) {
        const std::string_view piece = input.substr(0, kEscapePiece);
        char* const room = out.Reserve(kMaxEscaped * piece.size());
        out.Commit(static_cast<std::size_t>(Escape(piece, Syntax::kEscapes, room) - room));
    }
    char* const start = out.Reserve(2 + fields_room);
    return {start, Put(start, Syntax::kQuote)};
}

template Span BeginAnyInput<TsvSyntax>(OutputStream&, std::string_view, std::string_view, std::size_t);
template Span BeginAnyInput<JsonlSyntax>(OutputStream&, std::string_view, std::string_view, std::size_t);

}  // namespace record

}  // namespace kalderos
