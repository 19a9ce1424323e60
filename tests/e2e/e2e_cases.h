// The end-to-end table: each row runs the built program once and states its exact standard output,
// standard error and exit code.
#pragma once

#include <string>
#include <vector>

namespace kalderos::test {

struct FileSpec {
    std::string name;     // relative to the case's own directory; a name ending in "/" makes a directory
    std::string content;
};

struct E2eCase {
    std::string name;
    std::vector<std::string> args;
    std::vector<FileSpec> files = {};
    std::string input = {};  // standard input
    std::string out = {};    // "{dir}" stands for the case's directory as the program sees it
    std::string err = {};    // what follows the start-up banner on standard error
    int exit = 0;
    bool posix_only = false;  // cases that need a POSIX file system or POSIX process model
};

std::vector<E2eCase> AllCases();

// Texts several rows share.
std::string HelpPageOne();        // the centred title and page 1, as a bad option shows them
std::string PagerPrompt();        // the pause prompt on standard error
std::string ConsolePrompts();     // the two prompt lines before each console read

}  // namespace kalderos::test
