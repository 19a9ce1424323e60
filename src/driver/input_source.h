// Where the texts to check come from: the list file named with -i, or the console after its two prompts.
#pragma once

#include <optional>
#include <string_view>

#include "driver/line_reader.h"
#include "driver/run_state.h"

namespace kalderos {

class InputSource {
public:
    explicit InputSource(const RunOptions& options);

    // The next text, valid until the next call; none when the input is exhausted. A read error is reported
    // and ends the run with 2 once everything read before it has been handed out.
    std::optional<std::string_view> NextInputLine();

private:
    std::optional<std::string_view> NextListLine();
    std::optional<std::string_view> NextConsoleLine();

    const RunOptions& options_;
    std::optional<LineReader> list_reader_;
    char* console_line_ = nullptr;
};

}  // namespace kalderos
