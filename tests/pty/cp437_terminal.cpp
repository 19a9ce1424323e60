// Runs a command with its output drawn as a code-page-437 console draws it, to see the banner in a UTF-8 terminal.
// Usage: cp437_terminal EXIT_CODE_FILE COMMAND [ARGUMENT...]. Standard input stays the terminal, so keys still
// reach the command; its exit code is written to the file once all its output is shown.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>

#include "cp437.h"

int main(int argc, char** argv) {
    int output[2];
    if (argc < 3 || pipe(output) != 0) return 127;
    const pid_t pid = fork();
    if (pid < 0) return 127;
    if (pid == 0) {
        // One pipe for both streams keeps them in the order the command wrote them.
        dup2(output[1], 1);
        dup2(output[1], 2);
        close(output[0]);
        close(output[1]);
        execv(argv[2], argv + 2);
        _exit(127);
    }
    close(output[1]);
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(output[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        const std::string shown = kalderos::test::Cp437ToUtf8({buffer, static_cast<std::size_t>(got)});
        for (std::size_t done = 0; done < shown.size();) {
            const ssize_t put = write(1, shown.data() + done, shown.size() - done);
            if (put < 0 && errno != EINTR) return 126;
            if (put > 0) done += static_cast<std::size_t>(put);
        }
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    // Written aside and renamed, so that a reader never finds the file half written.
    const std::string path = argv[1];
    std::ofstream(path + ".part") << code << '\n';
    std::rename((path + ".part").c_str(), path.c_str());
    return code;
}
