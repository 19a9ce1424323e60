// Writing records field by field into a caller's output buffer, in the syntax of one record format. Nothing is
// allocated and nothing formatted through the printf family; the field calls are inline and the syntax is
// fixed at compile time, so that the names and separators of a record become fixed copies in the list's loop,
// which is one function with all it calls (lists/block_loop.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "bytes/byte_vectors.h"
#include "bytes/text_copy.h"
#include "io/output_stream.h"

namespace kalderos {
namespace record {

// The escape of every byte: 0 copies it, a letter writes a backslash and the letter, 'u' writes \u00XX.
using EscapeTable = std::array<char, 256>;
extern const EscapeTable kTsvEscapes;
extern const EscapeTable kJsonEscapes;
extern const EscapeTable kCsvEscapes;  // 'd' doubles the byte: the quote inside a quoted field

// Escapes `text` into `out`, which has room for six bytes for each byte of it; returns the end.
char* Escape(std::string_view text, const EscapeTable& escapes, char* out);

using bytes::Put;

// TSV: fields in a row, tab-separated, after a header row of the names; no quotes, an empty field for none.
struct TsvSyntax {
    static constexpr bool kHeaderRow = true;
    static constexpr char kSeparator = '\t';
    static constexpr bool kQuotesWhole = false;
    static constexpr std::string_view kQuote = "";
    static constexpr std::string_view kNull = "";
    static constexpr std::string_view kEnd = "\n";
    static constexpr std::size_t kOpeningRoom = 0;  // bytes BeginWithAnyInput writes before a name
    static constexpr const EscapeTable& kEscapes = kTsvEscapes;

    static constexpr char* Key(char* out, std::string_view /*name*/, bool first) {
        if (!first) *out++ = '\t';
        return out;
    }
    // Bit i set where byte i of the sixteen needs an escape: the tab, the line ends, the backslash.
    static unsigned EscapeMask(bytes::Sixteen bytes) { return bytes.AnyOf('\\', '\t', '\n', '\r'); }
};

// JSON Lines: one object per line, every field named; strings quoted, null for none.
struct JsonlSyntax {
    static constexpr bool kHeaderRow = false;
    static constexpr char kSeparator = ',';
    static constexpr bool kQuotesWhole = false;
    static constexpr std::string_view kQuote = "\"";
    static constexpr std::string_view kNull = "null";
    static constexpr std::string_view kEnd = "}\n";
    static constexpr std::size_t kOpeningRoom = 4;
    static constexpr const EscapeTable& kEscapes = kJsonEscapes;

    static constexpr char* Key(char* out, std::string_view name, bool first) {
        return Put(Put(Put(out, first ? "{\"" : ",\""), name), "\":");
    }
    // Outside the printable ASCII range (control bytes, DEL and bytes above 127), a quote or a backslash.
    static unsigned EscapeMask(bytes::Sixteen bytes) { return bytes.OutsideOrAnyOf(0x20, 0x7E, '\\', '"'); }
};

// CSV (RFC 4180, with the "\n" line ends of every output here): fields in a row, comma-separated, after a
// header row of the names; a field that holds a comma, a quote or a line break is quoted whole, its quotes
// doubled; an empty field for none.
struct CsvSyntax {
    static constexpr bool kHeaderRow = true;
    static constexpr char kSeparator = ',';
    static constexpr bool kQuotesWhole = true;
    static constexpr std::string_view kQuote = "";
    static constexpr std::string_view kNull = "";
    static constexpr std::string_view kEnd = "\n";
    static constexpr std::size_t kOpeningRoom = 0;
    static constexpr const EscapeTable& kEscapes = kCsvEscapes;

    static constexpr char* Key(char* out, std::string_view /*name*/, bool first) {
        if (!first) *out++ = ',';
        return out;
    }
    // The bytes that make a field quoted: the comma, the quote, the line ends.
    static unsigned EscapeMask(bytes::Sixteen bytes) { return bytes.AnyOf(',', '"', '\n', '\r'); }
};

// A CSV field holding a comma, a quote or a line break is quoted whole.
constexpr bool NeedsCsvQuotes(std::string_view value) {
    return value.find_first_of(",\"\r\n") != std::string_view::npos;
}

// `value` as one CSV field into `out`, which has room for 2 + 2 * value.size() bytes: quoted when it holds a
// comma, a quote or a line break; returns the end.
char* PutCsvField(std::string_view value, char* out);

// Where a record whose input was written by BeginAnyInput goes on: the room reserved for the rest of it (which
// starts at `start`, the part to commit) and the write position in it.
struct Span {
    char* start;
    char* cursor;
};

// Writes the opening of a record and its input escaped, in pieces when it is long, and reserves `fields_room`
// after it.
template <class Syntax>
Span BeginAnyInput(OutputStream& out, std::string_view name, std::string_view input, std::size_t fields_room);

}  // namespace record

template <class Syntax>
class RecordWriter {
public:
    // Room every record's fields but the input need at most: a dozen fields with their names, each value at
    // most kMaxStringField bytes (the longest place name is far shorter).
    static constexpr std::size_t kMaxStringField = 128;
    static constexpr std::size_t kFieldsRoom = 2048;

