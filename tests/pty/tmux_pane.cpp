// Drives tmux through its command line: a private socket and configuration, capture-pane to read the screen.
#include "tmux_pane.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "e2e/process.h"

namespace kalderos::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds kPatience{30};

// Polls `ready` until it holds or the patience runs out; tmux tells nobody when its screen changes.
template <typename Condition>
bool Eventually(Condition ready) {
    const auto deadline = Clock::now() + kPatience;
    while (!ready()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string TrimEnd(std::string row) {
    while (!row.empty() && row.back() == ' ') row.pop_back();
    return row;
}

}  // namespace

bool TmuxPane::Available() {
    ProcessSpec spec;
    spec.argv = {"tmux", "-V"};
    return RunProcess(spec).exit_code == 0;
}

TmuxPane::TmuxPane(const std::vector<std::string>& command) : dir_(MakeTempDir()), socket_(dir_ + "/socket") {
    // A dead pane keeps its last screen for reading; no status line, so the program has all 24 rows.
    std::ofstream(dir_ + "/tmux.conf") << "set -g status off\nset -g remain-on-exit on\n"
                                          "set -g remain-on-exit-format \"\"\n";
    std::vector<std::string> args = {"new-session", "-d", "-x", "80", "-y", "24", "-s", "kalderos",
                                     CP437_TERMINAL, dir_ + "/exit-code"};
    args.insert(args.end(), command.begin(), command.end());
    Tmux(args);
}

TmuxPane::~TmuxPane() {
    try {
        Tmux({"kill-server"});
    } catch (...) {
    }
    RemoveTree(dir_);
}

std::string TmuxPane::Tmux(std::vector<std::string> args) const {
    ProcessSpec spec;
    spec.argv = {"tmux", "-S", socket_, "-f", dir_ + "/tmux.conf"};
    spec.argv.insert(spec.argv.end(), args.begin(), args.end());
    spec.env = {"TMUX=", "TMUX_TMPDIR=" + dir_};
    const ProcessResult result = RunProcess(spec);
    if (result.exit_code != 0) throw std::runtime_error("tmux " + args.front() + " failed: " + result.err);
    return result.out;
}

std::vector<std::string> TmuxPane::Screen() const {
    std::istringstream lines(Tmux({"capture-pane", "-p", "-t", "kalderos"}));
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) rows.push_back(TrimEnd(line));
    rows.resize(24);
    return rows;
}

bool TmuxPane::WaitForScreen(const std::vector<std::string>& rows) const {
    return Eventually([&] { return Screen() == rows; });
}

bool TmuxPane::WaitForKeyRead() const {
    std::string tty = Tmux({"display-message", "-p", "-t", "kalderos", "#{pane_tty}"});
    tty = tty.substr(0, tty.find('\n'));
    return Eventually([&] {
        const int fd = open(tty.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        termios settings{};
        const bool raw = fd >= 0 && tcgetattr(fd, &settings) == 0 && (settings.c_lflag & ICANON) == 0;
        if (fd >= 0) close(fd);
        return raw;
    });
}

void TmuxPane::Type(const std::string& text) const { Tmux({"send-keys", "-t", "kalderos", "-l", text}); }

void TmuxPane::Press(const std::string& key) const { Tmux({"send-keys", "-t", "kalderos", key}); }

int TmuxPane::WaitForExit() const {
    // tmux's own record of the exit status is not reliable when the machine is busy (it may miss the child's
    // end), so the status comes from the file cp437_terminal writes.
    std::ifstream file;
    if (!Eventually([&] {
            file.open(dir_ + "/exit-code");
            return file.is_open();
        })) {
        return -1;
    }
    int code = -1;
    file >> code;
    return code;
}

std::vector<std::string> RowsOnScreen(const std::string& stream) {
    std::vector<std::string> rows(1);
    for (const char c : stream) {
        if (c == '\n') {
            rows.emplace_back();
        } else {
            rows.back() += c;
        }
    }
    if (rows.size() > 24) rows.erase(rows.begin(), rows.end() - 24);
    for (std::string& row : rows) row = TrimEnd(row);
    rows.resize(24);
    return rows;
}

}  // namespace kalderos::test
