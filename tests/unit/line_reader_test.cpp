// List-file texts: 259-character pieces, line feeds kept, CR LF folded, a last line without line feed, errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "driver/line_reader.h"

namespace kalderos {
namespace {

// Hands out its text in reads of at most `step` bytes, then fails if asked to.
struct FakeFile {
    std::string text;
    std::size_t step;
    bool fail_at_end = false;
    std::size_t at = 0;
    std::size_t reads = 0;

    static long Read(void* context, char* buffer, std::size_t size) {
        auto& file = *static_cast<FakeFile*>(context);
        ++file.reads;
        if (file.at == file.text.size()) return file.fail_at_end ? -1 : 0;
        const std::size_t part = std::min({size, file.step, file.text.size() - file.at});
        file.text.copy(buffer, part, file.at);
        file.at += part;
        return static_cast<long>(part);
    }
};

std::vector<std::string> Texts(const std::string& content, std::size_t step,
                               LineReader::LongLines long_lines = LineReader::LongLines::kPieces) {
    FakeFile file{content, step};
    LineReader reader(FakeFile::Read, &file, 600, long_lines);
    std::vector<std::string> texts;
    for (std::string_view text = reader.Next(); text.data() != nullptr; text = reader.Next()) {
        texts.emplace_back(text);
        // Every text may be read this far, however short it is (the sanitizer build checks the bounds).
        char ahead[LineReader::kReadAhead];
        std::memcpy(ahead, text.data(), sizeof ahead);
        EXPECT_EQ(std::string_view(ahead, std::min(text.size(), sizeof ahead)), text.substr(0, sizeof ahead));
    }
    EXPECT_FALSE(reader.Failed());
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
    for (const auto long_lines : {LineReader::LongLines::kPieces, LineReader::LongLines::kWhole}) {
        FakeFile file{"123-45-6789\n" + std::string(300, 'z') + "\n", 12};
        LineReader reader(FakeFile::Read, &file, 600, long_lines);
        EXPECT_EQ(reader.Next(), "123-45-6789\n");
        EXPECT_EQ(file.reads, 1u);
    }
}

TEST(LineReader, ErrorComesAfterWhatWasRead) {
    FakeFile file{"123-45-6789\npartial", 5, true};
    LineReader reader(FakeFile::Read, &file, 600);
    EXPECT_EQ(reader.Next(), "123-45-6789\n");
    EXPECT_EQ(reader.Next(), "partial");
    EXPECT_EQ(reader.Next().data(), nullptr);
    EXPECT_TRUE(reader.Failed());
}

// After a refill the buffer still holds older lines behind the new data; their line feeds must not end the
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
