// Fills the highest-group table: the built-in list, then a group file's pairs on top of it.
#include "kalderos/kalderos.h"
#include "ssn/builtin_group_list.h"
#include "bytes/char_class.h"

namespace kalderos {
namespace {

using bytes::IsDigit;
using bytes::IsSpace;

constexpr std::int64_t kMagnitudeCap = std::int64_t{1} << 32;  // beyond any 32-bit value either way

}  // namespace

void FillFromBuiltinGroupList(HighestGroupTable& table) {
    for (const ssn::GroupEntry& entry : ssn::kBuiltinGroupList) table.group[static_cast<std::size_t>(entry.area)] = entry.group;
}

// Numbers are read character by character as "%d %d" reads them: a number ends at the first character that
// cannot continue it, and the next may begin right there ("772-72" is 772 and -72). Where a number is
// expected and the text does not begin one, the rest of the word is skipped and a half-read pair dropped.
void GroupFileReader::Feed(std::string_view chunk) {
    for (const char c : chunk) {
        switch (state_) {
            case State::Blank:
                if (!IsSpace(c)) StartToken(c);
                break;
            case State::Sign:
                if (IsDigit(c)) {
                    state_ = State::Digits;
                    magnitude_ = c - '0';
                } else {
                    // A lone sign begins no number: it is the start of a word to skip.
                    have_area_ = false;
                    state_ = IsSpace(c) ? State::Blank : State::Word;
                }
                break;
            case State::Digits:
                if (IsDigit(c)) {
                    magnitude_ = magnitude_ * 10 + (c - '0');
                    if (magnitude_ > kMagnitudeCap) {
                        magnitude_ = kMagnitudeCap;
                        overflow_ = true;
                    }
                    break;
                }
                EndNumber();
                if (IsSpace(c)) {
                    state_ = State::Blank;
                } else {
                    StartToken(c);
                }
                break;
            case State::Word:
                if (IsSpace(c)) state_ = State::Blank;
                break;
        }
    }
}

void GroupFileReader::StartToken(char c) {
    overflow_ = false;
    negative_ = false;
    magnitude_ = 0;
    if (IsDigit(c)) {
        state_ = State::Digits;
        magnitude_ = c - '0';
    } else if (c == '+' || c == '-') {
        state_ = State::Sign;
        negative_ = c == '-';
    } else {
        state_ = State::Word;
        have_area_ = false;
    }
}

void GroupFileReader::EndNumber() {
    const std::int64_t value = negative_ ? -magnitude_ : magnitude_;
    // A number outside the 32-bit range is read as a number, but no pair that holds one is stored.
    const bool fits = !overflow_ && value >= INT32_MIN && value <= INT32_MAX;
    if (!have_area_) {
        have_area_ = true;
        area_ = fits ? static_cast<std::int32_t>(value) : -1;
        area_in_range_ = fits && value >= 0 && value < kAreaCount;
        return;
    }
    have_area_ = false;
    if (area_in_range_ && fits) table_->group[static_cast<std::size_t>(area_)] = static_cast<std::int32_t>(value);
}

void GroupFileReader::Finish() {
    if (state_ == State::Digits) EndNumber();
    state_ = State::Blank;
    have_area_ = false;  // an area without its group is dropped
}

void ReadGroupText(std::string_view text, HighestGroupTable& table) {
    GroupFileReader reader(table);
    reader.Feed(text);
    reader.Finish();
}

}  // namespace kalderos
