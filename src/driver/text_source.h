// The texts a run checks: the numbers given as arguments, then, when the run reads it, the input source until it
// is exhausted. Every text is handed out where kReadAhead bytes may be read from its start, so that the judges
// and printers read the usual shapes in fixed-size pieces whatever the source.
#pragma once

#include <cstring>
#include <optional>
#include <string_view>
#include <utility>
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

    // The texts `numbers` point to must outlive the source; `then_input` says whether the input source follows.
    TextSource(std::vector<const char*> numbers, bool then_input, const RunOptions& options)
        : numbers_(std::move(numbers)),
          then_input_(then_input),
          input_(options),
          as_read_(numbers_.empty() && AsRead()) {}

    // The next text, valid until the next call; a view without data (see Exhausted) when none is left.
    std::string_view Next() {
        // A list's line is the text of nearly every call: the rest stays out of the loop it is inlined into.
        if (as_read_) return input_.NextInputLine();
        return NextNotAsRead();
    }

    static bool Exhausted(std::string_view text) { return text.data() == nullptr; }

    // True when the input source is read, after the numbers given as arguments, if any.
    [[nodiscard]] bool ReadsInput() const { return then_input_; }
    // True when the text last handed out is a line of the list, which may be a piece of a longer line.
    [[nodiscard]] bool FromList() const { return as_read_; }
    // True while numbers given as arguments are still to be handed out.
    [[nodiscard]] bool NumbersLeft() const { return next_number_ < numbers_.size(); }

    // Why the texts ended early, once Next has said they are exhausted.
    [[nodiscard]] std::optional<RunFailure> Failure() const { return input_.Failure(); }

private:
    // The numbers given as arguments, then the input's texts where they must be copied.
    [[gnu::noinline]] std::string_view NextNotAsRead() {
        if (next_number_ < numbers_.size()) return Readable(numbers_[next_number_++]);
        if (!then_input_) return {};
        as_read_ = AsRead();
        if (as_read_) return input_.NextInputLine();
        const std::string_view text = input_.NextInputLine();
        return Exhausted(text) ? text : Readable(text);
    }

    // The input's texts can be handed out where they were read, a list's lines.
    [[nodiscard]] bool AsRead() const { return then_input_ && input_.ReadAhead() >= kReadAhead; }

    // A copy of `text` with kReadAhead cleared bytes behind it; the arguments and console lines only.
    std::string_view Readable(std::string_view text) {
        if (copy_.size() < text.size() + kReadAhead) copy_.resize(text.size() + kReadAhead);
        if (!text.empty()) std::memcpy(copy_.data(), text.data(), text.size());
        std::memset(copy_.data() + text.size(), 0, kReadAhead);
        return {copy_.data(), text.size()};
    }

    std::vector<const char*> numbers_;
    std::size_t next_number_ = 0;
    bool then_input_;
    InputSource input_;
    bool as_read_;  // the input's texts are handed out where they were read
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
