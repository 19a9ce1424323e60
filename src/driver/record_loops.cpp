// SSN and card records. The text format's lenient parse carries fields from one text to the next; records
// judge each text on its own, from the digits that stand in it.
#include "driver/record_loops.h"

#include <array>
#include <cstring>

#include "bytes/byte_vectors.h"
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
constexpr std::array<std::string_view, 3> kLuhnNames{"n/a", "pass", "fail"};

// A word of a fixed vocabulary padded to one size, so that a record copies it in one fixed-size move.
struct Word16 {
    std::array<char, 16> text{};
    std::size_t size = 0;
};

template <std::size_t N>
constexpr std::array<Word16, N> PadWords(const std::array<std::string_view, N>& names) {
    std::array<Word16, N> words{};
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i].size() > words[i].text.size()) throw "a word longer than its room";
        for (std::size_t at = 0; at < names[i].size(); ++at) words[i].text[at] = names[i][at];
        words[i].size = names[i].size();
    }
    return words;
}

constexpr auto kVerdictWords = PadWords(kVerdictNames);
constexpr auto kSsnReasonWords = PadWords(ssn::kSsnReasonNames);
constexpr auto kCardReasonWords = PadWords(card::kCardReasonNames);
constexpr auto kLuhnWords = PadWords(kLuhnNames);
constexpr auto kKindWords = [] {
    std::array<std::string_view, card::kKindCount> names{};
    for (std::size_t kind = 0; kind < names.size(); ++kind) names[kind] = card::KindView(kind);
    return PadWords(names);
}();
static_assert(kSsnReasonWords[static_cast<std::size_t>(ssn::SsnReason::GroupNotIssued)].size == 16);

