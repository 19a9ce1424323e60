// Reference loops that the fast ones must match byte for byte: list lines read through stdio a character at a
// time, numbers read with sscanf, judged and classified step by step, and lines formatted with snprintf, each
// exactly as its pattern says. Linked with the program's start-up in place of card_loop.cpp and ssn_loop.cpp
// into the reference program, whose output the tests and the benchmark compare with the shipped program's.
// What --fail-on-invalid counts is the program's own judgement, as the records print it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "card/card_outcome.h"
#include "card/card_type_table.h"
#include "card/written_card.h"
#include "csv/utf16_text.h"
#include "driver/run_failure.h"
#include "rows/ssn_tally.h"
#include "driver/loops.h"
#include "driver/text_loop.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "platform/platform.h"
#include "ssn/area_name_index.h"
#include "ssn/rules.h"
#include "ssn/ssn_judgement.h"

namespace kalderos {
namespace {

constexpr std::size_t kMaxListText = 259;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The texts as C strings: list-file lines from stdio, anything else (the arguments, the console) as the
// program's own source hands it out.
class PlainTexts {
public:
    PlainTexts(TextSource& texts, const RunOptions& options) : texts_(texts), options_(options) {
        if (texts.List() >= 0) file_ = fdopen(texts.List(), "r");
        marks_unread_ = options.conventions.reads_byte_order_marks;
    }

    // Null when the input is exhausted. The text may be cut in place.
    char* Next() {
        CheckInterrupt();
        text_.clear();
        if (line_ended_) line_.clear();
        if (file_ == nullptr || texts_.NumbersLeft()) {
            const std::string_view text = texts_.Next();
            if (TextSource::Exhausted(text)) return nullptr;
            text_.assign(text);
            line_.assign(text);
            line_ended_ = true;
            return text_.data();
        }
        // Up to and including the line feed, at most 259 characters unless lines are read whole; a carriage
        // return before a line feed is dropped.
        while (options_.whole_lines || text_.size() < kMaxListText) {
            int c = GetByte();
            if (c == EOF) {
                CheckInterrupt();  // a read cut short by Ctrl-C leaves no line behind
                break;
            }
            if (c == '\r') {
                const int next = GetByte();
                if (next == '\n') {
                    c = '\n';
                } else if (next != EOF) {
                    pending_.insert(pending_.begin(), static_cast<char>(next));
                }
            }
            text_ += static_cast<char>(c);
            if (c == '\n') break;
        }
        if (!text_.empty()) {
            line_ += text_;
            line_ended_ = options_.whole_lines || text_.size() < kMaxListText || text_.back() == '\n';
            return text_.data();
        }
        failed_ = std::ferror(file_) != 0;
        return nullptr;
    }

    // The whole line the last text belongs to, once the line has ended with it: what --fail-on-invalid judges,
    // however many texts the line was handed out in. Once the texts are exhausted, a line that ended with them.
    [[nodiscard]] const std::string* EndedLine() const { return line_ended_ ? &line_ : nullptr; }
    [[nodiscard]] const std::string* LastLine() const { return line_ended_ || line_.empty() ? nullptr : &line_; }

    // The run's exit code once Next has said the texts are exhausted: the read error's, else that of the
    // texts' judgements.
    int EndCode(bool any_failed) const {
        const std::string_view path = options_.list_file_path.View();
        if (failed_) {
            const RunFailure failure = options_.list_file >= 0 ? RunFailure::kListFileRead : RunFailure::kConsoleRead;
            return ReportRunFailure(failure, options_, path);
        }
        if (const std::optional<RunFailure> failure = ConsoleFailure(texts_)) {
            return ReportRunFailure(*failure, options_, path);
        }
        return options_.fail_on_invalid && any_failed ? kExitInvalidFound : kExitDone;
    }

    void CloseList() {
        // Standard input read as the list stays open, as the program leaves it.
        if (options_.list_file < 0) return;
        if (file_ != nullptr) {
            std::fclose(file_);
        } else {
            platform::CloseFile(options_.list_file);
        }
    }

private:
    // The list's next byte; where byte-order marks are read, a UTF-8 mark at its start is skipped, and a list
    // that starts with a UTF-16 mark is read as UTF-8, fed to the decoder a byte at a time.
    int GetByte() {
        if (std::exchange(marks_unread_, false)) TakeMark();
        while (pending_.empty() && decoder_ && !decoded_all_) {
            const int c = std::getc(file_);
            const char byte = static_cast<char>(c);
            char out[csv::Utf16Decoder::RoomFor(1) + 6];
            decoded_all_ = c == EOF;
            pending_.append(out, decoded_all_ ? decoder_->Finish(out) : decoder_->Decode(&byte, 1, out));
        }
        if (!pending_.empty()) {
            const auto byte = static_cast<unsigned char>(pending_.front());
            pending_.erase(pending_.begin());
            return byte;
        }
        return decoder_ ? EOF : std::getc(file_);
    }
    void TakeMark() {
        for (int i = 0; i < 3; ++i) {
            const int c = std::getc(file_);
            if (c == EOF) break;
            pending_ += static_cast<char>(c);
            if (i != 1) continue;
            if (const std::optional<csv::ByteOrder> order = csv::Utf16Order(pending_[0], pending_[1])) {
                decoder_.emplace(*order);
                pending_.clear();
                return;
            }
        }
        if (pending_ == "\xEF\xBB\xBF") pending_.clear();
    }

