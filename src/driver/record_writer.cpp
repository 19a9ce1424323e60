// Field writing and escaping. TSV escapes the tab, the line ends and the backslash; JSON the quote, the
// backslash and the control bytes, and takes bytes above 127 as Latin-1, so that every record is valid UTF-8.
#include "driver/record_writer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kalderos {
namespace {

// A piece of input escaped at once: at most six bytes out for each byte in.
constexpr std::size_t kEscapePiece = 4096;
constexpr std::size_t kMaxEscaped = 6;

// The escape of every byte: 0 copies it, a letter writes a backslash and the letter, 'u' writes \u00XX.
using EscapeTable = std::array<char, 256>;

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
    for (std::size_t c = 0x80; c < 0x100; ++c) table[c] = 'u';
    table['\t'] = 't';
    table['\n'] = 'n';
    table['\r'] = 'r';
    table['\b'] = 'b';
    table['\f'] = 'f';
    table['"'] = '"';
    table['\\'] = '\\';
    return table;
}();
static_assert(kJsonEscapes[0x7F] == 0 && kJsonEscapes[0xE9] == 'u' && kTsvEscapes[0xE9] == 0 && kTsvEscapes['"'] == 0);

constexpr std::string_view kHex = "0123456789abcdef";

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

// "%0<width>d" of a value 0 or above, as the TSV fields are written; JSON numbers take width 1.
char* PutDigits(char* out, std::uint32_t value, int width) {
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10u);
        value /= 10u;
    } while (value != 0);
    for (int i = count; i < width; ++i) *out++ = '0';
    while (count > 0) *out++ = digits[--count];
    return out;
}

char* Put(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

}  // namespace

std::string_view RecordInput(std::string_view text) {
    if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
        text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    } else if (!text.empty() && text.back() == '\n') {
        text.remove_suffix(1);  // the readers have dropped a carriage return before it
    }
    return text;
}

void RecordWriter::BeginWithInput(std::string_view name, std::string_view input) {
    const EscapeTable& escapes = json_ ? kJsonEscapes : kTsvEscapes;
    const std::size_t opening = json_ ? 4 + name.size() : 0;  // {"input":"
    if (input.size() <= kEscapePiece) {
        // The usual case: one reservation for the whole record.
        start_ = cursor_ = out_.Reserve(opening + 2 + kMaxEscaped * input.size() + kFieldsRoom);
        if (json_) cursor_ = Put(Put(Put(cursor_, "{\""), name), "\":\"");
        cursor_ = Escape(input, escapes, cursor_);
        if (json_) *cursor_++ = '"';
        return;
    }
    if (json_) {
        char* const line = out_.Reserve(opening + 1);
        out_.Commit(static_cast<std::size_t>(Put(Put(Put(line, "{\""), name), "\":\"") - line));
    }
    for (; !input.empty(); input.remove_prefix(std::min(input.size(), kEscapePiece))) {
        const std::string_view piece = input.substr(0, kEscapePiece);
        char* const room = out_.Reserve(kMaxEscaped * piece.size());
        out_.Commit(static_cast<std::size_t>(Escape(piece, escapes, room) - room));
    }
    start_ = cursor_ = out_.Reserve(2 + kFieldsRoom);
    if (json_) *cursor_++ = '"';
}

void RecordWriter::Key(std::string_view name) {
    if (json_) {
        cursor_ = Put(Put(Put(cursor_, ",\""), name), "\":");
        return;
    }
    *cursor_++ = '\t';
}

void RecordWriter::String(std::string_view name, std::string_view value) {
    Key(name);
    if (json_) *cursor_++ = '"';
    cursor_ = Escape(value.substr(0, kMaxStringField), json_ ? kJsonEscapes : kTsvEscapes, cursor_);
    if (json_) *cursor_++ = '"';
}

void RecordWriter::Number(std::string_view name, std::int32_t value, int tsv_width) {
    Key(name);
    cursor_ = PutDigits(cursor_, static_cast<std::uint32_t>(value), json_ ? 1 : tsv_width);
}

void RecordWriter::Bool(std::string_view name, bool value) {
    Key(name);
    cursor_ = Put(cursor_, value ? std::string_view("true") : std::string_view("false"));
}

void RecordWriter::Null(std::string_view name) {
    Key(name);
    if (json_) cursor_ = Put(cursor_, "null");
}

void RecordWriter::End() {
    if (json_) *cursor_++ = '}';
    *cursor_++ = '\n';
    out_.Commit(static_cast<std::size_t>(cursor_ - start_));
    out_.EndOfLine();
}

void RecordWriter::Header(std::string_view names) {
    if (json_) return;
    out_.Write(names);
    out_.Write("\n");
}

}  // namespace kalderos
