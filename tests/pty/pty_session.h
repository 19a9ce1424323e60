// Runs the program on a pseudo-terminal of its own, as a person at an 80x24 terminal would, and reads what it shows.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kalderos::test {

struct PtyEnd {
    std::string screen;     // everything the terminal received after start-up: output and echo, in order
    int exit_code = -1;     // when it exited
    int signal = 0;         // when a signal ended it
    bool timed_out = false;
};

// The terminal starts with the usual settings (line editing, echo, Ctrl-C as the interrupt) except that its
// output is left raw: "\n" arrives as "\n", so what is read is the program's bytes and the terminal's echo
// exactly, with nothing to fold back.
class PtySession {
public:
    // Every wait gives up after this long; it only ever runs out when the program is wrong.
    static constexpr std::chrono::seconds kPatience{30};

    // `typed_ahead` is typed on the terminal before the program starts; its echo is not part of the screen.
    explicit PtySession(const std::vector<std::string>& args, std::string_view typed_ahead = {});
    ~PtySession();
    PtySession(const PtySession&) = delete;
    PtySession& operator=(const PtySession&) = delete;

    // Waits until `text` appears after what earlier waits found; false when it never does.
    [[nodiscard]] bool WaitFor(std::string_view text);

    // Waits until the program has taken the terminal out of line mode to read a single key.
    [[nodiscard]] bool WaitForKeyRead();

    void Type(std::string_view keys);
    void SendSignal(int signal_number);

    // Reads until the program has closed the terminal and collects its end.
    PtyEnd Finish();

    // The terminal's settings as the program sees them, now and as they were before it started.
    [[nodiscard]] termios Settings() const;
    [[nodiscard]] const termios& InitialSettings() const { return initial_settings_; }

    // Bytes typed on the terminal that nobody has read; call after Finish.
    [[nodiscard]] std::string UnreadInput() const;

    // What has arrived so far, for failure messages.
    [[nodiscard]] const std::string& Screen() const { return screen_; }

private:
    // Reads what is there, waiting up to `wait`; false once the program has closed the terminal.
    bool ReadMore(std::chrono::milliseconds wait);

    int master_ = -1;
    pid_t pid_ = -1;
    std::string slave_name_;
    termios initial_settings_{};
    std::string screen_;
    std::size_t searched_ = 0;
    bool closed_ = false;
};

}  // namespace kalderos::test
