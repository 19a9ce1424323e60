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

#include "bytes/byte_vectors.h"
#include "card/card_outcome.h"

namespace kalderos::card {

// Where a strict reading puts a text of its own for the classifier: kCardReadAhead bytes, NULs behind the text.
using WrittenCopy = std::array<char, kCardReadAhead>;
static_assert(kCardReadAhead >= bytes::kReadAhead, "a text in the copy is readable");

// The first `size` bytes of a copy, as the text the classifier reads.
inline bytes::Readable CopiedText(const WrittenCopy& copy, std::size_t size) {
    return bytes::Readable::WithRoomBehind(copy.data(), size);
}

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

// The rest of ClassifyAsWritten, for a text the classifier has given `first` and that may hold white space: the
// outcome of its strict reading, whose kept part is then in `copy`. Made for every rule set in written_card.cpp.
template <RuleSet kRules>
[[nodiscard]] CardOutcome ClassifyWrittenAfter(std::string_view text, CardOutcome first, WrittenCopy& copy);

// Whether a text of 1 to kCardReadAhead bytes holds a byte at or below a blank: white space, a NUL or another
// control.
inline bool HoldsLowBytes(bytes::Readable text) {
    static_assert(kCardReadAhead == 32, "two vectors");
    const std::size_t size = text.size();
    const std::uint32_t in_text = size >= 32 ? ~std::uint32_t{0} : (std::uint32_t{1} << size) - 1;
    return (bytes::AmongThirtyTwo(text.data(), [](bytes::Sixteen b) { return b.AtMost(' '); }) & in_text) != 0;
}

// The part a reading of ClassifyAsWritten kept: in the text it read, or in the copy.
inline bytes::Readable KeptPart(const CardReading& reading) {
    return bytes::Readable::WithRoomBehind(reading.kept, reading.outcome.length);
}

// The strict reading, fast: the classifier's outcome, unless it stopped at white space or found too few digits
// before any (an empty text, a blank in front, a number in groups). The usual texts take a comparison of lengths
// beyond the classifier, those of too many digits or too few a look for white space, and only a text that holds
// some goes on to a call, which leaves the kept part in `copy`.
template <RuleSet kRules>
[[nodiscard]] inline CardReading ClassifyAsWritten(bytes::Readable text, WrittenCopy& copy) {
    const std::size_t size = text.size();
    CardOutcome outcome = ClassifyReadable<kRules>(text);
    const char* kept = text.data();
    const bool short_unknown = outcome.kind == kUnknownKind && outcome.reason == CardReason::TooFewDigits;
    if ((outcome.length != size || short_unknown) &&
        (size == 0 || size > kCardReadAhead || HoldsLowBytes(text))) [[unlikely]] {
        outcome = ClassifyWrittenAfter<kRules>(text, outcome, copy);
        kept = copy.data();
    }
    return {outcome, kept};
}

}  // namespace kalderos::card
