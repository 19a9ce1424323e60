// Public interface of the kalderos checking library: SSN parsing, judging and result lines, and the card classifier.
//
// Every call here is pure with respect to the process: nothing prints, reads files, ends the process, throws or
// allocates, and there is no hidden global state. A call touches only the objects passed to it (and constant
// built-in data), so separate objects may be used from separate threads. Texts end at their size or at their
// first NUL byte, whichever comes first, the way the same bytes would read as a C string.
//
// Two ways to check. A Checker gives what the kalderos program's records give: made once for a rule set (and a
// group file's text, if any), it judges each text strictly into every field of the program's record. The
// lenient reading of the program's text line stays available: fill a HighestGroupTable once
// (FillFromBuiltinGroupList, then a group file if there is one), then for each text ParseSsn into one carried
// SsnNumber, JudgeSsn, and FormatResultLine.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

// The version of the library this header belongs to, as its package names it (1.0.0): a later minor version
// only adds to the interface, a later major one may change it.
#define KALDEROS_VERSION_MAJOR 1
#define KALDEROS_VERSION_MINOR 0
#define KALDEROS_VERSION_PATCH 0

// What the shared library exports: the declarations of this header and nothing else it holds (ELF visibility;
// other object formats build the static library alone).
#if defined(__GNUC__) && defined(__ELF__)
#define KALDEROS_API __attribute__((visibility("default")))
#else
#define KALDEROS_API
#endif

namespace kalderos {

inline constexpr int kAreaCount = 1000;  // areas 000-999; every per-area table has this many entries

// The rules a number is judged by. Classic: the issuance data of 2011 (an area names the state, a group past the
// area's highest was not issued) and the payment-card networks of that time. Current: since issuance became
// random on 25 June 2011, only area 000, 666 and 900-999, group 00, serial 0000 and the published misused numbers
// are impossible, and the order of issue tells only whether a number could have been issued before then; cards
// by today's networks. Sets may be added in a later version, never renamed or renumbered.
enum class RuleSet { Classic, Current };

// One Social Security Number as parsed. A field that a text does not supply keeps its earlier value, so the
// same record is meant to be carried from one text to the next.
struct SsnNumber {
    std::int32_t area = 0;
    std::int32_t group = 0;
    std::int32_t serial = 0;
};

// What a number comes to: it could have been issued (Valid), it could not (Invalid), or the data cannot tell
// (Unknown: under the classic rules, areas 773-899, opened after the data was taken).
enum class SsnVerdict { Valid, Invalid, Unknown };

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
KALDEROS_API void ParseSsn(std::string_view text, SsnNumber& number);

// Valid, invalid, or unknown (areas 773-899, not assigned before issuance was randomised in June 2011) for
// `number` against `table`: areas 001-772 only, no zero group or serial, not a known invalid number, and a
// group no later in the issuance order than the area's highest group.
[[nodiscard]] KALDEROS_API SsnVerdict JudgeSsn(const SsnNumber& number, const HighestGroupTable& table);

// Stores the built-in highest groups into `table`; areas it lacks are left alone. Each lies, in the order of
// issue, between the group of the published list of July 2007 and that of June 2011.
KALDEROS_API void FillFromBuiltinGroupList(HighestGroupTable& table);

// Reads a group file's text into `table` over what it holds: whole decimal numbers taken two at a time as area
// and highest group; a word that does not begin a number is skipped and drops an area read before it; pairs
// whose area lies outside 0-999 are ignored. The reader does no I/O: the caller opens the file and feeds what
// it reads from its stream, in chunks of any size (a number may be split between two chunks), then calls
// Finish(). Each pair is stored as soon as it is complete, so `table` must outlive the reader.
class KALDEROS_API GroupFileReader {
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
KALDEROS_API void ReadGroupText(std::string_view text, HighestGroupTable& table);

// The place of issue printed for `area`: a 23-character name text, a longer joined text for the areas named
// more than once, or an empty view where the area was never assigned (and for any area outside 0-999). The
// view points into constant data and stays valid for the life of the program.
[[nodiscard]] KALDEROS_API std::string_view AreaName(std::int32_t area);

// Longest result line FormatResultLine can produce, line feed included.
inline constexpr std::size_t kMaxResultLineLength = 160;

// Writes the result line of `number` (ending in a line feed, no NUL after it) to `out`, which must hold
// kMaxResultLineLength bytes; returns the number of bytes written. `verdict` is JudgeSsn's for the same number
// and table; `table` also decides the "  CONFIRM" suffix (the group equals the area's highest, serial not 0).
KALDEROS_API std::size_t FormatResultLine(const SsnNumber& number, SsnVerdict verdict,
                                          const HighestGroupTable& table, char* out);

// The card type text of the last classified line ("UNKNOWN", "Other", a type name, with "_X" when its check
// digit is wrong, or "2MANY_DIGITS").
struct CardKind {
    std::array<char, 64> text{};
    [[nodiscard]] std::string_view View() const { return {text.data()}; }
};

struct CardClassification {
    // The values of `result`.
    static constexpr int kPassed = 1;            // a known type, its check digit right where it has one
    static constexpr int kWrongCheckDigit = -1;  // a known type with a wrong check digit
    static constexpr int kNotRecognised = 0;     // anything else
    int result;          // kPassed, kWrongCheckDigit or kNotRecognised
    std::size_t length;  // length of the text as the classifier left it (cut behind the number where it was)
};

// Names the card type of `text` by its leading digits and digit count and tests its Luhn digit. `kind` is
// always overwritten; nothing else is kept between calls.
KALDEROS_API CardClassification ClassifyCard(std::string_view text, CardKind& kind);

// What the kalderos program's record says of one SSN text (`kalderos --format=tsv`), field by field. The text
// fields are views of constant data that stay valid as long as the library is loaded; an empty one is a field
// the record leaves empty (null).
struct SsnResult {
    // Blanks trimmed, the text is exactly NNN-NN-NNNN, NNN NN NNNN or nine digits. When it is not, the number's
    // fields are 0, the verdict Invalid and the reason "malformed" ("empty" for a text of nothing but blanks).
    bool well_formed = false;
    std::int32_t area = 0;    // 0-999
    std::int32_t group = 0;   // 0-99
    std::int32_t serial = 0;  // 0-9999
    // The state or office of issue as a person writes it ("New York", "Virgin Islands, Puerto Rico"); empty
    // for an area never assigned and for a number that can only have been issued at random (current rules).
    std::string_view place;
    SsnVerdict verdict = SsnVerdict::Invalid;
    std::string_view verdict_name = "invalid";  // the verdict as the record names it: "valid", "invalid", "unknown"
    // The number is valid and its group is the highest its area had reached: one to look at more closely.
    bool confirm = false;
    // Why: "ok" for a valid number, else the first rule it breaks: "malformed", "area-after-2011", "area-000",
    // "area-900-999", "group-00", "serial-0000", "area-666", "known-invalid" or "group-not-issued"; "empty"
    // for a text of nothing but blanks. Reasons may be added in a later version, none renamed.
    std::string_view reason = "malformed";
    // Between which published highest-group lists ("2003-11", "2007-07", "2011-06") the number's group was
    // issued: the latest at which it was not yet, and the earliest at which it was; empty where no list
    // bounds it, and both empty for an invalid number.
    std::string_view issued_after;
    std::string_view issued_by;
};

// The most digits a card record shows.
inline constexpr std::size_t kMaxCardDigits = 31;

// What the kalderos program's record says of one card text (`kalderos -C --format=tsv`), field by field. The
// text fields other than the digits are views of constant data that stay valid as long as the library is
// loaded; an empty one is a field the record leaves empty (null).
struct CardResult {
    std::array<char, kMaxCardDigits> digit_text{};  // the digits, see Digits()
    std::size_t digit_count = 0;
    // The number's type by its leading digits ("VISA", "MasterCard", "Other" where no type has them); empty
    // for a text that is no number.
    std::string_view type;
    // The check digit: "pass", "fail", or "n/a" where it is not tested (a type without one, or a number
    // without the type's digit count).
    std::string_view luhn = "n/a";
    // What the program's text line shows: the type, with "_X" when its check digit is wrong, "Other",
    // "2MANY_DIGITS", or "UNKNOWN" for a text that is no number.
    std::string_view outcome = "UNKNOWN";
    // Why: "ok", or "not-a-number", "bad-dashes", "too-few-digits", "unknown-prefix", "too-many-digits",
    // "bad-check-digit", "empty". Reasons may be added in a later version, none renamed.
    std::string_view reason = "not-a-number";
    // The reason is "ok": a known type, its digit count, and its check digit right where the type has one.
    bool ok = false;

