// The texts a run checks: the numbers given as arguments, then, when the run reads it, either a list, read by
// the block loop (block_loop.h), or the lines typed at the console. Every text handed out here is a Readable
// copy.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "bytes/byte_vectors.h"
#include "bytes/text_ends.h"
#include "console/console_input.h"
#include "lists/line_reader.h"

namespace kalderos {

class TextSource {
public:
    // The texts `numbers` point to must outlive the source; `then_input` says whether input follows them: the
    // list `list`, or the console where `list` is -1.
    TextSource(std::vector<const char*> numbers, bool then_input, int list)
        : numbers_(std::move(numbers)), then_input_(then_input), list_(then_input ? list : -1) {}

    // The next number given as an argument, then, where the console follows them, the next line typed there;
    // valid until the next call. A view without data (see Exhausted) when none is left.
    bytes::Readable Next() {
        if (next_number_ < numbers_.size()) return Copied(numbers_[next_number_++]);
        if (!then_input_ || list_ >= 0) return {};
        const std::string_view text = console_.NextLine();
        return Exhausted(text) ? bytes::Readable() : Copied(text);
    }

    static bool Exhausted(std::string_view text) { return text.data() == nullptr; }

    // True when input is read after the numbers given as arguments, if any: a list or the console.
    [[nodiscard]] bool ReadsInput() const { return then_input_; }
    // The list read after the numbers, -1 for none.
    [[nodiscard]] int List() const { return list_; }
    // True while numbers given as arguments are still to be handed out.
    [[nodiscard]] bool NumbersLeft() const { return next_number_ < numbers_.size(); }

    // Why the console's lines ended early, once Next has said the texts are exhausted.
    [[nodiscard]] std::optional<InputFailure> Failure() const { return console_.Failure(); }

private:
    // A copy of `text` with bytes::kReadAhead cleared bytes behind it.
    bytes::Readable Copied(std::string_view text) {
        if (copy_.size() < text.size() + bytes::kReadAhead) copy_.resize(text.size() + bytes::kReadAhead);
        if (!text.empty()) std::memcpy(copy_.data(), text.data(), text.size());
        std::memset(copy_.data() + text.size(), 0, bytes::kReadAhead);
        return bytes::Readable::WithRoomBehind(copy_.data(), text.size());
    }

    std::vector<const char*> numbers_;
    std::size_t next_number_ = 0;
    bool then_input_;
    int list_;
    ConsoleInput console_;
    std::vector<char> copy_;
};

// A text without its line end, up to its first NUL byte: what a record shows and what a strict reading judges.
inline std::string_view LineContent(std::string_view text) {
    text = WithoutLineFeed(text);
    if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
        return text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    }
    return text;
}

}  // namespace kalderos
