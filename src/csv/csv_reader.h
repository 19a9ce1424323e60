// The reader of CSV rows: the machine of csv_machine.h, taking the input in pieces of any size and handing out
// each row with its cells. It goes from one byte that does something in its state to the next by the masks of
// sixty-four bytes at once (in an unquoted field the next delimiter, line end or quote, in a quoted one the next
// quote), and steps through the machine's table at those bytes alone; the bytes between are the value's. The
// tests and the fuzz harness hold it to the plain machine (csv_plain.h) on any bytes and any pieces.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "bytes/byte_vectors.h"
#include "csv/csv_machine.h"
#include "csv/csv_row.h"
#include "csv/csv_window.h"

namespace kalderos::csv {

class Reader {
public:
    // `delimiter` is a byte that CanDelimit.
    explicit Reader(char delimiter) : delimiter_(delimiter) {}

    // Reads the input's next `size` bytes at `data`, handing each row that ends among them to `sink`. Returns the
    // bytes read: all of them, or where the sink stopped, those up to the end of the row it stopped after. A
    // row's cells are views into these bytes (with as many readable bytes behind them as stand behind these), or
    // into the reader's own copy, each with bytes::kReadAhead bytes behind it, where a quote had to be taken out
    // or the row began in an earlier piece; they stay valid while the sink has the row.
    template <RowSink Sink>
    std::size_t Read(const char* data, std::size_t size, Sink& sink);

    // The input has ended: hands the row it ended in, if any, to `sink`.
    template <RowSink Sink>
    void Finish(Sink& sink);

private:
    // A row read at once from the window's masks, where the whole row and its line end lie in the window and
    // its quotes all stand as RFC 4180 writes them, none doubled: the quotes' count then tells which delimiters
    // part its cells, and each quoted cell's value is its bytes inside the quotes. False, with nothing read,
    // where the machine must read the row.
    template <RowSink Sink>
    bool ReadRowByCount(const char*& at, const char* end, Window& window, Sink& sink, bool& go_on);

    // The field that ends at `value_end` (its value's bytes from `run` on) is a cell of the row.
    void EndCell(const char* run, const char* value_end, bool quoted, bool as_written) {
        if (building_) [[unlikely]] return EndBuiltCell(run, value_end, quoted, as_written);
        if (count_ == cells_.size()) [[unlikely]] cells_.resize(2 * count_);
        cells_[count_++] = {{run, static_cast<std::size_t>(value_end - run)}, quoted, as_written};
        row_as_written_ = row_as_written_ && as_written;
    }
    void EndBuiltCell(const char* run, const char* value_end, bool quoted, bool as_written);
    // From here the field's value is built in the reader's copy: its bytes from `run` to `to` first.
    void Build(const char* run, const char* to);
    // The row ends: handed to `sink` with the views into the reader's copy put in place.
    template <RowSink Sink>
    bool EndRow(Sink& sink, std::string_view raw, LineEnd end, bool open_quote) {
        if (!buffered_.empty()) [[unlikely]] PlaceCopies();
        const Row row{{cells_.data(), count_}, spilled_ ? std::string_view() : raw, end, row_as_written_, open_quote};
        const bool go_on = sink.TakeRow(row);
        count_ = 0;
        row_as_written_ = true;
        if (spilled_ || !values_.empty()) [[unlikely]] DropCopies();
        return go_on;
    }
    void PlaceCopies();
    void DropCopies();
    // The piece ends inside a row: what the row holds so far is copied, to be read on with the next piece.
    void Spill(State state, const char* run, const char* value_end, const char* end);

