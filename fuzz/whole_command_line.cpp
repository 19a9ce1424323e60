// The whole command line, long and short options together, on argument vectors cut from the input at its NUL
// bytes; an argument that begins with a byte from 1 to kTokens.size() stands for that token, so that the
// options meet each other from the first inputs on.
//
// In the harness's process: under GNU conventions (a long option given) every argument that is neither an option
// nor an option's value is a number to check, in order; nothing is dropped, no descriptor leaks. In a child
// process, the whole run: it ends by exit with 0, 1, 2, 3, 5 or 6, never by a signal (a run that hangs is ended
// by SIGALRM, which counts as a finding). The child's coverage does not guide the search; the parsers' does.
//
// As in fuzz_command_line, `open` lets through only regular files and directories, and the runs take place in a
// directory of their own with a few files. The run ends by exit, which in the child must not run libFuzzer's
// handler for a target that exits: there `exit` ends the process at once with the run's code (the run has
// written out its output before), and a sanitizer's report ends it with 99.
#include <dlfcn.h>
#include <fcntl.h>
#include <sanitizer/common_interface_defs.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "driver/command_line.h"
#include "driver/long_options.h"
#include "driver/run_program.h"
#include "fuzz_check.h"
#include "guarded_open.h"

namespace {

using kalderos::fuzz::g_guard_open;
bool g_in_child = false;
constexpr int kSanitizerReport = 99;

constexpr std::array<std::string_view, 20> kTokens = {
    "--format=tsv", "--format=jsonl", "--format", "--quiet", "--no-header", "--fail-on-invalid", "--",
    "-C",           "-g",             "-i",       "-1",      "+1",          "-",                 "list.txt",
    "groups.txt",   "sub",            "123-45-6789", "4111111111111111", "-Cg", "--help"};

// The lowest descriptor number not in use; the same before and after a parse when nothing leaked.
int LowestFreeDescriptor() {
    const int fd = ::dup(0);
    ::close(fd);
    return fd;
}

bool TakesValue(char letter) {
    return letter == 'g' || letter == 'G' || letter == 'i' || letter == 'I' || letter == '1';
}

// The numbers to check as the conventions define them, for a command line whose options are all good.
std::vector<const char*> ExpectedNumbers(const std::vector<const char*>& arguments) {
    std::vector<const char*> numbers;
    bool ended = false;
    for (std::size_t at = 1; at < arguments.size(); ++at) {
        const std::string_view argument = arguments[at];
        if (!ended && argument == "--") {
            ended = true;
        } else if (ended || argument.size() < 2 || argument[0] != '-') {
            numbers.push_back(arguments[at]);
        } else {
            for (std::size_t letter = 1; letter < argument.size(); ++letter) {
                if (!TakesValue(argument[letter])) continue;
                if (letter + 1 == argument.size()) ++at;  // the value is the next argument
                break;
            }
        }
    }
    return numbers;
}

void CheckParse(int argc, const char* const* argv) {
    kalderos::RunOptions options;
    const kalderos::LongOptions long_options = kalderos::TakeLongOptions(argc, argv, options);
    if (!long_options.problem.empty() || !long_options.Given(argc)) return;
    std::vector<const char*> arguments = long_options.arguments;
    arguments.pop_back();  // the null pointer that ends them
    const int free_before = LowestFreeDescriptor();
    options.conventions = kalderos::kTodaysConventions;
    g_guard_open = true;
    const kalderos::CommandLine found =
        kalderos::ParseGnuCommandLine(static_cast<int>(arguments.size()), arguments.data(), options);
    g_guard_open = false;
    FUZZ_REQUIRE(found.option_start == 1);
    if (found.stop == kalderos::CommandLine::Stop::kNone) {
        FUZZ_REQUIRE(found.numbers == ExpectedNumbers(arguments));
    } else if (found.stop == kalderos::CommandLine::Stop::kListFileNotOpened) {
        FUZZ_REQUIRE(!found.list_file_shown.empty());
    } else {
        FUZZ_REQUIRE(found.option_letter != 0);
    }
    if (options.list_file >= 0) ::close(options.list_file);
    FUZZ_REQUIRE(LowestFreeDescriptor() == free_before);
}

void CheckRun(int argc, const char* const* argv) {
    const pid_t child = ::fork();
    FUZZ_REQUIRE(child >= 0);
    if (child == 0) {
        g_in_child = true;
        __sanitizer_set_death_callback([] { ::_exit(kSanitizerReport); });
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::alarm(10);
        g_guard_open = true;
        kalderos::RunProgram(argc, argv);
    }
    int status = 0;
    pid_t waited = 0;
    do {
        waited = ::waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);  // libFuzzer's timer for -timeout
    FUZZ_REQUIRE(waited == child);
    FUZZ_REQUIRE(WIFEXITED(status));
    const int code = WEXITSTATUS(status);
    FUZZ_REQUIRE(code == 0 || code == 1 || code == 2 || code == 3 || code == 5 || code == 6);
}

char g_sandbox[] = "/tmp/kalderos-fuzz-XXXXXX";
pid_t g_owner = 0;

void RemoveSandbox() {
    if (::getpid() != g_owner) return;  // a child's exit leaves the files to the harness
    std::error_code ignored;
    std::filesystem::remove_all(g_sandbox, ignored);
}

void MakeSandbox() {
    FUZZ_REQUIRE(::mkdtemp(g_sandbox) != nullptr);
    g_owner = ::getpid();
    std::atexit(RemoveSandbox);
    FUZZ_REQUIRE(::chdir(g_sandbox) == 0);
    std::ofstream("list.txt") << "123-45-6789\n4111111111111111\n";
    std::ofstream("groups.txt") << "772 72\n";
    FUZZ_REQUIRE(::mkdir("sub", 0755) == 0);
}

}  // namespace

extern "C" void exit(int code) noexcept {
    if (g_in_child) ::_exit(code);
    static const auto real_exit = reinterpret_cast<void (*)(int)>(::dlsym(RTLD_NEXT, "exit"));
    real_exit(code);
    __builtin_unreachable();
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    MakeSandbox();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments{"kalderos"};
    std::string current;
    const auto take = [&] {
        const auto first = current.empty() ? 0u : static_cast<unsigned char>(current[0]);
        if (first >= 1 && first <= kTokens.size()) current = kTokens[first - 1];
        arguments.push_back(current);
        current.clear();
    };
    for (std::size_t i = 0; i < size && arguments.size() < 64; ++i) {
        if (data[i] == '\0') {
            take();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    if (!current.empty() && arguments.size() < 64) take();
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(arguments.size());

    CheckParse(argc, argv.data());
    CheckRun(argc, argv.data());
    return 0;
}
