// The end-to-end table: each row runs the built program once and states its exact standard output,
// standard error and exit code.
#pragma once

#include <string>
#include <vector>

#include "common/screen_text.h"  // the help pages and prompts several rows share

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
    // "{dir}" stands for the case's directory as the program sees it. Written with "/" steps after it, as in
    // "{dir}/list.txt", the whole path up to the next blank takes the platform's spelling (Z:\...\list.txt under
    // Wine), so one row serves both builds.
    std::string out = {};
    std::string err = {};    // what follows the start-up banner on standard error
    int exit = 0;
    // Rows that need a POSIX file system, process model or command line; a Windows build skips them.
    bool posix_only = false;
    // Runs with a long option print no banner here, where standard error is no terminal; nor do runs with
    // --quiet or a record format.
    bool banner = true;
    // The text format over CSV rows, which the reference program's plain loops do not read; it skips the row.
    bool csv_text = false;
};

std::vector<E2eCase> AllCases();

// A relative name of 259 characters in two folders, whose full path is therefore too long to be stored.
extern const std::string kDeepGroupFile;

// The rows of the options for scripts and pipelines (e2e_script_cases.cpp).
std::vector<E2eCase> ScriptCases();

// The rows of CSV input as people write it (e2e_csv_cases.cpp), among the script rows.
std::vector<E2eCase> CsvInputCases();

}  // namespace kalderos::test
