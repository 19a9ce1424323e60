// CSV read as Python's csv module reads it: the plain machine on the cases that tell the readings apart, and the
// fast reader and the block cutter held to the plain machine on every short input and on random ones, in pieces
// and blocks of every size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bytes/byte_vectors.h"
#include "csv/csv_plain.h"
#include "csv/csv_reader.h"
#include "csv/csv_row_ends.h"
#include "csv/csv_writer.h"
#include "lists/list_blocks.h"

namespace kalderos::csv {

// Rows shown as the tests' failures show them.
void PrintTo(const PlainRow& row, std::ostream* out) {
    *out << "[";
    for (const PlainCell& cell : row.cells) {
        *out << (cell.quoted ? "q" : "") << (cell.as_written ? "" : "!") << "'" << cell.value << "' ";
    }
    *out << "end " << static_cast<int>(row.end) << (row.open_quote ? " open" : "") << "]";
}

namespace {

using Values = std::vector<std::vector<std::string>>;

Values ValuesOf(const std::vector<PlainRow>& rows) {
    Values values;
    for (const PlainRow& row : rows) {
        values.emplace_back();
        for (const PlainCell& cell : row.cells) values.back().push_back(cell.value);
    }
    return values;
}

// One letter per row: n for LF, c for CR LF, r for CR, - for the input's end.
std::string EndsOf(const std::vector<PlainRow>& rows) {
    std::string ends;
    for (const PlainRow& row : rows) ends += "-ncr"[static_cast<int>(row.end)];
    return ends;
}

// The cells written again, parted by the delimiter.
std::string Written(const PlainRow& row, char delimiter) {
    std::string written;
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
        if (i > 0) written += delimiter;
        const PlainCell& cell = row.cells[i];
        std::string bytes(CellRoom(cell.value.size()), '\0');
        const char* const end = PutCell(cell.value, cell.quoted, delimiter, bytes.data());
        bytes.resize(static_cast<std::size_t>(end - bytes.data()));
        written += bytes;
    }
    return written;
}

// Every row a reader hands out, with what it promises of each checked as it comes.
struct Collected {
    char delimiter;
    std::vector<PlainRow> rows;

