// Card numbers as people write them, for every strict reading (the records, the library's Checker and what
// --fail-on-invalid counts): blanks around a text are ignored, a text of nothing else is `empty`, and a number
// may be written in groups of digits separated by single blanks, each read as the classifier reads a dash.
// White space inside a text in any other way (two blanks, a blank beside a dash, a tab) makes it no number. The
// classifier itself is left as the text line has always read with it, so this is a front of its own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "card/card_outcome.h"

namespace kalderos::card {

// Where a strict reading puts a text of its own for the classifier: kCardReadAhead bytes, NULs behind the text.
using WrittenCopy = std::array<char, kCardReadAhead>;

// What a text, as written, gives the classifier. `number` is the text itself when it is one piece from its first
// byte (blanks behind it at most), else its first kCardReadAhead bytes copied, blanks trimmed and the blanks
// between groups made dashes; the classifier looks at no more.
struct WrittenCard {
    CardReason refused = CardReason::Ok;  // Empty or NotANumber: no number, whatever the classifier would say
    std::string_view number;
};

// The reading of `text` up to its first NUL. `copy` holds the number where the text's own bytes are not it.
[[nodiscard]] WrittenCard ReadAsWritten(std::string_view text, WrittenCopy& copy);

// A refused text's outcome under the table of `rules`: UNKNOWN with the reason, no type.
constexpr CardOutcome RefusedOutcome(CardReason reason, RuleSet rules) {
    return {kUnknownKind, reason, static_cast<std::uint8_t>(TableOf(rules).rows.size() - 1), CheckResult::NotTested,
            0, 0};
}

// A strict outcome, and where the part of the text it kept stands: in the text or in the copy. A record's digits
// are read from there.
struct CardReading {
    CardOutcome outcome;
    const char* kept;
};

// The strict reading of a text that may end anywhere, classified by `classify` (a classification of a text that
// may end anywhere, under the table of `rules`): the library's way, and the plain one a reference can take.
template <class Classify>
CardReading ClassifyWritten(std::string_view text, RuleSet rules, WrittenCopy& copy, const Classify& classify) {
    const WrittenCard written = ReadAsWritten(text, copy);
    if (written.refused != CardReason::Ok) return {RefusedOutcome(written.refused, rules), text.data()};
    return {classify(written.number), written.number.data()};
}

// The rest of ClassifyAsWritten, for a text the classifier has given `first` and that may hold blanks. Made for
// every rule set in written_card.cpp.
template <RuleSet kRules>
[[nodiscard]] CardReading ClassifyWrittenAfter(std::string_view text, const CardOutcome& first, WrittenCopy& copy);

// The strict reading, fast, for a text of `size` bytes from whose start kCardReadAhead bytes may be read: the
// classifier's outcome, unless it stopped at white space or found too few digits before any (an empty text, a
// blank in front, a number in groups). The usual texts take no more than a comparison of lengths beyond the
// classifier.
template <RuleSet kRules>
[[nodiscard, gnu::always_inline]] inline CardReading ClassifyAsWritten(const char* text, std::size_t size,
                                                                        WrittenCopy& copy) {
    const CardOutcome outcome = ClassifyReadable<kRules>(text, size);
    const bool short_unknown = outcome.kind == kUnknownKind && outcome.reason == CardReason::TooFewDigits;
    if (outcome.length == size && !short_unknown) [[likely]] return {outcome, text};
    return ClassifyWrittenAfter<kRules>({text, size}, outcome, copy);
}

}  // namespace kalderos::card
