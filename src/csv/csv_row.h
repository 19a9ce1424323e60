// A CSV row as the readers hand it out: its cells' values, and how its bytes stood in the input, which a
// writer needs to give the row back as it came.
#pragma once

#include <concepts>
#include <cstdint>
#include <span>
#include <string_view>

namespace kalderos::csv {

// How a row ended: kNone where the input ended it.
enum class LineEnd : std::uint8_t { kNone, kLf, kCrLf, kCr };

struct Cell {
    std::string_view value;  // its quotes taken away, a doubled quote one
    bool quoted = false;     // it started with a quote
    // Its bytes in the input are what RFC 4180 writes for its value (quoted where it was quoted): no quote
    // inside an unquoted cell, nothing after the quoted part, no quoted part left open.
    bool as_written = true;
};

struct Row {
    std::span<const Cell> cells;  // at least one: a blank line is one empty cell
    std::string_view raw;         // its bytes before its line end, where they lay in one piece of the input;
                                  // otherwise without data
    LineEnd end = LineEnd::kNone;
    bool as_written = true;       // every cell is
    bool open_quote = false;      // the input ended inside the quoted part of its last cell
};

// What a reader hands its rows to: TakeRow returns false to stop the reading after that row.
template <class Sink>
concept RowSink = requires(Sink& sink, const Row& row) {
    { sink.TakeRow(row) } -> std::same_as<bool>;
};

}  // namespace kalderos::csv
