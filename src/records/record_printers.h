// The record formats' printers of a judgement: the fields of its record kind's list, in the list's order, in
// the syntax of one format. The switch over the fields has no default, so the compiler names a field that a
// printer has not learnt.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "card/card_field_values.h"
#include "card/card_fields.h"
#include "card/card_outcome.h"
#include "card/written_card.h"
#include "records/record_writer.h"
#include "ssn/issuance_window.h"
#include "ssn/place_names.h"
#include "ssn/ssn_field_values.h"
#include "ssn/ssn_fields.h"
#include "ssn/ssn_judgement.h"

namespace kalderos::record {

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

inline constexpr auto kVerdictWords = PadWords(ssn::kVerdictNames);
inline constexpr auto kSsnReasonWords = PadWords(ssn::kSsnReasonNames);
inline constexpr auto kCardReasonWords = PadWords(card::kCardReasonNames);
inline constexpr auto kLuhnWords = PadWords(card::kLuhnNames);
// The kind words of a card table.
template <RuleSet kRules>
inline constexpr auto kKindWords = [] {
    std::array<std::string_view, card::KindCount(card::TableOf(kRules))> names{};
    for (std::size_t kind = 0; kind < names.size(); ++kind) names[kind] = card::KindView(kRules, kind);
    return PadWords(names);
}();
// A window field's values as a format writes them, by the list it names: null for none, else the list's month
// quoted; looked up, so that a record of random numbers takes no branch on them.
template <class Syntax>
inline constexpr auto kMonthValues = [] {
    std::array<Word16, ssn::kPublishedListCount + 1> values{};
    for (std::size_t list = 0; list < values.size(); ++list) {
        const std::string_view month = ssn::WindowMonth(static_cast<std::uint8_t>(list));
        Word16& value = values[list];
        const auto put = [&](std::string_view text) {
            for (const char c : text) value.text[value.size++] = c;
        };
        if (month.empty()) {
            put(Syntax::kNull);
        } else {
            put(Syntax::kQuote);
            put(month);
            put(Syntax::kQuote);
        }
    }
    return values;
}();

template <class Writer>
inline void PutWord(Writer& writer, std::string_view name, const Word16& word) {
    writer.Padded(name, word.text, word.size);
}

static_assert(ssn::kSsnFieldNames[0] == "input" && card::kCardFieldNames[0] == "input",
              "a record starts with its input");

// An SSN record: a strict judgement (SsnJudge::Judge) of `input`.
template <class Syntax>
class SsnRecordPrinter {
public:
    explicit SsnRecordPrinter(OutputStream& out) : writer_(out) {}

    void Header() { writer_.Header(ssn::kSsnFieldNames); }

    void Print(std::string_view input, const ssn::SsnJudgement& judgement) {
        const ssn::IssuanceWindow window = ssn::WindowFields(windows_, judgement);
        PrintFields(input, judgement, window, std::make_index_sequence<ssn::kSsnFieldNames.size()>{});
        writer_.End();
    }

private:
    template <std::size_t... kField>
    void PrintFields(std::string_view input, const ssn::SsnJudgement& judgement, ssn::IssuanceWindow window,
                     std::index_sequence<kField...>) {
        (PrintField(static_cast<ssn::SsnField>(kField), input, judgement, window), ...);
    }

    void PrintField(ssn::SsnField field, std::string_view input, const ssn::SsnJudgement& judgement,
                    ssn::IssuanceWindow window) {
        const std::string_view name = ssn::kSsnFieldNames[static_cast<std::size_t>(field)];
        const bool stated = judgement.WellFormed();
        switch (field) {
            case ssn::SsnField::Input:
                writer_.BeginWithInput(name, input);
                return;
            case ssn::SsnField::WellFormed:
                writer_.Bool(name, stated);
                return;
            case ssn::SsnField::Area:
                return Code(name, stated, judgement.digits, 3);
            case ssn::SsnField::Group:
                return Code(name, stated, judgement.digits + judgement.shape.group_at, 2);
            case ssn::SsnField::Serial:
                return Code(name, stated, judgement.digits + judgement.shape.serial_at, 4);
            case ssn::SsnField::Place: {
                const ssn::PlaceName* place = ssn::PlaceField(judgement);
                if (place == nullptr) return writer_.Null(name);
                return writer_.PaddedText(name, place->text, place->size);
            }
            case ssn::SsnField::Verdict:
                return PutWord(writer_, name, kVerdictWords[static_cast<std::size_t>(judgement.verdict)]);
            case ssn::SsnField::Confirm:
                return writer_.Bool(name, judgement.Confirmed());
            case ssn::SsnField::Reason:
                return PutWord(writer_, name, kSsnReasonWords[static_cast<std::size_t>(judgement.reason)]);
            case ssn::SsnField::IssuedAfter:
                return Month(name, window.issued_after);
            case ssn::SsnField::IssuedBy:
                return Month(name, window.issued_by);
            case ssn::SsnField::kCount:
                return;
        }
    }

