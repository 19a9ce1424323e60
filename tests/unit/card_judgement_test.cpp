// The fast classifier and the rules step by step give one judgement: on random texts, on every six-digit start,
// on every eight-digit start within the six-digit starts that longer prefixes of the rows divide, and on every
// four-digit start at every length, for both tables.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "card/card_field_values.h"
#include "card/card_outcome.h"
#include "card/written_card.h"
#include "common/rule_sets.h"

namespace kalderos::card {
namespace {

// Every field equal, and the same where the text lies in a read buffer with other bytes after it.
void ExpectOneJudgement(const std::string& text, RuleSet rules) {
    const CardOutcome plain = JudgeCard(text, rules);
    const CardOutcome fast =
        test::UnderRules(rules, [&](auto set) { return ClassifyCardText<decltype(set)::value>(text); });
    ASSERT_EQ(KindView(rules, fast.kind), KindView(rules, plain.kind)) << text;
    ASSERT_EQ(ReasonName(fast.reason), ReasonName(plain.reason)) << text;
    ASSERT_EQ(fast.type, plain.type) << text;
    ASSERT_EQ(fast.check, plain.check) << text;
    ASSERT_EQ(fast.result, plain.result) << text;
    ASSERT_EQ(fast.length, plain.length) << text;
    const std::string buffer = text + std::string(kCardReadAhead, '7');
    const CardOutcome along = test::UnderRules(
        rules, [&](auto set) {
            return ClassifyReadable<decltype(set)::value>(bytes::Readable::WithRoomBehind(buffer.data(), text.size()));
        });
    ASSERT_EQ(along.kind, plain.kind) << text;
    ASSERT_EQ(along.length, plain.length) << text;
}

TEST(CardJudgement, FastEqualsTheRulesOnRandomTexts) {
    std::mt19937 random(20170101);
    constexpr std::string_view kAlphabet = "01234567890123456789012345678901234567896222-- \nx";
    for (int i = 0; i < 1000000; ++i) {
        std::string text(random() % 30, ' ');
        for (char& c : text) c = kAlphabet[random() % kAlphabet.size()];
        for (const RuleSet rules : test::kRuleSets) ExpectOneJudgement(text, rules);
    }
}

// Every prefix of up to six digits decides through the derived lookup as it does in the rows.
TEST(CardJudgement, FastEqualsTheRulesOnEverySixDigitStart) {
    for (int start = 0; start < 1000000; ++start) {
        std::string text = std::to_string(1000000 + start).substr(1) + std::to_string(1000000000 + start / 7);
        if (start % 3 == 1) text.insert(9, "-").insert(2, "-");  // dashes among the deciding digits
        if (start % 3 == 2) text.insert(14, "-").insert(9, "-").insert(4, "-");
        for (const RuleSet rules : test::kRuleSets) ExpectOneJudgement(text, rules);
    }
}

// The number of `length` digits that starts with `start`, in the three layouts of dashes the scan knows.
void ExpectOneJudgementOfStart(const std::string& start, std::size_t length, std::size_t layout, RuleSet rules) {
    std::string text = start + std::string(length - start.size(), '3');
    if (layout % 3 == 1) text.insert(7, "-").insert(3, "-");  // dashes among the deciding digits
    if (layout % 3 == 2) text.insert(12, "-").insert(8, "-").insert(4, "-");
    ExpectOneJudgement(text, rules);
}

TEST(CardJudgement, FastEqualsTheRulesOnEveryEightDigitStartThatLongerPrefixesDivide) {
    std::size_t divided = 0;
    for (const RuleSet rules : test::kRuleSets) {
        for (const CardTypeRow& row : TableOf(rules).rows) {
            (void)ForEachItem(row.prefixes, [&](const PrefixRange& range) {
                if (range.digits <= 6) return;
                const std::uint32_t power = range.digits == 7 ? 10 : 100;
                for (std::uint32_t six = range.first / power; six <= range.last / power; ++six, ++divided) {
                    for (std::uint32_t two = 0; two < 100; ++two) {
                        const std::string start = std::to_string(100000000 + six * 100 + two).substr(1);
                        for (std::size_t length = 15; length <= 20; ++length) {
                            for (const RuleSet both : test::kRuleSets) ExpectOneJudgementOfStart(start, length, two, both);
                        }
                    }
                }
            });
        }
    }
    EXPECT_GE(divided, 30u);  // the rows' eight-digit prefixes were found
}

TEST(CardJudgement, FastEqualsTheRulesOnEveryFourDigitStartAndLength) {
    std::mt19937 random(7);
    for (int start = 0; start < 10000; ++start) {
        const std::string first = std::to_string(10000 + start).substr(1);
        for (std::size_t length = 11; length <= 21; ++length) {
            std::string text = first;
            while (text.size() < length) text += static_cast<char>('0' + random() % 10);
            for (const RuleSet rules : test::kRuleSets) ExpectOneJudgement(text, rules);
        }
    }
}

// The strict reading's short path past the classifier gives what reading the text first and judging it step by
// step gives: the same outcome and the same digits, whatever follows the text in its buffer.
void ExpectOneStrictReading(const std::string& text, RuleSet rules, char after) {
    WrittenCopy plain_copy;
    const CardReading plain =
        ClassifyWritten(text, rules, plain_copy, [&](std::string_view number) { return JudgeCard(number, rules); });
    const std::string buffer = text + std::string(kCardReadAhead, after);
    WrittenCopy copy;
    const CardReading fast = test::UnderRules(
        rules, [&](auto set) {
            return ClassifyAsWritten<decltype(set)::value>(bytes::Readable::WithRoomBehind(buffer.data(), text.size()),
                                                           copy);
        });
    ASSERT_EQ(ReasonName(fast.outcome.reason), ReasonName(plain.outcome.reason)) << "[" << text << "]";
    ASSERT_EQ(KindView(rules, fast.outcome.kind), KindView(rules, plain.outcome.kind)) << "[" << text << "]";
    ASSERT_EQ(fast.outcome.type, plain.outcome.type) << "[" << text << "]";
    ASSERT_EQ(fast.outcome.check, plain.outcome.check) << "[" << text << "]";
    if (!ShowsNumber(plain.outcome)) return;
    std::array<char, kDigitsRoom> fast_digits{};
    std::array<char, kDigitsRoom> plain_digits{};
    const std::size_t fast_count = DigitsField(KeptPart(fast), fast_digits);
    const bytes::ReadableCopy plain_kept({plain.kept, plain.outcome.length});
    const std::size_t plain_count = DigitsField(plain_kept.Get(), plain_digits);
    ASSERT_EQ(std::string_view(fast_digits.data(), fast_count), std::string_view(plain_digits.data(), plain_count))
        << "[" << text << "]";
}

// Numbers in groups, with blanks, dashes and tabs between and around them, and texts that only look alike.
TEST(CardJudgement, StrictReadingFastEqualsThePlainReading) {
    std::mt19937 random(20250101);
    constexpr std::string_view kSeparators[] = {" ", " ", " ", "-", "-", "  ", " -", "- ", "\t", ""};
    constexpr std::string_view kAround[] = {"", "", "", " ", "  ", "\t", "\r", " x", "\n\n", std::string_view("\0 1", 3)};
    for (int i = 0; i < 300000; ++i) {
        std::string text(kAround[random() % std::size(kAround)]);
        text += "3456"[random() % 4];
        for (int groups = static_cast<int>(random() % 6); groups >= 0; --groups) {
            for (int digits = 1 + static_cast<int>(random() % 6); digits > 0; --digits) {
                text += static_cast<char>('0' + random() % 10);
            }
            if (groups > 0) text += kSeparators[random() % std::size(kSeparators)];
        }
        text += kAround[random() % std::size(kAround)];
        if (random() % 16 == 0) text = std::string(random() % 40, ' ');
        for (const RuleSet rules : test::kRuleSets) {
            ExpectOneStrictReading(text, rules, '7');
            ExpectOneStrictReading(text, rules, ' ');
        }
    }
}

}  // namespace
}  // namespace kalderos::card
