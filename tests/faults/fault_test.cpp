// The built program under faults from outside: standard output on a full disk, under a file-size limit, on a
// pipe closed early or left non-blocking, or the very list file it reads; files it may not read, a working
// directory removed under it, Ctrl-C in the middle of a long list, and no memory for any of its allocations.
// Each run states its exit code and its exact messages.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/screen_text.h"
#include "driver/run_state.h"
#include "faults/fault_fixture.h"

namespace kalderos::test {
namespace {

// The environment that makes allocations fail (see failing_new.cpp): `setting` is KALDEROS_FAIL_NEW_SIZE or
// KALDEROS_FAIL_NEW_INDEX.
std::vector<std::string> FailingAllocation(const char* setting, std::size_t value) {
    const char* sanitizer_options = std::getenv("ASAN_OPTIONS");
    // The library comes before a sanitizer runtime, which would otherwise refuse to start.
    const std::string asan_options =
        std::string("ASAN_OPTIONS=") + (sanitizer_options ? sanitizer_options : "") + ":verify_asan_link_order=0";
    return {"LD_PRELOAD=" KALDEROS_FAILING_NEW, std::string(setting) + "=" + std::to_string(value), asan_options};
}

// A run that was ending with another code anyway (the help screen) keeps it, and still reports the lost output;
// a lost write outweighs an invalid number under --fail-on-invalid.
// With a long option the report is one line, as every diagnostic is then.
TEST_F(Faults, FullDiskIsReportedAndEndsWithExitCode3) {
    const std::string message = "\nError writing standard output: No space left on device\n";
    const std::string line = "kalderos: cannot write standard output: No space left on device\n";
    const struct {
        const char* name;
        std::vector<std::string> args;
        int exit_code;
        bool banner = true;
        bool one_line = true;
    } cases[] = {
        {"a single number", {"123-45-6789"}, 3, true, false},
        {"a short list", {"-i", File("short.txt", NumberList(10))}, 3, true, false},
        {"a list longer than the output buffer", {"-i", File("long.txt", NumberList(100000))}, 3, true, false},
        {"the same list checked by three threads", {"--jobs=3", "-i", dir_ + "/long.txt"}, 3, false},
        {"records checked by two threads", {"--jobs=2", "--format=jsonl", "-i", dir_ + "/long.txt"}, 3, false},
        {"card mode", {"-C", "-i", File("cards.txt", "4111111111111111\n378282246310005\n")}, 3, true, false},
        {"the help screen", {"-x"}, 5, true, false},
        {"--help", {"--help"}, 3, false},
        {"--version", {"--version", "-C"}, 3, false},
        {"--quiet, a list", {"--quiet", "-i", File("quiet.txt", NumberList(10))}, 3, false},
        {"an invalid number under --fail-on-invalid", {"--fail-on-invalid", "123-45-6789"}, 3, false},
        {"a bad check digit under --fail-on-invalid", {"4000000000000001", "-C", "--fail-on-invalid"}, 3, false},
        {"invalid records under --fail-on-invalid", {"--format=tsv", "--fail-on-invalid", "123-45-6789"}, 3, false},
        {"invalid card records under --fail-on-invalid", {"1", "-C", "--format=jsonl", "--fail-on-invalid"}, 3,
         false},
    };
    for (const auto& c : cases) {
        std::vector<std::string> command{kBinary};
        command.insert(command.end(), c.args.begin(), c.args.end());
        const ProcessResult result = Run(command, "/dev/full");
        EXPECT_EQ(result.signal, 0) << c.name;
        EXPECT_EQ(result.err, (c.banner ? Banner() : "") + (c.one_line ? line : message)) << c.name;
        EXPECT_EQ(result.exit_code, c.exit_code) << c.name;
    }
}

// Input that never ends must not keep a run going whose output can go nowhere.
TEST_F(Faults, EndlessInputIntoAFullDiskEndsPromptly) {
    const std::string message = "\nError writing standard output: No space left on device\n";
    const struct {
        const char* name;
        const char* line;
        const char* mode;
    } cases[] = {
        {"SSNs", "123-45-6789", ""},
        {"card numbers", "4111111111111111", "-C"},
    };
    for (const auto& c : cases) {
        const ProcessResult result = Script(R"(yes "$1" 2>/dev/null | "$0" $2 -i /dev/stdin > /dev/full
                                               exit "${PIPESTATUS[1]}")",
                                            {c.line, c.mode}, 30);
        ASSERT_FALSE(result.timed_out) << c.name;
        EXPECT_EQ(result.err, Banner() + message) << c.name;
        EXPECT_EQ(result.exit_code, 3) << c.name;
    }
}

// A limit on the size of the files the run may write (ulimit -f) is a full disk of another kind, not a reason
// to die by a signal.
TEST_F(Faults, FileSizeLimitIsReportedAndEndsWithExitCode3) {
    const std::string message = "\nError writing standard output: File too large\n";
    const struct {
        const char* name;
        std::vector<std::string> args;
    } cases[] = {
        {"SSNs", {"-i", File("long.txt", NumberList(100000))}},
        {"card numbers", {"-C", "-i", File("cards.txt", CardList(50000))}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> command{"bash", "-c", R"(ulimit -f 100; exec "$0" "$@")", kBinary};
        command.insert(command.end(), c.args.begin(), c.args.end());
        const ProcessResult result = Run(command, dir_ + "/out.txt");
        EXPECT_EQ(result.signal, 0) << c.name;
        EXPECT_EQ(result.err, Banner() + message) << c.name;
        EXPECT_EQ(result.exit_code, 3) << c.name;
        EXPECT_EQ(ReadWhole(dir_ + "/out.txt").size(), 100u * 1024u) << c.name;
    }
}

// Some parent programs leave the pipe they hand over as standard output non-blocking; a full pipe is then
// reported as "try again", which is no failure: the run waits for the reader and goes on. A reader that takes
// less than a write at a time makes the write a short one, whose rest is written after it.
TEST_F(Faults, NonBlockingOutputPipeIsWaitedFor) {
    constexpr std::size_t kLines = 100000;
    std::string card_results;
    for (std::size_t i = 0; i < kLines; ++i) card_results += "\n        VISA |     4111111111111111";
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string out;
        std::size_t read_chunk = 65536;
    } cases[] = {
        {"SSNs", {"-i", File("long.txt", NumberList(kLines))}, NumberResults(kLines)},
        {"card numbers", {"-C", "-i", File("cards.txt", CardList(kLines))}, card_results + "\n"},
        {"SSNs read 5000 bytes at a time", {"-i", File("long.txt", NumberList(kLines))}, NumberResults(kLines), 5000},
    };
    for (const auto& c : cases) {
        ProcessSpec spec;
        spec.argv = {kBinary};
        spec.argv.insert(spec.argv.end(), c.args.begin(), c.args.end());
        spec.nonblocking_stdout = true;
        spec.read_delay_ms = 300;
        spec.read_chunk = c.read_chunk;
        const ProcessResult result = Run(spec);
        EXPECT_EQ(result.err, Banner()) << c.name;
        EXPECT_EQ(result.exit_code, 0) << c.name;
        EXPECT_TRUE(result.out == c.out) << c.name << ": " << result.out.size() << " bytes of " << c.out.size();
    }
}

// As cat does: a list file that is also standard output, written at or past where it is read, would be read
// back without end. The run refuses before it checks anything. A list that is truncated first, or a list that is
// not read (a number given as the first argument), is no such case.
TEST_F(Faults, ListFileThatIsAlsoStandardOutputIsRefused) {
    // Longer than the read buffer and the output buffer together, so that output reaches the file before the
    // end of the list has been read.
    const std::string list = NumberList(30000);
    const std::string refusal = "\nError: input file " + dir_ + "/list.txt is also standard output\n";
    const std::string unwritable = "\nError writing standard output: Bad file descriptor\n";
    const std::string input_refusal = "Error: standard input is also standard output\n";
    // With a long option the refusal is one line on standard error, without the console's blank line.
    const std::string record_refusal = "kalderos: list file '" + dir_ + "/list.txt' is also standard output\n";
    const std::string record_input_refusal = "kalderos: standard input is also standard output\n";
    const struct {
        const char* name;
        const char* script;  // run in the test's directory, list.txt there holding the list
        int exit_code;
        std::string err;
        std::string file;  // list.txt afterwards
    } cases[] = {
        {"appended", R"("$0" -i list.txt >> list.txt)", 2, Banner() + refusal, list},
        {"appended in card mode", R"("$0" -C -i list.txt >> list.txt)", 2, Banner() + refusal, list},
        {"appended as records", R"("$0" --format=tsv -i list.txt >> list.txt)", 2, record_refusal, list},
        {"appended as card records", R"("$0" -C --format=jsonl -i list.txt >> list.txt)", 2, record_refusal, list},
        {"written from the start", R"("$0" -i list.txt 1<> list.txt)", 2, Banner() + refusal, list},
        {"truncated first", R"("$0" -i list.txt > list.txt)", 0, Banner(), "\n"},
        // An output that cannot be written is reported as such, even when the list has taken its descriptor.
        {"standard output closed", R"("$0" -i list.txt >&-)", 3, Banner() + unwritable, list},
        {"standard output open for reading only", R"("$0" -i list.txt 1< list.txt)", 3, Banner() + unwritable, list},
        {"not read", R"("$0" 123-45-6789 -i list.txt >> list.txt)", 0, Banner(),
         list + "\n" + kNumbers[0].second + "\n"},
        // Standard input as the list, in the record formats and at the console.
        {"standard input appended, tsv", R"("$0" --format=tsv < list.txt >> list.txt)", 2, record_input_refusal,
         list},
        {"standard input appended, jsonl", R"("$0" --format=jsonl < list.txt >> list.txt)", 2, record_input_refusal,
         list},
        {"standard input appended, card records", R"("$0" -C --format=tsv < list.txt >> list.txt)", 2,
         record_input_refusal, list},
        {"standard input written from the start", R"("$0" --format=jsonl < list.txt 1<> list.txt)", 2,
         record_input_refusal, list},
        {"standard input appended, --quiet", R"("$0" --quiet < list.txt >> list.txt)", 2, record_input_refusal,
         list},
        {"numbers, then a list appended", R"("$0" --quiet 123-45-6789 -i list.txt >> list.txt)", 2, record_refusal,
         list},
        {"standard input at the console", R"("$0" < list.txt >> list.txt)", 2, Banner() + "\n" + input_refusal,
         list},
        {"standard input at the console in card mode", R"("$0" -C < list.txt 1<> list.txt)", 2,
         Banner() + "\n" + input_refusal, list},
        {"standard input truncated first", R"("$0" --format=tsv < list.txt > list.txt)", 0, "",
         "input\twell_formed\tarea\tgroup\tserial\tplace\tverdict\tconfirm\treason\tissued_after\tissued_by\n"},
        {"standard input not read", R"("$0" --format=tsv --no-header 123-96-0001 < list.txt >> list.txt)", 0, "",
         list + "123-96-0001\ttrue\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06\n"},
    };
    for (const auto& c : cases) {
        File("list.txt", list);
        // A run that does grow the file without end is stopped by the file-size limit or the timeout.
        const std::string script = std::string("ulimit -f 20000; ") + c.script;
        const ProcessResult result = Script(script.c_str(), {}, 20);
        ASSERT_FALSE(result.timed_out) << c.name;
        EXPECT_EQ(result.out, "") << c.name;
        EXPECT_EQ(result.err, c.err) << c.name;
        EXPECT_EQ(result.exit_code, c.exit_code) << c.name;
        const std::string file = ReadWhole(dir_ + "/list.txt");
        EXPECT_TRUE(file == c.file) << c.name << ": " << file.size() << " bytes for " << c.file.size();
    }
}

// Standard input that cannot be read (a directory) ends the run with 2 and says so: with a long option one line
// on standard error naming standard input, without one the console's message after its prompts.
TEST_F(Faults, UnreadableStandardInputIsNamed) {
    const struct {
        const char* script;
        std::string out;
        std::string err;
    } cases[] = {
        {R"("$0" --format=tsv --no-header < .)", "", "kalderos: cannot read standard input: Is a directory\n"},
        {R"("$0" -C --format=jsonl < .)", "", "kalderos: cannot read standard input: Is a directory\n"},
        {R"("$0" --quiet < .)", "", "kalderos: cannot read standard input: Is a directory\n"},
        // Threads read standard input as they would a list file, and still name it for what it is.
        {R"("$0" --jobs=2 --format=tsv --no-header < .)", "", "kalderos: cannot read standard input: Is a directory\n"},
        {R"("$0" --quiet --jobs=3 < .)", "", "kalderos: cannot read standard input: Is a directory\n"},
        {R"("$0" < .)", "\n" + ConsolePrompts() + "\nError reading standard input", Banner()},
    };
    for (const auto& c : cases) {
        const ProcessResult result = Script(c.script);
        EXPECT_EQ(result.out, c.out) << c.script;
        EXPECT_EQ(result.err, c.err) << c.script;
        EXPECT_EQ(result.exit_code, 2) << c.script;
    }
}

// As `kalderos -i list | head -n 1`: the reader goes away after the first line, while most lines are unwritten.
TEST_F(Faults, PipeClosedEarlyEndsQuietlyWithExitCode3) {
    const std::string list = File("list.txt", NumberList(100000));
    const ProcessResult result =
        Run({"bash", "-c", R"("$0" -i "$1" | head -n 1; exit "${PIPESTATUS[0]}")", kBinary, list});
    ASSERT_FALSE(result.timed_out);
    EXPECT_EQ(result.out, "\n");
    EXPECT_EQ(result.err, Banner());
    EXPECT_EQ(result.exit_code, 3);
}

// Root reads every file whatever its mode; as root the program runs as the user nobody, from a copy that user
// may execute in a directory that user may enter.
TEST_F(Faults, FilesWithoutReadPermissionCannotBeOpened) {
    std::vector<std::string> command{kBinary};
    if (::geteuid() == 0) {
        if (::access("/usr/bin/setpriv", X_OK) != 0) {
            GTEST_SKIP() << "running as root, which may read any file, and without setpriv to run as another user";
        }
        const std::string copy = dir_ + "/kalderos";
        std::filesystem::copy_file(kBinary, copy);
        ::chmod(copy.c_str(), 0755);
        ::chmod(dir_.c_str(), 0755);
        command = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", copy};
    }
    const std::string list = File("list.txt", NumberList(3));
    const std::string groups = File("groups.txt", "772 72\n");
    ::chmod(list.c_str(), 0);
    ::chmod(groups.c_str(), 0);

    std::vector<std::string> with_list = command;
    with_list.insert(with_list.end(), {"-i", list});
    const ProcessResult list_result = Run(with_list);
    EXPECT_EQ(list_result.out, "\nError opening input file " + list);
    EXPECT_EQ(list_result.err, Banner());
    EXPECT_EQ(list_result.exit_code, 2);

    std::vector<std::string> with_groups = command;
    with_groups.insert(with_groups.end(), {"123-45-6789", "-g", groups});
    const ProcessResult group_result = Run(with_groups);
    EXPECT_EQ(group_result.out, "");
    EXPECT_EQ(group_result.err, Banner() + "\nError opening " + groups + " group file\n");
    EXPECT_EQ(group_result.exit_code, 5);
}

// Ctrl-C as soon as the first results have reached the file (more than the empty line, which is written out
// while the run waits for the FIFO's first lines; before the shell has made the file, none). The list comes through a FIFO whose writer keeps it open
// after the last line, so the run cannot have come to the end of its input before Ctrl-C, however slowly the
// signal is sent on a busy machine. The run gets SIGINT's default back, which a background job of a script
// would otherwise start without.
TEST_F(Faults, CtrlCInALongListKeepsEveryLinePrintedWhole) {
    constexpr std::size_t kLines = 2000000;
    const std::string list = File("list.txt", NumberList(kLines));
    const std::string output = dir_ + "/out.txt";
    const ProcessResult result = Run({"bash", "-c",
                                      R"(mkfifo "$3"
                                         (trap - INT; exec "$0" -i "$3" > "$2") & pid=$!
                                         (cat "$1"; exec sleep 60) > "$3" 2>/dev/null & feeder=$!
                                         while [ ! -e "$2" ] || [ $(stat -c %s "$2") -le 1 ]; do sleep 0.001; done
                                         kill -INT "$pid"
                                         wait "$pid"; status=$?
                                         kill "$feeder"
                                         exit "$status")",
                                      kBinary, list, output, dir_ + "/fifo"});
    ASSERT_FALSE(result.timed_out);
    EXPECT_EQ(result.err, Banner());
    EXPECT_EQ(result.exit_code, 2);

