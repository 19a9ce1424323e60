// fork/exec with pipes for standard input, output and error, read with poll so no pipe can fill up.
#include <algorithm>
#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace kalderos::test {

std::string MakeTempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/kalderos-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    char real[PATH_MAX];
    if (realpath(pattern.c_str(), real) == nullptr) throw std::runtime_error("realpath failed");
    return real;
}

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

ProcessResult RunProcess(const ProcessSpec& spec) {
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe failed");
    signal(SIGPIPE, SIG_IGN);
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        dup2(in[0], 0);
        if (!spec.stdout_path.empty()) {
            const int fd = open(spec.stdout_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(fd, 1);
        } else {
            dup2(out[1], 1);
            if (spec.nonblocking_stdout) fcntl(1, F_SETFL, fcntl(1, F_GETFL) | O_NONBLOCK);
        }
        dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
        signal(SIGPIPE, SIG_DFL);
        setsid();  // no controlling terminal: the program must not find one to read keys from
        if (!spec.cwd.empty() && chdir(spec.cwd.c_str()) != 0) _exit(126);
        for (const std::string& entry : spec.env) putenv(const_cast<char*>(entry.c_str()));
        std::vector<char*> args;
        for (const std::string& arg : spec.argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);

    ProcessResult result;
    std::size_t written = 0;
    int in_fd = in[1];
    if (spec.input.empty()) {
        close(in_fd);
        in_fd = -1;
    } else {
        fcntl(in_fd, F_SETFL, O_NONBLOCK);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(spec.timeout_seconds);
    // Lets the program fill its output pipe before anything is taken out of it.
    if (spec.read_delay_ms > 0) poll(nullptr, 0, spec.read_delay_ms);
    int open_outputs = 2;
    int fds[2] = {out[0], err[0]};
    while (open_outputs > 0 || in_fd >= 0) {
        pollfd polls[3];
        int count = 0;
        for (int i = 0; i < 2; ++i) {
            if (fds[i] >= 0) polls[count++] = {fds[i], POLLIN, 0};
        }
        if (in_fd >= 0) polls[count++] = {in_fd, POLLOUT, 0};
        if (open_outputs == 0 && in_fd >= 0) {
            // The program closed its outputs but may still be reading; give up on the rest of the input.
            close(in_fd);
            in_fd = -1;
            break;
        }
        const int ready = poll(polls, static_cast<nfds_t>(count), 200);
        if (std::chrono::steady_clock::now() > deadline) {
            // The whole process group (setsid above): a script's pipeline must not outlive its test.
            kill(-pid, SIGKILL);
            result.timed_out = true;
            break;
        }
        if (ready <= 0) continue;
        for (int i = 0; i < count; ++i) {
            if (polls[i].revents == 0) continue;
            if (polls[i].fd == in_fd) {
                const ssize_t put = write(in_fd, spec.input.data() + written, spec.input.size() - written);
                if (put > 0) written += static_cast<std::size_t>(put);
                if (put < 0 || written == spec.input.size()) {
                    close(in_fd);
                    in_fd = -1;
                }
                continue;
            }
            char buffer[65536];
            const ssize_t got = read(polls[i].fd, buffer, std::min(sizeof buffer, spec.read_chunk));
            const int which = polls[i].fd == fds[0] ? 0 : 1;
            if (got <= 0) {
                close(fds[which]);
                fds[which] = -1;
                --open_outputs;
            } else {
                (which == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(got));
            }
        }
    }
    for (int fd : fds) {
        if (fd >= 0) close(fd);
    }
    if (in_fd >= 0) close(in_fd);
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    result.peak_kib = usage.ru_maxrss;
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    return result;
}

}  // namespace kalderos::test
