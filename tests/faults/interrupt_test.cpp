// Ctrl-C (SIGINT from outside) wherever a run can be busy or waiting: in a long list, reading a group file or a
// console line that never ends, opening a FIFO nobody writes, writing to a pipe nobody reads, and at the help
// screen's pause, where every signal that ends the process must leave the terminal as it found it.
// A script's background job starts with SIGINT ignored, and the run leaves it so; `(trap - INT; exec ...) &` puts
// the default back first, so that the run is one a Ctrl-C reaches, as in the foreground at a terminal.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "common/screen_text.h"
#include "faults/fault_fixture.h"
#include "pty/pty_session.h"

namespace kalderos::test {
namespace {

// A list file of a few million lines, Ctrl-C as soon as results have reached the output file (from a pipe its
// leading empty line may come first, alone): the run must stop early, and every line it printed must be whole;
// with threads checking the list too, read from the file or from a pipe.
TEST_F(Faults, CtrlCInAPlainListFileStopsEarlyWithEveryLineWhole) {
    constexpr std::size_t kLines = 4000000;
    const std::string list = File("list.txt", NumberList(kLines));
    for (const std::string jobs : {"1", "3", "3 from a pipe"}) {
        const std::string output = dir_ + "/out " + jobs + ".txt";
        const ProcessResult result = Script(R"(if [ "${3#* }" = "$3" ]; then exec 3< "$1"; else exec 3< <(cat "$1"); fi
                                               (trap - INT; exec "$0" -i /dev/stdin --jobs="${3%% *}" <&3 > "$2") & pid=$!
                                               while [ $(stat -c %s "$2" 2> /dev/null || echo 0) -lt 100 ]; do :; done
                                               kill -INT "$pid"
                                               wait "$pid")",
                                            {list, output, jobs});
        ASSERT_FALSE(result.timed_out) << jobs;
        EXPECT_EQ(result.err, "") << jobs;  // a long option, and standard error no terminal: no banner
        EXPECT_EQ(result.exit_code, 2) << jobs;

        const std::size_t count = CountWholeResultLines(output);
        EXPECT_GT(count, 0u) << jobs;
        EXPECT_LT(count, kLines) << "the run was not stopped with --jobs=" << jobs;
    }
}

// Runs that would otherwise go on for ever, or wait for ever, each sent one SIGINT once its banner is out and it
// has had time to get busy. A run that ignores it is killed after ten seconds, and the test fails on its status.
TEST_F(Faults, CtrlCEndsABusyOrWaitingRunWithExitCode2) {
    ASSERT_EQ(::mkfifo((dir_ + "/fifo").c_str(), 0600), 0);
    const std::string prompt = "\n\nLast update of valid numbers: 4/2011\nInput the ssn to check: (return to end): ";
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* input;
        std::string out;
    } cases[] = {
        {"reading a group file without end", {"123-45-6789", "-g", "/dev/zero"}, "/dev/null", ""},
        {"reading a console line without end", {}, "/dev/zero", prompt},
        {"opening a list file nobody writes", {"-i", "fifo"}, "/dev/null", ""},
        {"opening a group file nobody writes", {"123-45-6789", "-g", "fifo"}, "/dev/null", ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{c.input};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProcessResult result = Script(R"(rm -f out.txt err.txt
                                               (trap - INT; exec "$0" "${@:2}" < "$1" > out.txt 2> err.txt) & pid=$!
                                               while [ ! -s err.txt ]; do sleep 0.01; done
                                               sleep 0.3
                                               kill -INT "$pid"
                                               (sleep 10; kill -KILL "$pid") > /dev/null 2>&1 & watchdog=$!
                                               wait "$pid"; status=$?
                                               kill "$watchdog"
                                               exit "$status")",
                                            args, 60);
        ASSERT_FALSE(result.timed_out) << c.name;
        EXPECT_EQ(result.exit_code, 2) << c.name;
        EXPECT_EQ(ReadWhole(dir_ + "/out.txt"), c.out) << c.name;
        EXPECT_EQ(ReadWhole(dir_ + "/err.txt"), Banner()) << c.name;
    }
}

// A run started with SIGINT ignored, as a shell starts a background job of a script, leaves it ignored: a Ctrl-C
// meant for the foreground neither ends it while it waits to open a FIFO nor while it is busy with a long list.
TEST_F(Faults, AnInterruptIgnoredFromTheStartStaysIgnored) {
    constexpr std::size_t kLines = 1000000;
    const std::string list = File("list.txt", NumberList(kLines));
    const struct {
        const char* name;
        const char* feed;  // what the FIFO gets once SIGINT has been sent
        std::size_t lines;
    } cases[] = {
        {"waiting to open a list file", "printf '123-45-6789\\n' > fifo", 1},
        {"in a long list", "cat list.txt > fifo", kLines},
    };
    for (const auto& c : cases) {
        const ProcessResult result = Script(R"(rm -f fifo out.txt err.txt; mkfifo fifo || exit 99
                                               (trap '' INT; exec "$0" -i fifo > out.txt 2> err.txt) & pid=$!
                                               while [ ! -s err.txt ]; do sleep 0.01; done
                                               sleep 0.2
                                               kill -INT "$pid"
                                               sleep 0.2
                                               eval "$1" > /dev/null 2>&1 & feeder=$!
                                               sleep 0.2
                                               kill -INT "$pid"
                                               wait "$pid"; status=$?
                                               kill "$feeder" 2> /dev/null
                                               exit "$status")",
                                            {c.feed}, 60);
        ASSERT_FALSE(result.timed_out) << c.name;
        EXPECT_EQ(result.exit_code, 0) << c.name;
        EXPECT_EQ(ReadWhole(dir_ + "/err.txt"), Banner()) << c.name;
        EXPECT_EQ(CountWholeResultLines(dir_ + "/out.txt"), c.lines) << c.name;
    }
}

