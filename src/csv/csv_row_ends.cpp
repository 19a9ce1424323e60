// Row ends by masks of sixty-four bytes: outside quotes every line end ends a row, so a stretch without quotes
// costs a few mask operations, and each quote is looked at once. A quote opens a quoted part only where the
// byte before it ended a field or a row (or none came before it); the quoted part runs to the next quote that
// no second quote follows. The machine's other states need not be told apart here: outside the quoted parts a
// line end always ends a row (FastReadersMayRely, csv_machine.h).
#include "csv/csv_row_ends.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "bytes/byte_marks.h"
#include "csv/csv_window.h"

namespace kalderos::csv {
namespace {

constexpr unsigned kWidth = 64;

// Where the bytes before a stretch of sixty-four leave the machine, as far as the stretch's quotes care.
enum class Before {
    kFieldStart,  // a field starts at the stretch's first byte: a quote there opens a quoted part
    kInField,     // in an unquoted field, or after a quoted part: a quote is data
    kQuoted,      // in a quoted part
    kClosing,     // right after a quote in a quoted part: a quote at the first byte is the second of a doubled one
};

bytes::QuotesDelimitersLineEnds MarksAt(const char* at, std::size_t available, char delimiter) {
    if (available >= kWidth) return bytes::FindQuotesDelimitersLineEnds(at, delimiter);
    char copy[kWidth];
    std::memcpy(copy, at, available);
    bytes::QuotesDelimitersLineEnds marks = bytes::FindQuotesDelimitersLineEnds(copy, delimiter);
    const std::uint64_t within = (std::uint64_t{1} << available) - 1;
    marks.quotes &= within;
    marks.delimiters &= within;
    marks.line_ends &= within;
    marks.feeds &= within;
    return marks;
}

// The bits set in a mask that has few.
std::size_t Count(std::uint64_t bits) {
    std::size_t count = 0;
    for (; bits != 0; bits &= bits - 1) ++count;
    return count;
}

struct Stretch {
    std::size_t base;
    std::uint64_t quotes;
    std::uint64_t field_ends;  // delimiters and line ends
    std::uint64_t line_ends;
};

// The row ends of a stretch whose quotes all stand as RFC 4180 writes them: each quoted part opens at a field's
// start and closes before a delimiter, a line end or the second quote of a doubled one. The quotes' count then
// tells which bytes are inside. False, with nothing changed, for a stretch with any other quote, which the walk
// reads (a closing quote as its last byte among them, since what follows is not in the stretch).
bool RowEndsByCount(const Stretch& stretch, Before& before, std::size_t& quote_at, std::uint64_t& row_ends) {
    if (before == Before::kClosing) return false;
    const std::uint64_t inside = OddUpTo(stretch.quotes) ^ (before == Before::kQuoted ? ~std::uint64_t{0} : 0);
    const std::uint64_t opening = stretch.quotes & inside;
    const std::uint64_t closing = stretch.quotes & ~inside;
    const std::uint64_t starts = (stretch.field_ends | closing) << 1 | (before == Before::kFieldStart ? 1 : 0);
    const std::uint64_t followed = (stretch.quotes | stretch.field_ends) >> 1;
    if ((opening & ~starts) != 0 || (closing & ~followed) != 0) return false;
    row_ends = stretch.line_ends & ~inside;
    // The second quote of a doubled one opens no quoted part.
    const std::uint64_t first_openings = opening & ~(closing << 1);
    if (first_openings != 0) quote_at = stretch.base + static_cast<std::size_t>(std::bit_width(first_openings)) - 1;
    before = (inside >> 63) != 0              ? Before::kQuoted
             : (stretch.field_ends >> 63) != 0 ? Before::kFieldStart
                                              : Before::kInField;
    return true;
}

// The row ends of a stretch, its quotes walked one by one as the machine takes them.
std::uint64_t RowEndsByWalk(const char* data, const Stretch& stretch, char delimiter, Before& before,
                            std::size_t& quote_at) {
    const std::uint64_t quotes = stretch.quotes;
    std::uint64_t row_ends = 0;
    unsigned at = 0;
    if (before == Before::kClosing) {
        before = (quotes & 1) != 0 ? Before::kQuoted : Before::kInField;
        at = before == Before::kQuoted ? 1 : 0;
    }
    while (at < kWidth) {
        const std::uint64_t from = ~std::uint64_t{0} << at;
        if (before == Before::kQuoted) {
            const std::uint64_t closing = quotes & from;
            if (closing == 0) return row_ends;
            const auto close = static_cast<unsigned>(std::countr_zero(closing));
            if (close == kWidth - 1) {
                before = Before::kClosing;
                return row_ends;
            }
            // A doubled quote stays inside.
            const bool doubled = ((quotes >> (close + 1)) & 1) != 0;
            before = doubled ? Before::kQuoted : Before::kInField;
            at = close + (doubled ? 2 : 1);
            continue;
        }
        // The first quote that opens a quoted part; the others are data.
        unsigned open = kWidth;
        for (std::uint64_t candidates = quotes & from; candidates != 0; candidates &= candidates - 1) {
            const auto quote = static_cast<unsigned>(std::countr_zero(candidates));
            const std::size_t i = stretch.base + quote;
            const char previous = i == 0 ? '\n' : data[i - 1];
            if (previous == delimiter || previous == '\n' || previous == '\r') {
                open = quote;
                break;
            }
        }
        if (open == kWidth) {
            row_ends |= stretch.line_ends & from;
            before = (stretch.field_ends >> 63) != 0 ? Before::kFieldStart : Before::kInField;
            return row_ends;
        }
        row_ends |= stretch.line_ends & from & ((std::uint64_t{1} << open) - 1);
        quote_at = stretch.base + open;
        before = Before::kQuoted;
        at = open + 1;
    }
    return row_ends;
}

}  // namespace

RowEnds ScanRowEnds(const char* data, std::size_t size, char delimiter, bool complete) {
    RowEnds found;
    Before before = Before::kFieldStart;
    std::size_t lines = 0;
    for (std::size_t base = 0; base < size; base += kWidth) {
        const std::size_t available = size - base;
        bytes::QuotesDelimitersLineEnds marks = MarksAt(data + base, available, delimiter);
        // A carriage return as the last byte ends nothing yet, unless the input has ended.
        if (!complete && available <= kWidth && data[size - 1] == '\r') {
            marks.line_ends &= ~(std::uint64_t{1} << (available - 1));
        }
        const Stretch stretch{base, marks.quotes, marks.delimiters | marks.line_ends, marks.line_ends};
        std::uint64_t row_ends = 0;
        if (!RowEndsByCount(stretch, before, found.quote_at, row_ends)) {
            row_ends = RowEndsByWalk(data, stretch, delimiter, before, found.quote_at);
        }
        // A carriage return followed by a line feed is one line end, counted at the feed.
        const std::uint64_t returns = marks.line_ends & ~marks.feeds;
        std::uint64_t counted = marks.feeds | (returns & ~(marks.feeds >> 1));
        if (available > kWidth && (returns >> 63) != 0 && data[base + kWidth] == '\n') {
            counted &= ~(std::uint64_t{1} << 63);
        }
        if (row_ends != 0) {
            const auto last = static_cast<unsigned>(std::bit_width(row_ends) - 1);
            found.cut = base + last + 1;
            const std::uint64_t up_to_last = last == kWidth - 1 ? ~std::uint64_t{0} : (std::uint64_t{2} << last) - 1;
            found.lines = lines + Count(counted & up_to_last);
        }
        lines += Count(counted);
    }
    found.in_quotes = before == Before::kQuoted;
    return found;
}

std::size_t CountLineEnds(const char* data, std::size_t size) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < size; ++i) {
        lines += data[i] == '\n' || (data[i] == '\r' && (i + 1 == size || data[i + 1] != '\n')) ? 1 : 0;
    }
    return lines;
}

}  // namespace kalderos::csv
