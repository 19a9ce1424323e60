// The console dialogue: a prompt, then the line typed in answer, read without taking anything behind it.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>

namespace kalderos {

enum class InputFailure {
    kRead,      // standard input could not be read
    kNoMemory,  // no memory for the line
};

class ConsoleInput {
public:
    // The next line after its prompt, without its line end, valid until the next call; a view without data when
    // the dialogue ends (an empty line, the end of the input) or a read failed (Failure() says so).
    std::string_view NextLine();

    [[nodiscard]] std::optional<InputFailure> Failure() const { return failure_; }

private:
    std::string_view Fail(InputFailure failure) {
        failure_ = failure;
        return {};
    }
    // The next bytes of the console line, up to and including its line feed, at most `block` of them; none at
    // the end of the input.
    std::string_view ReadBytes(std::size_t block);

    std::unique_ptr<char[]> line_;
    std::unique_ptr<char[]> block_;  // only when standard input is a regular file
    char byte_ = 0;
    std::optional<InputFailure> failure_;
};

}  // namespace kalderos