// A place name, padded.
struct Place {
    std::array<char, 64> text{};
    std::size_t size = 0;
};

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text::IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && text::IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::int32_t DigitsAt(const char* text, std::size_t count) {
    std::int32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

bool AllDigits(std::string_view text) {
    for (const char c : text) {
        if (!text::IsDigit(c)) return false;
    }
    return true;
}

// A text that states a number: where its fields' digits stand (the area at its start), and their values.
struct StatedNumber {
    const char* text = nullptr;  // null when the text states none
    std::uint8_t group_at = 0;
    std::uint8_t serial_at = 0;
    SsnNumber number;
};

StatedNumber Stated(const char* text, std::uint8_t group_at, std::uint8_t serial_at) {
    return {text, group_at, serial_at,
            {DigitsAt(text, 3), DigitsAt(text + group_at, 2), DigitsAt(text + serial_at, 4)}};
}

constexpr std::uint8_t kPlainGroup = 3, kPlainSerial = 5, kDashedGroup = 4, kDashedSerial = 7;

// The number a text states, blanks trimmed: NNN-NN-NNNN or NNNNNNNNN and nothing else.
[[gnu::noinline]] StatedNumber StrictSsnAnyShape(std::string_view input) {
    const std::string_view text = TrimBlanks(input);
    if (text.size() == 9 && AllDigits(text)) return Stated(text.data(), kPlainGroup, kPlainSerial);
    if (text.size() == 11 && text[3] == '-' && text[6] == '-' && AllDigits(text.substr(0, 3)) &&
        AllDigits(text.substr(4, 2)) && AllDigits(text.substr(7))) {
        return Stated(text.data(), kDashedGroup, kDashedSerial);
    }
    return {};
}

constexpr unsigned kPlainDigits = 0x1FFu;   // "123456789"
constexpr unsigned kDashedDigits = 0x7B7u;  // "123-45-6789": digits but at 3 and 6
constexpr unsigned kDashedDashes = 0x048u;  // and dashes there

// The same, the usual shapes without blanks read from masks of the first sixteen bytes when `readable` says
// they may be read.
inline StatedNumber StrictSsn(std::string_view input, bool readable) {
    if (readable && (input.size() == 9 || input.size() == 11)) {
        const text::Bytes16 bytes = text::LoadSixteen(input.data());
        const unsigned digits = text::FlagMask(text::DigitBytes(bytes));
        if (input.size() == 9 && (digits & kPlainDigits) == kPlainDigits) {
            return Stated(input.data(), kPlainGroup, kPlainSerial);
        }
        const unsigned dashes = text::FlagMask(text::BytesEqualTo(bytes, '-'));
        if (input.size() == 11 && (digits & kDashedDigits) == kDashedDigits && (dashes & kDashedDashes) == kDashedDashes) {
            return Stated(input.data(), kDashedGroup, kDashedSerial);
        }
    }
    return StrictSsnAnyShape(input);
}

// Every area's place as a record shows it: the name without its padding, empty where there is none. A name
// too long for its room is cut (none is: tests/unit/reason_test.cpp).
std::array<Place, kAreaCount> TrimmedPlaces() {
    std::array<Place, kAreaCount> places{};
    for (std::int32_t area = 0; area < kAreaCount; ++area) {
        Place& place = places[static_cast<std::size_t>(area)];
        const std::string_view name = TrimBlanks(AreaName(area)).substr(0, place.text.size());
        name.copy(place.text.data(), name.size());
        place.size = name.size();
    }
    return places;
}

bool Confirms(const SsnNumber& number, const HighestGroupTable& table) {
    return number.group == table.group[static_cast<std::size_t>(number.area)] && number.serial != 0;
}

// What an SSN record needs besides its text, made once per run.
struct SsnContext {
    const HighestGroupTable& table;
    ssn::FieldReasoner reasoner;
    std::array<Place, kAreaCount> places;
};

template <class Writer>
void PutWord(Writer& writer, std::string_view name, const Word16& word) {
    writer.Padded(name, word.text, word.size);
}

// Writes the record of one text; true when it counts as failed.
template <class Writer>
bool WriteSsnRecord(Writer& writer, std::string_view text, bool readable, const SsnContext& context) {
    const std::string_view input = RecordInput(text);
    writer.BeginWithInput("input", input, readable);
    const StatedNumber stated = StrictSsn(input, readable);
    if (stated.text == nullptr) {
        writer.Bool("well_formed", false);
        for (const std::string_view name : {"area", "group", "serial", "place"}) writer.Null(name);
        PutWord(writer, "verdict", kVerdictWords[static_cast<std::size_t>(SsnVerdict::Invalid)]);
        writer.Bool("confirm", false);
        PutWord(writer, "reason", kSsnReasonWords[static_cast<std::size_t>(ssn::SsnReason::Malformed)]);
        writer.End();
        return true;
    }
    const SsnNumber& number = stated.number;
    const ssn::SsnReason reason = context.reasoner(number.area, number.group, number.serial);
    const SsnVerdict verdict = ssn::VerdictOf(reason);
    const Place& place = context.places[static_cast<std::size_t>(number.area)];
    writer.Bool("well_formed", true);
    writer.Digits("area", stated.text, 3);
    writer.Digits("group", stated.text + stated.group_at, 2);
    writer.Digits("serial", stated.text + stated.serial_at, 4);
    if (place.size == 0) {
        writer.Null("place");
    } else {
        writer.Padded("place", place.text, place.size);
    }
    PutWord(writer, "verdict", kVerdictWords[static_cast<std::size_t>(verdict)]);
    writer.Bool("confirm", Confirms(number, context.table));
    PutWord(writer, "reason", kSsnReasonWords[static_cast<std::size_t>(reason)]);
    writer.End();
    return verdict == SsnVerdict::Invalid;
}

// The digits of the part of the text the classifier kept (digits and dashes only, at most 20), dashes left out.
using Digits = std::array<char, 32>;
std::size_t TakenDigits(std::string_view kept, Digits& digits) {
    std::size_t count = 0;
    for (const char c : kept.substr(0, digits.size())) {
        digits[count] = c;
        count += static_cast<std::size_t>(c != '-');
    }
    return count;
}

// For a kept part of at most 20 characters from whose start 32 bytes may be read.
bool HasDash(std::string_view kept) {
    const std::uint32_t dashes = text::FlagMask(text::BytesEqualTo(text::LoadSixteen(kept.data()), '-')) |
                                 text::FlagMask(text::BytesEqualTo(text::LoadSixteen(kept.data() + 16), '-')) << 16;
    return (dashes & ((std::uint32_t{1} << kept.size()) - 1)) != 0;
}

const Word16& LuhnWord(const card::CardOutcome& outcome) {
    return kLuhnWords[static_cast<std::size_t>(outcome.check)];
}

// `read_ahead`: kCardReadAhead bytes may be read from the start of the text.
template <class Writer>
bool WriteCardRecord(Writer& writer, std::string_view text, bool read_ahead) {
    const std::string_view input = RecordInput(text);
    const card::CardOutcome outcome =
        read_ahead ? card::ClassifyReadable(input.data(), input.size()) : card::ClassifyCardText(input);
    writer.BeginWithInput("input", input, read_ahead);
    if (outcome.kind == card::kUnknownKind) {
        writer.Null("digits");
        writer.Null("type");
    } else {
        const std::string_view kept = input.substr(0, outcome.length);  // at most 20 characters
        if (read_ahead && !HasDash(kept)) {
            writer.Readable("digits", kept.data(), kept.size());
        } else {
            Digits digits;
            writer.Padded("digits", digits, TakenDigits(kept, digits));
        }
        PutWord(writer, "type", kKindWords[card::TypeKind(outcome.type)]);
    }
    PutWord(writer, "luhn", LuhnWord(outcome));
    PutWord(writer, "outcome", kKindWords[outcome.kind]);
    PutWord(writer, "reason", kCardReasonWords[static_cast<std::size_t>(outcome.reason)]);
    writer.End();
    return outcome.reason != card::CardReason::Ok;
}

}  // namespace

