// The record formats' printers of a judgement: the fields of its record kind's list, in the list's order, in
// the syntax of one format. The switch over the fields has no default, so the compiler names a field that a
// printer has not learnt.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <utility>

#include "card/card_field_values.h"
#include "card/card_fields.h"
#include "card/card_outcome.h"
#include "card/written_card.h"
#include "records/field_pieces.h"
#include "records/record_writer.h"
#include "ssn/issuance_window.h"
#include "ssn/place_names.h"
#include "ssn/ssn_field_values.h"
#include "ssn/ssn_fields.h"
#include "ssn/ssn_judgement.h"

namespace kalderos::record {

// The fields of few values of each record kind, in each format: looked up, so that a list of random numbers takes
// no branch on them, and copied whole.
template <class Syntax>
struct SsnPieces {
    static constexpr std::string_view Name(ssn::SsnField field) {
        return ssn::kSsnFieldNames[static_cast<std::size_t>(field)];
    }
    // By the list a window field names, none first.
    static constexpr auto Months(ssn::SsnField field) {
        std::array<FieldPiece<32>, ssn::kPublishedListCount + 1> pieces{};
        pieces[0] = MakePiece<Syntax, 32>(Name(field), ValueForm::kNone);
        for (std::size_t list = 1; list < pieces.size(); ++list) {
            pieces[list] = MakePiece<Syntax, 32>(Name(field), ValueForm::kString,
                                                 ssn::WindowMonth(static_cast<std::uint8_t>(list)));
        }
        return pieces;
    }

    static constexpr auto kWellFormed = BoolPieces<Syntax>(Name(ssn::SsnField::WellFormed));
    static constexpr auto kConfirm = BoolPieces<Syntax>(Name(ssn::SsnField::Confirm));
    static constexpr auto kVerdict = StringPieces<Syntax, 32>(Name(ssn::SsnField::Verdict), ssn::kVerdictNames);
    static constexpr auto kReason = StringPieces<Syntax, 32>(Name(ssn::SsnField::Reason), ssn::kSsnReasonNames);
    static constexpr auto kIssuedAfter = Months(ssn::SsnField::IssuedAfter);
    static constexpr auto kIssuedBy = Months(ssn::SsnField::IssuedBy);

    // The fields of a run come one after another in the list, each run written as one piece.
    static_assert(static_cast<int>(ssn::SsnField::Area) == static_cast<int>(ssn::SsnField::WellFormed) + 1 &&
                  static_cast<int>(ssn::SsnField::Group) == static_cast<int>(ssn::SsnField::Area) + 1 &&
                  static_cast<int>(ssn::SsnField::Serial) == static_cast<int>(ssn::SsnField::Group) + 1 &&
                  static_cast<int>(ssn::SsnField::Confirm) == static_cast<int>(ssn::SsnField::Verdict) + 1 &&
                  static_cast<int>(ssn::SsnField::Reason) == static_cast<int>(ssn::SsnField::Confirm) + 1 &&
                  static_cast<int>(ssn::SsnField::IssuedBy) == static_cast<int>(ssn::SsnField::IssuedAfter) + 1);

    // well_formed to serial: of a text that states no number, and of one that does, with placeholders where its
    // fields' digits go (`at`: their offsets, the area's, the group's and the serial's).
    static constexpr auto kMadeNoNumber =
        Joined<64>(kWellFormed[0], MakePiece<Syntax, 32>(Name(ssn::SsnField::Area), ValueForm::kNone),
                   MakePiece<Syntax, 32>(Name(ssn::SsnField::Group), ValueForm::kNone),
                   MakePiece<Syntax, 32>(Name(ssn::SsnField::Serial), ValueForm::kNone));
    static constexpr auto kNoNumber = Fitted<FittedRoom(kMadeNoNumber)>(kMadeNoNumber);
    template <std::size_t kRoom>
    struct NumberRun {
        FieldPiece<kRoom> piece;
        std::array<std::size_t, 3> at;
    };
    static constexpr NumberRun<64> MakeNumberRun() {
        constexpr std::array<std::string_view, 3> kPlaceholders{"000", "00", "0000"};
        constexpr std::array<ssn::SsnField, 3> kFields{ssn::SsnField::Area, ssn::SsnField::Group,
                                                       ssn::SsnField::Serial};
        NumberRun<64> run{Joined<64>(kWellFormed[1]), {}};
        for (std::size_t i = 0; i < kFields.size(); ++i) {
            const auto field = MakePiece<Syntax, 32>(Name(kFields[i]), ValueForm::kString, kPlaceholders[i]);
            run.at[i] = run.piece.Size() + field.Size() - Syntax::kQuote.size() - kPlaceholders[i].size();
            run.piece = Joined<64>(run.piece, field);
        }
        return run;
    }
    static constexpr NumberRun<64> kMadeNumber = MakeNumberRun();
    static constexpr std::size_t kNumberRoom = FittedRoom(kMadeNumber.piece);
    static constexpr NumberRun<kNumberRoom> kNumber{Fitted<kNumberRoom>(kMadeNumber.piece), kMadeNumber.at};

