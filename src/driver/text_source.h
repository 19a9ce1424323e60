// The texts a run checks: the first argument once, or the input source until it is exhausted.
#pragma once

#include <optional>
#include <string_view>

#include "driver/input_source.h"
#include "driver/run_state.h"

namespace kalderos {

class TextSource {
public:
    TextSource(const char* const* argv, int option_start, const RunOptions& options)
        : single_(option_start != 1 ? std::optional<std::string_view>(argv[1]) : std::nullopt), input_(options) {}

    // The next text, valid until the next call; a view without data (see Exhausted) when none is left.
    std::string_view Next() {
        if (!single_) return input_.NextInputLine();
        if (taken_) return {};
        taken_ = true;
        return *single_;
    }

    static bool Exhausted(std::string_view text) { return text.data() == nullptr; }

    // Bytes that may be read from the start of every text, however short it is.
    [[nodiscard]] std::size_t ReadAhead() const { return single_ ? 0 : input_.ReadAhead(); }

    // True when the text is the first command-line argument and no input source is read.
    [[nodiscard]] bool SingleNumber() const { return single_.has_value(); }

private:
    std::optional<std::string_view> single_;
    bool taken_ = false;
    InputSource input_;
};

}  // namespace kalderos
