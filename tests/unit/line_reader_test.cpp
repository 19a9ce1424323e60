// A list's texts as its blocks are read and cut: 259-character pieces, line feeds kept, CR LF folded, a last
// line without line feed, errors.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "lists/line_reader.h"
#include "lists/list_blocks.h"

namespace kalderos {
namespace {

// A regular file the test program keeps open to its end.
std::FILE* RegularFile() {
    static std::FILE* const file = std::tmpfile();
    return file;
}

// Hands out its text in reads of at most `step` bytes, then fails if asked to.
struct FakeFile {
    std::string text;
    std::size_t step;
    bool fail_at_end = false;
    std::size_t at = 0;
    std::size_t reads = 0;

    static FakeFile* reading;
    static long Read(int /*fd*/, char* buffer, std::size_t size) {
        FakeFile& file = *reading;
        ++file.reads;
        if (file.at == file.text.size()) return file.fail_at_end ? -1 : 0;
        const std::size_t part = std::min({size, file.step, file.text.size() - file.at});
        file.text.copy(buffer, part, file.at);
        file.at += part;
        return static_cast<long>(part);
    }
};
FakeFile* FakeFile::reading = nullptr;

// Takes the texts a LineReader hands to CheckEach.
struct TextTaker {
    std::vector<std::string>& texts;
    bool CheckLine(bytes::Readable text) {
        texts.emplace_back(text);
        // Every text may be read this far, however short it is (the sanitizer build checks the bounds).
        char ahead[bytes::kReadAhead];
        std::memcpy(ahead, text.data(), sizeof ahead);
        EXPECT_EQ(std::string_view(ahead, std::min(text.size(), sizeof ahead)),
                  std::string_view(text).substr(0, sizeof ahead));
        return false;
    }
};

// The texts the block reader and the line reader hand out together, as a list's loop takes them, from blocks of
// at least `block_bytes`: by Next, or by CheckEach stopped after every two texts and one by Next in between, as
// a worker's loop stops where its output has grown. `fd` tells what the reader takes the file for: a regular
// file unless said otherwise.
std::vector<std::string> Texts(FakeFile& file, std::size_t block_bytes, LineReader::LongLines long_lines,
                               int fd = fileno(RegularFile()), bool check_each = false) {
    FakeFile::reading = &file;
    BlockReader reader(fd, block_bytes, long_lines, FakeFile::Read);
    std::vector<std::string> texts;
    TextTaker taker{texts};
    ListBlock block;
    while (reader.Fill(block, true) == BlockReader::Filled::kBlock) {
        LineReader lines = block.Lines(long_lines);
        for (;;) {
            if (check_each) {
                std::size_t taken = 0;
                lines.CheckEach(taker, [&] { return ++taken == 2; });
            }
            const bytes::Readable text = lines.Next();
            if (text.data() == nullptr) break;
            taker.CheckLine(text);
        }
    }
    EXPECT_EQ(reader.Failed(), file.fail_at_end);
    return texts;
}

std::vector<std::string> Texts(const std::string& content, std::size_t step,
                               LineReader::LongLines long_lines = LineReader::LongLines::kPieces) {
    std::vector<std::string> texts;
    for (const std::size_t block_bytes : {1u, 7u, 600u}) {
        FakeFile file{content, step};
        std::vector<std::string> got = Texts(file, block_bytes, long_lines);
        if (block_bytes > 1) {
            EXPECT_EQ(got, texts) << "blocks of " << block_bytes;
        }
        FakeFile again{content, step};
        EXPECT_EQ(Texts(again, block_bytes, long_lines, fileno(RegularFile()), true), got)
            << "by CheckEach, blocks of " << block_bytes;
        texts = std::move(got);
    }
    return texts;
}

TEST(LineReader, Texts) {
    const std::string x259(259, 'x');
    const struct {
        std::string content;
        std::vector<std::string> texts;
    } cases[] = {
        {"123456789\n", {"123456789\n"}},
        {"a\n\nb\n", {"a\n", "\n", "b\n"}},
        {"last", {"last"}},
        {"", {}},
        {"a\r\nb\r\n", {"a\n", "b\n"}},
        {"a\rb\n", {"a\rb\n"}},
        {"a\r", {"a\r"}},
        {"\r\n", {"\n"}},
        {std::string(300, 'y') + "\n", {std::string(259, 'y'), std::string(41, 'y') + "\n"}},
        {std::string(258, 'z') + "\n", {std::string(258, 'z') + "\n"}},
        {x259 + "\n", {x259, "\n"}},
        {x259 + "\r\n", {x259, "\n"}},
        {std::string(258, 'z') + "\r\n", {std::string(258, 'z') + "\n"}},
        {x259, {x259}},
        {x259 + "a", {x259, "a"}},
        {std::string(1000, 'w'), {std::string(259, 'w'), std::string(259, 'w'), std::string(259, 'w'), std::string(223, 'w')}},
        {std::string("a\0b\n", 4), {std::string("a\0b\n", 4)}},
    };
    for (const auto& c : cases) {
        for (const std::size_t step : {1u, 3u, 1000u}) {
            EXPECT_EQ(Texts(c.content, step), c.texts) << "reads of " << step << ": " << c.content.substr(0, 40);
        }
    }
}

// Records take a line whole whatever its length, also one longer than the buffer.
TEST(LineReader, WholeLines) {
    const std::string x259(259, 'x');
    const struct {
        std::string content;
        std::vector<std::string> texts;
    } cases[] = {
        {"123456789\n", {"123456789\n"}},
        {x259 + "\n", {x259 + "\n"}},
        {x259 + "\nb\n", {x259 + "\n", "b\n"}},
        {x259 + "\r\n" + "a\n", {x259 + "\n", "a\n"}},
        {std::string(300, 'y') + "\n", {std::string(300, 'y') + "\n"}},
        {std::string(1000, 'w'), {std::string(1000, 'w')}},
        {std::string(5000, 'v') + "\r\nb\n" + std::string(2000, 'u'),
         {std::string(5000, 'v') + "\n", "b\n", std::string(2000, 'u')}},
        {"", {}},
    };
    for (const auto& c : cases) {
        for (const std::size_t step : {1u, 3u, 1000u}) {
            EXPECT_EQ(Texts(c.content, step, LineReader::LongLines::kWhole), c.texts)
                << "reads of " << step << ": " << c.content.substr(0, 40);
        }
    }
}

// A line that has arrived is handed out before anything more is read: from a pipe the next line may come much
// later, or never.
TEST(LineReader, HandsOutALineWithoutReadingFurther) {
    int pipe_ends[2];
    ASSERT_EQ(pipe(pipe_ends), 0);  // never written: every read of it would wait
    for (const auto long_lines : {LineReader::LongLines::kPieces, LineReader::LongLines::kWhole}) {
        FakeFile file{"123-45-6789\n" + std::string(300, 'z') + "\n", 12};
        FakeFile::reading = &file;
        BlockReader reader(pipe_ends[0], 600, long_lines, FakeFile::Read);
        ListBlock block;
        ASSERT_EQ(reader.Fill(block, true), BlockReader::Filled::kBlock);
        EXPECT_EQ(std::string_view(block.Lines(long_lines).Next()), "123-45-6789\n");
        EXPECT_EQ(file.reads, 1u);
    }
    close(pipe_ends[0]);
    close(pipe_ends[1]);
}

TEST(LineReader, ErrorComesAfterWhatWasRead) {
    FakeFile file{"123-45-6789\npartial", 5, true};
    EXPECT_EQ(Texts(file, 600, LineReader::LongLines::kPieces),
              (std::vector<std::string>{"123-45-6789\n", "partial"}));
}

// After a block the reader still holds older lines behind the new data; their line feeds must not end the
// last line early.
TEST(LineReader, ManyLinesAcrossRefills) {
    std::string content;
    for (int i = 0; i < 5000; ++i) content += std::to_string(i) + (i % 3 == 0 ? "\r\n" : "\n");
    content += "last";
    for (const std::size_t step : {777u, 13u}) {
        const std::vector<std::string> texts = Texts(content, step);
        ASSERT_EQ(texts.size(), 5001u);
        for (int i = 0; i < 5000; ++i) EXPECT_EQ(texts[static_cast<std::size_t>(i)], std::to_string(i) + "\n");
        EXPECT_EQ(texts.back(), "last");
    }
}

}  // namespace
}  // namespace kalderos
