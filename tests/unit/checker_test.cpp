// The public Checker, row by row: a text under a rule set (and a group file's text) and every field of its
// record, written as the tsv format writes them after the input. Each text is handed over in a buffer of its
// own size, so that a sanitizer build sees any byte read past it.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "kalderos/kalderos.h"

namespace kalderos {
namespace {

std::string Fields(const SsnResult& r) {
    char number[32];
    if (r.well_formed) {
        std::snprintf(number, sizeof number, "%03d\t%02d\t%04d", static_cast<int>(r.area), static_cast<int>(r.group),
                      static_cast<int>(r.serial));
    } else {
        std::snprintf(number, sizeof number, "\t\t");
    }
    return std::string(r.well_formed ? "true\t" : "false\t") + number + "\t" + std::string(r.place) + "\t" +
           std::string(r.verdict_name) + "\t" + (r.confirm ? "true" : "false") + "\t" + std::string(r.reason) + "\t" +
           std::string(r.issued_after) + "\t" + std::string(r.issued_by);
}

std::string Fields(const CardResult& r) {
    return std::string(r.Digits()) + "\t" + std::string(r.type) + "\t" + std::string(r.luhn) + "\t" +
           std::string(r.outcome) + "\t" + std::string(r.reason) + (r.ok ? "\tok" : "");
}

// The text alone in a buffer of its size.
template <class Check>
auto CheckAlone(const std::string& text, Check check) {
    const std::unique_ptr<char[]> bytes(new char[text.size() + 1]);
    text.copy(bytes.get(), text.size());
    return check(std::string_view(bytes.get(), text.size()));
}

struct SsnRow {
    RuleSet rules;
    std::string text;
    std::string fields;  // well_formed area group serial place verdict confirm reason issued_after issued_by
};

const std::vector<SsnRow> kSsnRows = {
    {RuleSet::Classic, "123-45-6789", "true\t123\t45\t6789\tNew York\tinvalid\tfalse\tgroup-not-issued\t\t"},
    {RuleSet::Classic, "123-96-0001", "true\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06"},
    {RuleSet::Classic, "123456789", "true\t123\t45\t6789\tNew York\tinvalid\tfalse\tgroup-not-issued\t\t"},
    {RuleSet::Classic, " 277-85-5072\t", "true\t277\t85\t5072\tOhio\tinvalid\tfalse\tgroup-not-issued\t\t"},
    {RuleSet::Classic, "      277-85-5072", "true\t277\t85\t5072\tOhio\tinvalid\tfalse\tgroup-not-issued\t\t"},
    {RuleSet::Classic, "4111111111111111", "false\t\t\t\t\tinvalid\tfalse\tmalformed\t\t"},
    {RuleSet::Classic, "", "false\t\t\t\t\tinvalid\tfalse\tempty\t\t"},
    {RuleSet::Classic, " \t ", "false\t\t\t\t\tinvalid\tfalse\tempty\t\t"},
    {RuleSet::Classic, std::string(40, ' '), "false\t\t\t\t\tinvalid\tfalse\tempty\t\t"},
    {RuleSet::Classic, "123 96 0001", "true\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06"},
    {RuleSet::Classic, "\t277 85 5072 ", "true\t277\t85\t5072\tOhio\tinvalid\tfalse\tgroup-not-issued\t\t"},
    {RuleSet::Classic, "123 96-0001", "false\t\t\t\t\tinvalid\tfalse\tmalformed\t\t"},
    {RuleSet::Classic, "123 96  0001", "false\t\t\t\t\tinvalid\tfalse\tmalformed\t\t"},
    {RuleSet::Classic, "123-4-56789", "false\t\t\t\t\tinvalid\tfalse\tmalformed\t\t"},
    {RuleSet::Classic, "123-45-678", "false\t\t\t\t\tinvalid\tfalse\tmalformed\t\t"},
    {RuleSet::Classic, "123-45-6789x", "false\t\t\t\t\tinvalid\tfalse\tmalformed\t\t"},
    {RuleSet::Classic, std::string("123-96-0001\0x", 13),
     "true\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06"},
    {RuleSet::Classic, "078-05-1120", "true\t078\t05\t1120\tNew York\tinvalid\tfalse\tknown-invalid\t\t"},
    {RuleSet::Classic, "666-12-3456", "true\t666\t12\t3456\t\tinvalid\tfalse\tarea-666\t\t"},
    {RuleSet::Classic, "800-12-3456", "true\t800\t12\t3456\t\tunknown\tfalse\tarea-after-2011\t2011-06\t"},
    {RuleSet::Classic, "900-12-3456", "true\t900\t12\t3456\t\tinvalid\tfalse\tarea-900-999\t\t"},
    {RuleSet::Classic, "000-00-1234", "true\t000\t00\t1234\t\tinvalid\tfalse\tarea-000\t\t"},  // the text line's CONFIRM
    {RuleSet::Classic, "800-00-1234", "true\t800\t00\t1234\t\tunknown\tfalse\tarea-after-2011\t\t"},
    {RuleSet::Classic, "000-12-3456", "true\t000\t12\t3456\t\tinvalid\tfalse\tarea-000\t\t"},
    {RuleSet::Classic, "123-00-4567", "true\t123\t00\t4567\tNew York\tinvalid\tfalse\tgroup-00\t\t"},
    {RuleSet::Classic, "123-45-0000", "true\t123\t45\t0000\tNew York\tinvalid\tfalse\tserial-0000\t\t"},
    {RuleSet::Classic, "580-39-0001",
     "true\t580\t39\t0001\tVirgin Islands, Puerto Rico\tvalid\ttrue\tok\t2007-07\t2011-06"},
    {RuleSet::Classic, "002-06-0001", "true\t002\t06\t0001\tNew Hampshire\tvalid\ttrue\tok\t2007-07\t2011-06"},
    {RuleSet::Current, "123-45-6789", "true\t123\t45\t6789\t\tvalid\tfalse\tok\t2011-06\t"},
    {RuleSet::Current, "123-96-0001", "true\t123\t96\t0001\tNew York\tvalid\tfalse\tok\t2007-07\t2011-06"},
    {RuleSet::Current, "800-12-3456", "true\t800\t12\t3456\t\tvalid\tfalse\tok\t2011-06\t"},
    {RuleSet::Current, "001-08-1234", "true\t001\t08\t1234\tNew Hampshire\tvalid\tfalse\tok\t2007-07\t2011-06"},
    {RuleSet::Current, "078-05-1120", "true\t078\t05\t1120\tNew York\tinvalid\tfalse\tknown-invalid\t\t"},
    {RuleSet::Current, "900-12-3456", "true\t900\t12\t3456\t\tinvalid\tfalse\tarea-900-999\t\t"},
    {RuleSet::Current, "12-345-6789", "false\t\t\t\t\tinvalid\tfalse\tmalformed\t\t"},
    {RuleSet::Current, "277 85 5072", "true\t277\t85\t5072\t\tvalid\tfalse\tok\t2011-06\t"},
    {RuleSet::Current, std::string("  \0" "123-45-6789", 14), "false\t\t\t\t\tinvalid\tfalse\tempty\t\t"},
};

TEST(Checker, SsnRecordFields) {
    const Checker classic(RuleSet::Classic);
    const Checker current(RuleSet::Current);
    for (const SsnRow& row : kSsnRows) {
        const Checker& checker = row.rules == RuleSet::Classic ? classic : current;
        const SsnResult result = CheckAlone(row.text, [&](std::string_view text) { return checker.CheckSsn(text); });
        EXPECT_EQ(Fields(result), row.fields) << "[" << row.text << "]";
        EXPECT_EQ(result.verdict == SsnVerdict::Valid, result.verdict_name == "valid") << row.text;
    }
}

struct CardRow {
    RuleSet rules;
    std::string text;
    std::string fields;  // digits type luhn outcome reason, and "ok" when the reason is
};

const std::vector<CardRow> kCardRows = {
    {RuleSet::Classic, "4111111111111111", "4111111111111111\tVISA\tpass\tVISA\tok\tok"},
    {RuleSet::Classic, "4111111111111112", "4111111111111112\tVISA\tfail\tVISA_X\tbad-check-digit"},
    {RuleSet::Classic, "4111-1111-1111-1111", "4111111111111111\tVISA\tpass\tVISA\tok\tok"},
    {RuleSet::Classic, "2221000000000009", "2221000000000009\tOther\tn/a\tOther\tunknown-prefix"},
    // Read strictly, a word behind the number makes no number of it.
    {RuleSet::Classic, "6011000000000004 and more", "\t\tn/a\tUNKNOWN\tnot-a-number"},
    {RuleSet::Classic, "6011000000000004 \r\n", "6011000000000004\tDiscover\tpass\tDiscover\tok\tok"},
    {RuleSet::Classic, "abc", "\t\tn/a\tUNKNOWN\tnot-a-number"},
    {RuleSet::Classic, "", "\t\tn/a\tUNKNOWN\tempty"},
    {RuleSet::Classic, "  \t ", "\t\tn/a\tUNKNOWN\tempty"},
    {RuleSet::Classic, std::string("\0" "4111111111111111", 17), "\t\tn/a\tUNKNOWN\tempty"},
    {RuleSet::Classic, "  4111111111111111  ", "4111111111111111\tVISA\tpass\tVISA\tok\tok"},
    {RuleSet::Classic, "4111 1111 1111 1111", "4111111111111111\tVISA\tpass\tVISA\tok\tok"},
    {RuleSet::Classic, "3782 822463 10005", "378282246310005\tAMEX\tpass\tAMEX\tok\tok"},
    {RuleSet::Classic, "4111-1111 1111-1112", "4111111111111112\tVISA\tfail\tVISA_X\tbad-check-digit"},
    {RuleSet::Classic, std::string(30, ' ') + "4111 1111 1111 1111", "4111111111111111\tVISA\tpass\tVISA\tok\tok"},
    // Either side of the 32 bytes a card text is copied into to be read as the records read it.
    {RuleSet::Classic, std::string(16, ' ') + "4111111111111111", "4111111111111111\tVISA\tpass\tVISA\tok\tok"},
    {RuleSet::Classic, std::string(13, ' ') + "4111 1111 1111 1111 ", "4111111111111111\tVISA\tpass\tVISA\tok\tok"},
    {RuleSet::Classic, "3400 0000 0000 0090", "3400000000000090\tAMEX\tn/a\t2MANY_DIGITS\ttoo-many-digits"},
    {RuleSet::Classic, "4111  1111 1111 1111", "\t\tn/a\tUNKNOWN\tnot-a-number"},
    {RuleSet::Classic, "4111 -1111-1111-1111", "\t\tn/a\tUNKNOWN\tnot-a-number"},
    {RuleSet::Classic, "4111\t1111\t1111\t1111", "\t\tn/a\tUNKNOWN\tnot-a-number"},
    {RuleSet::Classic, "4111 111111111111", "\t\tn/a\tUNKNOWN\tbad-dashes"},
    {RuleSet::Classic, "41 11", "\t\tn/a\tUNKNOWN\ttoo-few-digits"},
    {RuleSet::Classic, "411", "\t\tn/a\tUNKNOWN\ttoo-few-digits"},
    {RuleSet::Classic, "4-111111111111111", "\t\tn/a\tUNKNOWN\tbad-dashes"},
    {RuleSet::Current, "2221000000000009", "2221000000000009\tMasterCard\tpass\tMasterCard\tok\tok"},
    {RuleSet::Current, "41111111111111111111",
     "41111111111111111111\tVISA\tn/a\t2MANY_DIGITS\ttoo-many-digits"},
    {RuleSet::Current, std::string("4111111111111111\0" "1", 18), "4111111111111111\tVISA\tpass\tVISA\tok\tok"},
    {RuleSet::Current, "6011 0000 0000 0004", "6011000000000004\tDiscover\tpass\tDiscover\tok\tok"},
    // A type without a check digit: right whatever its last digit.
    {RuleSet::Current, "6200000000000000", "6200000000000000\tUnionPay\tn/a\tUnionPay\tok\tok"},
    {RuleSet::Current, "4111 1111 1111 1111 111", "\t\tn/a\tUNKNOWN\tbad-dashes"},  // as with dashes
    {RuleSet::Current, " ", "\t\tn/a\tUNKNOWN\tempty"},
};

TEST(Checker, CardRecordFields) {
    const Checker classic(RuleSet::Classic);
    const Checker current(RuleSet::Current);
    for (const CardRow& row : kCardRows) {
        const Checker& checker = row.rules == RuleSet::Classic ? classic : current;
        const CardResult result = CheckAlone(row.text, [&](std::string_view text) { return checker.CheckCard(text); });
        EXPECT_EQ(Fields(result), row.fields) << "[" << row.text << "]";
    }
}

// A group file's pairs lie over the rule set's built-in groups, as -g's do; a copy judges alike after its
// original is gone.
TEST(Checker, GroupFileOverTheBuiltInGroups) {
    const Checker classic(RuleSet::Classic, "123 45\n");
    EXPECT_EQ(Fields(classic.CheckSsn("123-45-6789")), "true\t123\t45\t6789\tNew York\tvalid\ttrue\tok\t2011-06\t");
    EXPECT_EQ(classic.HighestGroups().group[123], 45);
    EXPECT_EQ(classic.HighestGroups().group[1], 6);  // the built-in list's
    const Checker current(RuleSet::Current, "1 13");
    EXPECT_EQ(current.HighestGroups().group[1], 13);
    EXPECT_EQ(current.HighestGroups().group[2], 11);  // the June 2011 list's
    EXPECT_EQ(Fields(current.CheckSsn("001-13-0001")),
              "true\t001\t13\t0001\tNew Hampshire\tvalid\ttrue\tok\t2011-06\t");

    std::unique_ptr<Checker> original = std::make_unique<Checker>(RuleSet::Current, "123 45");
    const Checker copy(*original);
    Checker assigned(RuleSet::Classic);
    assigned = *original;
    original.reset();
    for (const Checker* checker : {&copy, static_cast<const Checker*>(&assigned)}) {
        EXPECT_EQ(checker->Rules(), RuleSet::Current);
        EXPECT_EQ(Fields(checker->CheckSsn("123-45-6789")), "true\t123\t45\t6789\tNew York\tvalid\ttrue\tok\t2011-06\t");
        EXPECT_EQ(checker->CheckCard("2221000000000009").outcome, "MasterCard");
    }
}

// One checker shared by threads: every thread reads the same answers.
TEST(Checker, SharedByThreads) {
    const Checker checker(RuleSet::Classic);
    std::vector<std::thread> threads;
    std::vector<int> right(4, 0);
    for (std::size_t t = 0; t < right.size(); ++t) {
        threads.emplace_back([&checker, &right, t] {
            for (int i = 0; i < 2000; ++i) {
                right[t] += checker.CheckSsn("123-96-0001").confirm && checker.CheckCard("4111111111111111").ok;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (const int count : right) EXPECT_EQ(count, 2000);
}

}  // namespace
}  // namespace kalderos
