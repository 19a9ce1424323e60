// Parsing, judging and the result line of one text after another in a single pass, for the loop over a list:
// the usual shapes take a short path, everything else the library's own steps.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kalderos/kalderos.h"

namespace kalderos::ssn {

// Bytes that may be read from the start of a text given to CheckReadable, however short the text is.
inline constexpr std::size_t kSsnReadAhead = 16;

class SsnChecker {
public:
    // `table` must outlive the checker and stay unchanged while it is used.
    explicit SsnChecker(const HighestGroupTable& table);

    // ParseSsn into the number carried from text to text, JudgeSsn and FormatResultLine, for a text from whose
    // start kSsnReadAhead bytes may be read. `out` must hold kMaxResultLineLength bytes; returns the bytes
    // written.
    std::size_t CheckReadable(const char* text, std::size_t size, char* out);

    // The same for a text that may end anywhere.
    std::size_t Check(std::string_view text, char* out);

private:
    std::size_t CheckAnyShape(std::string_view text, char* out);

    const HighestGroupTable& table_;
    std::array<std::int64_t, 100> group_order_{};         // IssueOrder of every two-digit group
    std::array<std::int64_t, kAreaCount> highest_order_{};  // IssueOrder of every area's highest group
    SsnNumber number_;
};

}  // namespace kalderos::ssn