    const std::size_t count = CountWholeResultLines(output);
    EXPECT_GT(count, 0u);
}

// The run state is allocated before anything is read; without memory for either of its two items the run ends
// with 6 and says nothing. Allocations of the item's size fail, all others succeed. The program is the build
// with the shared C++ runtime, the one whose operator new a preloaded library can replace.
TEST_F(Faults, NoMemoryForTheRunStateEndsWithExitCode6) {
    const auto fail_size = [](std::size_t size) { return FailingAllocation("KALDEROS_FAIL_NEW_SIZE", size); };
    const struct {
        const char* name;
        std::size_t size;
    } items[] = {
        {"RunOptions", sizeof(RunOptions)},
        {"HighestGroupTable", sizeof(HighestGroupTable)},
    };
    const std::string binary = KALDEROS_SHARED_RUNTIME_BINARY;
    for (const auto& item : items) {
        const ProcessResult result = Run({binary, "123-45-6789"}, {}, fail_size(item.size));
        EXPECT_EQ(result.signal, 0) << item.name;
        EXPECT_EQ(result.out, "") << item.name;
        EXPECT_EQ(result.err, Banner()) << item.name;
        EXPECT_EQ(result.exit_code, 6) << item.name;
    }
    // With the library in place but no allocation of the failing size, the run is an ordinary one.
    const ProcessResult ordinary = Run({binary, "123-45-6789"}, {}, fail_size(1));
    EXPECT_EQ(ordinary.out, std::string("\n") + kNumbers[0].second + "\n");
    EXPECT_EQ(ordinary.err, Banner());
    EXPECT_EQ(ordinary.exit_code, 0);
}

