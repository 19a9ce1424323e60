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
    std::optional<std::string_view> NextInputLine() {
        if (!list_reader_) return NextConsoleLine();
        std::string_view text;
        const LineReader::Status status = list_reader_->Next(text);
        if (status == LineReader::Status::Line) return text;
        return EndOfList(status);
    }

private:
    // Past the last line: none, or after a read error the message and the end of the run.
    std::optional<std::string_view> EndOfList(LineReader::Status status);
    std::optional<std::string_view> NextConsoleLine();

    const RunOptions& options_;
    std::optional<LineReader> list_reader_;
    char* console_line_ = nullptr;
};

}  // namespace kalderos
