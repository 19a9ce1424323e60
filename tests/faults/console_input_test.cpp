// The console dialogue with standard input redirected: nothing beyond the line just answered may be taken from
// standard input, yet a long line from a file must not cost one read per byte.
#include <gtest/gtest.h>

#include <string>

#include "faults/fault_fixture.h"

namespace kalderos::test {
namespace {

constexpr const char* kPrompt = "\nLast update of valid numbers: 4/2011\nInput the ssn to check: (return to end): ";

// Whoever reads standard input after the program finds it exactly behind the empty line that ended the
// dialogue, whether it is a file (read a block at a time, then wound back) or a pipe (read a byte at a time).
TEST_F(Faults, ConsoleLeavesTheRestOfStandardInputUnread) {
    const std::string long_tail(20000, 'x');
    File("input.txt", "123-45-6789\n123-96-0001" + long_tail + "\r\n\nthe rest\nof the input\n");
    const std::string out = "\n" + std::string(kPrompt) + kNumbers[0].second + "\n" + kPrompt +
                            kNumbers[1].second + "\n" + kPrompt + "the rest\nof the input\n";
    const struct {
        const char* name;
        const char* script;
    } cases[] = {
        {"a file", R"({ "$0"; cat; } < input.txt)"},
        {"a pipe", R"(cat input.txt | { "$0"; cat; })"},
    };
    for (const auto& c : cases) {
        const ProcessResult result = Script(c.script, {}, 30);
        EXPECT_EQ(result.out, out) << c.name;
        EXPECT_EQ(result.err, Banner()) << c.name;
        EXPECT_EQ(result.exit_code, 0) << c.name;
    }
}

// One line of 16 MB from a file: read a byte at a time it takes many seconds.
TEST_F(Faults, ConsoleReadsALongLineFromAFileQuickly) {
    File("long.txt", "123-45-6789" + std::string(std::size_t{16} << 20, '7') + "\n\n");
    const ProcessResult result = Script(R"("$0" < long.txt)", {}, 5);
    ASSERT_FALSE(result.timed_out);
    EXPECT_EQ(result.out, "\n" + std::string(kPrompt) + kNumbers[0].second + "\n" + kPrompt);
    EXPECT_EQ(result.exit_code, 0);
}

}  // namespace
}  // namespace kalderos::test
