// SSN and card records. The text format's lenient parse carries fields from one text to the next; records
// judge each text on its own, from the digits that stand in it.
#include "driver/record_loops.h"

#include <array>
#include <optional>

#include "bytes/char_class.h"
#include "card/card_outcome.h"
#include "driver/load_group_table.h"
#include "driver/record_writer.h"
#include "io/terminate.h"
#include "platform/platform.h"
#include "ssn/ssn_reason.h"

namespace kalderos {
namespace {

constexpr std::string_view kSsnHeader = "input\twell_formed\tarea\tgroup\tserial\tplace\tverdict\tconfirm\treason";
constexpr std::string_view kCardHeader = "input\tdigits\ttype\tluhn\toutcome\treason";
constexpr std::array<std::string_view, 3> kVerdictNames{"valid", "invalid", "unknown"};
static_assert(kVerdictNames[static_cast<std::size_t>(SsnVerdict::Unknown)] == "unknown");

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text::IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && text::IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::int32_t DigitsAt(std::string_view text, std::size_t at, std::size_t count) {
    std::int32_t value = 0;
    for (std::size_t i = at; i < at + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

bool AllDigits(std::string_view text) {
    for (const char c : text) {
        if (!text::IsDigit(c)) return false;
    }
    return true;
}

// The number a text states, blanks trimmed: NNN-NN-NNNN or NNNNNNNNN and nothing else.
std::optional<SsnNumber> StrictSsn(std::string_view input) {
    const std::string_view text = TrimBlanks(input);
    if (text.size() == 9 && AllDigits(text)) return SsnNumber{DigitsAt(text, 0, 3), DigitsAt(text, 3, 2), DigitsAt(text, 5, 4)};
    if (text.size() == 11 && text[3] == '-' && text[6] == '-' && AllDigits(text.substr(0, 3)) &&
        AllDigits(text.substr(4, 2)) && AllDigits(text.substr(7))) {
        return SsnNumber{DigitsAt(text, 0, 3), DigitsAt(text, 4, 2), DigitsAt(text, 7, 4)};
    }
    return std::nullopt;
}

// Every area's place as a record shows it: the name without its padding, empty where there is none.
std::array<std::string_view, kAreaCount> TrimmedPlaces() {
    std::array<std::string_view, kAreaCount> places{};
    for (std::int32_t area = 0; area < kAreaCount; ++area) places[static_cast<std::size_t>(area)] = TrimBlanks(AreaName(area));
    return places;
}

bool Confirms(const SsnNumber& number, const HighestGroupTable& table) {
    return number.group == table.group[static_cast<std::size_t>(number.area)] && number.serial != 0;
}

// Writes the record of one text; true when it counts as failed.
bool WriteSsnRecord(RecordWriter& writer, std::string_view text, const HighestGroupTable& table,
                    const std::array<std::string_view, kAreaCount>& places) {
    const std::string_view input = RecordInput(text);
    writer.BeginWithInput("input", input);
    const std::optional<SsnNumber> number = StrictSsn(input);
    if (!number) {
        writer.Bool("well_formed", false);
        for (const std::string_view name : {"area", "group", "serial", "place"}) writer.Null(name);
        writer.String("verdict", kVerdictNames[static_cast<std::size_t>(SsnVerdict::Invalid)]);
        writer.Bool("confirm", false);
        writer.String("reason", ssn::ReasonName(ssn::SsnReason::Malformed));
        writer.End();
        return true;
    }
    const ssn::SsnReason reason = ssn::ReasonFor(*number, table);
    const SsnVerdict verdict = ssn::VerdictOf(reason);
    const std::string_view place = places[static_cast<std::size_t>(number->area)];
    writer.Bool("well_formed", true);
    writer.Number("area", number->area, 3);
    writer.Number("group", number->group, 2);
    writer.Number("serial", number->serial, 4);
    if (place.empty()) {
        writer.Null("place");
    } else {
        writer.String("place", place);
    }
    writer.String("verdict", kVerdictNames[static_cast<std::size_t>(verdict)]);
    writer.Bool("confirm", Confirms(*number, table));
    writer.String("reason", ssn::ReasonName(reason));
    writer.End();
    return verdict == SsnVerdict::Invalid;
}

// The digits of the part of the text the classifier kept, dashes left out.
std::string_view TakenDigits(std::string_view kept, std::array<char, 32>& digits) {
    std::size_t count = 0;
    for (const char c : kept) {
        if (text::IsDigit(c) && count < digits.size()) digits[count++] = c;
    }
    return {digits.data(), count};
}

std::string_view LuhnText(const card::CardOutcome& outcome) {
    if (outcome.result == 0 || !card::kCardTypes[outcome.type].luhn) return "n/a";
    return outcome.result > 0 ? "pass" : "fail";
}

// `read_ahead`: kCardReadAhead bytes may be read from the start of the text.
bool WriteCardRecord(RecordWriter& writer, std::string_view text, bool read_ahead) {
    const std::string_view input = RecordInput(text);
    const card::CardOutcome outcome =
        read_ahead ? card::ClassifyReadable(input.data(), input.size()) : card::ClassifyCardText(input);
    writer.BeginWithInput("input", input);
    if (outcome.kind == card::kUnknownKind) {
        writer.Null("digits");
        writer.Null("type");
    } else {
        std::array<char, 32> digits;
        writer.String("digits", TakenDigits(input.substr(0, outcome.length), digits));
        writer.String("type", card::kCardTypes[outcome.type].name);
    }
    writer.String("luhn", LuhnText(outcome));
    writer.String("outcome", card::KindView(outcome.kind));
    writer.String("reason", card::ReasonName(outcome.reason));
    writer.End();
    return outcome.reason != card::CardReason::Ok;
}

}  // namespace

bool SsnTextFails(std::string_view text, const HighestGroupTable& table) {
    const std::optional<SsnNumber> number = StrictSsn(RecordInput(text));
    return !number || ssn::VerdictOf(ssn::ReasonFor(*number, table)) == SsnVerdict::Invalid;
}

bool CardTextFails(std::string_view text) {
    return card::ClassifyCardText(RecordInput(text)).reason != card::CardReason::Ok;
}

int DoneExitCode(const RunOptions& options, bool any_failed) {
    return options.fail_on_invalid && any_failed ? kExitInvalidFound : kExitDone;
}

void RunSsnRecords(TextSource& texts, const RunOptions& options, HighestGroupTable& table, RecordFormat format) {
    LoadHighestGroupTable(options, table);
    const std::array<std::string_view, kAreaCount> places = TrimmedPlaces();
    RecordWriter writer(Out(), format.format);
    if (format.header) writer.Header(kSsnHeader);
    bool any_failed = false;
    for (std::string_view text = texts.Next(); !TextSource::Exhausted(text); text = texts.Next()) {
        any_failed |= WriteSsnRecord(writer, text, table, places);
    }
    TerminateRun(DoneExitCode(options, any_failed));
}

void RunCardRecords(TextSource& texts, const RunOptions& options, RecordFormat format) {
    RecordWriter writer(Out(), format.format);
    if (format.header) writer.Header(kCardHeader);
    const bool read_ahead = texts.ReadAhead() >= card::kCardReadAhead;
    bool any_failed = false;
    for (std::string_view text = texts.Next(); !TextSource::Exhausted(text); text = texts.Next()) {
        any_failed |= WriteCardRecord(writer, text, read_ahead);
    }
    if (options.list_file >= 0) platform::CloseFile(options.list_file);
    TerminateRun(DoneExitCode(options, any_failed));
}

}  // namespace kalderos
