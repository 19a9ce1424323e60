// The middle of a line that comes in pieces: its text without the blanks around it, kept only as long as a
// number can be, so that the strict reading of a line of any length needs a few bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "bytes/byte_vectors.h"
#include "bytes/char_class.h"
#include "lists/line_reader.h"

namespace kalderos {

// A list's text that is a piece of a longer line, which goes on in the next text: the line readers cut such a
// line every kMaxText characters, and only a line's last text is shorter or ends with its line feed.
inline bool IsPiece(std::string_view text) {
    return text.size() == LineReader::kMaxText && text.back() != '\n';
}

class LineCore {
public:
    // Longer than any number, blanks inside included: a middle that outgrows it is no number.
    static constexpr std::size_t kLongest = 32;

    // The next text of the line, a piece or its last text: up to a NUL byte, which ends the line's text as it
    // ends every text, and without its line feed.
    void Add(std::string_view text) {
        if (ended_) return;
        if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
            text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
            ended_ = true;
        } else if (!text.empty() && text.back() == '\n') {
            text.remove_suffix(1);
        }
        for (const char c : text) Take(c);
    }

    [[nodiscard]] bool TooLong() const { return too_long_; }
    // The middle, from whose start bytes::kReadAhead bytes may be read.
    [[nodiscard]] std::string_view View() const { return {kept_.data(), size_}; }

private:
    void Take(char c) {
        if (bytes::IsSpace(c)) {
            // Leading blanks are no part of it; the blanks behind its last byte only if more follows.
            if (size_ == 0) return;
            if (size_ + blanks_ < kLongest) kept_[size_ + blanks_] = c;
            ++blanks_;
            return;
        }
        if (size_ + blanks_ >= kLongest) {
            too_long_ = ended_ = true;
            return;
        }
        kept_[size_ + blanks_] = c;
        size_ += blanks_ + 1;
        blanks_ = 0;
    }

    std::array<char, kLongest + bytes::kReadAhead> kept_{};
    std::size_t size_ = 0;
    std::size_t blanks_ = 0;
    bool too_long_ = false;
    bool ended_ = false;  // nothing more of the line counts
};

// A list's line that comes in pieces, gathered for the strict judgement of the whole line, which a step makes
// with its last piece (or once the list is exhausted). What a step carries into the next block while such a
// line goes on.
class PiecedLine {
public:
    // Whether `text` belongs to a line in pieces: a piece, or the last text of a line that pieces began.
    [[nodiscard]] bool Takes(std::string_view text) const { return open_ || IsPiece(text); }

    // Adds a text that Takes; when it ends the line, whether `judge(middle)` says the line fails.
    template <class Judge>
    bool Add(std::string_view text, const Judge& judge) {
        core_.Add(text);
        open_ = IsPiece(text);
        return !open_ && End(judge);
    }
    // Once the list is exhausted: whether the line it ended in fails.
    template <class Judge>
    bool Finish(const Judge& judge) {
        return open_ && End(judge);
    }

private:
    // Any number, blanks around it dropped, is far shorter than the middle a line keeps.
    template <class Judge>
    bool End(const Judge& judge) {
        const bool fails = core_.TooLong() || judge(core_.View());
        *this = {};
        return fails;
    }

    bool open_ = false;  // the last text was a piece
    LineCore core_;
};

}  // namespace kalderos
