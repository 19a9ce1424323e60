// The text format's card loop: every text is classified and its card line written straight into the output
// buffer.
#include <array>
#include <cstring>
#include <string_view>

#include "card/card_outcome.h"
#include "driver/text_loop.h"
#include "io/output_stream.h"
#include "lists/line_core.h"

namespace kalderos {
namespace {

constexpr std::size_t kKindWidth = 12;
constexpr std::size_t kLead = 1 + kKindWidth + 3;  // "\n", the kind column, " | "

// The text column: as wide as the longest number a table keeps whole with its three dashes, 16 digits in the
// classic table (whose column has one blank more) and 19 in the current one.
template <card::CardRules kRules>
inline constexpr std::size_t kTextWidth = kRules == card::CardRules::Classic ? 20 : 19 + 3;

// The start of every card line, one per kind text: "\n", the text right-aligned in 12 columns, " | ".
using Lead = std::array<char, kLead>;
template <card::CardRules kRules>
inline constexpr auto kLeads = [] {
    std::array<Lead, card::KindCount(card::TableOf(kRules))> leads{};
    for (std::size_t kind = 0; kind < leads.size(); ++kind) {
        const std::string_view name = card::KindView(kRules, kind);
        Lead& lead = leads[kind];
        lead.fill(' ');
        lead[0] = '\n';
        for (std::size_t i = 0; i < name.size(); ++i) lead[1 + kKindWidth - name.size() + i] = name[i];
        lead[kLead - 2] = '|';
    }
    return leads;
}();

// The lead of the kind text `name` in the table of kRules; empty when no kind has that text.
template <card::CardRules kRules>
constexpr std::string_view LeadOf(std::string_view name) {
    for (std::size_t kind = 0; kind < kLeads<kRules>.size(); ++kind) {
        if (card::KindView(kRules, kind) == name) return {kLeads<kRules>[kind].data(), kLead};
    }
    return {};
}
static_assert(LeadOf<card::CardRules::Classic>("2MANY_DIGITS") == "\n2MANY_DIGITS | " &&
              LeadOf<card::CardRules::Classic>("UNKNOWN") == "\n     UNKNOWN | " &&
              LeadOf<card::CardRules::Classic>("enRoute_X") == "\n   enRoute_X | " &&
              LeadOf<card::CardRules::Current>("MasterCard_X") == "\nMasterCard_X | " &&
              LeadOf<card::CardRules::Current>("Mir") == "\n         Mir | ");

// "\n%12s | %<width>s" with the kind text and the card text, a longer text printed whole.
template <card::CardRules kRules>
void PrintAnyCardLine(OutputStream& out, std::size_t kind, std::string_view text) {
    out.Write({kLeads<kRules>[kind].data(), kLead});
    if (text.size() < kTextWidth<kRules>) out.WriteRepeated(' ', kTextWidth<kRules> - text.size());
    out.Write(text);
}

// The same for a text no longer than the column from whose start kCardReadAhead bytes may be read: a line of
// fixed size. The text column is filled with blanks, then the text's first bytes are copied so that the text
// ends at the column's end; the bytes behind it land after the line, in room reserved but not committed.
template <card::CardRules kRules>
void PrintCardLine(OutputStream& out, std::size_t kind, const char* text, std::size_t length) {
    constexpr std::size_t kCopied = card::kCardReadAhead;
    constexpr std::size_t kWidth = kTextWidth<kRules>;
    char* const line = out.Reserve(kLead + kWidth + kCopied);
    std::memcpy(line, kLeads<kRules>[kind].data(), kLead);
    std::memset(line + kLead, ' ', kWidth);
    std::memcpy(line + kLead + kWidth - length, text, kCopied);
    out.Commit(kLead + kWidth);
}

// The card line of each text; with --fail-on-invalid, what fails is classified as the records classify it. A
// line in pieces fails as its first piece does: the classifier never reads that far into a line.
template <card::CardRules kRules>
class CardTextStep {
public:
    CardTextStep(OutputStream& out, bool fail_on_invalid) : out_(out), fail_on_invalid_(fail_on_invalid) {}

    void Print(std::string_view text) {
        static_assert(TextSource::kReadAhead >= card::kCardReadAhead);
        const card::CardOutcome outcome = card::ClassifyReadable(text.data(), text.size(), kRules);
        if (outcome.length > 4) {
            if (outcome.length <= kTextWidth<kRules>) {
                PrintCardLine<kRules>(out_, outcome.kind, text.data(), outcome.length);
            } else {
                PrintAnyCardLine<kRules>(out_, outcome.kind, text.substr(0, outcome.length));
            }
            out_.EndOfLine();
        }
    }
    bool Check(std::string_view text) {
        Print(text);
        return fail_on_invalid_ && Fails(text);
    }
    bool CheckLine(std::string_view text) {
        Print(text);
        if (!fail_on_invalid_) return false;
        const bool first = !line_open_;
        line_open_ = IsPiece(text);
        return first && Fails(text);
    }
    static bool EndOfLines() { return false; }

    // Whether the last text was a piece of a line, whose next pieces do not fail on their own.
    using Carry = bool;
    bool Settles(std::string_view /*text*/, bool begins_line) const { return begins_line || !fail_on_invalid_; }
    [[nodiscard]] Carry Carried() const { return line_open_; }
    void Resume(const Carry& carried) { line_open_ = carried; }

private:
    static bool Fails(std::string_view text) {
        const std::string_view content = LineContent(text);
        return card::ClassifyReadable(content.data(), content.size(), kRules).reason != card::CardReason::Ok;
    }

    OutputStream& out_;
    bool fail_on_invalid_;
    bool line_open_ = false;  // the last text was a piece of a line
};

}  // namespace

template <card::CardRules kRules>
int RunCardTextLoop(TextSource& texts, const RunOptions& options) {
    const auto finish = [] { Out().Write("\n"); };
    const bool fail_on_invalid = options.fail_on_invalid;
    return CheckEveryText(
        texts, options, [&](OutputStream& out) { return CardTextStep<kRules>(out, fail_on_invalid); }, finish);
}

template int RunCardTextLoop<card::CardRules::Classic>(TextSource&, const RunOptions&);
template int RunCardTextLoop<card::CardRules::Current>(TextSource&, const RunOptions&);

}  // namespace kalderos
