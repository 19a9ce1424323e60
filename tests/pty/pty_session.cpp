// openpty, a child that makes the terminal its controlling terminal, and reads of the master side with deadlines.
#include "pty_session.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <thread>

namespace kalderos::test {
namespace {

using Clock = std::chrono::steady_clock;

// What the terminal echoes for keys typed in line mode: a Return as a line feed, other control keys as ^X.
std::string EchoOf(std::string_view keys) {
    std::string echo;
    for (const char c : keys) {
        if (c == '\r' || c == '\n') {
            echo += '\n';
        } else if (static_cast<unsigned char>(c) < 32) {
            echo += '^';
            echo += static_cast<char>(c + 64);
        } else {
            echo += c;
        }
    }
    return echo;
}

[[noreturn]] void BecomeProgram(int slave, const std::vector<char*>& argv) {
    setsid();
    ioctl(slave, TIOCSCTTY, 0);
    for (int fd = 0; fd < 3; ++fd) dup2(slave, fd);
    if (slave > 2) close(slave);
    // Whatever the test runner blocks or ignores must not reach the program.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    for (const int s : {SIGINT, SIGQUIT, SIGPIPE, SIGTERM, SIGHUP}) signal(s, SIG_DFL);
    execv(argv[0], argv.data());
    _exit(127);
}

}  // namespace

PtySession::PtySession(const std::vector<std::string>& args, std::string_view typed_ahead) {
    int slave = -1;
    char name[256] = {};
    winsize size{};
    size.ws_row = 24;
    size.ws_col = 80;
    if (openpty(&master_, &slave, name, nullptr, &size) != 0) throw std::runtime_error("openpty failed");
    slave_name_ = name;
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    termios settings{};
    tcgetattr(slave, &settings);
    settings.c_oflag &= static_cast<tcflag_t>(~OPOST);
    tcsetattr(slave, TCSANOW, &settings);
    tcgetattr(slave, &initial_settings_);

    if (!typed_ahead.empty()) {
        Type(typed_ahead);
        // Once the echo is back the keys sit in the terminal's input, where the program will find them.
        if (!WaitFor(EchoOf(typed_ahead))) throw std::runtime_error("typed keys were not echoed");
        screen_.clear();
        searched_ = 0;
    }

    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        close(master_);
        BecomeProgram(slave, argv);
    }
    close(slave);
}

PtySession::~PtySession() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
}

bool PtySession::ReadMore(std::chrono::milliseconds wait) {
    if (closed_) return false;
    pollfd watch{master_, POLLIN, 0};
    if (poll(&watch, 1, static_cast<int>(wait.count())) <= 0) return true;
    char buffer[4096];
    const ssize_t got = read(master_, buffer, sizeof buffer);
    if (got > 0) {
        screen_.append(buffer, static_cast<std::size_t>(got));
        return true;
    }
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) return true;
    closed_ = true;  // EIO: every descriptor of the terminal's program side is closed
    return false;
}

bool PtySession::WaitFor(std::string_view text) {
    const auto deadline = Clock::now() + kPatience;
    for (;;) {
        const std::size_t at = screen_.find(text, searched_);
        if (at != std::string::npos) {
            searched_ = at + text.size();
            return true;
        }
        if (Clock::now() > deadline || !ReadMore(std::chrono::milliseconds(100))) return false;
    }
}

bool PtySession::WaitForKeyRead() {
    const auto deadline = Clock::now() + kPatience;
    while (Clock::now() < deadline) {
        if ((Settings().c_lflag & ICANON) == 0) return true;
        // Keeps output flowing while the program gets there; the short wait paces the polling.
        if (!ReadMore(std::chrono::milliseconds(5))) return false;
    }
    return false;
}

void PtySession::Type(std::string_view keys) {
    while (!keys.empty()) {
        const ssize_t put = write(master_, keys.data(), keys.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error("typing on the terminal failed");
        }
        keys.remove_prefix(static_cast<std::size_t>(put));
    }
}

void PtySession::SendSignal(int signal_number) {
    if (pid_ > 0) kill(pid_, signal_number);
}

PtyEnd PtySession::Finish() {
    PtyEnd end;
    const auto deadline = Clock::now() + kPatience;
    while (Clock::now() < deadline && ReadMore(std::chrono::milliseconds(100))) {
    }
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            end.timed_out = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
    if (WIFEXITED(status) && !end.timed_out) end.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status) && !end.timed_out) end.signal = WTERMSIG(status);
    end.screen = screen_;
    return end;
}

termios PtySession::Settings() const {
    // On the master side these calls reach the terminal's own settings, the ones the program changes.
    termios settings{};
    tcgetattr(master_, &settings);
    return settings;
}

std::string PtySession::UnreadInput() const {
    const int fd = open(slave_name_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) throw std::runtime_error("cannot reopen the terminal");
    // Out of line mode, a partly typed line becomes readable too.
    termios settings = Settings();
    settings.c_lflag &= static_cast<tcflag_t>(~ICANON);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &settings);
    std::string unread;
    char buffer[256];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
        unread.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return unread;
}

}  // namespace kalderos::test
