// Runs every row of the end-to-end table against the built program and compares bytes exactly.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "e2e_cases.h"
#include "process.h"

namespace kalderos::test {
namespace {

// The program under test; KALDEROS_E2E_BINARY and KALDEROS_E2E_WRAPPER (a command run in front of it,
// words split at blanks) let the same table run against another build.
std::vector<std::string> ProgramCommand() {
    std::vector<std::string> command;
    if (const char* wrapper = std::getenv("KALDEROS_E2E_WRAPPER")) {
        std::istringstream words(wrapper);
        for (std::string word; words >> word;) command.push_back(word);
    }
    const char* binary = std::getenv("KALDEROS_E2E_BINARY");
    command.push_back(binary && *binary ? binary : KALDEROS_BINARY);
    return command;
}

// The stamp a build pinned to the epoch must show: yy.mm.dd.hh.mm of that UTC time and a check mark.
std::string ExpectedStamp() {
    const std::time_t epoch = static_cast<std::time_t>(KALDEROS_BUILD_EPOCH);
    std::tm utc{};
    gmtime_r(&epoch, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%y.%m.%d.%H.%M", &utc);
    return std::string(text) + "\xFB";
}

std::string Framed(const std::string& inside) { return "  \xBA" + inside + "\xBA\n"; }

std::string StartupBanner() {
    const std::string version = "Ver. " + ExpectedStamp() + " (32 bit)";
    std::string banner(25, '\n');
    banner += "  \xC9" + std::string(74, '\xCD') + "\xBB\n";
    banner += Framed(std::string(30, ' ') + "KALDEROS_AUDIT" + std::string(30, ' '));
    banner += Framed(std::string(23, ' ') + version + std::string(22, ' '));
    banner += Framed(std::string(74, ' '));
    banner += Framed("   Checks US Social Security Numbers by area and group issued to 4/2011   ");
    banner += Framed("      Options and file formats: man kalderos; kalderos -? shows help      ");
    banner += "  \xC8" + std::string(74, '\xCD') + "\xBC\n";
    return banner;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// Shows both sides with every byte visible, so a missing blank or line feed stands out.
std::string Visible(const std::string& text) {
    std::string shown;
    for (const unsigned char c : text) {
        if (c == '\n') {
            shown += "\\n\n";
        } else if (c == '\\') {
            shown += "\\\\";
        } else if (c < 32 || c > 126) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            shown += hex;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

}  // namespace

// Rows are named by their name alone in test listings.
void PrintTo(const E2eCase& row, std::ostream* out) { *out << row.name; }

namespace {

class EndToEnd : public ::testing::TestWithParam<E2eCase> {};

TEST_P(EndToEnd, MatchesExactly) {
    const E2eCase& row = GetParam();
    const std::string dir = MakeTempDir();
    for (const FileSpec& file : row.files) {
        const std::filesystem::path path = std::filesystem::path(dir) / file.name;
        if (!file.name.empty() && file.name.back() == '/') {
            std::filesystem::create_directories(path);
            continue;
        }
        std::ofstream(path, std::ios::binary) << file.content;
    }
    ProcessSpec spec;
    spec.argv = ProgramCommand();
    for (const std::string& arg : row.args) spec.argv.push_back(ReplaceAll(arg, "{dir}", dir));
    spec.input = row.input;
    spec.cwd = dir;
    const ProcessResult result = RunProcess(spec);
    RemoveTree(dir);

    ASSERT_FALSE(result.timed_out);
    EXPECT_EQ(result.signal, 0);
    EXPECT_EQ(Visible(result.out), Visible(ReplaceAll(row.out, "{dir}", dir)));
    EXPECT_EQ(Visible(result.err), Visible(StartupBanner() + ReplaceAll(row.err, "{dir}", dir)));
    EXPECT_EQ(result.exit_code, row.exit);
}

std::string CaseName(const ::testing::TestParamInfo<E2eCase>& info) {
    std::string name;
    for (const char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Table, EndToEnd, ::testing::ValuesIn(AllCases()), CaseName);

}  // namespace
}  // namespace kalderos::test
