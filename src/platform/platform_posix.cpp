// POSIX side of the platform layer: file descriptors, sigaction, poll, getcwd and termios.
#include "platform/platform.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>  // mallopt
#endif

#include <algorithm>
#include <array>
#include <climits>
#include <thread>
#include <vector>

namespace kalderos::platform {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;
int g_last_error = 0;

extern "C" void OnInterrupt(int) { g_interrupted = 1; }

struct ThreadStart {
    void (*body)(void* context);
    void* context;
};

extern "C" void* Trampoline(void* start) {
    const ThreadStart taken = *static_cast<ThreadStart*>(start);
    delete static_cast<ThreadStart*>(start);
    taken.body(taken.context);
    return nullptr;
}

}  // namespace

void PrepareProcess() {
    // A closed pipe must show up as a failed write that the run reports, not as a silent death by signal; so
    // must a file grown to the size limit (ulimit -f), which then fails as a full disk does, with EFBIG.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
#if defined(__GLIBC__)
    // A list's threads allocate once per block, never per line: one arena costs them no waiting worth counting.
    ::mallopt(M_ARENA_MAX, 1);
    // A block grown for a long CSV row goes back to the system when freed. By default the C library raises the
    // size it maps afresh once such a buffer has been freed, and then keeps every later one (16 MiB rows with
    // eight jobs: 137 MiB resident, 61 MiB so).
    ::mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

bool StartThread(void (*body)(void* context), void* context, ThreadHandle& thread) {
    static_assert(sizeof(pthread_t) <= sizeof(thread.value));
    pthread_attr_t attributes;
    if (::pthread_attr_init(&attributes) != 0) return false;
    pthread_t started{};
    const bool ok = ::pthread_attr_setstacksize(&attributes, kThreadStackBytes) == 0 &&
                    ::pthread_create(&started, &attributes, Trampoline, new ThreadStart{body, context}) == 0;
    ::pthread_attr_destroy(&attributes);
    if (ok) std::memcpy(&thread.value, &started, sizeof started);
    return ok;
}

void JoinThread(ThreadHandle thread) {
    pthread_t started{};
    std::memcpy(&started, &thread.value, sizeof started);
    ::pthread_join(started, nullptr);
}

void KeepOutputLineEnds() {}

void InstallInterruptHandler() {
    struct sigaction inherited {};
    if (::sigaction(SIGINT, nullptr, &inherited) == 0 && (inherited.sa_flags & SA_SIGINFO) == 0 &&
        inherited.sa_handler == SIG_IGN) {
        return;
    }
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
        // A FIFO without a writer keeps the open waiting; Ctrl-C ends that wait (the handler does not restart
        // it), and one pressed just before is seen here.
        if (InterruptRequested()) {
            g_last_error = EINTR;
            return -1;
        }
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) g_last_error = errno;
    return fd;
}

void CloseFile(int fd) { ::close(fd); }