    // The digits of the number as the text writes them, the dashes or blanks between its groups left out; empty
    // for a text that is no number. The view points into this result.
    [[nodiscard]] std::string_view Digits() const { return {digit_text.data(), digit_count}; }
};

namespace detail {
// What a Checker derives once from its highest groups, so that a check looks each fact up: the order of issue of
// every group and of every area's highest group, and what each area alone decides. The library's own: nothing
// here is an interface.
struct SsnRuleTables {
    std::array<std::int64_t, 100> group_order{};
    std::array<std::int64_t, kAreaCount> highest_order{};
    std::array<std::uint8_t, kAreaCount> area_reasons{};
};
// The bytes a Checker has had for its rules since version 1.0, whose programs rely on its size.
inline constexpr std::size_t kCheckerRulesRoom = 12288;
}  // namespace detail

// The checks of one rule set, made once and then used by any number of threads at a time: every call is const
// and touches nothing but the checker and its arguments. Making, copying and checking never allocate, throw,
// print or end the process. A text is read up to its size or its first NUL byte, as one line of a list
// (without its line end) is read by the program, and judged strictly, on its own, as its record does: blanks
// around it ignored, an SSN as NNN-NN-NNNN, NNN NN NNNN or nine digits, a card number in groups of digits with a
// single blank or dash between two groups.
class KALDEROS_API Checker {
public:
    // The built-in highest groups (under the current rules, those of the published list of June 2011).
    explicit Checker(RuleSet rules) noexcept;
    // The same with a group file's text read over them, as the program reads one named with -g: whole decimal
    // numbers taken two at a time as area and highest group (see GroupFileReader). The caller reads the file;
    // the checker keeps nothing of the text.
    Checker(RuleSet rules, std::string_view group_file_text) noexcept;
    Checker(const Checker& other) noexcept;
    Checker& operator=(const Checker& other) noexcept;
    ~Checker() = default;

