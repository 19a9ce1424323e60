// Reading a card text as written: trimmed, its groups joined as dashes join them, before the classifier.
#include "card/written_card.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "bytes/byte_vectors.h"
#include "bytes/char_class.h"
#include "rules/rule_sets.h"

namespace kalderos::card {
namespace {

// The outcome of `first`'s own text, its kept part copied.
CardOutcome AsClassified(std::string_view text, CardOutcome first, WrittenCopy& copy) {
    copy.fill('\0');
    std::memcpy(copy.data(), text.data(), std::min(first.length, copy.size()));
    return first;
}

// The whole reading for any text: ReadAsWritten, and the classifier where the reading made a copy.
template <RuleSet kRules>
CardOutcome ClassifyAnyWritten(std::string_view text, CardOutcome first, WrittenCopy& copy) {
    const WrittenCard written = ReadAsWritten(text, copy);
    if (written.refused != CardReason::Ok) return RefusedOutcome(written.refused, kRules);
    // The text itself, blanks behind it at most, is what the classifier has read already.
    if (written.number.data() == text.data()) return AsClassified(text, first, copy);
    return ClassifyReadable<kRules>(CopiedText(copy, written.number.size()));
}

// The bits below bit `n` (0 to 32).
constexpr std::uint32_t Below(std::size_t n) { return n >= 32 ? ~std::uint32_t{0} : (std::uint32_t{1} << n) - 1; }

// Where a text's bytes are white space, blanks, digits and NULs, bit i for byte i, none past its `size`.
struct Masks {
    std::uint32_t white;
    std::uint32_t blanks;
    std::uint32_t digits;
    std::uint32_t nuls;
};

Masks MasksOf(const char* text, std::size_t size) {
    static_assert(kCardReadAhead == 32, "the masks are of the bytes the classifier reads");
    const std::uint32_t in_text = Below(size);
    using bytes::AmongThirtyTwo;
    using bytes::Sixteen;
    const std::uint32_t blanks = bytes::BytesEqualMask32(text, ' ') & in_text;
    // Tab, line feed, vertical tab, form feed and carriage return are 9 to 13.
    const std::uint32_t controls = AmongThirtyTwo(text, [](Sixteen b) { return b.Within(9, 13); }) & in_text;
    return {blanks | controls, blanks, AmongThirtyTwo(text, [](Sixteen b) { return b.Digits(); }) & in_text,
            bytes::NulsAmongThirtyTwo(text) & in_text};
}

}  // namespace

WrittenCard ReadAsWritten(std::string_view text, WrittenCopy& copy) {
    text = text.substr(0, text.find('\0'));
    const std::string_view trimmed = bytes::TrimSpace(text);
    if (trimmed.empty()) return {CardReason::Empty, {}};
    bool grouped = false;
    for (std::size_t at = 0; at < trimmed.size(); ++at) {
        if (!bytes::IsSpace(trimmed[at])) continue;
        // Trimmed, the text has no white space at either end: a byte stands on each side of this one.
        if (trimmed[at] != ' ' || !bytes::IsDigit(trimmed[at - 1]) || !bytes::IsDigit(trimmed[at + 1])) {
            return {CardReason::NotANumber, {}};
        }
        grouped = true;
    }
    if (!grouped && trimmed.data() == text.data()) return {CardReason::Ok, trimmed};
    copy.fill('\0');
    const std::size_t kept = std::min(trimmed.size(), copy.size());
    std::transform(trimmed.begin(), trimmed.begin() + static_cast<std::ptrdiff_t>(kept), copy.begin(),
                   [](char c) { return c == ' ' ? '-' : c; });
    return {CardReason::Ok, {copy.data(), kept}};
}

// ReadAsWritten again from masks of the bytes the classifier reads, for a text that fits in them: a list of
// numbers in groups comes this way on every line.
template <RuleSet kRules>
CardOutcome ClassifyWrittenAfter(std::string_view text, CardOutcome first, WrittenCopy& copy) {
    // No number before anything else but white space: no blank makes it one.
    if (first.reason == CardReason::NotANumber) return first;
    if (text.size() > kCardReadAhead) return ClassifyAnyWritten<kRules>(text, first, copy);
    const Masks masks = MasksOf(text.data(), text.size());
    if (masks.nuls != 0) return ClassifyAnyWritten<kRules>(text, first, copy);
    const std::uint32_t kept = ~masks.white & Below(text.size());
    if (kept == 0) return RefusedOutcome(CardReason::Empty, kRules);
    const auto lead = static_cast<std::size_t>(std::countr_zero(kept));
    const auto end = static_cast<std::size_t>(32 - std::countl_zero(kept));
    const std::uint32_t inside = masks.white & Below(end) & ~Below(lead);
    const std::uint32_t joins = inside & masks.blanks & (masks.digits << 1) & (masks.digits >> 1);
    if (inside != joins) return RefusedOutcome(CardReason::NotANumber, kRules);
    // Blanks behind the number at most: the classifier has read it.
    if (lead == 0 && joins == 0) return AsClassified(text, first, copy);
    copy.fill('\0');
    std::memcpy(copy.data(), text.data() + lead, end - lead);
    for (std::uint32_t join = joins >> lead; join != 0; join &= join - 1) copy[std::countr_zero(join)] = '-';
    return ClassifyReadable<kRules>(CopiedText(copy, end - lead));
}

#define KALDEROS_MADE_FOR(kSet) \
    template CardOutcome ClassifyWrittenAfter<kSet>(std::string_view, CardOutcome, WrittenCopy&);
KALDEROS_EACH_RULE_SET(KALDEROS_MADE_FOR)
#undef KALDEROS_MADE_FOR

}  // namespace kalderos::card
