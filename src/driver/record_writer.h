// Writing records field by field straight into the output buffer: TSV rows or JSON Lines objects. Nothing is
// allocated and nothing formatted through the printf family; the field calls are inline, so that the names and
// separators of a record become fixed copies.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "bytes/byte_vectors.h"
#include "driver/long_options.h"
#include "io/output_stream.h"

namespace kalderos {

// The record's text without its line end, up to its first NUL byte as every text the program reads ends there.
// The line readers have already dropped the carriage return of a CR LF line end.
[[nodiscard]] std::string_view RecordInput(std::string_view text);

namespace record {

// The escape of every byte: 0 copies it, a letter writes a backslash and the letter, 'u' writes \u00XX.
using EscapeTable = std::array<char, 256>;
extern const EscapeTable kTsvEscapes;
extern const EscapeTable kJsonEscapes;

// Escapes `text` into `out`, which has room for six bytes for each byte of it; returns the end.
char* Escape(std::string_view text, const EscapeTable& escapes, char* out);

// Bit i set where byte i of the sixteen needs an escape.
inline unsigned EscapeMask(text::Bytes16 bytes, bool json) {
    const text::Bytes16 backslash = text::BytesEqualTo(bytes, '\\');
    if (json) {
        // Outside the printable ASCII range (control bytes and bytes above 127), or a quote.
        const auto outside = reinterpret_cast<text::Bytes16>(static_cast<text::Bytes16>(bytes - 0x20) > 0x5E);
        return text::FlagMask(outside | backslash | text::BytesEqualTo(bytes, '"'));
    }
    return text::FlagMask(backslash | text::BytesEqualTo(bytes, '\t') | text::BytesEqualTo(bytes, '\n') |
                          text::BytesEqualTo(bytes, '\r'));
}

inline char* Put(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// Where a record whose input was written by BeginAnyInput goes on: the room reserved for the rest of it (which
// starts at `start`, the part to commit) and the write position in it.
struct Span {
    char* start;
    char* cursor;
};

// Writes the opening of a record and its input escaped, in pieces when it is long, and reserves `fields_room`
// after it.
Span BeginAnyInput(OutputStream& out, std::string_view name, std::string_view input, bool json, std::size_t fields_room);

}  // namespace record

// `kJson`: JSON Lines, else TSV; fixed at compile time, so that every field is a few fixed copies.
template <bool kJson>
class RecordWriter {
public:
    // Room every record's fields but the input need at most: up to eight fields with their names, each value at
    // most kMaxStringField bytes (the longest place name is far shorter).
    static constexpr std::size_t kMaxStringField = 128;
    static constexpr std::size_t kFieldsRoom = 2048;

    explicit RecordWriter(OutputStream& out) : out_(out) {}

    // Bytes that BeginWithInput may read from the start of an input it is told is readable.
    static constexpr std::size_t kReadAhead = 32;

    // Starts a record with its first field, the input text, escaped (written in pieces when it is long).
    // `readable`: kReadAhead bytes may be read from the start of the input, however short it is.
    void BeginWithInput(std::string_view name, std::string_view input, bool readable) {
        if (readable && input.size() <= kReadAhead) {
            start_ = cursor_ = out_.Reserve(kFieldsRoom + 8 * kReadAhead);
            if constexpr (kJson) cursor_ = record::Put(record::Put(record::Put(cursor_, "{\""), name), "\":\"");
            const text::Bytes16 low = text::LoadSixteen(input.data());
            const text::Bytes16 high = text::LoadSixteen(input.data() + 16);
            const std::uint32_t inside = static_cast<std::uint32_t>((std::uint64_t{1} << input.size()) - 1);
            const std::uint32_t escapes = record::EscapeMask(low, kJson) | record::EscapeMask(high, kJson) << 16;
            if ((escapes & inside) == 0) {
                // The bytes past the input are written over next.
                std::memcpy(cursor_, &low, sizeof low);
                std::memcpy(cursor_ + sizeof low, &high, sizeof high);
                cursor_ += input.size();
            } else {
                cursor_ = record::Escape(input, kEscapes, cursor_);
            }
            if constexpr (kJson) *cursor_++ = '"';
            return;
        }
        BeginWithAnyInput(name, input);
    }

    // Further fields of the record; the names appear in JSON only.
    // A value that needs no escape, from a table whose entries are padded to one size: copied whole, so that
    // the copy is of fixed size, and the cursor moved by `size`.
    template <std::size_t N>
    void Padded(std::string_view name, const std::array<char, N>& value, std::size_t size) {
        static_assert(N <= kMaxStringField);
        Key(name);
        if constexpr (kJson) *cursor_++ = '"';
        std::memcpy(cursor_, value.data(), N);
        cursor_ += size;
        if constexpr (kJson) *cursor_++ = '"';
    }
    // `size` bytes that need no escape from where kReadAhead bytes may be read: one fixed-size copy.
    void Readable(std::string_view name, const char* value, std::size_t size) {
        Key(name);
        if constexpr (kJson) *cursor_++ = '"';
        std::memcpy(cursor_, value, kReadAhead);
        cursor_ += size;
        if constexpr (kJson) *cursor_++ = '"';
    }
    // A number's `width` digits as they stand in a text: TSV copies them, JSON leaves out leading zeros.
    void Digits(std::string_view name, const char* digits, std::size_t width) {
        Key(name);
        if constexpr (kJson) {
            while (width > 1 && *digits == '0') {
                ++digits;
                --width;
            }
        }
        for (std::size_t i = 0; i < width; ++i) *cursor_++ = digits[i];
    }
    void Bool(std::string_view name, bool value) {
        Key(name);
        std::memcpy(cursor_, value ? "true" : "false", 5);
        cursor_ += 5 - static_cast<std::size_t>(value);
    }
    void Null(std::string_view name) {  // TSV: an empty field
        Key(name);
        if constexpr (kJson) cursor_ = record::Put(cursor_, "null");
    }

    // Ends the record and its line.
    void End() {
        if constexpr (kJson) *cursor_++ = '}';
        *cursor_++ = '\n';
        out_.Commit(static_cast<std::size_t>(cursor_ - start_));
        out_.EndOfLine();
    }

    // The TSV header row of `names`, tab-separated; JSON Lines has none.
    void Header(std::string_view names) {
        if (kJson) return;
        out_.Write(names);
        out_.Write("\n");
    }

private:
    static constexpr bool json_ = kJson;
    static constexpr const record::EscapeTable& kEscapes = kJson ? record::kJsonEscapes : record::kTsvEscapes;

    void Key(std::string_view name) {
        if constexpr (kJson) {
            cursor_ = record::Put(record::Put(record::Put(cursor_, ",\""), name), "\":");
        } else {
            *cursor_++ = '\t';
        }
    }
    void BeginWithAnyInput(std::string_view name, std::string_view input) {
        const record::Span span = record::BeginAnyInput(out_, name, input, kJson, kFieldsRoom);
        start_ = span.start;
        cursor_ = span.cursor;
    }

    char* cursor_ = nullptr;
    char* start_ = nullptr;
    OutputStream& out_;
};

}  // namespace kalderos