    TextSource& texts_;
    const RunOptions& options_;
    std::FILE* file_ = nullptr;
    std::string pending_;  // bytes to hand out before the file's next
    bool marks_unread_ = false;
    std::optional<csv::Utf16Decoder> decoder_;
    bool decoded_all_ = false;
    std::string text_;
    std::string line_;
    bool line_ended_ = true;
    bool failed_ = false;
};

void PlainParseSsn(const char* text, SsnNumber& number) {
    int value = 0;
    if (std::sscanf(text, "%3d", &value) == 1) number.area = value;
    const std::size_t end = std::strlen(text);
    std::size_t pos = end < 3 ? end : 3;
    while (pos < end && !IsDigit(text[pos])) ++pos;
    if (pos == end) return;
    if (std::sscanf(text + pos, "%2d", &value) == 1) number.group = value;
    pos = end - pos < 2 ? end : pos + 2;
    while (pos < end && !IsDigit(text[pos])) ++pos;
    if (pos < end && std::sscanf(text + pos, "%4d", &value) == 1) number.serial = value;
}

// The validity rules one test after another, the classes of the issuance order compared as they are named.
int PlainGroupClass(std::int32_t group) {
    if (group % 2 != 0) return group < 10 ? 1 : 4;
    return group > 9 ? 2 : 3;
}

SsnVerdict PlainJudgeSsn(const SsnNumber& number, const HighestGroupTable& table) {
    const int area = number.area;
    if (area >= 773 && area <= 899) return SsnVerdict::Unknown;
    if (area <= 0 || area > 772) return SsnVerdict::Invalid;
    if (number.group == 0 || number.serial == 0) return SsnVerdict::Invalid;
    if (ssn::IsKnownInvalid(area, number.group, number.serial, RuleSet::Classic)) return SsnVerdict::Invalid;
    const std::int32_t highest = table.group[static_cast<std::size_t>(area)];
    const int group_class = PlainGroupClass(number.group);
    const int highest_class = PlainGroupClass(highest);
    if (group_class < highest_class) return SsnVerdict::Valid;
    if (group_class > highest_class) return SsnVerdict::Invalid;
    return number.group <= highest ? SsnVerdict::Valid : SsnVerdict::Invalid;
}

// The current rules one test after another: only these numbers are impossible.
SsnVerdict PlainCurrentVerdict(const SsnNumber& number) {
    const int area = number.area;
    if (area <= 0 || area >= 900 || number.group == 0 || number.serial == 0) return SsnVerdict::Invalid;
    return ssn::IsKnownInvalid(area, number.group, number.serial, RuleSet::Current) ? SsnVerdict::Invalid : SsnVerdict::Valid;
}

// Whether the group comes no later than the area's highest in the June 2011 list (or the group file's).
bool PlainCouldPredate(const SsnNumber& number, const HighestGroupTable& table) {
    const std::int32_t highest = table.group[static_cast<std::size_t>(number.area)];
    if (highest == 0 || number.group == 0) return false;
    const int group_class = PlainGroupClass(number.group);
    const int highest_class = PlainGroupClass(highest);
    return group_class < highest_class || (group_class == highest_class && number.group <= highest);
}

// `unnamed` is what an area without a place shows: "(null)", or under the current rules, for an invalid
// number, that the area was never assigned.
void PlainPrintResultLine(const SsnNumber& number, SsnVerdict verdict, bool confirm, bool issued_at_random,
                          const char* unnamed = "(null)") {
    const int area = number.area;
    char line[256];
    int length = 0;
    if (issued_at_random) {
        length = std::snprintf(line, sizeof line, "SSN: %03d-%02d-%04d   RANDOM-after 06/2011  VALID=YES", area,
                               number.group, number.serial);
    } else if (verdict == SsnVerdict::Unknown) {
        length = std::snprintf(line, sizeof line, "SSN: %03d-%02d-%04d   UNKNOWN-after 06/2011 VALID=MAYBE", area,
                               number.group, number.serial);
    } else if (area > 0 && area != 666) {
        std::string name = unnamed;
        if (area < kAreaCount && ssn::kAreaNameIndex.area[static_cast<std::size_t>(area)].present) {
            name = ssn::kAreaNameIndex.area[static_cast<std::size_t>(area)].View();
        }
        length = std::snprintf(line, sizeof line, "SSN: %03d-%02d-%04d %s VALID=%s", area, number.group,
                               number.serial, name.c_str(), verdict == SsnVerdict::Valid ? "YES" : "NO");
    } else {
        length = std::snprintf(line, sizeof line, "SSN: %03d-%02d-%04d   ILLEGAL %03d           VALID=NO", area,
                               number.group, number.serial, area);
    }
    Out().Write({line, static_cast<std::size_t>(length)});
    if (confirm) Out().Write("  CONFIRM");
    Out().Write("\n");
}

// The classic line's CONFIRM: the area's highest group, a serial not 0, whatever the verdict.
bool PlainClassicConfirm(const SsnNumber& number, const HighestGroupTable& table) {
    const int area = number.area;
    return area >= 0 && area < kAreaCount && number.group == table.group[static_cast<std::size_t>(area)] &&
           number.serial != 0;
}

// The card type whose prefix matches the longest beginning of `digits`, searched row by row.
const card::CardTypeRow* PlainCardType(const char* digits) {
    const card::CardTypeRow* found = nullptr;
    std::size_t found_length = 0;
    for (const card::CardTypeRow& row : card::kClassicCardRows) {
        (void)card::ForEachItem(row.prefixes, [&](const card::PrefixRange& range) {
            if (range.digits <= found_length) return;
            const unsigned long leading = std::strtoul(std::string(digits, range.digits).c_str(), nullptr, 10);
            if (leading < range.first || leading > range.last) return;
            found = &row;
            found_length = range.digits;
        });
    }
    return found;
}

// The card classifier step by step: a scan of at most 20 characters, the longest matching prefix, the Luhn sum
// digit by digit. Cuts the text in place where the number ends.
void PlainClassifyCard(char* text, CardKind& kind) {
    std::strcpy(kind.text.data(), "UNKNOWN");
    char digits[17] = {};
    std::size_t count = 0;
    std::size_t dashes = 0;
    std::size_t pos = 0;
    for (; pos < 20 && count < 16; ++pos) {
        const char c = text[pos];
        if (c == '\0' || std::strchr(" \t\n\v\f\r", c) != nullptr) break;
        if (IsDigit(c)) {
            digits[count++] = c;
        } else if (c == '-') {
            ++dashes;
        } else {
            return;
        }
    }
    if (count < 13) return;
    text[pos] = '\0';
    if (dashes != 0 && dashes != 2 && dashes != 3) return;
    std::strcpy(kind.text.data(), "Other");
    const card::CardTypeRow* const row = PlainCardType(digits);
    if (row == nullptr) return;
    const std::string name(row->name);
    std::strcpy(kind.text.data(), name.c_str());
    const std::size_t required = card::RequiredDigits(*row, count);
    if (count < required) return;
    if (IsDigit(text[dashes + required])) {
        std::strcpy(kind.text.data(), "2MANY_DIGITS");
        return;
    }
    int sum = 0;
    for (std::size_t i = 0; i < required; ++i) {
        int digit = digits[required - 1 - i] - '0';
        if (i % 2 == 1) digit = digit * 2 > 9 ? digit * 2 - 9 : digit * 2;
        sum += digit;
    }
    if (row->check == card::CheckDigit::Luhn && sum % 10 != 0) std::strcat(kind.text.data(), "_X");
}

// A card line by snprintf: the kind right-aligned in a column of `kind_width`, then the text in one of `width`.
void WriteCardLine(std::vector<char>& line, const char* kind, int kind_width, const char* text, int width) {
    const int length = std::snprintf(nullptr, 0, "\n%*s | %*s", kind_width, kind, width, text);
    line.resize(static_cast<std::size_t>(length) + 1);
    std::snprintf(line.data(), line.size(), "\n%*s | %*s", kind_width, kind, width, text);
    Out().Write({line.data(), static_cast<std::size_t>(length)});
    Out().EndOfLine();
}

// A number invalid by the order of issue alone, counted by what gave its area's highest group.
void CountNotIssued(const ssn::SsnJudgement& judgement, const RunOptions& options, NotIssuedTally& not_issued) {
    if (judgement.reason != ssn::SsnReason::GroupNotIssued) return;
    ++not_issued.count;
    if (options.group_file_areas[static_cast<std::size_t>(judgement.number.area)] != 0) ++not_issued.from_group_files;
}

// Whether a whole line fails as its record does; a line invalid by the order of issue alone is counted.
template <RuleSet kRules>
bool SsnLineFails(const ssn::SsnJudge& judge, const std::string& line, const RunOptions& options,
                  NotIssuedTally& not_issued) {
    const bytes::ReadableCopy content(LineContent(line));
    const ssn::SsnJudgement judgement = judge.JudgeAs<kRules>(content.Get());
    CountNotIssued(judgement, options, not_issued);
    return judgement.Fails();
}
bool CardLineFails(const std::string& line, RuleSet rules) {
    card::WrittenCopy copy;
    const auto judge = [&](std::string_view number) { return card::JudgeCard(number, rules); };
    return card::ClassifyWritten(LineContent(line), rules, copy, judge).outcome.reason != card::CardReason::Ok;
}

// A card loop's end: the list closed and the closing line feed written unless the input failed.
int EndCardLoop(PlainTexts& plain, bool any_failed) {
    const int code = plain.EndCode(any_failed);
    if (code == kExitDone || code == kExitInvalidFound) {
        plain.CloseList();
        Out().Write("\n");
    }
    return code;
}

// The current table: the classifier's rules step by step, the line by snprintf with the wider columns.
int RunCurrentCardTextLoop(TextSource& texts, const RunOptions& options) {
    PlainTexts plain(texts, options);
    std::vector<char> line;
    bool any_failed = false;
    while (char* text = plain.Next()) {
        if (options.fail_on_invalid && plain.EndedLine()) {
            any_failed |= CardLineFails(*plain.EndedLine(), RuleSet::Current);
        }
        const card::CardOutcome outcome = card::JudgeCard(text, RuleSet::Current);
        const std::string kind(card::KindView(RuleSet::Current, outcome.kind));
        const std::string kept = std::string(text).substr(0, outcome.length);
        if (kept.size() > 4) WriteCardLine(line, kind.c_str(), 14, kept.c_str(), 22);
    }
    if (options.fail_on_invalid && plain.LastLine()) any_failed |= CardLineFails(*plain.LastLine(), RuleSet::Current);
    return EndCardLoop(plain, any_failed);
}

// The classic table: the classifier's scan by hand, the line by snprintf.
int RunClassicCardTextLoop(TextSource& texts, const RunOptions& options) {
    PlainTexts plain(texts, options);
    CardKind kind;
    std::vector<char> line;
    bool any_failed = false;
    while (char* text = plain.Next()) {
        // --fail-on-invalid judges the line as the records do, before the classifier cuts the text.
        if (options.fail_on_invalid && plain.EndedLine()) {
            any_failed |= CardLineFails(*plain.EndedLine(), RuleSet::Classic);
        }
        PlainClassifyCard(text, kind);
        if (std::strlen(text) > 4) WriteCardLine(line, kind.text.data(), 12, text, 20);
    }
    if (options.fail_on_invalid && plain.LastLine()) any_failed |= CardLineFails(*plain.LastLine(), RuleSet::Classic);
    return EndCardLoop(plain, any_failed);
}

// The line of `number` under the rules of kRules.
template <RuleSet kRules>
void PlainSsnLine(const SsnNumber& number, const HighestGroupTable& table) {
    switch (kRules) {
        case RuleSet::Classic:
            PlainPrintResultLine(number, PlainJudgeSsn(number, table), PlainClassicConfirm(number, table), false);
            return;
        case RuleSet::Current: {
            const SsnVerdict verdict = PlainCurrentVerdict(number);
            const bool in_table = number.area >= 0 && number.area < kAreaCount;
            const bool valid = verdict == SsnVerdict::Valid;
            PlainPrintResultLine(number, verdict, valid && PlainClassicConfirm(number, table),
                                 valid && in_table && !PlainCouldPredate(number, table), "  NEVER ASSIGNED       ");
            return;
        }
    }
}

// Under a long option, a text that is no number as the lines show it: in quotes, with a backslash before a
// backslash or a quote, \t \r \n, and \xNN for the other bytes below a blank and for DEL.
std::string PlainShown(const std::string& text) {
    std::string shown = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        char escape[8];
        if (c == '\\' || c == '"') {
            shown += '\\';
            shown += c;
        } else if (c == '\t') {
            shown += "\\t";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            shown += escape;
        } else {
            shown += c;
        }
    }
    return shown + "\"";
}

std::string PlainTrimmed(const std::string& text) {
    const char* const blanks = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The texts of a run with a long option, each judged on its own as the records judge it: the SSN line of its
// number, or the text shown with its reason.
template <RuleSet kRules>
int RunStrictSsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    const HighestGroupTable& table = rules.Table();
    PlainTexts plain(texts, options);
    const ssn::SsnJudge judge(rules);
    bool any_failed = false;
    NotIssuedTally not_issued;
    while (const char* text = plain.Next()) {
        const std::string line = *plain.EndedLine();
        const std::string content(LineContent(line));
        const bytes::ReadableCopy readable(content);
        const ssn::SsnJudgement judgement = judge.JudgeAs<kRules>(readable.Get());
        CountNotIssued(judgement, options, not_issued);
        any_failed |= judgement.Fails();
        if (judgement.WellFormed()) {
            PlainSsnLine<kRules>(judgement.number, table);
        } else {
            const std::string shown = PlainShown(content);
            const std::string reason(ssn::ReasonName(judgement.reason));
            std::vector<char> out(shown.size() + 64);
            const int length =
                std::snprintf(out.data(), out.size(), "SSN: %-11s   %-22sVALID=NO\n", shown.c_str(), reason.c_str());
            Out().Write({out.data(), static_cast<std::size_t>(length)});
        }
        Out().EndOfLine();
    }
    const int code = plain.EndCode(any_failed);
    if (code == kExitDone || code == kExitInvalidFound) HintAtOrderOfIssue(options, not_issued);
    return code;
}

// The same for cards: the kind of the strict reading, a number as given without the blanks around it, any other
// text shown.
int RunStrictCardTextLoop(TextSource& texts, const RunOptions& options, RuleSet rules) {
    PlainTexts plain(texts, options);
    std::vector<char> out;
    bool any_failed = false;
    const int kind_width = rules == RuleSet::Classic ? 12 : 14;
    const int text_width = rules == RuleSet::Classic ? 20 : 22;
    while (plain.Next() != nullptr) {
        const std::string content(LineContent(*plain.EndedLine()));
        card::WrittenCopy copy;
        const auto judge = [&](std::string_view number) { return card::JudgeCard(number, rules); };
        const card::CardOutcome outcome = card::ClassifyWritten(content, rules, copy, judge).outcome;
        any_failed |= outcome.reason != card::CardReason::Ok;
        const std::string kind(card::KindView(rules, outcome.kind));
        const std::string shown = outcome.kind == card::kUnknownKind ? PlainShown(content) : PlainTrimmed(content);
        WriteCardLine(out, kind.c_str(), kind_width, shown.c_str(), text_width);
    }
    return EndCardLoop(plain, any_failed);
}

}  // namespace

