// Public interface of the kalderos checking library: SSN parsing, judging and result lines, and the card classifier.
//
// Every call here is pure with respect to the process: nothing prints, reads files, ends the process, throws or
// allocates, and there is no hidden global state. A call touches only the objects passed to it (and constant
// built-in data), so separate objects may be used from separate threads. Texts end at their size or at their
// first NUL byte, whichever comes first, the way the same bytes would read as a C string.
//
// A typical check: fill a HighestGroupTable once (FillFromBuiltinGroupList, then a group file if there is one),
// then for each text ParseSsn into one carried SsnNumber, JudgeSsn, and FormatResultLine.
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

// The rules a number is judged by: those of the issuance data of 2011 and the classic card table, or today's.
enum class RuleSet { Classic, Current };

// Highest group issued per area, indexed by area; 0 where none is known. Starts all 0: fill it before judging.
// Values from a group file are stored unchecked.
struct HighestGroupTable {
    std::array<std::int32_t, kAreaCount> group{};
};

// Updates `number` from `text`; `number` is read as well as written. The area is read from the start (blanks
// skipped, an optional sign, three characters at most), the group from the first digit at or after the fourth
// character (two digits at most), the serial from the first digit after the group's two places (four digits at
// most); "123-45-6789" and "123456789" read alike. A field whose digits the text lacks is left as it was: pass a fresh SsnNumber{} to parse one text
// alone, or carry one record from text to text (as the program does) so that a missing field repeats the
// previous number's. Never fails.
void ParseSsn(std::string_view text, SsnNumber& number);

// Valid, invalid, or unknown (areas 773-899, not assigned before issuance was randomised in June 2011) for
// `number` against `table`: areas 001-772 only, no zero group or serial, not a known invalid number, and a
// group no later in the issuance order than the area's highest group.
[[nodiscard]] SsnVerdict JudgeSsn(const SsnNumber& number, const HighestGroupTable& table);

// Stores the built-in highest groups into `table`; areas it lacks are left alone. Each lies, in the order of
// issue, between the group of the published list of July 2007 and that of June 2011.
void FillFromBuiltinGroupList(HighestGroupTable& table);

// Reads a group file's text into `table` over what it holds: whole decimal numbers taken two at a time as area
// and highest group; a word that does not begin a number is skipped and drops an area read before it; pairs
// whose area lies outside 0-999 are ignored. The reader does no I/O: the caller opens the file and feeds what
// it reads from its stream, in chunks of any size (a number may be split between two chunks), then calls
// Finish(). Each pair is stored as soon as it is complete, so `table` must outlive the reader.
class GroupFileReader {
public:
    explicit GroupFileReader(HighestGroupTable& table) : table_(&table) {}
    // The next bytes of the text. Unlike the other texts here, a chunk does not end at a NUL byte: a NUL is
    // read as a character of a word.
    void Feed(std::string_view chunk);
    // Ends the text: a number at its very end completes its pair; an area left without a group is dropped.
    // The reader may then be fed a new text.
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

// The same for a whole group file held in a buffer: Feed(text), then Finish().
void ReadGroupText(std::string_view text, HighestGroupTable& table);

// The place of issue printed for `area`: a 23-character name text, a longer joined text for the areas named
// more than once, or an empty view where the area was never assigned (and for any area outside 0-999). The
// view points into constant data and stays valid for the life of the program.
[[nodiscard]] std::string_view AreaName(std::int32_t area);

// Longest result line FormatResultLine can produce, line feed included.
inline constexpr std::size_t kMaxResultLineLength = 160;

// Writes the result line of `number` (ending in a line feed, no NUL after it) to `out`, which must hold
// kMaxResultLineLength bytes; returns the number of bytes written. `verdict` is JudgeSsn's for the same number
// and table; `table` also decides the "  CONFIRM" suffix (the group equals the area's highest, serial not 0).
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

// Names the card type of `text` by its leading digits and digit count and tests its Luhn digit. `kind` is
// always overwritten; nothing else is kept between calls.
CardClassification ClassifyCard(std::string_view text, CardKind& kind);

}  // namespace kalderos