// Every other allocation of a run fails in turn, the first, the second, and so on until a run needs no more
// than were counted: each failing run ends with 6 and says nothing, having written at most the start of what
// an ordinary run writes.
TEST_F(Faults, NoMemoryAtAnyAllocationEndsWithExitCode6) {
    const std::string long_line = std::string(100000, '7') + '\n';
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string input;
    } runs[] = {
        {"a single number", {"123-45-6789"}, ""},
        {"a list file", {"-i", File("list.txt", NumberList(20))}, ""},
        {"a list file checked by threads", {"--jobs=3", "-i", dir_ + "/list.txt"}, ""},
        {"records checked by threads", {"--jobs=2", "--format=tsv", "-i", dir_ + "/list.txt"}, ""},
        // Lines longer than a block's output buffer: the threads that check them need memory of their own.
        {"long records from a pipe checked by threads", {"--jobs=3", "--format=jsonl"},
         long_line + long_line + long_line + long_line + long_line + long_line},
        {"a group file", {"123-45-6789", "-g", File("groups.txt", "123 45\n")}, ""},
        {"card mode", {"-C", "-i", File("cards.txt", CardList(3))}, ""},
        {"the console", {}, "123-45-6789\n\n"},
        {"a relative file name", {"-i", "list.txt"}, ""},
    };
    const std::string binary = KALDEROS_SHARED_RUNTIME_BINARY;
    for (const auto& run : runs) {
        ProcessSpec spec;
        spec.argv = {binary};
        spec.argv.insert(spec.argv.end(), run.args.begin(), run.args.end());
        spec.input = run.input;
        spec.timeout_seconds = 30;
        const ProcessResult ordinary = Run(spec);
        ASSERT_EQ(ordinary.exit_code, 0) << run.name;
        std::size_t failing = 1;
        for (; failing < 1000; ++failing) {
            spec.env = FailingAllocation("KALDEROS_FAIL_NEW_INDEX", failing);
            const ProcessResult result = Run(spec);
            if (result.exit_code == 0 && result.out == ordinary.out && result.err == ordinary.err) break;
            const std::string which = std::string(run.name) + ", allocation " + std::to_string(failing);
            ASSERT_EQ(result.signal, 0) << which << "\n" << result.err;
            EXPECT_EQ(result.exit_code, 6) << which;
            EXPECT_EQ(result.out, ordinary.out.substr(0, result.out.size())) << which;
            EXPECT_TRUE(result.err.empty() || result.err == Banner()) << which << "\n" << result.err;
        }
        EXPECT_LT(failing, 1000u) << run.name;
        EXPECT_GT(failing, 3u) << run.name << ": the allocations were not counted";
    }
}