// Standard output is a pipe whose reader takes nothing: the run sleeps in a write until Ctrl-C, which must end
// it then and there. The reader is sent away after ten seconds, so that a run still asleep fails the test.
TEST_F(Faults, CtrlCEndsAWriteToAStalledPipeWithExitCode2) {
    const std::string list = File("list.txt", NumberList(100000));
    const ProcessResult result = Script(R"sh(mkfifo stalled
                                           sleep 60 < stalled & reader=$!
                                           (trap - INT; exec "$0" -i "$1" > stalled 2> err.txt) & pid=$!
                                           while [ ! -s err.txt ]; do sleep 0.01; done
                                           while [ "$(cut -d' ' -f3 /proc/$pid/stat)" != S ]; do sleep 0.01; done
                                           sleep 0.2
                                           kill -INT "$pid"
                                           (sleep 10; kill "$reader") > /dev/null 2>&1 & watchdog=$!
                                           wait "$pid"; status=$?
                                           kill "$watchdog" "$reader"
                                           exit "$status")sh",
                                        {list}, 60);
    ASSERT_FALSE(result.timed_out);
    EXPECT_EQ(result.exit_code, 2);
    EXPECT_EQ(ReadWhole(dir_ + "/err.txt"), Banner());
}

// The lines of `path`; false when its last line has no line end.
bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    const std::string text = ReadWhole(path);
    std::size_t at = 0;
    for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
        lines.push_back(text.substr(at, end - at));
    }
    return at == text.size();
}

