// Parsing and judging one text after another for the loop over a list, and the text result line of each: the
// usual shapes take a short path, everything else the library's own steps. Judging and formatting are apart,
// so that any output can be made from the judgements; the text line is the one made here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kalderos/kalderos.h"

namespace kalderos::ssn {

// Bytes that may be read from the start of a text given to JudgeReadable, however short the text is.
inline constexpr std::size_t kSsnReadAhead = 16;

// What one text comes to: the number as ParseSsn leaves the carried record, JudgeSsn's verdict, and whether
// the result calls for a closer look (the group is the area's highest and the serial not 0: "CONFIRM").
struct SsnJudgement {
    SsnNumber number;
    SsnVerdict verdict;
    bool confirm;
    // For the usual shapes, where the group and the serial stand in the text (the area at its start), so that
    // a line can copy them from there; group_at is 0 for any other shape.
    std::uint8_t group_at;
    std::uint8_t serial_at;
};

class SsnChecker {
public:
    // `table` must outlive the checker and stay unchanged while it is used.
    explicit SsnChecker(const HighestGroupTable& table);

    // ParseSsn into the number carried from text to text and JudgeSsn, for a text from whose start
    // kSsnReadAhead bytes may be read.
    SsnJudgement JudgeReadable(const char* text, std::size_t size);

    // The result line of a judgement, byte for byte FormatResultLine's, from the text that was judged (read as
    // JudgeReadable read it). `out` must hold kMaxResultLineLength bytes; returns the bytes written.
    std::size_t FormatLine(const SsnJudgement& judgement, const char* text, char* out) const;

    // Both steps, for a text from whose start kSsnReadAhead bytes may be read.
    std::size_t CheckReadable(const char* text, std::size_t size, char* out);

    // Both steps for a text that may end anywhere.
    std::size_t Check(std::string_view text, char* out);

private:
    SsnJudgement JudgeAnyShape(std::string_view text);

    const HighestGroupTable& table_;
    std::array<std::int64_t, 100> group_order_{};         // IssueOrder of every two-digit group
    std::array<std::int64_t, kAreaCount> highest_order_{};  // IssueOrder of every area's highest group
    SsnNumber number_;
};

}  // namespace kalderos::ssn
