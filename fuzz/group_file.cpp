// The group-file reader on any text fed in chunks of random sizes: the table comes out as from one whole feed,
// and every value stored belongs to numbers that stand in the text, at an area 0-999 written there.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "kalderos/kalderos.h"

namespace {

using kalderos::HighestGroupTable;

// A value that marks an entry the reader did not store into (a text could store it too; then the entry is
// merely not checked).
constexpr std::int32_t kUnset = -1234567891;

// Heap tables, so that a store outside the 1000 entries meets AddressSanitizer's red zone.
std::unique_ptr<HighestGroupTable> UnsetTable() {
    auto table = std::make_unique<HighestGroupTable>();
    table->group.fill(kUnset);
    return table;
}

// The magnitudes of all maximal digit runs of the text (those that fit in 64 bits), and which of them stand
// right behind a minus sign.
struct Numbers {
    std::vector<std::int64_t> unsigned_values;  // sorted
    std::vector<std::int64_t> negated_values;   // sorted

    static bool Holds(const std::vector<std::int64_t>& values, std::int64_t value) {
        return std::binary_search(values.begin(), values.end(), value);
    }
};

Numbers NumbersIn(std::string_view text) {
    Numbers numbers;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        const bool negative = i > 0 && text[i - 1] == '-';
        std::int64_t value = 0;
        bool fits = true;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (value > (INT64_MAX - 9) / 10) fits = false;
            if (fits) value = value * 10 + (text[i] - '0');
        }
        if (!fits) continue;
        numbers.unsigned_values.push_back(value);
        if (negative) numbers.negated_values.push_back(value);
    }
    std::sort(numbers.unsigned_values.begin(), numbers.unsigned_values.end());
    std::sort(numbers.negated_values.begin(), numbers.negated_values.end());
    return numbers;
}

// Feeds the text in pieces whose sizes come from `seed`, mostly small so that every state boundary is crossed.
void FeedInChunks(std::string_view text, std::uint64_t seed, HighestGroupTable& table) {
    kalderos::GroupFileReader reader(table);
    std::uint64_t state = seed | 1;
    while (!text.empty()) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        const std::size_t limit = (state & 3) == 0 ? text.size() : 8;
        const std::size_t part = 1 + static_cast<std::size_t>((state >> 8) % limit);
        reader.Feed(text.substr(0, part));
        text.remove_prefix(part < text.size() ? part : text.size());
    }
    reader.Finish();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const std::uint64_t seed = provider.ConsumeIntegral<std::uint64_t>();
    const std::string text = provider.ConsumeRemainingBytesAsString();

    const auto whole = UnsetTable();
    kalderos::ReadGroupText(text, *whole);
    const auto chunked = UnsetTable();
    FeedInChunks(text, seed, *chunked);
    FUZZ_REQUIRE(whole->group == chunked->group);

    const Numbers numbers = NumbersIn(text);
    for (std::int32_t area = 0; area < kalderos::kAreaCount; ++area) {
        const std::int32_t group = whole->group[static_cast<std::size_t>(area)];
        if (group == kUnset) continue;
        FUZZ_REQUIRE(Numbers::Holds(numbers.unsigned_values, area));
        if (group >= 0) {
            FUZZ_REQUIRE(Numbers::Holds(numbers.unsigned_values, group));
        } else {
            FUZZ_REQUIRE(Numbers::Holds(numbers.negated_values, -static_cast<std::int64_t>(group)));
        }
    }
    return 0;
}
