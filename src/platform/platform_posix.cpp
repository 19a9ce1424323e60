// POSIX side of the platform layer: file descriptors, sigaction, getcwd and termios.
#include "platform/platform.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <vector>

namespace kalderos::platform {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;
int g_last_error = 0;

extern "C" void OnInterrupt(int) { g_interrupted = 1; }

}  // namespace

void PrepareProcess() {
    // A closed pipe must show up as a failed write that the run reports, not as a silent death by signal.
    std::signal(SIGPIPE, SIG_IGN);
}

void InstallInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read blocked at the console prompt must return so the main flow can end the run.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
}

bool InterruptRequested() { return g_interrupted != 0; }

int OpenForReading(const std::string& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR && !InterruptRequested());
    if (fd < 0) g_last_error = errno;
    return fd;
}

void CloseFile(int fd) { ::close(fd); }

namespace {

// Waits until `fd` has something to read, letting Ctrl-C in only during the wait itself: a Ctrl-C that came
// between the last check and a blocking read would otherwise go unnoticed until the user finished a line.
// False when Ctrl-C has been pressed.
bool WaitForInput(int fd) {
    pollfd watch{fd, POLLIN, 0};
    // Most reads find their input there already (a file, a pipe that keeps up), and then cost one call more.
    if (::poll(&watch, 1, 0) > 0) return true;
    sigset_t interrupt, others;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    sigprocmask(SIG_BLOCK, &interrupt, &others);
    while (!InterruptRequested() && ::ppoll(&watch, 1, nullptr, &others) < 0 && errno == EINTR) {
    }
    sigprocmask(SIG_SETMASK, &others, nullptr);
    return !InterruptRequested();
}

}  // namespace

long ReadSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        if (!WaitForInput(fd)) {
            g_last_error = EINTR;
            return -1;
        }
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0) return static_cast<long>(got);
        if (errno == EINTR && !InterruptRequested()) continue;
        g_last_error = errno;
        return -1;
    }
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0) {
            // Output produced before an interrupt must still arrive whole, so an interrupted write is retried.
            if (errno == EINTR) continue;
            g_last_error = errno;
            return false;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

bool IsTerminal(int fd) { return ::isatty(fd) == 1; }

std::string LastErrorText() { return std::strerror(g_last_error); }

bool WriteFailedOnClosedPipe() { return g_last_error == EPIPE; }

std::string FullPath(std::string_view name) {
    std::string joined;
    if (name.empty() || name.front() != '/') {
        std::vector<char> cwd(4096);
        while (::getcwd(cwd.data(), cwd.size()) == nullptr) {
            if (errno != ERANGE || cwd.size() > (1u << 20)) return {};
            cwd.resize(cwd.size() * 2);
        }
        joined = cwd.data();
        joined += '/';
    }
    joined.append(name);

    std::vector<std::string_view> steps;
    std::string_view rest = joined;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view step = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
        if (step.empty() || step == ".") continue;
        if (step == "..") {
            if (!steps.empty()) steps.pop_back();
            continue;
        }
        steps.push_back(step);
    }
    std::string full;
    for (const std::string_view step : steps) {
        full += '/';
        full.append(step);
    }
    return full.empty() ? std::string("/") : full;
}

namespace {

termios g_saved_terminal{};
volatile std::sig_atomic_t g_terminal_changed = 0;

extern "C" void RestoreTerminalAndDie(int signal_number) {
    if (g_terminal_changed) ::tcsetattr(kStandardInput, TCSANOW, &g_saved_terminal);
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
}

// Reads one byte, waiting at most a tenth of a second; -1 when none came.
int ReadFollowingByte(termios settings) {
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 1;
    ::tcsetattr(kStandardInput, TCSANOW, &settings);
    unsigned char byte = 0;
    return ::read(kStandardInput, &byte, 1) == 1 ? byte : -1;
}

// A cursor or function key arrives as an escape sequence, a non-ASCII character as several bytes; both are
// one key, and none of their bytes may be left behind for whoever reads the terminal next.
int FinishKey(int first, const termios& raw) {
    if (first == 27) {
        const int next = ReadFollowingByte(raw);
        if (next < 0) return 27;
        while (ReadFollowingByte(raw) >= 0) {
        }
        return next == '[' ? 224 : 0;
    }
    if (first >= 0xC0) {
        const int extra = first >= 0xF0 ? 3 : first >= 0xE0 ? 2 : 1;
        for (int i = 0; i < extra && ReadFollowingByte(raw) >= 0; ++i) {
        }
    }
    return first;
}

}  // namespace

int ReadConsoleKey() {
    if (!IsTerminal(kStandardInput) || ::tcgetattr(kStandardInput, &g_saved_terminal) != 0) return -1;
    termios raw = g_saved_terminal;
    // Without ICANON the key comes without Return, without ECHO it is not shown, and without ISIG Ctrl-C
    // arrives as the byte 3 instead of interrupting.
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO | ISIG | IEXTEN));
    raw.c_iflag &= static_cast<tcflag_t>(~(IXON | ICRNL));
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;

    struct sigaction restore {}, old_term {}, old_hup {};
    restore.sa_handler = RestoreTerminalAndDie;
    sigemptyset(&restore.sa_mask);
    sigaction(SIGTERM, &restore, &old_term);
    sigaction(SIGHUP, &restore, &old_hup);
    g_terminal_changed = 1;
    int key = -1;
    if (::tcsetattr(kStandardInput, TCSANOW, &raw) == 0) {
        unsigned char byte = 0;
        ssize_t got;
        do {
            got = ::read(kStandardInput, &byte, 1);
        } while (got < 0 && errno == EINTR);
        if (got == 1) key = FinishKey(byte, raw);
    }
    ::tcsetattr(kStandardInput, TCSANOW, &g_saved_terminal);
    g_terminal_changed = 0;
    sigaction(SIGTERM, &old_term, nullptr);
    sigaction(SIGHUP, &old_hup, nullptr);
    return key;
}

void DiscardPendingInput() {
    if (IsTerminal(kStandardInput)) ::tcflush(kStandardInput, TCIFLUSH);
}

}  // namespace kalderos::platform