// Ctrl-C while a write waits for a reader that still takes data (a compressor behind a pipe): the run finishes
// what it was writing before it ends, never leaving a cut record or line. Several runs each, as Ctrl-C lands
// at a different place every time.
TEST_F(Faults, CtrlCWhileTheReaderTakesDataEndsOnAWholeRecord) {
    constexpr std::size_t kLines = 4000000;
    const std::string list = File("list.txt", NumberList(kLines));
    File("seven.txt", NumberList(kNumbers.size()));
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::size_t header_lines;  // lines before the first result: the text format's empty line, a header row
        bool banner;
    } formats[] = {
        {"text", {}, 1, true},
        {"tsv", {"--format=tsv"}, 1, false},
        {"jsonl", {"--format=jsonl"}, 0, false},
    };
    for (const auto& format : formats) {
        std::vector<std::string> args = format.args;
        args.insert(args.end(), {"-i", "seven.txt"});
        std::vector<std::string> command{kBinary};
        command.insert(command.end(), args.begin(), args.end());
        const ProcessResult seven = Run(command);
        std::vector<std::string> results;
        for (std::size_t at = 0, end; (end = seven.out.find('\n', at)) != std::string::npos; at = end + 1) {
            results.push_back(seven.out.substr(at, end - at));
        }
        ASSERT_EQ(results.size(), format.header_lines + kNumbers.size()) << format.name;
        args.back() = list;
        for (int run = 0; run < 4; ++run) {
            const std::string which = std::string(format.name) + ", run " + std::to_string(run + 1);
            const ProcessResult result = Script(R"sh(rm -f p o.gz out.txt; mkfifo p
                                                   gzip -1 < p > o.gz & zipper=$!
                                                   (trap - INT; exec "$0" "$@" > p 2> err.txt) & pid=$!
                                                   # Ctrl-C once the run sleeps in a write the reader holds up
                                                   while [ -e /proc/$pid ] &&
                                                         [ "$(cut -d' ' -f2,3 /proc/$pid/stat)" != "($(basename "$0")) S" ]
                                                   do :; done
                                                   kill -INT "$pid"
                                                   wait "$pid"; status=$?
                                                   wait "$zipper"
                                                   gzip -dc o.gz > out.txt
                                                   exit "$status")sh",
                                                args, 120);
            ASSERT_FALSE(result.timed_out) << which;
            EXPECT_EQ(result.exit_code, 2) << which;
            EXPECT_EQ(ReadWhole(dir_ + "/err.txt"), format.banner ? Banner() : "") << which;
            std::vector<std::string> lines;
            EXPECT_TRUE(ReadLines(dir_ + "/out.txt", lines)) << which << ": the last line is cut";
            ASSERT_GT(lines.size(), format.header_lines) << which;
            ASSERT_LT(lines.size(), format.header_lines + kLines) << which << ": the run was not stopped";
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const std::size_t result_line = i < format.header_lines
                                                    ? i
                                                    : format.header_lines + (i - format.header_lines) % kNumbers.size();
                ASSERT_EQ(lines[i], results[result_line]) << which << ", line " << i + 1;
            }
        }
    }
}

// The help screen's pause reads its key from a raw terminal. A signal from outside that ends the process must
// put the terminal's settings back first; SIGINT from outside (not the key, which arrives as a character) ends
// the run at once, as the Ctrl-C key there does, with 5.
struct PauseSignal {
    const char* name;
    int signal_number;
    int exit_code;    // when it ends by exiting
    int died_by;      // when it ends by the signal
};

void PrintTo(const PauseSignal& row, std::ostream* out) { *out << row.name; }

class SignalAtTheHelpPause : public ::testing::TestWithParam<PauseSignal> {};

TEST_P(SignalAtTheHelpPause, EndsTheRunAndRestoresTheTerminal) {
    const PauseSignal& row = GetParam();
    const rlimit no_core{0, 0};
    ::setrlimit(RLIMIT_CORE, &no_core);  // SIGQUIT's default would leave a core file
    PtySession session({KALDEROS_BINARY, "-z"});
    ASSERT_TRUE(session.WaitFor(PagerPrompt()));
    ASSERT_TRUE(session.WaitForKeyRead());
    session.SendSignal(row.signal_number);
    const PtyEnd end = session.Finish();

    ASSERT_FALSE(end.timed_out);
    EXPECT_EQ(end.signal, row.died_by);
    if (row.died_by == 0) {
        EXPECT_EQ(end.exit_code, row.exit_code);
    }
    EXPECT_EQ(Visible(end.screen), Visible(ExpectedBanner(5) + HelpPageOne() + PagerPrompt()));
    const termios after = session.Settings();
    const termios& before = session.InitialSettings();
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(0, std::memcmp(after.c_cc, before.c_cc, sizeof before.c_cc)) << "control characters changed";
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalAtTheHelpPause,
                         ::testing::Values(PauseSignal{"SIGQUIT", SIGQUIT, 0, SIGQUIT},
                                           PauseSignal{"SIGUSR1", SIGUSR1, 0, SIGUSR1},
                                           PauseSignal{"SIGALRM", SIGALRM, 0, SIGALRM},
                                           PauseSignal{"SIGINT", SIGINT, 5, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kalderos::test
