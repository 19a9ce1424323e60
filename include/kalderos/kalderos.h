// Public interface of the kalderos checking library: SSN parsing, judging and result lines, and the card classifier.
//
// Every call here is pure with respect to the process: nothing prints, nothing ends the process, and there is
// no hidden global state. Texts end at their size or at their first NUL byte, whichever comes first, the way
// the same bytes would read as a C string.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kalderos {

inline constexpr int kAreaCount = 1000;  // areas 000-999; every per-area table has this many entries

// One Social Security Number as parsed. A field that a text does not supply keeps its earlier value, so the
// same record is meant to be carried from one text to the next.
struct SsnNumber {
    std::int32_t area = 0;
    std::int32_t group = 0;
    std::int32_t serial = 0;
};

enum class SsnVerdict { Valid, Invalid, Unknown };

// Highest group issued per area; 0 where none is known. Values from a group file are stored unchecked.
struct HighestGroupTable {
    std::array<std::int32_t, kAreaCount> group{};
};

// Updates `number` from `text`: area from the start, group and serial found from fixed positions. Fields whose
// digits are missing keep their value. Never fails.
void ParseSsn(std::string_view text, SsnNumber& number);

// Valid, invalid, or unknown (areas 773-899) for `number` against `table`.
[[nodiscard]] SsnVerdict JudgeSsn(const SsnNumber& number, const HighestGroupTable& table);

// Stores the built-in highest groups (issuance data of 7/2007) into `table`; areas it lacks are left alone.
void FillFromBuiltinGroupList(HighestGroupTable& table);

// Reads a group file's text: whole decimal numbers taken two at a time as area and highest group, words that do
// not begin a number skipped. Feed the text in chunks of any size, then call Finish().
class GroupFileReader {
public:
    explicit GroupFileReader(HighestGroupTable& table) : table_(&table) {}
    void Feed(std::string_view chunk);
    void Finish();

private:
    enum class State : std::uint8_t { Blank, Sign, Digits, Word };
    void EndNumber();
    void StartToken(char c);

    HighestGroupTable* table_;
    State state_ = State::Blank;
    bool negative_ = false;
    bool overflow_ = false;
    std::int64_t magnitude_ = 0;
    bool have_area_ = false;
    std::int32_t area_ = 0;
    bool area_in_range_ = false;
};

// Convenience for a whole text held in memory.
void ReadGroupText(std::string_view text, HighestGroupTable& table);

// The place of issue printed for `area`: a 23-character name text, a longer joined text for the areas named
// more than once, or an empty view where the area was never assigned (and for any area outside 0-999).
[[nodiscard]] std::string_view AreaName(std::int32_t area);

// Longest result line FormatResultLine can produce, line feed included.
inline constexpr std::size_t kMaxResultLineLength = 160;

// Writes the result line of `number` (ending in a line feed) to `out`, which must hold kMaxResultLineLength
// bytes; returns the number of bytes written.
std::size_t FormatResultLine(const SsnNumber& number, SsnVerdict verdict, const HighestGroupTable& table,
                             char* out);

// The card type text of the last classified line ("UNKNOWN", "Other", a type name, with "_X" when its check
// digit is wrong, or "2MANY_DIGITS").
struct CardKind {
    std::array<char, 64> text{};
    [[nodiscard]] std::string_view View() const { return {text.data()}; }
};

struct CardClassification {
    int result;          // 1 recognised and passed, -1 recognised with a wrong check digit, 0 otherwise
    std::size_t length;  // length of the text as the classifier left it (cut behind the number where it was)
};

// Names the card type of `text` by its leading digits and digit count and tests its Luhn digit.
CardClassification ClassifyCard(std::string_view text, CardKind& kind);

}  // namespace kalderos
