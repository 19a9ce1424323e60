// Fields of few values written whole: the separator or key and the value as a format writes them, made at compile
// time for every value (a word, a month, true or false, a place) and padded to one size, so that writing such a
// field is one fixed-size copy rather than a key, quotes and a value one after another.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "bytes/text_copy.h"
#include "records/record_writer.h"

namespace kalderos::record {

// The text in front, its size in the last byte; copied whole, sixteen bytes at a time.
template <std::size_t kRoom>
struct FieldPiece {
    static_assert(kRoom <= 128 && kRoom % 16 == 0, "the size in one byte, whole moves");
    std::array<char, kRoom> text{};

    [[nodiscard]] constexpr std::size_t Size() const { return static_cast<unsigned char>(text[kRoom - 1]); }
    [[nodiscard]] constexpr std::string_view View() const { return {text.data(), Size()}; }
};

// How a value is written: a string (quoted where the format quotes strings, and in CSV where it must be), a
// literal (true and false, never quoted), or none (null, an empty field).
enum class ValueForm { kString, kLiteral, kNone };

// A field other than the record's first: `name` with `value` in `form`, as the writer would write it.
template <class Syntax, std::size_t kRoom>
constexpr FieldPiece<kRoom> MakePiece(std::string_view name, ValueForm form, std::string_view value = {}) {
    FieldPiece<kRoom> piece;
    char* const start = piece.text.data();
    char* out = Syntax::Key(start, name, false);  // past the room fails the build
    switch (form) {
        case ValueForm::kString:
            if (Syntax::kQuotesWhole && NeedsCsvQuotes(value)) {
                out = bytes::Put(out, "\"");
                for (const char c : value) {
                    if (c == '"') *out++ = '"';
                    *out++ = c;
                }
                out = bytes::Put(out, "\"");
            } else {
                out = bytes::Put(bytes::Put(bytes::Put(out, Syntax::kQuote), value), Syntax::kQuote);
            }
            break;
        case ValueForm::kLiteral:
            out = bytes::Put(out, value);
            break;
        case ValueForm::kNone:
            out = bytes::Put(out, Syntax::kNull);
            break;
    }
    const auto size = static_cast<std::size_t>(out - start);
    if (size >= kRoom) throw "a field longer than its room";
    piece.text[kRoom - 1] = static_cast<char>(size);
    return piece;
}

// Pieces one after another as one piece: a run of fields whose values come from one small state.
template <std::size_t kRoom, class... Pieces>
constexpr FieldPiece<kRoom> Joined(const Pieces&... pieces) {
    FieldPiece<kRoom> joined;
    char* out = joined.text.data();
    ((out = bytes::Put(out, pieces.View())), ...);  // past the room fails the build
    const auto size = static_cast<std::size_t>(out - joined.text.data());
    if (size >= kRoom) throw "a run longer than its room";
    joined.text[kRoom - 1] = static_cast<char>(size);
    return joined;
}

// The least room that holds each of `pieces` and its size: the tables are made in a room that every format's
// longest piece fits, then copied into the room of their own format, so that TSV and CSV, whose pieces are far
// shorter than JSON's, copy half as many bytes a field or fewer (16 instructions a record fewer, callgrind).
template <std::size_t kRoom>
constexpr std::size_t FittedRoom(const FieldPiece<kRoom>& piece) {
    return (piece.Size() + 1 + 15) / 16 * 16;
}
template <std::size_t kRoom, std::size_t N>
constexpr std::size_t FittedRoom(const std::array<FieldPiece<kRoom>, N>& pieces) {
    std::size_t room = 16;
    for (const auto& piece : pieces) room = FittedRoom(piece) > room ? FittedRoom(piece) : room;
    return room;
}
template <std::size_t kFitted, std::size_t kRoom>
constexpr FieldPiece<kFitted> Fitted(const FieldPiece<kRoom>& piece) {
    if (piece.Size() >= kFitted) throw "a piece longer than its room";
    FieldPiece<kFitted> fitted;
    bytes::Put(fitted.text.data(), piece.View());
    fitted.text[kFitted - 1] = static_cast<char>(piece.Size());
    return fitted;
}
template <std::size_t kFitted, std::size_t kRoom, std::size_t N>
constexpr std::array<FieldPiece<kFitted>, N> Fitted(const std::array<FieldPiece<kRoom>, N>& pieces) {
    std::array<FieldPiece<kFitted>, N> fitted{};
    for (std::size_t i = 0; i < N; ++i) fitted[i] = Fitted<kFitted>(pieces[i]);
    return fitted;
}

// The field `name` for each of `values`, as strings, by their index.
template <class Syntax, std::size_t kRoom, std::size_t N>
constexpr std::array<FieldPiece<kRoom>, N> StringPieces(std::string_view name,
                                                         const std::array<std::string_view, N>& values) {
    std::array<FieldPiece<kRoom>, N> pieces{};
    for (std::size_t i = 0; i < N; ++i) pieces[i] = MakePiece<Syntax, kRoom>(name, ValueForm::kString, values[i]);
    return pieces;
}

// The field `name` as false and as true, by the value.
template <class Syntax>
constexpr std::array<FieldPiece<32>, 2> BoolPieces(std::string_view name) {
    return {MakePiece<Syntax, 32>(name, ValueForm::kLiteral, "false"),
            MakePiece<Syntax, 32>(name, ValueForm::kLiteral, "true")};
}

}  // namespace kalderos::record