// A line of megabytes: without long options checked in pieces in flat memory, from a file or a pipe, no
// allocation above a megabyte; with one, a text of its own, shown whole, by any number of threads as by one.
TEST_F(Faults, ALongLineIsCheckedInFlatMemoryOrWholeByThreads) {
    const std::string line = "123-45-6789\n" + std::string(5'000'000, '1') + "\n" + std::string(3'000'000, '7');
    File("long.txt", line);
    const std::string binary = KALDEROS_SHARED_RUNTIME_BINARY;
    for (const bool from_pipe : {false, true}) {
        ProcessSpec spec;
        spec.argv = {binary, "-i", from_pipe ? "/dev/stdin" : dir_ + "/long.txt"};
        if (from_pipe) spec.input = line;
        spec.env = FailingAllocation("KALDEROS_FAIL_NEW_ABOVE", std::size_t{1} << 20);
        spec.timeout_seconds = 60;
        const ProcessResult pieces = Run(spec);
        const std::string which = from_pipe ? "pieces from a pipe" : "pieces from a file";
        EXPECT_EQ(pieces.exit_code, 0) << which;
        // The leading blank line, the number, and the pieces of 259.
        EXPECT_EQ(std::count(pieces.out.begin(), pieces.out.end(), '\n'), 1 + 1 + 19306 + 11584) << which;
    }
    const ProcessResult one = Run({binary, "--quiet", "-i", dir_ + "/long.txt"});
    ASSERT_EQ(one.exit_code, 0);
    const std::string tail = "   malformed             VALID=NO\n";
    ASSERT_EQ(one.out, "SSN: 123-45-6789   New York              VALID=NO\n"
                       "SSN: \"" + std::string(5'000'000, '1') + "\"" + tail +
                       "SSN: \"" + std::string(3'000'000, '7') + "\"" + tail);
    for (const char* jobs : {"--jobs=1", "--jobs=2", "--jobs=3"}) {
        for (const bool from_pipe : {false, true}) {
            ProcessSpec spec;
            spec.argv = {binary, "--quiet", jobs};
            if (from_pipe) {
                spec.input = line;
            } else {
                spec.argv.insert(spec.argv.end(), {"-i", dir_ + "/long.txt"});
            }
            spec.timeout_seconds = 60;
            const ProcessResult result = Run(spec);
            const std::string which = std::string(jobs) + (from_pipe ? " from a pipe" : " from a file");
            EXPECT_EQ(result.exit_code, 0) << which;
            EXPECT_TRUE(result.out == one.out) << which << ": " << result.out.size() << " bytes for " << one.out.size();
            // Its one number invalid by the order of issue alone, however the blocks fell among the threads.
            EXPECT_EQ(result.err, kOneNotIssued) << which;
        }
    }
}

