// Long options come out of the argument list wherever they stand; everything else stays, in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/long_option_table.h"
#include "driver/long_options.h"

namespace kalderos {
namespace {

TEST(TakeLongOptions, LeavesTheOtherArgumentsInOrder) {
    const struct {
        std::vector<const char*> argv;
        std::vector<std::string> rest;
        OutputFormat format;
        bool quiet, header, fail_on_invalid;
    } cases[] = {
        {{"k"}, {"k"}, OutputFormat::Text, false, true, false},
        {{"k", "--quiet", "123-45-6789"}, {"k", "123-45-6789"}, OutputFormat::Text, true, true, false},
        {{"k", "123-45-6789", "-i", "l", "--format", "tsv", "-C"}, {"k", "123-45-6789", "-i", "l", "-C"},
         OutputFormat::Tsv, false, true, false},
        // The value after --format is taken whatever it looks like; the last --format counts.
        {{"k", "--format=tsv", "--format", "jsonl", "--no-header"}, {"k"}, OutputFormat::Jsonl, false, false, false},
        {{"k", "--format=text", "--fail-on-invalid", "x"}, {"k", "x"}, OutputFormat::Text, false, true, true},
        // Two dashes alone, or with one character, are short-option arguments.
        {{"k", "--", "--i", "-", "---"}, {"k", "--", "--i", "-", "---"}, OutputFormat::Text, false, true, false},
        // A short option's value in the next argument stays with it, whatever it looks like.
        {{"k", "-i", "--quiet"}, {"k", "-i", "--quiet"}, OutputFormat::Text, false, true, false},
        {{"k", "-Cg", "--", "--quiet", "-1", "--format=tsv", "-gx", "--no-header"},
         {"k", "-Cg", "--", "-1", "--format=tsv", "-gx"}, OutputFormat::Text, true, false, false},
        // A letter that is no option ends its argument before any value: what follows is a long option.
        {{"k", "-xg", "--quiet", "-", "--no-header"}, {"k", "-xg", "-"}, OutputFormat::Text, true, false, false},
        // "--" ends the options: a long option behind it is a text to check.
        {{"k", "--quiet", "--", "--no-header", "x"}, {"k", "--", "--no-header", "x"}, OutputFormat::Text, true, true,
         false},
    };
    for (const auto& row : cases) {
        RunOptions options;
        const LongOptions read = TakeLongOptions(static_cast<int>(row.argv.size()), row.argv.data(), options);
        std::vector<std::string> rest;
        for (const char* argument : read.arguments) {
            if (argument != nullptr) rest.emplace_back(argument);
        }
        const std::string shown = row.argv.size() > 1 ? row.argv[1] : "";
        EXPECT_EQ(rest, row.rest) << shown;
        EXPECT_EQ(read.arguments.back(), nullptr) << shown;
        EXPECT_EQ(options.format, row.format) << shown;
        EXPECT_EQ(options.quiet, row.quiet) << shown;
        EXPECT_EQ(options.header, row.header) << shown;
        EXPECT_EQ(options.fail_on_invalid, row.fail_on_invalid) << shown;
    }
}

// A long option is "--" and a name of two or more characters that starts with a letter; anything else is left
// to the short options (where a leading "-" asks for the help screen).
TEST(IsLongOption, IsANameOfTwoOrMoreCharactersStartingWithALetter) {
    const struct {
        const char* argument;
        bool long_option;
    } rows[] = {
        {"--", false},       {"--i", false},      {"--4", false},        {"---4000000000000002", false},
        {"----4000000000000002", false},          {"---x", false},       {"--4x", false},
        {"--i=x", false},    {"-quiet", false},   {"--qu", true},        {"--Qu", true},
        {"--zz", true},      {"--a-", true},      {"--format=tsv", true}, {"--ab=", true},
        {"--@a", false},     {"--[a", false},     {"--`a", false},       {"--{a", false},
    };
    for (const auto& row : rows) EXPECT_EQ(IsLongOption(row.argument), row.long_option) << row.argument;
}

// Every option --help lists is taken, a switch alone and an option with a value with each value it names (the
// rule sets by their names); a value it does not name is refused.
TEST(TakeLongOptions, TakesEveryOptionOfTheTableWithEachValue) {
    for (const LongOptionRow& row : kLongOptions) {
        std::vector<std::string> given;
        for (const OptionValue& value : row.values) given.push_back(std::string(value.name));
        if (row.values.empty()) given.push_back(row.placeholder.empty() ? "" : "7");
        for (const std::string& value : given) {
            const std::string argument = "--" + std::string(row.name) + (value.empty() ? "" : "=" + value);
            const std::vector<const char*> argv{"k", argument.c_str()};
            RunOptions options;
            EXPECT_EQ(TakeLongOptions(2, argv.data(), options).problem, "") << argument;
        }
        // Any name is a column's; any byte but a quote or a line end parts fields.
        const bool delimiter = row.option == LongOption::Delimiter || row.option == LongOption::OutputDelimiter;
        const std::string bad = row.option == LongOption::Column ? "0" : delimiter ? "ab" : "x";
        const std::string refused = "--" + std::string(row.name) + "=" + bad;
        const std::vector<const char*> argv{"k", refused.c_str()};
        RunOptions options;
        EXPECT_NE(TakeLongOptions(2, argv.data(), options).problem, "") << refused;
    }
    const std::vector<const char*> argv{"k", "--rules=current", "--jobs", "0"};
    RunOptions options;
    EXPECT_TRUE(TakeLongOptions(4, argv.data(), options).rules_given);
    EXPECT_EQ(options.rules, RuleSet::Current);
    EXPECT_EQ(options.jobs, 0);
}

}  // namespace
}  // namespace kalderos
