// How CSV is read, as one table: the state a reader is in, and what each byte does there. Python's csv module
// (excel dialect, strict=False) and spreadsheets read exports so: a quote means something only at the start of
// a field, anywhere else it is data (12" pizza); in a quoted field a doubled quote is one quote, and a single
// one ends the quoted part, after which the bytes up to the delimiter or the row's end are taken as they stand.
// A row ends at a line feed, a carriage return and line feed, or a carriage return alone, outside quotes. Every
// reader of this folder follows this table; the plain ones (csv_plain.h) step through it a byte at a time, and
// the fast ones are held to them by the tests and the fuzz harness.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kalderos::csv {

enum class State : std::uint8_t {
    kRowStart,       // before a row's first byte
    kFieldStart,     // after a delimiter: a field, maybe empty, follows
    kUnquoted,       // in a field that did not start with a quote
    kQuoted,         // in the quoted part of a field
    kQuoteInQuoted,  // after a quote in the quoted part: a second quote is data, anything else ends that part
    kAfterCr,        // after the carriage return that ended a row: a line feed here is part of that row's end
};
inline constexpr std::size_t kStateCount = 6;

enum class ByteClass : std::uint8_t { kDelimiter, kQuote, kCr, kLf, kOther };
inline constexpr std::size_t kByteClassCount = 5;

enum class Action : std::uint8_t {
    kAppend,        // the byte is part of the field's value
    kAppendStray,   // the same, but the field no longer stands as RFC 4180 would write its value: a quote inside
                    // a field that did not start with one, or a byte after the quoted part
    kOpenQuote,     // the field is quoted; the quote is no part of the value
    kCloseQuote,    // the quoted part ends here, unless a second quote follows; the quote is no part of the value
    kDoubledQuote,  // with the quote before it, one quote of the value
    kEndField,      // the field ends (the delimiter)
    kEndRow,        // the field and the row end (the line end's first byte)
    kSkip,          // the line feed of a row's CR LF end
};

struct Transition {
    Action action;
    State next;
};

// What a field's first byte does, wherever the field starts.
inline constexpr std::array<Transition, kByteClassCount> kFieldStartRow = {{
    {Action::kEndField, State::kFieldStart},  // delimiter: an empty field
    {Action::kOpenQuote, State::kQuoted},     // quote
    {Action::kEndRow, State::kAfterCr},       // CR
    {Action::kEndRow, State::kRowStart},      // LF
    {Action::kAppend, State::kUnquoted},      // other
}};

// kMachine[state][byte class]. A row's start and a field's start differ only at the end of the input, where a
// field that has started ends the row (kAtEnd).
inline constexpr std::array<std::array<Transition, kByteClassCount>, kStateCount> kMachine = {{
    kFieldStartRow,  // kRowStart
    kFieldStartRow,  // kFieldStart
    {{
        // kUnquoted
        {Action::kEndField, State::kFieldStart},
        {Action::kAppendStray, State::kUnquoted},
        {Action::kEndRow, State::kAfterCr},
        {Action::kEndRow, State::kRowStart},
        {Action::kAppend, State::kUnquoted},
    }},
    {{
        // kQuoted: delimiters and line ends are data
        {Action::kAppend, State::kQuoted},
        {Action::kCloseQuote, State::kQuoteInQuoted},
        {Action::kAppend, State::kQuoted},
        {Action::kAppend, State::kQuoted},
        {Action::kAppend, State::kQuoted},
    }},
    {{
        // kQuoteInQuoted
        {Action::kEndField, State::kFieldStart},
        {Action::kDoubledQuote, State::kQuoted},
        {Action::kEndRow, State::kAfterCr},
        {Action::kEndRow, State::kRowStart},
        {Action::kAppendStray, State::kUnquoted},
    }},
    {{
        // kAfterCr: a row starts, unless the line feed of a CR LF comes first
        kFieldStartRow[0],
        kFieldStartRow[1],
        kFieldStartRow[2],
        {Action::kSkip, State::kRowStart},
        kFieldStartRow[4],
    }},
}};

// What the end of the input does in each state.
enum class AtEnd : std::uint8_t {
    kNothing,          // no row is open
    kEndRow,           // the last field and row end
    kEndRowOpenQuote,  // the same, but the last field's quoted part never ended: the input is malformed
};
inline constexpr std::array<AtEnd, kStateCount> kAtEnd = {
    AtEnd::kNothing, AtEnd::kEndRow, AtEnd::kEndRow, AtEnd::kEndRowOpenQuote, AtEnd::kEndRow, AtEnd::kNothing};

constexpr ByteClass ClassOf(char c, char delimiter) {
    if (c == delimiter) return ByteClass::kDelimiter;
    switch (c) {
        case '"':
            return ByteClass::kQuote;
        case '\r':
            return ByteClass::kCr;
        case '\n':
            return ByteClass::kLf;
        default:
            return ByteClass::kOther;
    }
}

constexpr Transition Step(State state, char c, char delimiter) {
    return kMachine[static_cast<std::size_t>(state)][static_cast<std::size_t>(ClassOf(c, delimiter))];
}

// A byte that can part fields: not a quote nor a line end, which the machine gives other meanings.
constexpr bool CanDelimit(char c) { return c != '"' && c != '\r' && c != '\n'; }

// The facts the fast readers build on, checked against the table: in the quoted part only a quote does anything
// but append; in an unquoted field only the delimiter and the line ends do, and a quote appends, marking the
// field; only a line end ends a row, and only the line feed after a row's carriage return is skipped.
constexpr bool FastReadersMayRely() {
    const auto row = [](State state) { return kMachine[static_cast<std::size_t>(state)]; };
    for (std::size_t c = 0; c < kByteClassCount; ++c) {
        const auto byte = static_cast<ByteClass>(c);
        const bool line_end = byte == ByteClass::kCr || byte == ByteClass::kLf;
        const bool quote = byte == ByteClass::kQuote;
        const Transition quoted = row(State::kQuoted)[c];
        if (!quote && (quoted.action != Action::kAppend || quoted.next != State::kQuoted)) return false;
        const Transition unquoted = row(State::kUnquoted)[c];
        if ((line_end || byte == ByteClass::kDelimiter) == (unquoted.next == State::kUnquoted)) return false;
        if (quote && unquoted.action != Action::kAppendStray) return false;
        for (std::size_t s = 0; s < kStateCount; ++s) {
            if (kMachine[s][c].action == Action::kEndRow && !line_end) return false;
            const bool skips = static_cast<State>(s) == State::kAfterCr && byte == ByteClass::kLf;
            if ((kMachine[s][c].action == Action::kSkip) != skips) return false;
        }
    }
    return true;
}
static_assert(FastReadersMayRely());

}  // namespace kalderos::csv