    explicit RecordWriter(OutputStream& out) : out_(out) {}

    // The header row of `names`, where the format has one.
    template <std::size_t N>
    void Header(const std::array<std::string_view, N>& names) {
        if constexpr (Syntax::kHeaderRow) {
            for (std::size_t i = 0; i < N; ++i) {
                if (i != 0) out_.Write({&Syntax::kSeparator, 1});
                out_.Write(names[i]);
            }
            out_.Write("\n");
        }
    }

    // Starts a record with its first field, the input text, escaped (written in pieces when it is long).
    void BeginWithInput(std::string_view name, bytes::Readable input) {
        if (input.size() > bytes::kReadAhead) {
            const record::Span span = record::BeginAnyInput<Syntax>(out_, name, input, kFieldsRoom);
            start_ = span.start;
            cursor_ = span.cursor;
            return;
        }
        start_ = cursor_ = out_.Reserve(kFieldsRoom + 8 * bytes::kReadAhead);
        cursor_ = record::Put(Syntax::Key(cursor_, name, true), Syntax::kQuote);
        const bytes::Sixteen low = bytes::Sixteen::Load(input.data());
        const bytes::Sixteen high = bytes::Sixteen::Load(input.data() + 16);
        const std::uint32_t inside = static_cast<std::uint32_t>((std::uint64_t{1} << input.size()) - 1);
        const std::uint32_t escapes = Syntax::EscapeMask(low) | Syntax::EscapeMask(high) << 16;
        if ((escapes & inside) == 0) {
            // The bytes past the input are written over next.
            low.Store(cursor_);
            high.Store(cursor_ + 16);
            cursor_ += input.size();
        } else if constexpr (Syntax::kQuotesWhole) {
            cursor_ = record::PutCsvField(input, cursor_);
        } else {
            cursor_ = record::Escape(input, Syntax::kEscapes, cursor_);
        }
        cursor_ = record::Put(cursor_, Syntax::kQuote);
    }

    // The same for an input of at most kReadAhead bytes known to need no escape in any format (digits, dashes and
    // blanks only, as a usual number's text): one copy, without looking for bytes to escape.
    void BeginWithPlainInput(std::string_view name, bytes::Readable input) {
        start_ = cursor_ = out_.Reserve(kFieldsRoom + 8 * bytes::kReadAhead);
        cursor_ = record::Put(Syntax::Key(cursor_, name, true), Syntax::kQuote);
        std::memcpy(cursor_, input.data(), bytes::kReadAhead);
        cursor_ = record::Put(cursor_ + input.size(), Syntax::kQuote);
    }

    // Further fields of the record. A string that needs no escape, from a table whose entries are padded to
    // one size: copied whole, so that the copy is of fixed size, and the cursor moved by `size`.
    template <std::size_t N>
    void Padded(std::string_view name, const std::array<char, N>& value, std::size_t size) {
        static_assert(N <= kMaxStringField);
        cursor_ = record::Put(Syntax::Key(cursor_, name, false), Syntax::kQuote);
        std::memcpy(cursor_, value.data(), N);
        cursor_ = record::Put(cursor_ + size, Syntax::kQuote);
    }
    // A field made whole, its key or separator and its value (record/field_pieces.h), from a table whose entries
    // are padded to one size: one fixed-size copy. WholeAt returns where the piece starts, so that the caller
    // can put characters where it holds placeholders.
    template <class Piece>
    void Whole(const Piece& piece) {
        WholeAt(piece);
    }
    template <class Piece>
    char* WholeAt(const Piece& piece) {
        char* const start = cursor_;
        bytes::PutFixed<sizeof(piece.text)>(start, piece.text.data());
        cursor_ += piece.Size();
        return start;
    }
    // A string of at most bytes::kReadAhead bytes that needs no escape: one fixed-size copy.
    void PlainValue(std::string_view name, bytes::Readable value) {
        cursor_ = record::Put(Syntax::Key(cursor_, name, false), Syntax::kQuote);
        std::memcpy(cursor_, value.data(), bytes::kReadAhead);
        cursor_ = record::Put(cursor_ + value.size(), Syntax::kQuote);
    }
    void Null(std::string_view name) { cursor_ = record::Put(Syntax::Key(cursor_, name, false), Syntax::kNull); }

    // Ends the record and its line.
    void End() {
        cursor_ = record::Put(cursor_, Syntax::kEnd);
        out_.Commit(static_cast<std::size_t>(cursor_ - start_));
        out_.EndOfLine();
    }

private:
    char* cursor_ = nullptr;
    char* start_ = nullptr;
    OutputStream& out_;
};

}  // namespace kalderos
