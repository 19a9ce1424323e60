// ParseCommandLine on argument vectors cut from the input at its NUL bytes.
//
// The parser opens the files the arguments name. The runs take place in a directory of their own with a few
// files, and while the parser runs, `open` lets through only regular files and directories: a FIFO would
// block and a device might act on being opened, and neither tells anything about the parser.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
#include "fuzz_check.h"
#include "guarded_open.h"

namespace {

using kalderos::fuzz::g_guard_open;

bool IsLead(char c) { return c == '-' || c == '+' || c == '/'; }

// The lowest descriptor number not in use; the same before and after a run when nothing leaked.
int LowestFreeDescriptor() {
    const int fd = ::dup(0);
    ::close(fd);
    return fd;
}

// A stored path is absolute, at most 259 characters, with no empty or "." steps; it ends in "/" only after a
// name (a name given with a trailing "/"). A ".." stays only where the directory before it does not exist.
void CheckFullPath(std::string_view path) {
    if (path.empty()) return;
    FUZZ_REQUIRE(path.size() <= kalderos::PathText::kMaxLength);
    FUZZ_REQUIRE(path.front() == '/');
    if (path == "/") return;
    if (path.back() == '/') path.remove_suffix(1);
    for (std::size_t at = 0; at < path.size();) {
        const std::size_t next = path.find('/', at + 1);
        const std::string_view step = path.substr(at + 1, next == std::string_view::npos ? path.npos : next - at - 1);
        FUZZ_REQUIRE(!step.empty() && step != ".");
        if (step == "..") {
            struct stat info {};
            FUZZ_REQUIRE(::stat((std::string(path.substr(0, at)) + "/.").c_str(), &info) != 0);
        }
        at = next == std::string_view::npos ? path.size() : next;
    }
}

char g_sandbox[] = "/tmp/kalderos-fuzz-XXXXXX";

void RemoveSandbox() {
    std::error_code ignored;
    std::filesystem::remove_all(g_sandbox, ignored);
}

void MakeSandbox() {
    FUZZ_REQUIRE(::mkdtemp(g_sandbox) != nullptr);
    std::atexit(RemoveSandbox);
    FUZZ_REQUIRE(::chdir(g_sandbox) == 0);
    std::ofstream("list.txt") << "123-45-6789\n";
    std::ofstream("groups.txt") << "772 72\n";
    std::ofstream("c") << "001 01\n";
    FUZZ_REQUIRE(::mkdir("sub", 0755) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    MakeSandbox();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments{"kalderos"};
    std::string current;
    for (std::size_t i = 0; i < size && arguments.size() < 64; ++i) {
        if (data[i] == '\0') {
            arguments.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    if (!current.empty()) arguments.push_back(current);
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(arguments.size());

    int expected_start = 1;
    while (expected_start < argc && !IsLead(arguments[static_cast<std::size_t>(expected_start)][0])) ++expected_start;

    const int free_before = LowestFreeDescriptor();
    kalderos::RunOptions options;
    g_guard_open = true;
    const kalderos::CommandLine found = kalderos::ParseCommandLine(argc, argv.data(), options);
    g_guard_open = false;
    FUZZ_REQUIRE(found.option_start == expected_start);
    if (options.list_file >= 0) FUZZ_REQUIRE(!options.list_file_path.Empty() && !options.list_file_path.Name().empty());
    CheckFullPath(options.group_file_path.View());
    CheckFullPath(options.list_file_path.View());
    // No descriptor is left open but the list file's.
    if (options.list_file >= 0) ::close(options.list_file);
    FUZZ_REQUIRE(LowestFreeDescriptor() == free_before);
    return 0;
}
