// Escaping and long inputs. TSV escapes the tab, the line ends and the backslash; JSON the quote, the
// backslash and the control bytes, and takes bytes above 127 as Latin-1, so that every record is valid UTF-8;
// CSV quotes a field that holds a comma, a quote or a line break, and doubles its quotes.
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
constexpr EscapeTable kCsvEscapes = [] {
    EscapeTable table{};
    table['"'] = 'd';
    return table;
}();

static_assert(kJsonEscapes[0x7F] == 'u' && kJsonEscapes[0xE9] == 'u' && kTsvEscapes[0xE9] == 0 && kTsvEscapes['"'] == 0);

char* Escape(std::string_view text, const EscapeTable& escapes, char* out) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const char escape = escapes[byte];
        if (escape == 0) {
            *out++ = c;
        } else if (escape == 'd') {
            out[0] = out[1] = c;
            out += 2;
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

char* PutCsvField(std::string_view value, char* out) {
    if (!NeedsCsvQuotes(value)) {
        if (!value.empty()) std::memcpy(out, value.data(), value.size());
        return out + value.size();
    }
    *out++ = '"';
    out = Escape(value, kCsvEscapes, out);
    *out++ = '"';
    return out;
}

template <class Syntax>
Span BeginAnyInput(OutputStream& out, std::string_view name, std::string_view input, std::size_t fields_room) {
    const std::size_t opening = Syntax::kOpeningRoom + name.size();
    // A CSV field is quoted whole or not at all, which only the whole input tells.
    std::string_view quote = Syntax::kQuote;
    if constexpr (Syntax::kQuotesWhole) {
        if (NeedsCsvQuotes(input)) quote = "\"";
    }
    if (input.size() <= kEscapePiece) {
        // The usual case: one reservation for the whole record.
        char* const start = out.Reserve(opening + 2 + kMaxEscaped * input.size() + fields_room);
        char* cursor = Put(Syntax::Key(start, name, true), quote);
        cursor = Escape(input, Syntax::kEscapes, cursor);
        return {start, Put(cursor, quote)};
    }
    char* const line = out.Reserve(opening + 1);
    out.Commit(static_cast<std::size_t>(Put(Syntax::Key(line, name, true), quote) - line));
    for (; !input.empty(); input.remove_prefix(std::min(input.size(), kEscapePiece))) {
        const std::string_view piece = input.substr(0, kEscapePiece);
        char* const room = out.Reserve(kMaxEscaped * piece.size());
        out.Commit(static_cast<std::size_t>(Escape(piece, Syntax::kEscapes, room) - room));
    }
    char* const start = out.Reserve(2 + fields_room);
    return {start, Put(start, quote)};
}

template Span BeginAnyInput<TsvSyntax>(OutputStream&, std::string_view, std::string_view, std::size_t);
template Span BeginAnyInput<JsonlSyntax>(OutputStream&, std::string_view, std::string_view, std::size_t);
template Span BeginAnyInput<CsvSyntax>(OutputStream&, std::string_view, std::string_view, std::size_t);

}  // namespace record

}  // namespace kalderos
