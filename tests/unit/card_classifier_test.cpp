// Card types, digit counts, dashes, Luhn digits and where the classifier cuts the text.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "card/card_outcome.h"
#include "kalderos/kalderos.h"

namespace kalderos {
namespace {

struct CardCase {
    std::string text;
    std::string kind;
    int result;
    std::string kept;
};

TEST(ClassifyCard, WorkedLinesAndOutcomes) {
    const CardCase cases[] = {
        {"4000000000000002", "VISA", 1, "4000000000000002"},
        {"4000000000000001", "VISA_X", -1, "4000000000000001"},
        {"4000-0000-0000-0002", "VISA", 1, "4000-0000-0000-0002"},
        {"4000-000000000002", "UNKNOWN", 0, "4000-000000000002"},
        {"4000000000006", "VISA", 1, "4000000000006"},
        {"40000000000006", "VISA", 0, "40000000000006"},
        {"400000000000006", "VISA", 0, "400000000000006"},
        {"3400000000000090", "2MANY_DIGITS", 0, "3400000000000090"},
        {"340000000000009", "AMEX", 1, "340000000000009"},
        {"51000000000000081", "MasterCard", 1, "5100000000000008"},
        {"4000-0000-0000-0002-1", "VISA", 1, "4000-0000-0000-0002"},
        {"201400000000001", "enRoute", 1, "201400000000001"},
        {"214900000000000", "enRoute", 1, "214900000000000"},
        {"3100000000000004", "JCB16_X", -1, "3100000000000004"},
        {"9000000000000000", "Other", 0, "9000000000000000"},
        {"6000000000000000", "Other", 0, "6000000000000000"},
        {"3500 0000 0000 0000", "UNKNOWN", 0, "3500 0000 0000 0000"},
        {"4000000000000002\n", "VISA", 1, "4000000000000002"},
        {"4000000000000002 trailing", "VISA", 1, "4000000000000002"},
        {"123456789012\n", "UNKNOWN", 0, "123456789012\n"},
        {"4000000000000x02", "UNKNOWN", 0, "4000000000000x02"},
        {"4000000000000002x", "VISA", 1, "4000000000000002"},
        {"4000-0000-0000-00021", "VISA", 1, "4000-0000-0000-0002"},
        {"4-0-0-0-000000000002", "UNKNOWN", 0, "4-0-0-0-000000000002"},
        {"--4000000000000002", "VISA", 1, "--4000000000000002"},
        {"30000000000004", "DINERS", 1, "30000000000004"},
        {"3060000000000000", "JCB16_X", -1, "3060000000000000"},
        {"180000000000002", "JCB15", 1, "180000000000002"},
        {"60110000000000", "Discover", 0, "60110000000000"},
        {"", "UNKNOWN", 0, ""},
        {std::string("40000000\0" "00000002", 17), "UNKNOWN", 0, "40000000"},
        {std::string("4000000000006\0" "999", 17), "VISA", 1, "4000000000006"},  // a NUL ends the number
        {std::string("30-00-0000000004\0" "x", 18), "DINERS", 1, "30-00-0000000004"},
        {"-------------------------4000000000000002", "UNKNOWN", 0, "-------------------------4000000000000002"},
        {"400000000000000-2", "UNKNOWN", 0, "400000000000000-2"},
        {"4000000000000002-", "VISA", 1, "4000000000000002"},
        {"40000000000000:2", "UNKNOWN", 0, "40000000000000:2"},
        {"4000000\xB0" "00000002", "UNKNOWN", 0, "4000000\xB0" "00000002"},
        {"4-000-0000-00000002", "VISA", 1, "4-000-0000-00000002"},
        {"34-0000000000-009", "AMEX", 1, "34-0000000000-009"},
        {"3-4-0000000000009", "AMEX", 1, "3-4-0000000000009"},
        {"4000-0000-0000-0002-", "VISA", 1, "4000-0000-0000-0002"},
        {"4000-0000-0000-000-2", "UNKNOWN", 0, "4000-0000-0000-000-2"},
        {"400000000000000200", "VISA", 1, "4000000000000002"},
        {"4000000000000002000000000", "VISA", 1, "4000000000000002"},
        {"30-00-0000000004\n", "DINERS", 1, "30-00-0000000004"},
        {"30-00-00000000040", "2MANY_DIGITS", 0, "30-00-00000000040"},
        {"3400-0000-0000-009\r", "AMEX", 1, "3400-0000-0000-009"},
    };
    for (const CardCase& c : cases) {
        CardKind kind;
        kind.text.fill('#');
        const CardClassification got = ClassifyCard(c.text, kind);
        EXPECT_EQ(std::string(kind.View()), c.kind) << c.text;
        EXPECT_EQ(got.result, c.result) << c.text;
        EXPECT_EQ(std::string(c.text.substr(0, got.length)), c.kept) << c.text;
    }
}

TEST(ClassifyCard, NoDigitsOfAnEarlierCallTakePart) {
    CardKind kind;
    (void)ClassifyCard("4000000000000002", kind);
    EXPECT_EQ(ClassifyCard("400000000000", kind).result, 0);
    EXPECT_EQ(std::string(kind.View()), "UNKNOWN");
}

// A list line is classified where it lies in the read buffer, the bytes after it read along: whatever they are,
// the outcome is the one of the text alone.
TEST(ClassifyCard, BytesAfterTheTextDoNotCount) {
    std::mt19937 random(20070701);
    constexpr std::string_view kAlphabet = "0123456789012345678901234567890123456789----  \n\0x";
    for (int i = 0; i < 100000; ++i) {
        std::string text(random() % 36, ' ');
        for (char& c : text) c = kAlphabet[random() % kAlphabet.size()];
        CardKind kind;
        const CardClassification alone = ClassifyCard(text, kind);
        for (const char after : {'0', '-', ' ', '\0'}) {
            const std::string buffer = text + std::string(card::kCardReadAhead, after);
            const card::CardOutcome read_along = card::ClassifyReadable<RuleSet::Classic>(
                bytes::Readable::WithRoomBehind(buffer.data(), text.size()));
            ASSERT_EQ(card::KindView(RuleSet::Classic, read_along.kind), kind.View()) << text << " followed by " << after;
            ASSERT_EQ(read_along.result, alone.result) << text;
            ASSERT_EQ(read_along.length, alone.length) << text;
        }
    }
}

}  // namespace
}  // namespace kalderos
