// The state one run keeps from start to end: its options, the highest-group table and the card result.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "kalderos/kalderos.h"

namespace kalderos {

// A file name as a full path of at most 259 characters (the Windows path limit, kept on every system).
class PathText {
public:
    static constexpr std::size_t kMaxLength = 259;

    // Stores `path`; a longer one is not stored and the old value stays.
    bool Assign(std::string_view path);
    [[nodiscard]] bool Empty() const { return length_ == 0; }
    [[nodiscard]] std::string_view View() const { return {text_.data(), length_}; }
    [[nodiscard]] std::string Str() const { return std::string(View()); }

private:
    std::array<char, kMaxLength + 1> text_{};
    std::size_t length_ = 0;
};

struct RunOptions {
    bool card_mode = false;
    PathText group_file_path;
    PathText list_file_path;
    int list_file = -1;         // descriptor open for reading, or -1
    int accounting_stream = -1;  // nothing in this program opens one; -1 and +1 only close it
    bool quiet = false;                // --quiet: no leading blank line before the SSN results
    bool fail_on_invalid = false;      // --fail-on-invalid
    bool standard_input_list = false;  // without -i, standard input is read as a list: no prompts, to its end
};

struct RunState {
    RunOptions* options;
    HighestGroupTable* highest_groups;
    CardKind* card_kind;
};

// Creates the three items with their initial values; ends the run with exit code 6 when memory is short.
RunState CreateRunState();

}  // namespace kalderos