namespace {

// Waits until `fd` is ready for `events` (something to read, room to write), letting Ctrl-C in only during the
// wait itself: a Ctrl-C that came between the last check and a blocking call would otherwise go unnoticed until
// the user finished a line or the reader took more. False when Ctrl-C has been pressed, before or during it.
bool WaitUntilReady(int fd, short events) {
    // A source that never runs dry (/dev/zero, a line without end) would otherwise never look.
    if (InterruptRequested()) return false;
    pollfd watch{fd, events, 0};
    // Most calls find the descriptor ready already (a file, a pipe that keeps up), and then cost one call more.
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

bool WaitForInput(int fd) { return WaitUntilReady(fd, POLLIN); }

// After Ctrl-C a reader that has taken nothing for this long is taken to have stopped; one that still takes
// data, however slowly, gets everything written before.
constexpr int kStoppedReaderMs = 2000;

// Once Ctrl-C has been pressed: waits until `fd` has room, false when none came within kStoppedReaderMs. An
// error or a reader gone counts as room: the write then reports it.
bool RoomBeforeGivingUp(int fd) {
    pollfd watch{fd, POLLOUT, 0};
    int ready;
    while ((ready = ::poll(&watch, 1, kStoppedReaderMs)) < 0 && errno == EINTR) {
    }
    return ready > 0;
}

bool IsTryAgain(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

}  // namespace

long ReadSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        if (!WaitForInput(fd)) {
            g_last_error = EINTR;
            return -1;
        }
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0) return static_cast<long>(got);
        if (errno == EINTR || IsTryAgain(errno)) continue;  // the wait above sees an interrupt
        g_last_error = errno;
        return -1;
    }
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    // Once Ctrl-C has been pressed the run is ending, and what it still writes was printed before: the record or
    // line in the middle of being written, the output buffered behind it. That goes on while the reader takes
    // data, in pieces a pipe with room takes without waiting, and is given up only when the reader has stopped
    // taking any; a second Ctrl-C ends the process by default.
    while (size > 0) {
        const bool ending = InterruptRequested();
        if (ending && !RoomBeforeGivingUp(fd)) {
            g_last_error = EINTR;
            return false;
        }
        const ssize_t put = ::write(fd, data, ending ? std::min<std::size_t>(size, PIPE_BUF) : size);
        if (put >= 0) {
            data += put;
            size -= static_cast<std::size_t>(put);
            continue;
        }
        if (errno == EINTR) continue;  // Ctrl-C, which the next round sees
        if (IsTryAgain(errno)) {
            // A descriptor left non-blocking by whoever passed it on has no room: no failure, the write waits
            // (the next round does, once Ctrl-C has been pressed).
            if (!ending) WaitUntilReady(fd, POLLOUT);
            continue;
        }
        g_last_error = errno;
        return false;
    }
    return true;
}

bool IsTerminal(int fd) { return ::isatty(fd) == 1; }

bool TerminalShowsUtf8() {
    // A locale of its own: the program's stays "C", which every reading of bytes assumes.
    const locale_t named = ::newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (named == static_cast<locale_t>(nullptr)) return false;
    const bool utf8 = std::strcmp(::nl_langinfo_l(CODESET, named), "UTF-8") == 0;
    ::freelocale(named);
    return utf8;
}

bool ReadWouldWait(int fd) {
    pollfd watch{fd, POLLIN, 0};
    return ::poll(&watch, 1, 0) == 0;
}

int UsableProcessors() {
#ifdef CPU_COUNT
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) return CPU_COUNT(&set);
#endif
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

bool IsRegularFile(int fd) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

void WidenPipe(int fd, std::size_t bytes) {
#ifdef F_SETPIPE_SZ
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISFIFO(status.st_mode)) ::fcntl(fd, F_SETPIPE_SZ, static_cast<int>(bytes));
#else
    (void)fd;
    (void)bytes;
#endif
}

bool UnreadBytes(int fd, std::size_t count) {
    return ::lseek(fd, -static_cast<off_t>(count), SEEK_CUR) >= 0;
}

bool OpenForWriting(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) != O_RDONLY;
}

bool OutputFeedsInput(int input, int output) {
    struct stat in {}, out {};
    if (::fstat(input, &in) != 0 || ::fstat(output, &out) != 0) return false;
    if (!S_ISREG(out.st_mode) || in.st_dev != out.st_dev || in.st_ino != out.st_ino) return false;
    const off_t read_at = ::lseek(input, 0, SEEK_CUR);
    if (read_at < 0 || read_at >= in.st_size) return false;  // nothing left to read
    const int flags = ::fcntl(output, F_GETFL);
    if (flags >= 0 && (flags & O_APPEND) != 0) return true;
    return ::lseek(output, 0, SEEK_CUR) >= read_at;
}

std::string LastErrorText() { return std::strerror(g_last_error); }

void NoteNameTooLong() { g_last_error = ENAMETOOLONG; }

bool WriteFailedOnClosedPipe() { return g_last_error == EPIPE; }

bool WriteWasInterrupted() { return g_last_error == EINTR; }

namespace {

// The parent of the directory `path` (absolute, without a trailing "/", "" for the root) leads to, as the kernel
// finds it: after a symbolic link that is the parent of its target. False when `path` leads to no directory.
bool GoUp(std::string& path) {
    char* real = ::realpath((path + "/.").c_str(), nullptr);
    if (real == nullptr) return false;
    path = real;
    std::free(real);
    path.erase(path.rfind('/'));
    return true;
}

}  // namespace

