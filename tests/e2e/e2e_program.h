// The program the end-to-end rows run, and what its runs share; defined in e2e_test.cpp.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kalderos::test {

// The program under test; KALDEROS_E2E_BINARY and KALDEROS_E2E_WRAPPER (a command run in front of it, words split
// at blanks) let the same rows run against another build.
std::vector<std::string> ProgramCommand();

// A program under test named *.exe is a Windows build run under Wine. Its standard output and error are text
// streams that end lines with CR LF, and it names files by drive letter with backslashes.
bool WindowsRun();

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);

struct E2eCase;
// A row shown by its name in the test's output.
void PrintTo(const E2eCase& row, std::ostream* out);

}  // namespace kalderos::test
