// Long options come out of the argument list wherever they stand; everything else stays, in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
        {{"k", "-i", "--quiet"}, {"k", "-i"}, OutputFormat::Text, true, true, false},
    };
    for (const auto& row : cases) {
        const LongOptions options = TakeLongOptions(static_cast<int>(row.argv.size()), row.argv.data());
        std::vector<std::string> rest;
        for (const char* argument : options.arguments) {
            if (argument != nullptr) rest.emplace_back(argument);
        }
        const std::string shown = row.argv.size() > 1 ? row.argv[1] : "";
        EXPECT_EQ(rest, row.rest) << shown;
        EXPECT_EQ(options.arguments.back(), nullptr) << shown;
        EXPECT_EQ(options.format, row.format) << shown;
        EXPECT_EQ(options.quiet, row.quiet) << shown;
        EXPECT_EQ(options.header, row.header) << shown;
        EXPECT_EQ(options.fail_on_invalid, row.fail_on_invalid) << shown;
    }
}

TEST(IsLongOption, NeedsTwoCharactersAfterTheDashes) {
    EXPECT_FALSE(IsLongOption("--"));
    EXPECT_FALSE(IsLongOption("--i"));
    EXPECT_FALSE(IsLongOption("-quiet"));
    EXPECT_TRUE(IsLongOption("--qu"));
    EXPECT_TRUE(IsLongOption("---"  "x"));
}

}  // namespace
}  // namespace kalderos