    // verdict to reason, by reason and whether the number is confirmed: the verdict follows from the reason.
    static constexpr auto kMadeVerdictRuns = [] {
        std::array<FieldPiece<80>, 2 * ssn::kSsnReasonCount> runs{};
        for (std::size_t reason = 0; reason < ssn::kSsnReasonCount; ++reason) {
            const auto verdict = static_cast<std::size_t>(ssn::VerdictOf(static_cast<ssn::SsnReason>(reason)));
            for (std::size_t confirmed = 0; confirmed < 2; ++confirmed) {
                runs[2 * reason + confirmed] = Joined<80>(kVerdict[verdict], kConfirm[confirmed], kReason[reason]);
            }
        }
        return runs;
    }();
    static constexpr auto kVerdictRuns = Fitted<FittedRoom(kMadeVerdictRuns)>(kMadeVerdictRuns);

    // issued_after and issued_by, by the window's lists (WindowRun).
    static constexpr std::size_t kLists = ssn::kPublishedListCount + 1;
    static constexpr std::size_t WindowRun(ssn::IssuanceWindow window) {
        return window.issued_after * kLists + window.issued_by;
    }
    static constexpr auto kMadeWindowRuns = [] {
        std::array<FieldPiece<64>, kLists * kLists> runs{};
        for (std::uint8_t after = 0; after < kLists; ++after) {
            for (std::uint8_t by = 0; by < kLists; ++by) {
                runs[WindowRun({after, by})] = Joined<64>(kIssuedAfter[after], kIssuedBy[by]);
            }
        }
        return runs;
    }();
    static constexpr auto kWindowRuns = Fitted<FittedRoom(kMadeWindowRuns)>(kMadeWindowRuns);
};

// The place field: none first, then each area's place once, with every area's index among them; the areas of a
// range share a place, so few pieces serve them all and stay in cache.
template <class Syntax, std::size_t kRoom = 64>
struct PlacePieces {
    std::array<FieldPiece<kRoom>, 96> distinct{};
    std::array<std::uint8_t, kAreaCount> of_area{};

    template <std::size_t kFitted>
    constexpr PlacePieces<Syntax, kFitted> Fit() const {
        return {Fitted<kFitted>(distinct), of_area};
    }

    static constexpr PlacePieces Make() {
        PlacePieces pieces;
        const std::string_view name = SsnPieces<Syntax>::Name(ssn::SsnField::Place);
        pieces.distinct[0] = MakePiece<Syntax, kRoom>(name, ValueForm::kNone);
        std::size_t count = 1;
        for (std::size_t area = 0; area < kAreaCount; ++area) {
            const std::string_view place = ssn::kPlaceNames[area].View();
            if (place.empty()) continue;
            // Looking back one area first keeps the compile-time work small: the areas of a range come together.
            std::size_t id = area > 0 && place == ssn::kPlaceNames[area - 1].View() ? pieces.of_area[area - 1] : 0;
            for (std::size_t known = 1; id == 0 && known < count; ++known) {
                if (pieces.distinct[known].View() == MakePiece<Syntax, kRoom>(name, ValueForm::kString, place).View()) {
                    id = known;
                }
            }
            if (id == 0) {
                id = count++;  // past the room fails the build
                pieces.distinct[id] = MakePiece<Syntax, kRoom>(name, ValueForm::kString, place);
            }
            pieces.of_area[area] = static_cast<std::uint8_t>(id);
        }
        return pieces;
    }
};
template <class Syntax>
inline constexpr PlacePieces<Syntax> kMadePlacePieces = PlacePieces<Syntax>::Make();
template <class Syntax>
inline constexpr auto kPlacePieces =
    kMadePlacePieces<Syntax>.template Fit<FittedRoom(kMadePlacePieces<Syntax>.distinct)>();

template <class Syntax, RuleSet kRules>
struct CardPieces {
    static constexpr std::string_view Name(card::CardField field) {
        return card::kCardFieldNames[static_cast<std::size_t>(field)];
    }
    // The names of the kinds of the table of `kRules`.
    static constexpr auto KindNames() {
        std::array<std::string_view, card::KindCount(card::TableOf(kRules))> names{};
        for (std::size_t kind = 0; kind < names.size(); ++kind) names[kind] = card::KindView(kRules, kind);
        return names;
    }

