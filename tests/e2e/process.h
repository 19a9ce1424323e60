// Runs a program with given arguments, standard input and working directory, and captures what it did.
#pragma once

#include <string>
#include <vector>

namespace kalderos::test {

struct ProcessResult {
    std::string out;
    std::string err;
    int exit_code = -1;    // when it exited
    int signal = 0;        // when a signal ended it
    bool timed_out = false;
    long peak_kib = 0;     // the most memory it held at once (its peak resident size)
};

struct ProcessSpec {
    std::vector<std::string> argv;  // argv[0] is the program path
    std::string input;               // written to standard input, which is then closed
    std::string cwd;
    std::string stdout_path;         // when set, standard output goes to this file instead of a pipe
    std::vector<std::string> env;    // extra NAME=value entries
    bool nonblocking_stdout = false;  // the standard output pipe is handed over with O_NONBLOCK set
    int read_delay_ms = 0;           // standard output and error are not read before this much time has passed
    std::size_t read_chunk = 65536;  // the most bytes taken from standard output or error at a time
    int timeout_seconds = 30;
};

ProcessResult RunProcess(const ProcessSpec& spec);

// A fresh directory under the system's temporary directory, as its real path.
std::string MakeTempDir();
void RemoveTree(const std::string& path);

}  // namespace kalderos::test
