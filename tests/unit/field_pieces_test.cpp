// The fields of few values as each format writes them, made at compile time: separator or key, quotes, null,
// a CSV value quoted where it holds a comma or a quote, and runs of fields joined.
#include <gtest/gtest.h>

#include <string_view>

#include "records/field_pieces.h"

namespace kalderos::record {
namespace {

template <class Syntax>
struct Expected {
    std::string_view word, literal, none, comma, joined;
};

template <class Syntax>
void ExpectPieces(const Expected<Syntax>& expected) {
    constexpr auto kWord = MakePiece<Syntax, 32>("reason", ValueForm::kString, "ok");
    constexpr auto kLiteral = MakePiece<Syntax, 32>("confirm", ValueForm::kLiteral, "true");
    constexpr auto kNone = MakePiece<Syntax, 32>("area", ValueForm::kNone);
    constexpr auto kComma = MakePiece<Syntax, 64>("place", ValueForm::kString, "Guam, A");
    constexpr auto kJoined = Joined<64>(kLiteral, kNone);
    EXPECT_EQ(kWord.View(), expected.word);
    EXPECT_EQ(kLiteral.View(), expected.literal);
    EXPECT_EQ(kNone.View(), expected.none);
    EXPECT_EQ(kComma.View(), expected.comma);
    EXPECT_EQ(kJoined.View(), expected.joined);
}

TEST(FieldPieces, AsEachFormatWritesThem) {
    ExpectPieces<TsvSyntax>({"\tok", "\ttrue", "\t", "\tGuam, A", "\ttrue\t"});
    ExpectPieces<JsonlSyntax>({",\"reason\":\"ok\"", ",\"confirm\":true", ",\"area\":null",
                               ",\"place\":\"Guam, A\"", ",\"confirm\":true,\"area\":null"});
    ExpectPieces<CsvSyntax>({",ok", ",true", ",", ",\"Guam, A\"", ",true,"});
}

}  // namespace
}  // namespace kalderos::record