std::string FullPath(std::string_view name) {
    std::string full;  // absolute, without a trailing "/"; "" is the root
    if (name.empty() || name.front() != '/') {
        std::vector<char> cwd(4096);
        while (::getcwd(cwd.data(), cwd.size()) == nullptr) {
            if (errno != ERANGE || cwd.size() > (1u << 20)) return {};
            cwd.resize(cwd.size() * 2);
        }
        full = cwd.data();
        if (full == "/") full.clear();
    }
    bool resolving = true;   // until a ".." cannot be followed; the rest then stays as written
    bool ends_in_name = false;
    std::string_view rest = name;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view step = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
        if (step.empty() || step == ".") continue;
        ends_in_name = step != "..";
        if (!ends_in_name && resolving && GoUp(full)) continue;
        if (!ends_in_name) resolving = false;
        full += '/';
        full.append(step);
    }
    // "file/" names a directory, which the kernel holds against a file; the message shows the name so.
    if (ends_in_name && name.back() == '/') full += '/';
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

// The signals whose default action ends the process (besides the real-time ones): whichever of them would take
// that default while a key is awaited puts the terminal's settings back first. SIGINT has the run's own handler
// (and with ISIG off the key Ctrl-C raises none).
constexpr std::array kEndingSignals{SIGHUP,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT, SIGBUS,    SIGFPE,
                                    SIGUSR1, SIGSEGV, SIGUSR2, SIGPIPE, SIGALRM, SIGTERM,   SIGXCPU,
                                    SIGXFSZ, SIGSYS,  SIGPROF, SIGVTALRM};
static_assert(kEndingSignals.size() == 18);

bool EndsByDefault(int signal_number) {
    for (const int ending : kEndingSignals) {
        if (ending == signal_number) return true;
    }
    return signal_number >= SIGRTMIN && signal_number <= SIGRTMAX;
}

struct SavedSignals {
    std::array<struct sigaction, NSIG> old{};
    std::array<bool, NSIG> replaced{};
};

// Signals ignored or handled by someone (a sanitizer runtime, say) are left as they are.
void RestoreTerminalOnEndingSignals(SavedSignals& saved) {
    struct sigaction restore {};
    restore.sa_handler = RestoreTerminalAndDie;
    sigfillset(&restore.sa_mask);
    for (int signal_number = 1; signal_number < NSIG; ++signal_number) {
        struct sigaction& old = saved.old[static_cast<std::size_t>(signal_number)];
        if (!EndsByDefault(signal_number) || ::sigaction(signal_number, nullptr, &old) != 0) continue;
        if ((old.sa_flags & SA_SIGINFO) != 0 || old.sa_handler != SIG_DFL) continue;
        saved.replaced[static_cast<std::size_t>(signal_number)] = ::sigaction(signal_number, &restore, nullptr) == 0;
    }
}

void PutBackSignals(const SavedSignals& saved) {
    for (int signal_number = 1; signal_number < NSIG; ++signal_number) {
        const auto index = static_cast<std::size_t>(signal_number);
        if (saved.replaced[index]) ::sigaction(signal_number, &saved.old[index], nullptr);
    }
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

// The key Ctrl-C, which is also what an interrupt from outside reads as.
constexpr int kCtrlCKey = 3;

// Waits for the first byte of a key and finishes the key.
int AwaitKey(const termios& raw) {
    for (;;) {
        if (!WaitForInput(kStandardInput)) return kCtrlCKey;
        unsigned char byte = 0;
        const ssize_t got = ::read(kStandardInput, &byte, 1);
        if (got == 1) return FinishKey(byte, raw);
        if (got == 0 || errno != EINTR) return -1;
    }
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

    SavedSignals saved;
    RestoreTerminalOnEndingSignals(saved);
    g_terminal_changed = 1;
    const int key = ::tcsetattr(kStandardInput, TCSANOW, &raw) == 0 ? AwaitKey(raw) : -1;
    ::tcsetattr(kStandardInput, TCSANOW, &g_saved_terminal);
    g_terminal_changed = 0;
    PutBackSignals(saved);
    return key;
}

void DiscardPendingInput() {
    if (IsTerminal(kStandardInput)) ::tcflush(kStandardInput, TCIFLUSH);
}

}  // namespace kalderos::platform
