// A list's block reader and line reader on any bytes, handed out in reads of random sizes into blocks of any
// size: texts of at most 259 characters that put the file back together without the carriage returns before
// line feeds, a line feed only where a line ends, a short text only where a line or the file ends, and a read
// error reported after the data.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "lists/line_reader.h"
#include "lists/list_blocks.h"
#include "fake_file.h"
#include "fuzz_check.h"

namespace {

using kalderos::BlockReader;
using kalderos::LineReader;
using kalderos::ListBlock;

using fuzz::FakeFile;
using fuzz::RegularFile;

std::string WithoutCarriageReturnsBeforeLineFeeds(std::string_view content) {
    std::string result;
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') continue;
        result += content[i];
    }
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const std::uint64_t seed = provider.ConsumeIntegral<std::uint64_t>() | 1;
    const bool fails_at_end = provider.ConsumeBool();
    const std::size_t block_bytes = provider.ConsumeIntegralInRange<std::size_t>(1, 4096);
    const std::string content = provider.ConsumeRemainingBytesAsString();

    FakeFile file{content, seed, fails_at_end};
    FakeFile::reading = &file;
    BlockReader reader(RegularFile(), block_bytes, LineReader::LongLines::kPieces, FakeFile::Read);
    std::string joined;
    bool previous_was_short_piece = false;
    ListBlock block;
    while (reader.Fill(block, true) == BlockReader::Filled::kBlock) {
        LineReader lines = block.Lines(LineReader::LongLines::kPieces);
        for (kalderos::bytes::Readable readable = lines.Next(); readable.data() != nullptr; readable = lines.Next()) {
            const std::string_view text = readable;
            FUZZ_REQUIRE(!previous_was_short_piece);
            FUZZ_REQUIRE(!text.empty() && text.size() <= LineReader::kMaxText);
            const std::size_t line_feed = text.find('\n');
            FUZZ_REQUIRE(line_feed == std::string_view::npos || line_feed == text.size() - 1);
            // A piece without its line feed is full, unless the file ends with it.
            previous_was_short_piece = line_feed == std::string_view::npos && text.size() < LineReader::kMaxText;
            joined.append(text);
        }
    }
    FUZZ_REQUIRE(reader.Failed() == fails_at_end);
    FUZZ_REQUIRE(joined == WithoutCarriageReturnsBeforeLineFeeds(content));
    return 0;
}