    bool TakeRow(const Row& row) {
        EXPECT_FALSE(row.cells.empty());
        PlainRow plain;
        bool all = true;
        for (const Cell& cell : row.cells) {
            // Every value may be read this far (the sanitizer build checks the bounds).
            char ahead[bytes::kReadAhead];
            std::memcpy(ahead, cell.value.data(), sizeof ahead);
            plain.cells.push_back({std::string(cell.value), cell.quoted, cell.as_written});
            all = all && cell.as_written;
        }
        EXPECT_EQ(row.as_written, all);
        // A row that stands as written is its cells written again: its bytes are copied to the output as they are.
        if (row.as_written && row.raw.data() != nullptr) {
            EXPECT_EQ(Written(plain, delimiter), row.raw);
        }
        plain.end = row.end;
        plain.open_quote = row.open_quote;
        rows.push_back(std::move(plain));
        return true;
    }
};

// The fast reader's rows of `input`, given in pieces of `step` bytes, each in a buffer of its own that is gone
// once it was read.
std::vector<PlainRow> ReadInPieces(std::string_view input, char delimiter, std::size_t step) {
    Collected sink{delimiter, {}};
    Reader reader(delimiter);
    for (std::size_t at = 0; at < input.size(); at += step) {
        const std::size_t size = std::min(step, input.size() - at);
        std::vector<char> piece(size + bytes::kReadAhead, '\0');
        std::memcpy(piece.data(), input.data() + at, size);
        EXPECT_EQ(reader.Read(piece.data(), size, sink), size);
    }
    reader.Finish(sink);
    return sink.rows;
}

// The fast readers against the plain machine on `input`: whole, in pieces, and cut as blocks are.
void ExpectReadersAgree(const std::string& input, char delimiter, const std::string& shown) {
    const std::vector<PlainRow> plain = ReadPlainRows(input, delimiter);
    for (const std::size_t step : {input.size() + 1, std::size_t{1}, std::size_t{3}, std::size_t{17}}) {
        ASSERT_EQ(ReadInPieces(input, delimiter, step), plain) << shown << " in pieces of " << step;
    }
    for (const bool complete : {true, false}) {
        ASSERT_EQ(ScanRowEnds(input.data(), input.size(), delimiter, complete),
                  PlainRowEnds(input.data(), input.size(), delimiter, complete))
            << shown << (complete ? " complete" : " to be continued");
    }
}

std::string Shown(const std::string& input) {
    std::string shown;
    for (const char c : input) {
        shown += c == '\n'   ? std::string("\\n")
                 : c == '\r' ? std::string("\\r")
                 : c == '\0' ? std::string("\\0")
                             : std::string(1, c);
    }
    return shown;
}

// The machine's readings where Python's csv module and RFC 4180 or a count of quotes part ways.
TEST(CsvMachine, ReadsAsPythonsCsvModule) {
    const struct {
        std::string input;
        char delimiter;
        Values rows;
        std::string ends;
        bool open_quote = false;
    } cases[] = {
        {"12\" pizza,123\n6\" sub,078\nfries,219\n", ',',
         {{"12\" pizza", "123"}, {"6\" sub", "078"}, {"fries", "219"}}, "nnn"},
        {"Bo \"Bobby\" Berg,1\n", ',', {{"Bo \"Bobby\" Berg", "1"}}, "n"},
        {"x, \"a,b\"\n", ',', {{"x", " \"a", "b\""}}, "n"},
        {"a\rb\r\nc\n\nd\r", ',', {{"a"}, {"b"}, {"c"}, {""}, {"d"}}, "rcnnr"},
        {"a\r\r\nb", ',', {{"a"}, {""}, {"b"}}, "rc-"},
        {"\"ab\"cd\"ef\",x\n", ',', {{"abcd\"ef\"", "x"}}, "n"},
        {"\"a\"b\"c\",d", ',', {{"ab\"c\"", "d"}}, "-"},
        {"\"a\"\"b\",\"\"\"\"\n", ',', {{"a\"b", "\""}}, "n"},
        {"\"12\"\"3\"\n", ',', {{"12\"3"}}, "n"},
        {"a,\"bc", ',', {{"a", "bc"}}, "-", true},
        {"\"\n", ',', {{"\n"}}, "-", true},
        {"\"l1\r\nl2\";x", ';', {{"l1\r\nl2", "x"}}, "-"},
        {"\"a\"\r\nb\n", ',', {{"a"}, {"b"}}, "cn"},
        {"\"x\"\r", ',', {{"x"}}, "r"},
        {"a,b\tc", '\t', {{"a,b", "c"}}, "-"},
        {"a|\"b|c\"|d\n", '|', {{"a", "b|c", "d"}}, "n"},
        {"", ',', {}, ""},
        {"\n", ',', {{""}}, "n"},
        {"a,", ',', {{"a", ""}}, "-"},
        {",", ',', {{"", ""}}, "-"},
        {"\"\",x", ',', {{"", "x"}}, "-"},
        {std::string("a\0b,c\n", 6), ',', {{std::string("a\0b", 3), "c"}}, "n"},
        {"\"ab\"" + std::string(40, 'c') + ",d\n", ',', {{"ab" + std::string(40, 'c'), "d"}}, "n"},
    };
    for (const auto& c : cases) {
        const std::vector<PlainRow> rows = ReadPlainRows(c.input, c.delimiter);
        EXPECT_EQ(ValuesOf(rows), c.rows) << Shown(c.input);
        EXPECT_EQ(EndsOf(rows), c.ends) << Shown(c.input);
        EXPECT_EQ(!rows.empty() && rows.back().open_quote, c.open_quote) << Shown(c.input);
        ExpectReadersAgree(c.input, c.delimiter, Shown(c.input));
    }
}

// Which rows stand as RFC 4180 writes their values, and may be copied as they are.
TEST(CsvMachine, RowsThatStandAsWritten) {
    const struct {
        std::string input;
        std::vector<bool> as_written;
    } cases[] = {
        {"a,\"b,c\",\"d\"\"e\",\"\"\n", {true}},
        {"12\" pizza\n", {false}},
        {"\"ab\"c\nd\n", {false, true}},
        {"x,\"open", {false}},
        {"\"a\r\nb\"\r\n", {true}},
    };
    for (const auto& c : cases) {
        std::vector<bool> as_written;
        for (const PlainRow& row : ReadPlainRows(c.input, ',')) {
            const auto stands = [](const PlainCell& cell) { return cell.as_written; };
            as_written.push_back(std::all_of(row.cells.begin(), row.cells.end(), stands));
        }
        EXPECT_EQ(as_written, c.as_written) << Shown(c.input);
        ExpectReadersAgree(c.input, ',', Shown(c.input));
    }
}

// A closing quote on every byte around the ends of the stretches of 16 and of 64 bytes the fast readers take at
// once, with a delimiter, a doubled quote or data after it, and the quotes of a field lying two stretches before
// its end.
TEST(CsvMachine, QuotesAtTheEdgesOfStretches) {
    for (std::size_t at = 1; at < 135; ++at) {
        if (at % 16 > 1 && at % 16 < 13) continue;
        const std::vector<std::string> afters = {",y\n", "\"\"z\",y\n", "q" + std::string(33, 'r') + "\r\n",
                                                 "\r\"w\"\n"};
        for (const std::string& after : afters) {
            for (const std::string& before : std::vector<std::string>{"", "p,", std::string(47, 's') + "\n"}) {
                const std::string input = before + "\"" + std::string(at - 1, 'x') + "\"" + after;
                const std::string shown = "closing quote at " + std::to_string(at);
                ExpectReadersAgree(input, ',', shown + " after " + std::to_string(before.size()));
            }
        }
    }
}

// Every input of up to six bytes from the bytes that move the machine: each transition at every place, and each
// piece boundary between any two of them.
TEST(CsvMachine, FastReadersAgreeOnEveryShortInput) {
    const std::string bytes = "a\",\r\n";
    std::string input;
    for (std::size_t length = 0; length <= 6; ++length) {
        std::size_t count = 1;
        for (std::size_t i = 0; i < length; ++i) count *= bytes.size();
        for (std::size_t n = 0; n < count; ++n) {
            input.clear();
            for (std::size_t i = 0, rest = n; i < length; ++i, rest /= bytes.size()) {
                input += bytes[rest % bytes.size()];
            }
            ExpectReadersAgree(input, ',', Shown(input));
        }
    }
}

TEST(CsvMachine, FastReadersAgreeOnRandomBytes) {
    std::mt19937 random(33);
    const std::string bytes = std::string("ab \",;\t|\r\n\"\"", 13) + std::string(1, '\0') + "\xff";
    for (int trial = 0; trial < 3000; ++trial) {
        std::string input(random() % 400, ' ');
        for (char& c : input) c = bytes[random() % bytes.size()];
        const char delimiter = ",;\t|"[random() % 4];
        ExpectReadersAgree(input, delimiter, "trial " + std::to_string(trial));
    }
}

// A regular file the test program keeps open to its end.
std::FILE* RegularFile() {
    static std::FILE* const file = std::tmpfile();
    return file;
}

// Hands out its text in reads of at most `step` bytes.
struct FakeFile {
    std::string text;
    std::size_t step;
    std::size_t at = 0;