    [[nodiscard]] RuleSet Rules() const noexcept { return rules_; }
    // The highest groups the checker judges by, area by area.
    [[nodiscard]] const HighestGroupTable& HighestGroups() const noexcept { return table_; }

    // The record of `text` read as an SSN.
    [[nodiscard]] SsnResult CheckSsn(std::string_view text) const noexcept;
    // The record of `text` read as a payment-card number, by the card networks of the rule set.
    [[nodiscard]] CardResult CheckCard(std::string_view text) const noexcept;

private:
    RuleSet rules_;
    HighestGroupTable table_{};
    detail::SsnRuleTables tables_{};
    // Unused: a checker keeps the size it had in version 1.0, so that programs built against that header run with
    // this library.
    std::array<unsigned char, detail::kCheckerRulesRoom - sizeof(detail::SsnRuleTables)> unused_{};
};

// What a CsvCheck writes for each row: the program's --format=csv (each input row's cells, then the record's
// fields, in the input's dialect), --format=tsv or --format=jsonl (the record alone).
enum class CsvOutput { Csv, Tsv, Jsonl };

// How a CsvCheck reads its input and what it writes, as the program's options say it.
struct CsvCheckOptions {
    std::string_view column_name;    // --column=NAME: matched as the program matches it; copied
    std::size_t column_number = 0;   // --column=N: the column's number from 1; used where no name is given
    char delimiter = ',';            // --delimiter: any byte but a quote or a line end
    char output_delimiter = 0;       // --output-delimiter in the csv output; 0 keeps the input's
    bool header = true;              // false is --no-header: the first row is data, and a number names the column
    bool cards = false;              // -C: the column holds payment-card numbers
    RuleSet rules = RuleSet::Current;
    CsvOutput format = CsvOutput::Csv;
};

// Where a CsvCheck stands: still taking input, done, or stopped with Message() saying why in the program's
// words. OpenQuote: the input ended inside a quoted field; every row was checked and written all the same, as
// the program does before it ends with exit status 2. Refused: the options, or the header lacks the column
// (the program's exit status 2 too); nothing was written.
enum class CsvStatus { Checking, Done, OpenQuote, Refused };

// One count of a CsvCheck: what is counted ("verdict" and "reason" of SSNs; "type" and "reason" of cards, the
// type as the record's type field and check digit name it), the value's name as the record writes it, and how
// many rows came to it. Every value of the rule set is listed, in the order of the program's tables, counts of 0
// included.
struct CsvCount {
    std::string_view what;
    std::string_view name;
    std::uint64_t count = 0;
};

// The program's CSV path as a call: `kalderos --column=... --format=csv|tsv|jsonl` over bytes the caller
// reads, in pieces of any size (a row, a quote or a CR LF may be split anywhere), with what the program writes
// to standard output collected in memory for the caller to take after each piece. The input is read as the
// program reads it: a UTF-8 byte-order mark kept, UTF-16 with a byte-order mark read as UTF-8, rows as
// spreadsheets and Python's csv module write them. Unlike the calls above it allocates (its output and the
// row being read; std::bad_alloc where memory runs out), and the program's limit of 16 MiB on a row is not
// kept: a caller that must bound memory bounds the pieces it feeds between two Output() takes.
// What a CsvCheck does its work by: the library's own, not exported.
class CsvEngine;

class KALDEROS_API CsvCheck {
public:
    explicit CsvCheck(const CsvCheckOptions& options);
    ~CsvCheck();
    CsvCheck(CsvCheck&&) noexcept;
    CsvCheck& operator=(CsvCheck&&) noexcept;
    CsvCheck(const CsvCheck&) = delete;
    CsvCheck& operator=(const CsvCheck&) = delete;

    // The input's next bytes; a NUL is a byte like another (a cell's text ends at it, as the program reads it).
    void Feed(std::string_view piece);
    // The input has ended: its last row is checked. Nothing more is taken.
    void Finish();

    // What has been written since the last ClearOutput; the view stays valid until the next call on the check.
    [[nodiscard]] std::string_view Output() const noexcept;
    void ClearOutput() noexcept;

    [[nodiscard]] CsvStatus Status() const noexcept;
    [[nodiscard]] std::string_view Message() const noexcept;  // empty unless OpenQuote or Refused
    // The rows checked so far, the header not among them.
    [[nodiscard]] std::uint64_t Rows() const noexcept;
    // The counts of the rows checked so far: `*size` of them, valid until the next call on the check.
    [[nodiscard]] const CsvCount* Counts(std::size_t* size) const;

private:
    std::unique_ptr<CsvEngine> engine_;
};

}  // namespace kalderos
