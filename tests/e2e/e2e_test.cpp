// Runs every row of the end-to-end table against the built program and compares bytes exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/screen_text.h"
#include "e2e_cases.h"
#include "e2e_program.h"
#include "process.h"

namespace kalderos::test {

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

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

bool WindowsRun() {
    const char* binary = std::getenv("KALDEROS_E2E_BINARY");
    const std::string name = binary ? binary : "";
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".exe") == 0;
}

namespace {

std::string FoldLineEnds(const std::string& text) { return WindowsRun() ? ReplaceAll(text, "\r\n", "\n") : text; }

// "{dir}" and the path written after it up to the next blank, as the program under test spells them: on
// Windows the case's directory lies on drive Z:, which Wine maps to the root of the file system.
std::string SpellPaths(std::string text, const std::string& dir) {
    if (!WindowsRun()) return ReplaceAll(text, "{dir}", dir);
    const std::string token = "{dir}";
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at)) {
        std::size_t end = at + token.size();
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) ++end;
        std::string path = "Z:" + dir + text.substr(at + token.size(), end - at - token.size());
        std::replace(path.begin(), path.end(), '/', '\\');
        text.replace(at, end - at, path);
        at += path.size();
    }
    return text;
}

}  // namespace

// Rows are named by their name alone in test listings.
void PrintTo(const E2eCase& row, std::ostream* out) { *out << row.name; }

namespace {

class EndToEnd : public ::testing::TestWithParam<E2eCase> {};

TEST_P(EndToEnd, MatchesExactly) {
    const E2eCase& row = GetParam();
    if (WindowsRun() && row.posix_only) GTEST_SKIP() << "posix_only: needs a POSIX file system, process or command line";
    const char* binary = std::getenv("KALDEROS_E2E_BINARY");
    if (row.csv_text && binary != nullptr && std::string_view(binary).find("kalderos_reference") != std::string_view::npos) {
        GTEST_SKIP() << "the reference program's plain text loops read no CSV";
    }
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
    EXPECT_EQ(Visible(FoldLineEnds(result.out)), Visible(FoldLineEnds(SpellPaths(row.out, dir))));
    EXPECT_EQ(Visible(FoldLineEnds(result.err)), Visible((row.banner ? ExpectedBanner(5) : "") + SpellPaths(row.err, dir)));
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
