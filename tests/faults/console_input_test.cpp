// The console dialogue with standard input redirected: nothing beyond the line just answered may be taken from
// standard input, yet a long line from a file must not cost one read per byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// A line from a pipe or a FIFO is answered as soon as it has arrived, its result written out before the run
// waits for the next one (as under `tail -f log | kalderos ...`): the second line is sent only once the first
// one's result is out, or after thirty seconds.
TEST_F(Faults, LinesFromAPipeAreAnsweredAsTheyArrive) {
    const std::string tsv = "123-96-0001\ttrue\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06\n";
    const std::string header = "input\twell_formed\tarea\tgroup\tserial\tplace\tverdict\tconfirm\treason\tissued_after\tissued_by\n";
    const std::string card_line = "\n        VISA |     4111111111111111";
    const struct {
        const char* name;
        std::vector<std::string> args;  // "in" is the FIFO, also standard input
        std::string line;   // written as it stands, then again
        std::string first;  // standard output once the first line is answered
    } cases[] = {
        {"tsv", {"--format=tsv", "--no-header"}, "123-96-0001\n", tsv},
        {"tsv with its header", {"--format=tsv"}, "123-96-0001\n", header + tsv},
        {"jsonl", {"--format=jsonl"}, "123-96-0001\n",
         R"({"input":"123-96-0001","well_formed":true,"area":"123","group":"96","serial":"0001","place":"New York",)"
         R"("verdict":"valid","confirm":true,"reason":"ok","issued_after":"2007-07","issued_by":"2011-06"})" "\n"},
        {"card records", {"-C", "--format=tsv", "--no-header"}, "4111111111111111\n",
         "4111111111111111\t4111111111111111\tVISA\tpass\tVISA\tok\n"},
        {"text list file", {"-i", "in"}, "123-96-0001\n", "\n" + std::string(kNumbers[1].second) + "\n"},
        {"text card list file", {"-C", "-i", "in"}, "4111111111111111\n", card_line},
        {"tsv by threads", {"--jobs=2", "--format=tsv", "--no-header"}, "123-96-0001\n", tsv},
        {"text list file by threads", {"--jobs=3", "-i", "in"}, "123-96-0001\n", "\n" + std::string(kNumbers[1].second) + "\n"},
        // A CSV input's first rows, read to find the column, are answered before the reader waits for more.
        {"csv rows", {"--column=1", "--no-header", "--format=tsv"}, "123-96-0001\n", tsv},
        {"csv rows after their header", {"--column=SSN", "--format=tsv"}, "SSN\n123-96-0001\n", header + tsv},
        // Without long options the pieces of a long line are answered before its end arrives (with one, the
        // line is one text, answered once it has ended).
        {"pieces of a long line", {"-i", "in"}, std::string(600, '5'),
         "\nSSN: 555-55-5555   California            VALID=YES\nSSN: 555-55-5555   California            VALID=YES\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{c.first, c.line};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProcessResult result = Script(R"sh(rm -f in out.txt; mkfifo in
                                               "$0" "${@:3}" < in > out.txt 2> /dev/null & pid=$!
                                               exec 3> in
                                               printf '%s' "$2" >&3
                                               for i in $(seq 300); do
                                                 [ "$(stat -c %s out.txt)" -ge "${#1}" ] && break
                                                 sleep 0.1
                                               done
                                               cp out.txt first.txt
                                               printf '%s' "$2" >&3
                                               exec 3>&-
                                               wait "$pid")sh",
                                            args, 90);
        ASSERT_FALSE(result.timed_out) << c.name;
        EXPECT_EQ(result.exit_code, 0) << c.name;
        EXPECT_EQ(ReadWhole(dir_ + "/first.txt"), c.first) << c.name;
    }
}

}  // namespace
}  // namespace kalderos::test
