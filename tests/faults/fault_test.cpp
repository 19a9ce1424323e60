// The built program under faults from outside: standard output on a full disk or a pipe closed early, files it
// may not read, Ctrl-C in the middle of a long list, and no memory for its run state. Each run states its exit
// code and its exact messages.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "driver/run_state.h"
#include "e2e/process.h"

namespace kalderos::test {
namespace {

const std::string kBinary = KALDEROS_BINARY;

// Numbers whose lines differ in every part that can differ, and those lines.
const std::array<std::pair<const char*, const char*>, 7> kNumbers = {{
    {"123-45-6789", "SSN: 123-45-6789   New York              VALID=NO"},
    {"123-96-0001", "SSN: 123-96-0001   New York              VALID=YES  CONFIRM"},
    {"800-12-3456", "SSN: 800-12-3456   UNKNOWN-after 06/2011 VALID=MAYBE"},
    {"666-12-3456", "SSN: 666-12-3456   ILLEGAL 666           VALID=NO"},
    {"900-12-3456", "SSN: 900-12-3456 (null) VALID=NO"},
    {"232-55-0001", "SSN: 232-55-0001   North Carolina,   West Virginia         VALID=YES  CONFIRM"},
    {"000-00-1234", "SSN: 000-00-1234   ILLEGAL 000           VALID=NO  CONFIRM"},
}};

std::string NumberList(std::size_t lines) {
    std::string list;
    for (std::size_t i = 0; i < lines; ++i) (list += kNumbers[i % kNumbers.size()].first) += '\n';
    return list;
}

// What every run writes to standard error first, taken from a plain run (the end-to-end table checks its bytes).
const std::string& Banner() {
    static const std::string banner = [] {
        ProcessSpec spec;
        spec.argv = {kBinary, "123-45-6789"};
        const ProcessResult plain = RunProcess(spec);
        EXPECT_EQ(plain.exit_code, 0);
        EXPECT_EQ(plain.out, std::string("\n") + kNumbers[0].second + "\n");
        return plain.err;
    }();
    return banner;
}

class Faults : public ::testing::Test {
protected:
    void SetUp() override { dir_ = MakeTempDir(); }
    void TearDown() override { RemoveTree(dir_); }

    std::string File(const std::string& name, const std::string& content) const {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    ProcessResult Run(const std::vector<std::string>& command, const std::string& stdout_path = {},
                      const std::vector<std::string>& env = {}) const {
        ProcessSpec spec;
        spec.argv = command;
        spec.cwd = dir_;
        spec.stdout_path = stdout_path;
        spec.env = env;
        spec.timeout_seconds = 120;
        return RunProcess(spec);
    }

    std::string dir_;
};

TEST_F(Faults, FullDiskIsReportedAndEndsWithExitCode3) {
    const std::string message = "\nError writing standard output: No space left on device\n";
    const struct {
        const char* name;
        std::vector<std::string> args;
    } cases[] = {
        {"a single number", {"123-45-6789"}},
        {"a short list", {"-i", File("short.txt", NumberList(10))}},
        {"a list longer than the output buffer", {"-i", File("long.txt", NumberList(100000))}},
        {"card mode", {"-C", "-i", File("cards.txt", "4111111111111111\n378282246310005\n")}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> command{kBinary};
        command.insert(command.end(), c.args.begin(), c.args.end());
        const ProcessResult result = Run(command, "/dev/full");
        EXPECT_EQ(result.signal, 0) << c.name;
        EXPECT_EQ(result.err, Banner() + message) << c.name;
        EXPECT_EQ(result.exit_code, 3) << c.name;
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

// Ctrl-C as soon as the first block of results has reached the file. The list comes through a FIFO whose writer
// keeps it open after the last line, so the run cannot have come to the end of its input before Ctrl-C, however
// slowly the signal is sent on a busy machine.
TEST_F(Faults, CtrlCInALongListKeepsEveryLinePrintedWhole) {
    constexpr std::size_t kLines = 2000000;
    const std::string list = File("list.txt", NumberList(kLines));
    const std::string output = dir_ + "/out.txt";
    const ProcessResult result = Run({"bash", "-c",
                                      R"(mkfifo "$3"
                                         "$0" -i "$3" > "$2" & pid=$!
                                         (cat "$1"; exec sleep 60) > "$3" 2>/dev/null & feeder=$!
                                         while [ ! -s "$2" ]; do sleep 0.001; done
                                         kill -INT "$pid"
                                         wait "$pid"; status=$?
                                         kill "$feeder"
                                         exit "$status")",
                                      kBinary, list, output, dir_ + "/fifo"});
    ASSERT_FALSE(result.timed_out);
    EXPECT_EQ(result.err, Banner());
    EXPECT_EQ(result.exit_code, 2);

    std::ifstream printed(output, std::ios::binary);
    std::string line;
    ASSERT_TRUE(std::getline(printed, line));
    EXPECT_EQ(line, "");  // the empty line before the first result
    std::size_t count = 0;
    while (std::getline(printed, line)) {
        ASSERT_FALSE(printed.eof()) << "the last line has no line end: " << line;
        ASSERT_EQ(line, kNumbers[count % kNumbers.size()].second) << "line " << count + 2;
        ++count;
    }
    EXPECT_GT(count, 0u);
}

// The run state is allocated before anything is read; without memory for any of its three items the run ends
// with 6 and says nothing. Allocations of the item's size fail, all others succeed. The program is the build
// with the shared C++ runtime, the one whose operator new a preloaded library can replace.
TEST_F(Faults, NoMemoryForTheRunStateEndsWithExitCode6) {
    const char* sanitizer_options = std::getenv("ASAN_OPTIONS");
    // The library comes before a sanitizer runtime, which would otherwise refuse to start.
    const std::string asan_options =
        std::string("ASAN_OPTIONS=") + (sanitizer_options ? sanitizer_options : "") + ":verify_asan_link_order=0";
    const auto fail_size = [&](std::size_t size) {
        return std::vector<std::string>{"LD_PRELOAD=" KALDEROS_FAILING_NEW,
                                        "KALDEROS_FAIL_NEW_SIZE=" + std::to_string(size), asan_options};
    };
    const struct {
        const char* name;
        std::size_t size;
    } items[] = {
        {"RunOptions", sizeof(RunOptions)},
        {"HighestGroupTable", sizeof(HighestGroupTable)},
        {"CardKind", sizeof(CardKind)},
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

}  // namespace
}  // namespace kalderos::test
