// The text around the CSV reader: UTF-16 exports as UTF-8, cells written back as they are read, and the column
// a header row's names give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "csv/csv_columns.h"
#include "csv/csv_writer.h"
#include "csv/utf16_text.h"

namespace kalderos::csv {
namespace {

std::string Decoded(ByteOrder order, const std::string& in, std::size_t step) {
    Utf16Decoder decoder(order);
    std::string out;
    for (std::size_t at = 0; at < in.size(); at += step) {
        const std::string piece = in.substr(at, step);
        std::string room(Utf16Decoder::RoomFor(piece.size()), '\0');
        out.append(room.data(), decoder.Decode(piece.data(), piece.size(), room.data()));
    }
    char end[6];
    out.append(end, decoder.Finish(end));
    return out;
}

// Units, surrogate pairs split anywhere, and what is no character (U+FFFD, "\xEF\xBF\xBD").
TEST(Utf16Text, DecodesToUtf8InPiecesOfAnySize) {
    const std::string kBad = "\xEF\xBF\xBD";
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {std::string("\xFF\xFE" "a\0\xE9\0\t\0", 8), "\xEF\xBB\xBF" "a\xC3\xA9\t"},
        {std::string("\xFE\xFF\0a\x20\xAC", 6), "\xEF\xBB\xBF" "a\xE2\x82\xAC"},
        {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xEF\xBB\xBF\xF0\x9F\x98\x80"},
        {std::string("\xFF\xFE\x3D\xD8" "a\0", 6), "\xEF\xBB\xBF" + kBad + "a"},
        {std::string("\xFF\xFE\x00\xDE", 4), "\xEF\xBB\xBF" + kBad},
        {std::string("\xFF\xFE" "a", 3), "\xEF\xBB\xBF" + kBad},
        {std::string("\xFF\xFE\x3D\xD8", 4), "\xEF\xBB\xBF" + kBad},
    };
    for (const auto& c : cases) {
        const ByteOrder order = *Utf16Order(c.in[0], c.in[1]);
        for (const std::size_t step : {1u, 3u, 100u}) EXPECT_EQ(Decoded(order, c.in, step), c.out) << step;
    }
    EXPECT_FALSE(Utf16Order('\xEF', '\xBB'));
}

// A cell is quoted where the reader would otherwise read it as something else, and where it was quoted.
TEST(CsvWriter, QuotesWhatNeedsIt) {
    const struct {
        std::string value;
        bool quoted;
        char delimiter;
        std::string written;
    } cases[] = {
        {",", false, ',', "\",\""},
        {"\"", false, ',', "\"\"\"\""},
        {"12\" pizza", false, ',', "\"12\"\" pizza\""},
        {"a", true, ',', "\"a\""},
        {"a;b", false, ';', "\"a;b\""},
        {"a;b", false, ',', "a;b"},
        {"x\r", false, '\t', "\"x\r\""},
        {"line\n", false, ',', "\"line\n\""},
        {"", false, ',', ""},
        {"", true, ',', "\"\""},
        {std::string(40, ','), false, ',', "\"" + std::string(40, ',') + "\""},
    };
    for (const auto& c : cases) {
        std::string room(CellRoom(c.value.size()), '\0');
        room.resize(static_cast<std::size_t>(PutCell(c.value, c.quoted, c.delimiter, room.data()) - room.data()));
        EXPECT_EQ(room, c.written) << c.value;
    }
}

// The column a name gives: exactly, or loosely when only one matches so; and the delimiter that would find it.
TEST(CsvColumns, NamesAndDelimiters) {
    const struct {
        std::vector<std::string> names;
        std::string wanted;
        bool found;
        std::size_t column;
        std::vector<std::size_t> alike;
    } cases[] = {
        {{"name", "SSN", "dept"}, "SSN", true, 1, {}},
        {{"name", " SSN "}, "ssn", true, 1, {}},
        {{"SSN", "Ssn"}, "ssn", false, 0, {0, 1}},
        {{"SSN", "Ssn"}, "Ssn", true, 1, {}},
        {{"a", "a"}, "a", true, 0, {}},
        {{"x", "SSN", " ssn", "Ssn "}, "ssN", false, 0, {1, 2, 3}},
        {{"x"}, "y", false, 0, {}},
    };
    for (const auto& c : cases) {
        const ColumnMatch match = MatchColumn(c.names, c.wanted);
        EXPECT_EQ(match.found, c.found) << c.wanted;
        EXPECT_EQ(match.column, c.column) << c.wanted;
        EXPECT_EQ(match.alike, c.alike) << c.wanted;
    }
    const struct {
        std::string header;
        std::string wanted;
        char delimiter;
        char finds;
    } headers[] = {
        {"name;SSN;dept", "SSN", ',', ';'},
        {"name\tssn", "SSN", ',', '\t'},
        {"a|b", "b", ',', '|'},
        {"a,SSN", "SSN", ';', ','},
        {"a;b", "SSN", ',', 0},
        {"\"a;SSN\"", "SSN", ',', 0},
        {"SSN;ssn", "Ssn", ',', 0},
    };
    for (const auto& h : headers) EXPECT_EQ(DelimiterThatFinds(h.header, h.wanted, h.delimiter), h.finds) << h.header;
}

}  // namespace
}  // namespace kalderos::csv