    void Code(std::string_view name, bool stated, const char* digits, std::size_t width) {
        if (stated) return writer_.Code(name, digits, width);
        writer_.Null(name);
    }

    void Month(std::string_view name, unsigned list) {
        const Word16& value = kMonthValues<Syntax>[list];
        writer_.Formatted(name, value.text, value.size);
    }

    RecordWriter<Syntax> writer_;
    const ssn::PackedWindows& windows_ = ssn::PackedWindowTable();
};

// A card record: the strict reading of `input` (ClassifyAsWritten) under the table of `kRules`, its kept part
// where kCardReadAhead bytes may be read from its start.
template <class Syntax, RuleSet kRules>
class CardRecordPrinter {
public:
    explicit CardRecordPrinter(OutputStream& out) : writer_(out) {}

    void Header() { writer_.Header(card::kCardFieldNames); }

    void Print(std::string_view input, const card::CardReading& reading) {
        PrintFields(input, reading, std::make_index_sequence<card::kCardFieldNames.size()>{});
        writer_.End();
    }

private:
    template <std::size_t... kField>
    void PrintFields(std::string_view input, const card::CardReading& reading, std::index_sequence<kField...>) {
        (PrintField(static_cast<card::CardField>(kField), input, reading), ...);
    }

    void PrintField(card::CardField field, std::string_view input, const card::CardReading& reading) {
        const std::string_view name = card::kCardFieldNames[static_cast<std::size_t>(field)];
        const card::CardOutcome& outcome = reading.outcome;
        const bool unknown = !card::ShowsNumber(outcome);
        switch (field) {
            case card::CardField::Input:
                return writer_.BeginWithInput(name, input);
            case card::CardField::Digits:
                if (unknown) return writer_.Null(name);
                return PrintDigits(name, {reading.kept, outcome.length});
            case card::CardField::Type:
                if (unknown) return writer_.Null(name);
                return PutWord(writer_, name, kKindWords<kRules>[card::TypeFieldKind(outcome)]);
            case card::CardField::Luhn:
                return PutWord(writer_, name, kLuhnWords[static_cast<std::size_t>(outcome.check)]);
            case card::CardField::Outcome:
                return PutWord(writer_, name, kKindWords<kRules>[outcome.kind]);
            case card::CardField::Reason:
                return PutWord(writer_, name, kCardReasonWords[static_cast<std::size_t>(outcome.reason)]);
            case card::CardField::kCount:
                return;
        }
    }

    // The digits of the part of the text the classifier kept (digits and dashes only, at most 20), dashes left
    // out; the part is copied in one move when it has none.
    void PrintDigits(std::string_view name, std::string_view kept) {
        const std::uint32_t dashes =
            bytes::FlagMask(bytes::BytesEqualTo(bytes::LoadSixteen(kept.data()), '-')) |
            bytes::FlagMask(bytes::BytesEqualTo(bytes::LoadSixteen(kept.data() + 16), '-')) << 16;
        if ((dashes & ((std::uint32_t{1} << kept.size()) - 1)) == 0) {
            return writer_.Readable(name, kept.data(), kept.size());
        }
        std::array<char, 32> digits{};
        static_assert(card::kCardReadAhead <= digits.size(), "room for the kept part");
        writer_.Padded(name, digits, card::DigitsField(kept, digits.data()));
    }

    RecordWriter<Syntax> writer_;
};

}  // namespace kalderos::record