    static constexpr auto kMadeType = StringPieces<Syntax, 32>(Name(card::CardField::Type), KindNames());
    static constexpr auto kMadeNoType = MakePiece<Syntax, 32>(Name(card::CardField::Type), ValueForm::kNone);
    static constexpr auto kMadeLuhn = StringPieces<Syntax, 32>(Name(card::CardField::Luhn), card::kLuhnNames);
    static constexpr auto kMadeOutcome = StringPieces<Syntax, 32>(Name(card::CardField::Outcome), KindNames());
    static constexpr auto kMadeReason =
        StringPieces<Syntax, 32>(Name(card::CardField::Reason), card::kCardReasonNames);

    static constexpr auto kType = Fitted<FittedRoom(kMadeType)>(kMadeType);
    static constexpr auto kNoType = Fitted<FittedRoom(kMadeType)>(kMadeNoType);  // in the types' room
    static constexpr auto kLuhn = Fitted<FittedRoom(kMadeLuhn)>(kMadeLuhn);
    static constexpr auto kOutcome = Fitted<FittedRoom(kMadeOutcome)>(kMadeOutcome);
    static constexpr auto kReason = Fitted<FittedRoom(kMadeReason)>(kMadeReason);
};

static_assert(ssn::kSsnFieldNames[0] == "input" && card::kCardFieldNames[0] == "input",
              "a record starts with its input");

// An SSN record: a strict judgement (SsnJudge::Judge) of `input`.
template <class Syntax>
class SsnRecordPrinter {
public:
    explicit SsnRecordPrinter(OutputStream& out) : writer_(out) {}

    void Header() { writer_.Header(ssn::kSsnFieldNames); }

    void Print(bytes::Readable input, const ssn::SsnJudgement& judgement) {
        const ssn::IssuanceWindow window = ssn::WindowFields(windows_, judgement);
        PrintFields(input, judgement, window, std::make_index_sequence<ssn::kSsnFieldNames.size()>{});
        writer_.End();
    }

private:
    template <std::size_t... kField>
    void PrintFields(bytes::Readable input, const ssn::SsnJudgement& judgement, ssn::IssuanceWindow window,
                     std::index_sequence<kField...>) {
        (PrintField(static_cast<ssn::SsnField>(kField), input, judgement, window), ...);
    }

