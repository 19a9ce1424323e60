// Where the texts to check come from: the list file named with -i, or the console after its two prompts.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "driver/line_reader.h"
#include "driver/run_failure.h"
#include "driver/run_state.h"
#include "platform/platform.h"

namespace kalderos {

class InputSource {
public:
    explicit InputSource(const RunOptions& options);

    // The next text, valid until the next call; a view without data when the input is exhausted, or when a
    // read failed once everything read before it has been handed out (Failure() says which).
    std::string_view NextInputLine() {
        if (!list_reader_) return NextConsoleLine();
        const std::string_view text = list_reader_->Next();
        if (text.data() == nullptr) EndOfList();
        return text;
    }

    // Bytes that may be read from the start of every text, however short it is.
    [[nodiscard]] std::size_t ReadAhead() const { return list_reader_ ? LineReader::kReadAhead : 0; }

    // Why the input ended early, once NextInputLine has said it is exhausted.
    [[nodiscard]] std::optional<RunFailure> Failure() const { return failure_; }

private:
    // Past the last line: notes a read error.
    void EndOfList();
    std::string_view Fail(RunFailure failure) {
        failure_ = failure;
        return {};
    }
    std::string_view NextConsoleLine();
    // The next bytes of the console line, up to and including its line feed, at most `block` of them; none at
    // the end of the input.
    std::string_view ReadConsoleBytes(std::size_t block);

    const RunOptions& options_;
    std::optional<LineReader> list_reader_;
    std::unique_ptr<char[]> console_line_;
    std::unique_ptr<char[]> console_block_;  // only when standard input is a regular file
    char console_byte_ = 0;
    int standard_input_ = platform::kStandardInput;  // read as a list file when the options say so
    std::optional<RunFailure> failure_;
};

}  // namespace kalderos
