// The text format's card loop: every text is classified and its card line written straight into the output
// buffer.
#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "bytes/char_class.h"
#include "bytes/shown_text.h"
#include "card/card_field_values.h"
#include "card/card_outcome.h"
#include "card/written_card.h"
#include "driver/loops.h"
#include "driver/text_loop.h"
#include "io/output_stream.h"
#include "lists/block_loop.h"
#include "rules/rule_sets.h"

namespace kalderos {
namespace {

// The kind column: as wide as the table's longest kind text, 12 columns in the classic table ("2MANY_DIGITS")
// and 14 in the current one ("InterPayment_X").
template <RuleSet kRules>
inline constexpr std::size_t kKindWidth = [] {
    std::size_t widest = 0;
    for (std::size_t kind = 0; kind < card::KindCount(card::TableOf(kRules)); ++kind) {
        widest = std::max(widest, card::KindView(kRules, kind).size());
    }
    return widest;
}();
static_assert(kKindWidth<RuleSet::Classic> == 12 && kKindWidth<RuleSet::Current> == 14);

// "\n", the kind column, " | ".
template <RuleSet kRules>
inline constexpr std::size_t kLead = 1 + kKindWidth<kRules> + 3;

// The text column, as the rule set's row gives it.
template <RuleSet kRules>
inline constexpr std::size_t kTextWidth = RowOf(kRules).card_text_width;

// The start of every card line, one per kind text: "\n", the text right-aligned in the kind column, " | ", and
// the text column blank, so that a line starts with one copy.
template <RuleSet kRules>
using Lead = std::array<char, kLead<kRules> + kTextWidth<kRules>>;
template <RuleSet kRules>
inline constexpr auto kLeads = [] {
    std::array<Lead<kRules>, card::KindCount(card::TableOf(kRules))> leads{};
    for (std::size_t kind = 0; kind < leads.size(); ++kind) {
        const std::string_view name = card::KindView(kRules, kind);
        Lead<kRules>& lead = leads[kind];
        lead.fill(' ');
        lead[0] = '\n';
        for (std::size_t i = 0; i < name.size(); ++i) lead[1 + kKindWidth<kRules> - name.size() + i] = name[i];
        lead[kLead<kRules> - 2] = '|';
    }
    return leads;
}();

// The lead of the kind text `name` in the table of kRules; empty when no kind has that text.
template <RuleSet kRules>
constexpr std::string_view LeadOf(std::string_view name) {
    for (std::size_t kind = 0; kind < kLeads<kRules>.size(); ++kind) {
        if (card::KindView(kRules, kind) == name) return {kLeads<kRules>[kind].data(), kLead<kRules>};
    }
    return {};
}
static_assert(LeadOf<RuleSet::Classic>("2MANY_DIGITS") == "\n2MANY_DIGITS | " &&
              LeadOf<RuleSet::Classic>("UNKNOWN") == "\n     UNKNOWN | " &&
              LeadOf<RuleSet::Classic>("enRoute_X") == "\n   enRoute_X | " &&
              LeadOf<RuleSet::Current>("InterPayment_X") == "\nInterPayment_X | " &&
              LeadOf<RuleSet::Current>("MasterCard_X") == "\n  MasterCard_X | " &&
              LeadOf<RuleSet::Current>("Mir") == "\n           Mir | ");

// "\n%<kind width>s | %<text width>s" with the kind text and a text of `width` bytes that `write_text` writes, a
// longer text printed whole.
template <RuleSet kRules, class WriteText>
void PrintAnyCardLine(OutputStream& out, std::size_t kind, std::size_t width, const WriteText& write_text) {
    out.Write({kLeads<kRules>[kind].data(), kLead<kRules>});
    if (width < kTextWidth<kRules>) out.WriteRepeated(' ', kTextWidth<kRules> - width);
    write_text();
}

// The same with the card text.
template <RuleSet kRules>
void PrintAnyCardLine(OutputStream& out, std::size_t kind, std::string_view text) {
    PrintAnyCardLine<kRules>(out, kind, text.size(), [&] { out.Write(text); });
}

// The same for a text no longer than the column: a line of fixed size. The line is copied with its text column
// blank, then the text's first bytes so that the text ends at the column's end; the bytes behind it land after
// the line, in room reserved but not committed.
template <RuleSet kRules>
void PrintCardLine(OutputStream& out, std::size_t kind, bytes::Readable text) {
    constexpr std::size_t kCopied = bytes::kReadAhead;
    static_assert(kTextWidth<kRules> <= kCopied);
    const std::size_t length = text.size();
    constexpr std::size_t kSize = kLead<kRules> + kTextWidth<kRules>;
    char* const line = out.Reserve(kSize + kCopied);
    if constexpr (kLead<kRules> == 16) {
        // A lead of one vector is one move, and blanks are stored without a load: cheaper than the whole copy.
        std::memcpy(line, kLeads<kRules>[kind].data(), kLead<kRules>);
        std::memset(line + kLead<kRules>, ' ', kTextWidth<kRules>);
    } else {
        std::memcpy(line, kLeads<kRules>[kind].data(), kSize);
    }
    std::memcpy(line + kSize - length, text.data(), kCopied);
    out.Commit(kSize);
}

// Without long options: the card line of each text longer than four characters, classified as it reads; a
// list's long lines come in pieces, each a text of its own. Nothing fails: --fail-on-invalid comes with long
// options only.
template <RuleSet kRules>
class CardTextStep : public CarriesNothing {
public:
    explicit CardTextStep(OutputStream& out) : out_(out) {}