    void PrintField(ssn::SsnField field, bytes::Readable input, const ssn::SsnJudgement& judgement,
                    ssn::IssuanceWindow window) {
        const std::string_view name = ssn::kSsnFieldNames[static_cast<std::size_t>(field)];
        const bool stated = judgement.WellFormed();
        switch (field) {
            case ssn::SsnField::Input:
                // A number's own text, blanks trimmed already, holds nothing to escape.
                if (stated && judgement.digits == input.data() && input.size() == judgement.shape.Length()) {
                    return writer_.BeginWithPlainInput(name, input);
                }
                return writer_.BeginWithInput(name, input);
            case ssn::SsnField::WellFormed: {
                if (!stated) return writer_.Whole(Pieces::kNoNumber);
                // The digits as they stand in the text, leading zeros and all.
                const char* const digits = judgement.digits;
                const auto& at = Pieces::kNumber.at;
                // Constant widths, so that each copy is a move or two rather than a call.
                char* const piece = writer_.WholeAt(Pieces::kNumber.piece);
                std::memcpy(piece + at[0], digits, 3);
                std::memcpy(piece + at[1], digits + judgement.shape.group_at, 2);
                std::memcpy(piece + at[2], digits + judgement.shape.serial_at, 4);
                return;
            }
            case ssn::SsnField::Area:
            case ssn::SsnField::Group:
            case ssn::SsnField::Serial:
                return;  // written with well_formed
            case ssn::SsnField::Place: {
                // ssn::PlaceField's choice, without a branch: none, or the area's place (none where it has none).
                const bool named = stated & !judgement.issued_at_random;
                const std::uint8_t id = kPlacePieces<Syntax>.of_area[static_cast<std::size_t>(judgement.number.area)];
                return writer_.Whole(kPlacePieces<Syntax>.distinct[named ? id : 0]);
            }
            case ssn::SsnField::Verdict:
                return writer_.Whole(
                    Pieces::kVerdictRuns[2 * static_cast<std::size_t>(judgement.reason) + judgement.Confirmed()]);
            case ssn::SsnField::Confirm:
            case ssn::SsnField::Reason:
                return;  // written with the verdict
            case ssn::SsnField::IssuedAfter:
                return writer_.Whole(Pieces::kWindowRuns[Pieces::WindowRun(window)]);
            case ssn::SsnField::IssuedBy:
                return;  // written with issued_after
            case ssn::SsnField::kCount:
                return;
        }
    }

    using Pieces = SsnPieces<Syntax>;

    RecordWriter<Syntax> writer_;
    const ssn::PackedWindows& windows_ = ssn::PackedWindowTable();
};

// A card record: the strict reading of `input` (ClassifyAsWritten) under the table of `kRules`.
template <class Syntax, RuleSet kRules>
class CardRecordPrinter {
public:
    explicit CardRecordPrinter(OutputStream& out) : writer_(out) {}

    void Header() { writer_.Header(card::kCardFieldNames); }

    void Print(bytes::Readable input, const card::CardReading& reading) {
        PrintFields(input, reading, std::make_index_sequence<card::kCardFieldNames.size()>{});
        writer_.End();
    }

private:
    template <std::size_t... kField>
    void PrintFields(bytes::Readable input, const card::CardReading& reading, std::index_sequence<kField...>) {
        (PrintField(static_cast<card::CardField>(kField), input, reading), ...);
    }

    void PrintField(card::CardField field, bytes::Readable input, const card::CardReading& reading) {
        const std::string_view name = card::kCardFieldNames[static_cast<std::size_t>(field)];
        const card::CardOutcome& outcome = reading.outcome;
        const bool unknown = !card::ShowsNumber(outcome);
        switch (field) {
            case card::CardField::Input:
                // A text that is all the number the classifier kept is digits and dashes, nothing to escape.
                if (!unknown && reading.kept == input.data() && outcome.length == input.size()) {
                    return writer_.BeginWithPlainInput(name, input);
                }
                return writer_.BeginWithInput(name, input);
            case card::CardField::Digits:
                if (unknown) return writer_.Null(name);
                return PrintDigits(name, card::KeptPart(reading));
            case card::CardField::Type:
                return writer_.Whole(unknown ? Pieces::kNoType : Pieces::kType[card::TypeFieldKind(outcome)]);
            case card::CardField::Luhn:
                return writer_.Whole(Pieces::kLuhn[static_cast<std::size_t>(outcome.check)]);
            case card::CardField::Outcome:
                return writer_.Whole(Pieces::kOutcome[outcome.kind]);
            case card::CardField::Reason:
                return writer_.Whole(Pieces::kReason[static_cast<std::size_t>(outcome.reason)]);
            case card::CardField::kCount:
                return;
        }
    }

    // The digits of the part of the text the classifier kept (digits and dashes only, at most 20), dashes left
    // out; the part is copied in one move when it has none.
    void PrintDigits(std::string_view name, bytes::Readable kept) {
        const std::uint32_t dashes = bytes::BytesEqualMask32(kept.data(), '-');
        if ((dashes & ((std::uint32_t{1} << kept.size()) - 1)) == 0) return writer_.PlainValue(name, kept);
        std::array<char, card::kDigitsRoom> digits{};
        const std::size_t count = card::DigitsField(kept, digits);
        writer_.Padded(name, digits, count);
    }

    using Pieces = CardPieces<Syntax, kRules>;

    RecordWriter<Syntax> writer_;
};

}  // namespace kalderos::record