template <RuleSet kRules>
int RunCardTextLoop(TextSource& texts, const RunOptions& options) {
    if (options.conventions.strict_texts) return RunStrictCardTextLoop(texts, options, kRules);
    switch (kRules) {
        case RuleSet::Classic:
            return RunClassicCardTextLoop(texts, options);
        case RuleSet::Current:
            return RunCurrentCardTextLoop(texts, options);
    }
    return kExitUsage;
}

template <RuleSet kRules>
int RunSsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    const HighestGroupTable& table = rules.Table();
    if (!options.quiet) Out().Write("\n");
    if (options.conventions.strict_texts) return RunStrictSsnTextLoop<kRules>(texts, options, rules);
    PlainTexts plain(texts, options);
    const ssn::SsnJudge judge(rules);
    SsnNumber number;
    bool any_failed = false;
    NotIssuedTally not_issued;
    const bool strict = options.fail_on_invalid || options.hint_order_of_issue;
    while (const char* text = plain.Next()) {
        PlainParseSsn(text, number);
        PlainSsnLine<kRules>(number, table);
        Out().EndOfLine();
        if (strict && plain.EndedLine()) any_failed |= SsnLineFails<kRules>(judge, *plain.EndedLine(), options, not_issued);
    }
    if (strict && plain.LastLine()) any_failed |= SsnLineFails<kRules>(judge, *plain.LastLine(), options, not_issued);
    const int code = plain.EndCode(any_failed);
    if (code == kExitDone || code == kExitInvalidFound) HintAtOrderOfIssue(options, not_issued);
    return code;
}

template int RunCardTextLoop<RuleSet::Classic>(TextSource&, const RunOptions&);
template int RunCardTextLoop<RuleSet::Current>(TextSource&, const RunOptions&);
template int RunSsnTextLoop<RuleSet::Classic>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunSsnTextLoop<RuleSet::Current>(TextSource&, const RunOptions&, const ssn::SsnRules&);

}  // namespace kalderos
