// Reading a card text as written: trimmed, its groups joined as dashes join them, before the classifier.
#include "card/written_card.h"

#include <algorithm>

#include "bytes/char_class.h"

namespace kalderos::card {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && bytes::IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && bytes::IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool OnlyBlanks(std::string_view text) { return std::all_of(text.begin(), text.end(), bytes::IsSpace); }

}  // namespace

WrittenCard ReadAsWritten(std::string_view text, WrittenCopy& copy) {
    text = text.substr(0, text.find('\0'));
    const std::string_view trimmed = TrimBlanks(text);
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

template <RuleSet kRules>
CardReading ClassifyWrittenAfter(std::string_view text, const CardOutcome& first, WrittenCopy& copy) {
    // No number before anything else but white space: no blank makes it one. A number from the first byte (no
    // blank in front of it, then) with nothing but blanks behind it is the number it was.
    if (first.reason == CardReason::NotANumber) return {first, text.data()};
    const bool short_unknown = first.kind == kUnknownKind && first.reason == CardReason::TooFewDigits;
    if (!short_unknown && OnlyBlanks(text.substr(first.length))) return {first, text.data()};
    const WrittenCard written = ReadAsWritten(text, copy);
    if (written.refused != CardReason::Ok) return {RefusedOutcome(written.refused, kRules), text.data()};
    // The text itself, blanks behind it at most, is what the classifier has read already.
    if (written.number.data() == text.data()) return {first, text.data()};
    return {ClassifyReadable<kRules>(written.number.data(), written.number.size()), written.number.data()};
}

template CardReading ClassifyWrittenAfter<RuleSet::Classic>(std::string_view, const CardOutcome&, WrittenCopy&);
template CardReading ClassifyWrittenAfter<RuleSet::Current>(std::string_view, const CardOutcome&, WrittenCopy&);

}  // namespace kalderos::card