// A name is opened as the kernel resolves it, not as text: ".." behind a symbolic link leads to the parent of
// the link's target, a file is no directory, and a step through a missing directory finds nothing. The full
// path in a message follows the same resolution as far as the directories exist.
TEST_F(Faults, NamesAreOpenedAsTheKernelResolvesThem) {
    const std::string confirmed = "\nSSN: 123-96-0001   New York              VALID=YES  CONFIRM\n";
    const struct {
        const char* name;
        std::vector<std::string> args;
        int exit_code;
        std::string out;
        std::string err;
    } cases[] = {
        {"a list behind a link and ..", {"-i", "lnk/../list.txt"}, 0, confirmed, Banner()},
        {"a group file behind a link and ..", {"123-45-6789", "-g", "lnk/../groups.txt"}, 0,
         "\nSSN: 123-45-6789   New York              VALID=YES  CONFIRM\n", Banner()},
        {"a missing list behind a link and ..", {"-i", "lnk/../missing.txt"}, 2,
         "\nError opening input file " + dir_ + "/real/missing.txt", Banner()},
        {"a list file named as a directory", {"-i", "two.txt/"}, 2, "\nError opening input file " + dir_ + "/two.txt/",
         Banner()},
        {"a list through a missing directory", {"-i", "nodir/../two.txt"}, 2,
         "\nError opening input file " + dir_ + "/nodir/../two.txt", Banner()},
        {"a group file named as a directory", {"123-45-6789", "-g", "two.txt/"}, 5, "",
         Banner() + "\nError opening " + dir_ + "/two.txt/ group file\n"},
        {"a group file through a missing directory", {"123-45-6789", "-g", "nodir/../groups.txt"}, 5, "",
         Banner() + "\nError opening " + dir_ + "/nodir/../groups.txt group file\n"},
        {"tsv a list file named as a directory", {"--format=tsv", "-i", "two.txt/"}, 2, "",
         "kalderos: cannot open list file '" + dir_ + "/two.txt/': Not a directory\n"},
        {"tsv a list through a missing directory", {"--format=tsv", "-i", "nodir/../two.txt"}, 2, "",
         "kalderos: cannot open list file '" + dir_ + "/nodir/../two.txt': No such file or directory\n"},
    };
    for (const auto& c : cases) {
        const ProcessResult result = Script(R"(rm -rf real lnk && mkdir -p real/sub || exit 99
                                               printf '123-96-0001\n' > real/list.txt
                                               printf '123-45-6789\n' > list.txt
                                               printf '123 45\n' > real/groups.txt
                                               printf '123 01\n' > groups.txt
                                               printf '123-96-0001\n' > two.txt
                                               ln -s real/sub lnk
                                               exec "$0" "$@")",
                                            c.args, 30);
        EXPECT_EQ(result.out, c.out) << c.name;
        EXPECT_EQ(result.err, c.err) << c.name;
        EXPECT_EQ(result.exit_code, c.exit_code) << c.name;
    }
}