bool SsnTextFails(std::string_view text, const HighestGroupTable& table) {
    const StatedNumber stated = StrictSsn(RecordInput(text), false);
    return stated.text == nullptr || ssn::VerdictOf(ssn::ReasonFor(stated.number, table)) == SsnVerdict::Invalid;
}

bool CardTextFails(std::string_view text) {
    return card::ClassifyCardText(RecordInput(text)).reason != card::CardReason::Ok;
}

int DoneExitCode(const RunOptions& options, bool any_failed) {
    return options.fail_on_invalid && any_failed ? kExitInvalidFound : kExitDone;
}

namespace {

template <bool kJson>
[[noreturn]] void SsnRecordLoop(TextSource& texts, const RunOptions& options, const SsnContext& context, bool header) {
    RecordWriter<kJson> writer(Out());
    if (header) writer.Header(kSsnHeader);
    const bool readable = texts.ReadAhead() >= RecordWriter<kJson>::kReadAhead;
    bool any_failed = false;
    for (std::string_view text = texts.Next(); !TextSource::Exhausted(text); text = texts.Next()) {
        any_failed |= WriteSsnRecord(writer, text, readable, context);
    }
    TerminateRun(DoneExitCode(options, any_failed));
}

template <bool kJson>
[[noreturn]] void CardRecordLoop(TextSource& texts, const RunOptions& options, bool header) {
    RecordWriter<kJson> writer(Out());
    if (header) writer.Header(kCardHeader);
    const bool read_ahead = texts.ReadAhead() >= card::kCardReadAhead;
    static_assert(card::kCardReadAhead >= RecordWriter<kJson>::kReadAhead);
    bool any_failed = false;
    for (std::string_view text = texts.Next(); !TextSource::Exhausted(text); text = texts.Next()) {
        any_failed |= WriteCardRecord(writer, text, read_ahead);
    }
    if (options.list_file >= 0) platform::CloseFile(options.list_file);
    TerminateRun(DoneExitCode(options, any_failed));
}

}  // namespace

void RunSsnRecords(TextSource& texts, const RunOptions& options, HighestGroupTable& table, RecordFormat format) {
    LoadHighestGroupTable(options, table);
    const SsnContext context{table, ssn::FieldReasoner(table), TrimmedPlaces()};
    if (format.format == OutputFormat::Jsonl) SsnRecordLoop<true>(texts, options, context, format.header);
    SsnRecordLoop<false>(texts, options, context, format.header);
}

void RunCardRecords(TextSource& texts, const RunOptions& options, RecordFormat format) {
    if (format.format == OutputFormat::Jsonl) CardRecordLoop<true>(texts, options, format.header);
    CardRecordLoop<false>(texts, options, format.header);
}

}  // namespace kalderos