    bool CheckLine(bytes::Readable text) {
        const card::CardOutcome outcome = card::ClassifyReadable<kRules>(text);
        if (outcome.length > 4) {
            if (outcome.length <= kTextWidth<kRules>) {
                PrintCardLine<kRules>(out_, outcome.kind, text.First(outcome.length));
            } else {
                PrintAnyCardLine<kRules>(out_, outcome.kind, text.First(outcome.length));
            }
            out_.EndOfLine();
        }
        return false;
    }
    bool Check(bytes::Readable text) { return CheckLine(text); }
    // Every text settles: none depends on the one before, whether or not it begins a line.
    static bool Settles(std::string_view /*text*/, bool /*begins_line*/) { return true; }

private:
    OutputStream& out_;
};

// Under a long option: the card line of every text, classified on its own as the records classify it, so that
// the line, the records and --fail-on-invalid say the same of it; a list's lines come whole. A number shows
// as given, blanks around it dropped; any other text shows quoted, as it was given.
template <RuleSet kRules>
class CardStrictTextStep : public CarriesNothing {
public:
    explicit CardStrictTextStep(OutputStream& out) : out_(out) {}
    bool CheckLine(bytes::Readable text) { return CheckCell(WithoutLineFeed(text)); }
    // A text without a line end: a line's, or a CSV cell's value.
    bool CheckCell(bytes::Readable value) {
        const bytes::Readable input = UpToNul(value);
        card::WrittenCopy copy;
        const card::CardOutcome outcome = card::ClassifyAsWritten<kRules>(input, copy).outcome;
        if (card::ShowsNumber(outcome)) [[likely]] {
            // The usual number is the whole text, as long as the classifier kept; blanks around it are rare.
            if (outcome.length == input.size() && input.size() <= kTextWidth<kRules>) [[likely]] {
                PrintCardLine<kRules>(out_, outcome.kind, input);
            } else {
                PrintAnyCardLine<kRules>(out_, outcome.kind, bytes::TrimSpace(input));
            }
        } else {
            PrintAnyCardLine<kRules>(out_, outcome.kind, bytes::ShownSize(input), [&] {
                bytes::ShowQuoted(input, [this](std::string_view piece) { out_.Write(piece); });
            });
        }
        out_.EndOfLine();
        return outcome.reason != card::CardReason::Ok;
    }
    bool Check(bytes::Readable text) { return CheckLine(text); }

private:
    OutputStream& out_;
};

}  // namespace

template <RuleSet kRules>
int RunCardTextLoop(TextSource& texts, const RunOptions& options) {
    if (options.conventions.strict_texts) {
        return CheckEveryText(
            texts, options, [](OutputStream& out) { return CardStrictTextStep<kRules>(out); },
            [](const CardStrictTextStep<kRules>& /*step*/) { Out().Write("\n"); });
    }
    return CheckEveryText(
        texts, options, [](OutputStream& out) { return CardTextStep<kRules>(out); },
        [](const CardTextStep<kRules>& /*step*/) { Out().Write("\n"); });
}

#define KALDEROS_MADE_FOR(kSet) \
    template int RunCardTextLoop<kSet>(TextSource&, const RunOptions&);
KALDEROS_EACH_RULE_SET(KALDEROS_MADE_FOR)
#undef KALDEROS_MADE_FOR

}  // namespace kalderos
