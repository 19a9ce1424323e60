// What every fault test shares: the program, a list of numbers and its result lines, the banner, and a fresh
// directory for each test's files.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/temp_dir_test.h"
#include "e2e/process.h"

namespace kalderos::test {

inline const std::string kBinary = KALDEROS_BINARY;

// Numbers whose lines differ in every part that can differ, and those lines.
inline const std::array<std::pair<const char*, const char*>, 7> kNumbers = {{
    {"123-45-6789", "SSN: 123-45-6789   New York              VALID=NO"},
    {"123-96-0001", "SSN: 123-96-0001   New York              VALID=YES  CONFIRM"},
    {"800-12-3456", "SSN: 800-12-3456   UNKNOWN-after 06/2011 VALID=MAYBE"},
    {"666-12-3456", "SSN: 666-12-3456   ILLEGAL 666           VALID=NO"},
    {"900-12-3456", "SSN: 900-12-3456 (null) VALID=NO"},
    {"232-55-0001", "SSN: 232-55-0001   North Carolina,   West Virginia         VALID=YES  CONFIRM"},
    {"000-00-1234", "SSN: 000-00-1234   ILLEGAL 000           VALID=NO  CONFIRM"},
}};

inline std::string NumberList(std::size_t lines) {
    std::string list;
    for (std::size_t i = 0; i < lines; ++i) (list += kNumbers[i % kNumbers.size()].first) += '\n';
    return list;
}

// What a whole run over NumberList(lines) writes to standard output.
inline std::string NumberResults(std::size_t lines) {
    std::string results = "\n";
    for (std::size_t i = 0; i < lines; ++i) (results += kNumbers[i % kNumbers.size()].second) += '\n';
    return results;
}

inline std::string CardList(std::size_t lines) {
    std::string list;
    for (std::size_t i = 0; i < lines; ++i) list += "4111111111111111\n";
    return list;
}

// What every run writes to standard error first, taken from a plain run (the end-to-end table checks its bytes).
inline const std::string& Banner() {
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

inline std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Faults : public TempDirTest {
protected:
    ProcessResult Run(const std::vector<std::string>& command, const std::string& stdout_path = {},
                      const std::vector<std::string>& env = {}) const {
        ProcessSpec spec;
        spec.argv = command;
        spec.stdout_path = stdout_path;
        spec.env = env;
        spec.timeout_seconds = 120;
        return Run(std::move(spec));
    }

    // Runs in the test's directory.
    ProcessResult Run(ProcessSpec spec) const {
        spec.cwd = dir_;
        return RunProcess(spec);
    }

    // A bash script run in the test's directory with the program as $0 and `args` as $1 and on; one that goes on
    // past the timeout counts as one that never ends.
    ProcessResult Script(const char* script, const std::vector<std::string>& args = {},
                         int timeout_seconds = 120) const {
        ProcessSpec spec;
        spec.argv = {"bash", "-c", script, kBinary};
        spec.argv.insert(spec.argv.end(), args.begin(), args.end());
        spec.timeout_seconds = timeout_seconds;
        return Run(spec);
    }
};

// Counts the result lines a run over a list of kNumbers printed into `output`, after the empty line that
// precedes them; fails the test when a line is not the expected one or the last one has no line end.
inline std::size_t CountWholeResultLines(const std::string& output) {
    std::ifstream printed(output, std::ios::binary);
    std::string line;
    EXPECT_TRUE(std::getline(printed, line));
    EXPECT_EQ(line, "");  // the empty line before the first result
    std::size_t count = 0;
    while (std::getline(printed, line)) {
        EXPECT_FALSE(printed.eof()) << "the last line has no line end: " << line;
        EXPECT_EQ(line, kNumbers[count % kNumbers.size()].second) << "line " << count + 2;
        if (::testing::Test::HasFailure()) break;
        ++count;
    }
    return count;
}

}  // namespace kalderos::test
