// Runs a command several times and reports the median wall time, the fastest, and the largest peak resident
// memory of those runs. Forked from this small program rather than from a script, because a child's peak
// memory counts the pages it was forked with: a Python parent would add its own ten megabytes.
//
//   run_timed RUNS OUTPUT_FILE COMMAND [ARGUMENT...]
// prints: median_seconds min_seconds max_rss_kib exit_code
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RUNS OUTPUT_FILE COMMAND [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const char* output = argv[2];
    std::vector<double> seconds;
    long max_rss = 0;
    int exit_code = 0;
    for (int i = 0; i < runs; ++i) {
        // The run before left its output in the file: freeing it is no part of this run's time.
        struct stat file {};
        if (stat(output, &file) == 0 && S_ISREG(file.st_mode) && truncate(output, 0) != 0) {
            std::perror(output);
            return 1;
        }
        const double start = Now();
        const pid_t pid = fork();
        if (pid < 0) {
            std::perror("fork");
            return 1;
        }
        if (pid == 0) {
            const int out = open(output, O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int null = open("/dev/null", O_RDWR);
            if (out < 0 || null < 0) _exit(127);
            dup2(null, 0);
            dup2(out, 1);
            dup2(null, 2);
            execv(argv[3], argv + 3);
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) != pid) {
            std::perror("wait4");
            return 1;
        }
        seconds.push_back(Now() - start);
        max_rss = std::max(max_rss, usage.ru_maxrss);
        exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::sort(seconds.begin(), seconds.end());
    const std::size_t n = seconds.size();
    const double median = n % 2 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2;
    std::printf("%.6f %.6f %ld %d\n", median, seconds.front(), max_rss, exit_code);
    return 0;
}