    static FakeFile* reading;
    static long Read(int /*fd*/, char* buffer, std::size_t size) {
        FakeFile& file = *reading;
        const std::size_t part = std::min({size, file.step, file.text.size() - file.at});
        file.text.copy(buffer, part, file.at);
        file.at += part;
        return static_cast<long>(part);
    }
};
FakeFile* FakeFile::reading = nullptr;

struct BlockReading {
    std::vector<PlainRow> rows;
    std::size_t open_quote_line = 0;
    LongCsvRow too_long;
};

// The rows of a list read as CSV in blocks, each block's rows read on their own as a list's loop reads them.
BlockReading ReadBlocks(const std::string& content, std::size_t step, std::size_t block_bytes, char delimiter = ',') {
    FakeFile file{content, step};
    FakeFile::reading = &file;
    BlockReader reader(fileno(RegularFile()), block_bytes, CsvRows{delimiter}, FakeFile::Read);
    Collected sink{delimiter, {}};
    ListBlock block;
    while (reader.Fill(block, true) == BlockReader::Filled::kBlock) {
        Reader rows(delimiter);
        EXPECT_EQ(rows.Read(block.data.get(), block.size, sink), block.size);
        rows.Finish(sink);
    }
    return {std::move(sink.rows), reader.OpenQuoteLine(), reader.TooLongRow()};
}

// Blocks end where rows end, whatever the reads and block sizes: the rows are those of the whole input, and a
// quote left open at the end names the line where it opened.
TEST(CsvBlocks, EndWhereRowsEnd) {
    const std::string long_field = "\"" + std::string(700, ',') + "\n\"";
    const struct {
        std::string content;
        std::size_t open_quote_line;
    } cases[] = {
        {"a,b\n1,2\n", 0},
        {"a,\"x\ny\"\n2\n", 0},
        {"\"a\"\"\n\"\r\nb", 0},
        {long_field + ",z\nq\n", 0},
        {"a\nb\n\"c\nd\ne", 3},
        {"a\r\n\"\"\"\n", 2},
        {"x\"y\rz\"\r\"", 3},
        {"x\r\na,\"b\nc\",\"e\nf", 3},
        {"a\rb\r", 0},
        {"a\r\n\rb\r\n\r\n", 0},
        {std::string("\n\xFE\xFF\0a", 5), 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        const std::vector<PlainRow> whole = ReadPlainRows(c.content, ',');
        for (const std::size_t step : {1u, 3u, 1000u}) {
            for (const std::size_t block_bytes : {1u, 7u, 600u}) {
                const BlockReading got = ReadBlocks(c.content, step, block_bytes);
                EXPECT_EQ(got.rows, whole) << Shown(c.content) << ", reads of " << step << ", blocks of "
                                           << block_bytes;
                EXPECT_EQ(got.open_quote_line, c.open_quote_line) << Shown(c.content);
            }
        }
    }
}

// A UTF-16 file is read as its UTF-8, whatever its reads and blocks: half a unit or half a surrogate pair in
// one read is no end of the input.
TEST(CsvBlocks, ReadUtf16AsUtf8) {
    // "\u00e9,\"x\r\ny\"\r\n\U0001F600,\u20ac" and a unit cut in half at the end, in UTF-16LE and BE.
    const std::string little(
        "\xFF\xFE\xE9\x00,\x00\"\x00x\x00\r\x00\n\x00y\x00\"\x00\r\x00\n\x00\x3D\xD8\x00\xDE,\x00\xAC\x20\x41", 31);
    std::string big = little.substr(0, 30);
    for (std::size_t i = 0; i < big.size(); i += 2) std::swap(big[i], big[i + 1]);
    big += '\x41';
    const std::string utf8 = "\xEF\xBB\xBF\xC3\xA9,\"x\r\ny\"\r\n\xF0\x9F\x98\x80,\xE2\x82\xAC\xEF\xBF\xBD";
    const std::vector<PlainRow> whole = ReadPlainRows(utf8, ',');
    ASSERT_EQ(whole.size(), 2u);
    for (const std::string& content : {little, big}) {
        for (const std::size_t step : {1u, 3u, 1000u}) {
            for (const std::size_t block_bytes : {1u, 7u, 600u}) {
                EXPECT_EQ(ReadBlocks(content, step, block_bytes).rows, whole)
                    << "reads of " << step << ", blocks of " << block_bytes;
            }
        }
    }
}

// A row longer than the most a block holds ends the reading after the rows before it, naming its line: where
// the quoted field that made it so long opened, or where the row began.
TEST(CsvBlocks, ARowTooLongEndsTheReading) {
    const std::string huge(BlockReader::kMaxCsvRowBytes, 'x');
    const struct {
        std::string content;
        std::size_t rows;
        LongCsvRow too_long;
    } cases[] = {
        {"a\nb\r\nc,\"d\n" + huge + "\"\ne\n", 2, {3, true}},
        {"a\n" + huge + "x\n", 1, {2, false}},
        {"a\n\"" + std::string(1000, 'q') + "\"" + huge + "\n", 1, {2, false}},
        {"a\n" + huge + "\n", 2, {0, false}},
    };
    for (const auto& c : cases) {
        const BlockReading got = ReadBlocks(c.content, 1 << 20, 1 << 16);
        EXPECT_EQ(got.rows.size(), c.rows);
        EXPECT_EQ(got.too_long.line, c.too_long.line);
        EXPECT_EQ(got.too_long.quoted, c.too_long.quoted);
    }
}

}  // namespace
}  // namespace kalderos::csv