// A relative file name is made into a full path from the working directory. When that directory has been
// removed the full path cannot be formed: the name is used as it was given, so a group file the user named is
// never silently left out, and every message names the file. An absolute name needs no working directory.
TEST_F(Faults, RemovedWorkingDirectoryKeepsTheNamesAsGiven) {
    const std::string groups = File("groups.txt", "123 01\n");
    const struct {
        const char* name;
        std::vector<std::string> args;
        int exit_code;
        std::string out;
        std::string err;
    } cases[] = {
        {"a relative group file", {"123-01-0001", "-g", "g"}, 5, "", Banner() + "\nError opening g group file\n"},
        {"a relative list file", {"-i", "g"}, 2, "\nError opening input file g", Banner()},
        {"the directory itself as group file", {"123-01-0001", "-g", ""}, 5, "",
         Banner() + "\nError reading . group file\n"},
        {"an absolute group file", {"123-01-0001", "-g", groups}, 0,
         "\nSSN: 123-01-0001   New York              VALID=YES  CONFIRM\n", Banner()},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{dir_ + "/gone"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProcessResult result = Script(R"(mkdir "$1" && cd "$1" && printf '123 01\n' > g && rm -r "$1" || exit 99
                                               exec "$0" "${@:2}")",
                                            args, 30);
        EXPECT_EQ(result.out, c.out) << c.name;
        EXPECT_EQ(result.err, c.err) << c.name;
        EXPECT_EQ(result.exit_code, c.exit_code) << c.name;
    }
}

}  // namespace
}  // namespace kalderos::test