    char delimiter_;
    State state_ = State::kRowStart;
    // Of the field being read, where a piece ended inside it.
    bool quoted_ = false;
    bool as_written_ = true;
    bool building_ = false;         // its value is in `values_` from `value_start_` on
    std::size_t value_start_ = 0;
    // Of the row being read: its first `count_` cells; a cell in `values_` has no data until the row ends.
    std::vector<Cell> cells_ = std::vector<Cell>(kWindowBytes + 1);  // room for a row read at once
    std::size_t count_ = 0;
    std::vector<std::pair<std::size_t, std::size_t>> buffered_;  // (cell, where its value starts in values_)
    std::string values_;
    bool spilled_ = false;          // the row began in an earlier piece
    bool row_as_written_ = true;
};

template <RowSink Sink>
std::size_t Reader::Read(const char* const data, const std::size_t size, Sink& sink) {
    if (size == 0) return 0;
    const char* const end = data + size;
    const char* p = data;
    State state = state_;
    bool quoted = quoted_;
    bool as_written = as_written_;
    if (state == State::kAfterCr) {
        // A row ended by a carriage return at the end of the piece before, handed out once the next byte tells
        // its line end.
        const bool feed = *p == '\n';
        p += feed ? 1 : 0;
        state = State::kRowStart;
        if (!EndRow(sink, {}, feed ? LineEnd::kCrLf : LineEnd::kCr, false)) {
            state_ = state;
            return static_cast<std::size_t>(p - data);
        }
    }
    Window window(p);
    const char* run = p;          // the value's bytes not yet in `values_` start here
    const char* close = p;        // in kQuoteInQuoted: the quote that may have ended the quoted part
    const char* row_start = p;
    const char* value_end = p;
    for (;;) {
        switch (state) {
            case State::kRowStart:
            case State::kAfterCr: {
                bool go_on = true;
                if (ReadRowByCount(p, end, window, sink, go_on)) {
                    if (go_on) continue;
                    state_ = state;
                    return static_cast<std::size_t>(p - data);
                }
                row_start = p;
                [[fallthrough]];
            }
            case State::kFieldStart: {
                // The field's first byte that does something: at its start, a quote, a delimiter or a line end;
                // further on, where an unquoted field ends, or a quote inside it.
                const char* const stop = window.Next(p, end, delimiter_, false);
                run = p;
                as_written = true;
                quoted = false;
                if (stop != p) {
                    p = stop;
                    state = State::kUnquoted;
                    if (p == end) goto piece_ended;
                    if (*p == '"') {
                        as_written = false;
                        ++p;
                        continue;
                    }
                    value_end = p;
                    break;
                }
                if (p == end) goto piece_ended;
                if (*p == '"') {
                    quoted = true;
                    run = ++p;
                    state = State::kQuoted;
                    continue;
                }
                value_end = p;
                break;
            }
            case State::kUnquoted:
                p = window.Next(p, end, delimiter_, false);
                if (p == end) goto piece_ended;
                if (*p == '"') {
                    as_written = false;
                    ++p;
                    continue;
                }
                value_end = p;
                break;
            case State::kQuoted:
                p = window.Next(p, end, delimiter_, true);
                if (p == end) goto piece_ended;
                close = p++;
                state = State::kQuoteInQuoted;
                [[fallthrough]];
            case State::kQuoteInQuoted: {
                if (p == end) goto piece_ended;
                const char c = *p;
                if (c == '"') {
                    // The value's bytes up to the first quote and that quote; the second is no part of it.
                    Build(run, close);
                    values_.push_back('"');
                    run = ++p;
                    state = State::kQuoted;
                    continue;
                }
                if (c != delimiter_ && c != '\r' && c != '\n') {
                    // Bytes after the quoted part are the value's as they stand.
                    Build(run, close);
                    run = p;
                    as_written = false;
                    state = State::kUnquoted;
                    continue;
                }
                value_end = close;
                break;
            }
        }
        // The field ends at the delimiter or line end at `p`.
        EndCell(run, value_end, quoted, as_written);
        if (*p == delimiter_) {
            ++p;
            state = State::kFieldStart;
            continue;
        }
        // At the line end that ended the row's last cell.
        const std::string_view raw(row_start, static_cast<std::size_t>(p - row_start));
        LineEnd line_end = LineEnd::kLf;
        if (*p == '\r') {
            if (p + 1 == end) {
                ++p;
                state = State::kAfterCr;
                goto piece_ended;
            }
            line_end = p[1] == '\n' ? LineEnd::kCrLf : LineEnd::kCr;
            p += line_end == LineEnd::kCrLf ? 1 : 0;
        }
        ++p;
        state = State::kRowStart;
        if (!EndRow(sink, raw, line_end, false)) {
            state_ = state;
            return static_cast<std::size_t>(p - data);
        }
    }
piece_ended:
    if (state != State::kRowStart) Spill(state, run, close, end);
    state_ = state;
    quoted_ = quoted;
    as_written_ = as_written;
    return size;
}

template <RowSink Sink>
bool Reader::ReadRowByCount(const char*& at, const char* end, Window& window, Sink& sink, bool& go_on) {
    const char* const p = at;
    if (p == end) return false;
    window.Load(p, end, delimiter_);
    const std::uint64_t quotes = window.quotes;
    const std::uint64_t line_ends = window.line_ends;
    const std::uint64_t inside = OddUpTo(quotes);
    const std::uint64_t row_ends = line_ends & ~inside;
    if (row_ends == 0) return false;
    const auto length = static_cast<unsigned>(std::countr_zero(row_ends));
    const char* const line_end = p + length;
    const char* next = line_end + 1;
    LineEnd kind = LineEnd::kLf;
    if (*line_end == '\r') {
        // Its line feed may come with the next piece.
        if (next == end) return false;
        kind = *next == '\n' ? LineEnd::kCrLf : LineEnd::kCr;
        next += kind == LineEnd::kCrLf ? 1 : 0;
    }
    const std::uint64_t in_row = (std::uint64_t{1} << length) - 1;
    const std::uint64_t delimiters = window.delimiters;
    if ((quotes & in_row) != 0) {
        const std::uint64_t opening = quotes & in_row & inside;
        const std::uint64_t closing = quotes & in_row & ~inside;
        const std::uint64_t field_ends = delimiters | line_ends;
        if ((opening & ~(field_ends << 1 | 1)) != 0 || (closing & ~(field_ends >> 1)) != 0) return false;
    }
    std::size_t count = 0;
    const char* start = p;
    for (std::uint64_t separators = delimiters & ~inside & in_row;; separators &= separators - 1) {
        const char* const stop = separators != 0 ? p + std::countr_zero(separators) : line_end;
        const bool quoted = *start == '"';
        const std::size_t quotes_around = quoted ? 2 : 0;
        const auto size = static_cast<std::size_t>(stop - start) - quotes_around;
        cells_[count++] = {{start + quotes_around / 2, size}, quoted, true};
        if (separators == 0) break;
        start = stop + 1;
    }
    count_ = count;
    at = next;
    go_on = EndRow(sink, {p, length}, kind, false);
    return true;
}

template <RowSink Sink>
void Reader::Finish(Sink& sink) {
    const State state = state_;
    state_ = State::kRowStart;
    const AtEnd at_end = kAtEnd[static_cast<std::size_t>(state)];
    switch (at_end) {
        case AtEnd::kNothing:
            if (state == State::kAfterCr) EndRow(sink, {}, LineEnd::kCr, false);
            return;
        case AtEnd::kEndRow:
        case AtEnd::kEndRowOpenQuote: {
            // What the pieces held of the last cell is in `values_` already; after a delimiter it is empty.
            const bool open_quote = at_end == AtEnd::kEndRowOpenQuote;
            const bool started = state != State::kFieldStart;
            if (!building_) {
                building_ = true;
                value_start_ = values_.size();
            }
            EndCell(nullptr, nullptr, started && quoted_, !open_quote && (!started || as_written_));
            EndRow(sink, {}, LineEnd::kNone, open_quote);
            return;
        }
    }
}

}  // namespace kalderos::csv
