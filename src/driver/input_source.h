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

    // The next text, valid until the next call; false when the input is exhausted. A read error is reported
    // and ends the run with 2 once everything read before it has been handed out.
    bool NextInputLine(std::string_view& text) {
        if (!list_reader_) return NextConsoleLine(text);
        const LineReader::Status status = list_reader_->Next(text);
        return status == LineReader::Status::Line || EndOfList(status);
    }

    // Bytes that may be read from the start of every text, however short it is.
    [[nodiscard]] std::size_t ReadAhead() const { return list_reader_ ? LineReader::kReadAhead : 0; }

private:
    // Past the last line: false, or after a read error the message and the end of the run.
    bool EndOfList(LineReader::Status status);
    bool NextConsoleLine(std::string_view& text);

    const RunOptions& options_;
    std::optional<LineReader> list_reader_;
    char* console_line_ = nullptr;
};

}  // namespace kalderos
