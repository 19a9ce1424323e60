// The texts a run checks: the first argument once, or the input source until it is exhausted. Every text is
// handed out where kReadAhead bytes may be read from its start, so that the judges and printers read the usual
// shapes in fixed-size pieces whatever the source.
#pragma once

#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "bytes/byte_vectors.h"
#include "driver/input_source.h"
#include "driver/run_failure.h"
#include "driver/run_state.h"

namespace kalderos {

class TextSource {
public:
    static constexpr std::size_t kReadAhead = bytes::kReadAhead;
    static_assert(LineReader::kReadAhead >= kReadAhead);

    TextSource(const char* const* argv, int option_start, const RunOptions& options)
        : single_(option_start != 1 ? std::optional<std::string_view>(argv[1]) : std::nullopt),
          input_(options),
          as_read_(!single_ && input_.ReadAhead() >= kReadAhead) {}

    // The next text, valid until the next call; a view without data (see Exhausted) when none is left.
    std::string_view Next() {
        if (as_read_) return input_.NextInputLine();
        if (!single_) {
            const std::string_view text = input_.NextInputLine();
            return Exhausted(text) ? text : Readable(text);
        }
        if (taken_) return {};
        taken_ = true;
        return Readable(*single_);
    }

    static bool Exhausted(std::string_view text) { return text.data() == nullptr; }

    // True when the text is the first command-line argument and no input source is read.
    [[nodiscard]] bool SingleNumber() const { return single_.has_value(); }

    // Why the texts ended early, once Next has said they are exhausted.
    [[nodiscard]] std::optional<RunFailure> Failure() const { return input_.Failure(); }

private:
    // A copy of `text` with kReadAhead cleared bytes behind it; the one argument and console lines only.
    std::string_view Readable(std::string_view text) {
        if (copy_.size() < text.size() + kReadAhead) copy_.resize(text.size() + kReadAhead);
        if (!text.empty()) std::memcpy(copy_.data(), text.data(), text.size());
        std::memset(copy_.data() + text.size(), 0, kReadAhead);
        return {copy_.data(), text.size()};
    }

    std::optional<std::string_view> single_;
    bool taken_ = false;
    InputSource input_;
    bool as_read_;  // the input's texts are handed out where they were read, a list's lines
    std::vector<char> copy_;
};

// A text without its line end, up to its first NUL byte as every text the program reads ends there: what a
// record shows and what a strict reading judges. The line readers have already dropped the carriage return of
// a CR LF line end.
inline std::string_view LineContent(std::string_view text) {
    if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
        return text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    }
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    return text;
}

}  // namespace kalderos
