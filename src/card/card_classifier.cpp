// The card judgement, fast: the same outcome as JudgeCard for every text, from tables derived from the rows.
//
// Lists mix every length, dash layout and outcome in random order, so a classifier that branches on each
// character mispredicts several times a line. Everything the scan needs is a property of the first 20 (or, for
// a table of longer numbers, 24) characters; here they are looked at all at once, sixteen bytes to a vector, as masks of digits and dashes, and
// the Luhn sum is taken over a whole vector of digits.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "bytes/byte_vectors.h"
#include "bytes/char_class.h"
#include "card/card_outcome.h"
#include "card/card_prefix_lookup.h"
#include "kalderos/kalderos.h"
#include "rules/rule_sets.h"

namespace kalderos {
namespace card {
namespace {

using namespace prefix_lookup;

// What may follow a number's digits: white space, a line end, or the end of the text at a NUL.
constexpr std::array<bool, 256> kEndsNumber = [] {
    std::array<bool, 256> ends{};
    for (std::size_t c = 0; c < ends.size(); ++c) ends[c] = c == 0 || bytes::IsSpace(static_cast<char>(c));
    return ends;
}();

// Luhn sums that pass; twenty digits sum to at most 180.
constexpr std::array<bool, 200> kMultipleOfTen = [] {
    std::array<bool, 200> multiple{};
    for (std::size_t sum = 0; sum < multiple.size(); sum += 10) multiple[sum] = true;
    return multiple;
}();

// The first kCardReadAhead bytes of a text as masks, bit i for character i.
struct Window {
    bytes::Sixteen low;
    bytes::Sixteen high;
    std::uint32_t digits;  // within the scan limit
    std::uint32_t dashes;  // within the scan limit
};

Window LookAt(const char* text, std::size_t limit) {
    const bytes::Sixteen low = bytes::Sixteen::Load(text);
    const bytes::Sixteen high = bytes::Sixteen::Load(text + 16);
    const std::uint32_t in_limit = (std::uint32_t{1} << limit) - 1;
    return {low, high, (low.Digits() | std::uint32_t{high.Digits()} << 16) & in_limit,
            (low.Equal('-') | std::uint32_t{high.Equal('-')} << 16) & in_limit};
}

// `chosen` when `condition` holds, else `otherwise`, by arithmetic: the compiler keeps a conditional expression
// a branch where it guesses the condition predictable, and on these lists it is not.
constexpr std::size_t Select(bool condition, std::size_t chosen, std::size_t otherwise) {
    return otherwise ^ ((chosen ^ otherwise) & (std::size_t{0} - static_cast<std::size_t>(condition)));
}

// For each four-bit value and n from 1 to 4, the position after its n-th set bit (0 where it has fewer).
constexpr auto kAfterNthBitOfFour = [] {
    std::array<std::array<std::uint8_t, 4>, 16> after{};
    for (unsigned bits = 0; bits < 16; ++bits) {
        unsigned seen = 0;
        for (unsigned pos = 0; pos < 4; ++pos) {
            if ((bits >> pos) & 1u) after[bits][seen++] = static_cast<std::uint8_t>(pos + 1);
        }
    }
    return after;
}();

// Where the scan of a run of digits and dashes with at least kMaxDigits digits stops: after that digit. Within
// the characters scanned at most four can follow it, so the count before its earliest place and a table for the
// four after find it without a branch.
template <std::size_t kMaxDigits>
std::size_t AfterLastDigit(std::uint32_t run_digits, std::size_t run_count) {
    static constexpr std::array<std::uint8_t, 16> kBitsOfFour = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
    const std::uint32_t last_four = (run_digits >> kMaxDigits) & 0xFu;
    const std::size_t in_first = run_count - kBitsOfFour[last_four];
    const std::size_t missing = (kMaxDigits - in_first - 1) & 3u;  // all of them in the first: not used
    const std::size_t later = kMaxDigits + kAfterNthBitOfFour[last_four][missing];
    return Select(in_first == kMaxDigits, kMaxDigits, later);
}

// The lowest `want` of the set bits in `bits`; rare enough to be done one bit at a time.
std::uint32_t KeepLowest(std::uint32_t bits, std::size_t want) {
    std::uint32_t kept = 0;
    for (; want > 0 && bits != 0; --want) {
        kept |= bits & (0u - bits);
        bits &= bits - 1;
    }
    return kept;
}

struct Scan {
    std::size_t count;  // digits taken, at most kMaxDigits
    std::size_t pos;    // where the scan stopped
};

// The scan takes digits, and dashes once the leading digits are followed by one, until something else, the
// limit or the last digit it takes. Without a dash that is the leading digits.
template <std::size_t kMaxDigits>
Scan ScanDigits(const Window& window) {
    const auto leading = static_cast<std::size_t>(std::countr_zero(~window.digits));
    const std::size_t count = Select(leading < kMaxDigits, leading, kMaxDigits);
    return {count, count};
}

// With dashes the scan is the run of digits and dashes from the start: leading digits followed by something else
// end there either way.
template <std::size_t kMaxDigits>
Scan ScanDigitsAndDashes(const Window& window) {
    const auto run_end = static_cast<std::size_t>(std::countr_zero(~(window.digits | window.dashes)));
    const std::uint32_t run_digits = window.digits & ((std::uint32_t{1} << run_end) - 1);
    const std::size_t run_count = bytes::CountBits(run_digits);
    const bool all = run_count >= kMaxDigits;
    return {Select(all, kMaxDigits, run_count), Select(all, AfterLastDigit<kMaxDigits>(run_digits, run_count), run_end)};
}

// Where the text ends, for the outcomes that leave it uncut: its size, or its first NUL.
std::size_t TextLength(const char* text, std::size_t size, const Window& window) {
    std::uint32_t nuls = window.low.Equal('\0') | std::uint32_t{window.high.Equal('\0')} << 16;
    if (size < kCardReadAhead) nuls &= (std::uint32_t{1} << size) - 1;
    if (nuls != 0) return static_cast<std::size_t>(std::countr_zero(nuls));
    if (size <= kCardReadAhead) return size;
    const void* nul = std::memchr(text + kCardReadAhead, '\0', size - kCardReadAhead);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : size;
}

template <const CardTypeTable& kTable>
inline std::size_t TypeOfDigits(const char* digits) {
    using S = Shape<kTable>;
    const auto four = static_cast<std::size_t>((digits[0] - '0') * 1000 + (digits[1] - '0') * 100 +
                                               (digits[2] - '0') * 10 + (digits[3] - '0'));
    std::size_t type = kTypeLookup<kTable>.by_first_four[four];
    if constexpr (kTypeLookup<kTable>.by_next_two.size() > 0) {
        // Few starts are divided: the branch is rarely taken, and predicted.
        if (type >= S::kTypes) {
            const auto two = static_cast<std::size_t>((digits[4] - '0') * 10 + (digits[5] - '0'));
            type = kTypeLookup<kTable>.by_next_two[type - S::kTypes][two];
            if constexpr (kTypeLookup<kTable>.by_last_two.size() > 0) {
                if (type >= S::kTypes) {
                    const auto last = static_cast<std::size_t>((digits[6] - '0') * 10 + (digits[7] - '0'));
                    type = kTypeLookup<kTable>.by_last_two[type - S::kTypes][last];
                }
            }
        }
    }
    return type;
}

// The type by the number's first digits, wherever dashes stand between them.
template <const CardTypeTable& kTable>
inline std::size_t TypeOf(const char* text, unsigned digits) {
    constexpr std::size_t kDeciding = Shape<kTable>::kDecidingDigits;
    constexpr unsigned kLeading = (1u << kDeciding) - 1;
    if ((digits & kLeading) == kLeading) return TypeOfDigits<kTable>(text);
    // The deciding digits one after the other, each at the lowest digit position left: the dashes stand anywhere,
    // and a loop over the characters would end after a different count on every line.
    std::array<char, kDeciding> first{};
    for (char& digit : first) {
        digit = text[std::countr_zero(digits)];
        digits &= digits - 1;
    }
    return TypeOfDigits<kTable>(first.data());
}

// For a number at the very start of the text the masks depend on its length alone.
struct LeadingNumberMasks {
    std::array<std::uint8_t, 32> taken{};
    std::array<std::uint8_t, 32> doubled{};
};

template <const CardTypeTable& kTable>
constexpr auto kLeadingNumberMasks = [] {
    using S = Shape<kTable>;
    std::array<LeadingNumberMasks, S::kMaxDigits - S::kMinDigits + 1> masks{};
    for (std::size_t length = S::kMinDigits; length <= S::kMaxDigits; ++length) {
        LeadingNumberMasks& of_length = masks[length - S::kMinDigits];
        for (std::size_t pos = 0; pos < length; ++pos) {
            of_length.taken[pos] = 0xFF;
            if ((length - 1 - pos) % 2 == 1) of_length.doubled[pos] = 0xFF;  // counted from the check digit
        }
    }
    return masks;
}();

bytes::Sixteen LoadMask(const std::uint8_t* mask) { return bytes::Sixteen::Load(reinterpret_cast<const char*>(mask)); }

// The Luhn test of the first `length` characters, all digits; only the first sixteen where no number is longer.
template <const CardTypeTable& kTable>
bool LeadingLuhnPasses(const Window& window, std::size_t length) {
    using S = Shape<kTable>;
    const LeadingNumberMasks& masks = kLeadingNumberMasks<kTable>[length - S::kMinDigits];
    unsigned sum = window.low.LuhnShares(LoadMask(masks.taken.data()), LoadMask(masks.doubled.data()));
    if constexpr (S::kMaxDigits > 16) {
        sum += window.high.LuhnShares(LoadMask(masks.taken.data() + 16), LoadMask(masks.doubled.data() + 16));
    }
    return kMultipleOfTen[sum];
}

// The Luhn test of the digits in `counted`, dashes between them. Counted from the check digit leftwards
// every second digit is doubled: the digits whose index in the number has the other parity than the check
// digit's. A digit's index has its position's parity, flipped by every dash before it.
template <const CardTypeTable&>  // one copy per table, each inlined where it is used
bool LuhnPasses(const Window& window, std::uint32_t counted, std::size_t count) {
    const std::uint32_t even_count = static_cast<std::uint32_t>(count % 2) - 1u;  // all ones for an even count
    std::uint32_t dash_parity = window.dashes;  // bit i: an odd number of dashes up to position i
    dash_parity ^= dash_parity << 1;
    dash_parity ^= dash_parity << 2;
    dash_parity ^= dash_parity << 4;
    dash_parity ^= dash_parity << 8;
    dash_parity ^= dash_parity << 16;
    const std::uint32_t odd_index = 0xAAAAAAAAu ^ dash_parity;
    const std::uint32_t doubled = counted & (odd_index ^ even_count);
    using bytes::Sixteen;
    const unsigned sum = window.low.LuhnShares(Sixteen::FromBits(counted), Sixteen::FromBits(doubled)) +
                         window.high.LuhnShares(Sixteen::FromBits(counted >> 16), Sixteen::FromBits(doubled >> 16));
    return kMultipleOfTen[sum];
}

// Everything of a judgement but the length, for each type and each combination of the causes that decide it
// (bit 2: too few digits for the type, bit 1: too many, bit 0: the check digit is right), in the order of the
// rules: no type, too few, too many, then the check digit where the type has one. Looked up in one load: the
// causes come in random order, and branches or arithmetic on them cost more than the work.
struct Verdict {
    std::uint8_t kind;
    CardReason reason;
    std::uint8_t type;
    CheckResult check;
    int result;
};

template <const CardTypeTable& kTable>
constexpr auto kVerdicts = [] {
    using S = Shape<kTable>;
    std::array<Verdict, S::kTypes * 8> verdicts{};
    for (std::size_t type = 0; type < S::kTypes; ++type) {
        for (std::size_t causes = 0; causes < 8; ++causes) {
            const bool too_few = (causes & 4) != 0;
            const bool too_many = (causes & 2) != 0;
            const bool right = (causes & 1) != 0;
            const auto of_type = static_cast<std::uint8_t>(type);
            Verdict& verdict = verdicts[type * 8 + causes];
            if (type == S::kOther) {
                verdict = {static_cast<std::uint8_t>(TypeKind(type)), CardReason::UnknownPrefix, of_type,
                           CheckResult::NotTested, ClassificationResult(CardReason::UnknownPrefix)};
            } else if (too_few) {
                verdict = {static_cast<std::uint8_t>(TypeKind(type)), CardReason::TooFewDigits, of_type,
                           CheckResult::NotTested, ClassificationResult(CardReason::TooFewDigits)};
            } else if (too_many) {
                verdict = {kTooManyDigitsKind, CardReason::TooManyDigits, of_type, CheckResult::NotTested,
                           ClassificationResult(CardReason::TooManyDigits)};
            } else if (kTable.rows[type].check == CheckDigit::None) {
                verdict = {static_cast<std::uint8_t>(TypeKind(type)), CardReason::Ok, of_type, CheckResult::NotTested,
                           ClassificationResult(CardReason::Ok)};
            } else if (right) {
                verdict = {static_cast<std::uint8_t>(TypeKind(type)), CardReason::Ok, of_type, CheckResult::Right,
                           ClassificationResult(CardReason::Ok)};
            } else {
                verdict = {static_cast<std::uint8_t>(TypeKind(type, false)), CardReason::BadCheckDigit, of_type,
                           CheckResult::Wrong, ClassificationResult(CardReason::BadCheckDigit)};
            }
        }
    }
    return verdicts;
}();

// The rest of the classification, for a text with or without dashes among the characters looked at.
template <const CardTypeTable& kTable, bool kWithDashes>
CardOutcome ClassifyScanned(const char* text, std::size_t size, std::size_t limit, const Window& window) {
    using S = Shape<kTable>;
    static_assert(9 * S::kMaxDigits < kMultipleOfTen.size());
    const auto [count, pos] =
        kWithDashes ? ScanDigitsAndDashes<S::kMaxDigits>(window) : ScanDigits<S::kMaxDigits>(window);

    // What stopped the scan, if not its last digit or the limit: white space and line ends end the number, so
    // does a NUL; anything else makes the text no card number.
    const char stop = text[pos];  // within the bytes read, even where the scan ran to the limit
    const bool ends_number = kEndsNumber[static_cast<unsigned char>(stop)];
    constexpr auto kNoType = static_cast<std::uint8_t>(S::kOther);
    const bool not_a_number = (count < S::kMaxDigits) & (pos < limit) & !ends_number;
    if (not_a_number | (count < S::kMinDigits)) {
        const CardReason reason = not_a_number ? CardReason::NotANumber : CardReason::TooFewDigits;
        return {kUnknownKind, reason, kNoType, CheckResult::NotTested, 0, TextLength(text, size, window)};
    }
    // From here on the text is cut behind the number: a line end, trailing blanks, extra digits are gone.
    const std::size_t cut = pos;
    const std::size_t dashes = pos - count;
    if (kWithDashes && ((0b1101u >> dashes) & 1u) == 0) {  // 0, 2 or 3 dashes only
        return {kUnknownKind, CardReason::BadDashes, kNoType, CheckResult::NotTested, 0, cut};
    }

    // The type decides the rest. Lengths, types and check digits come in random order, so every test is made
    // and the outcome chosen without a branch.
    const std::size_t type = TypeOf<kTable>(text, window.digits);
    const std::size_t required = kRequiredDigits<kTable>[type][count - S::kMinDigits];
    const bool other = type == S::kOther;  // too few and too many for no type: its required count is 0
    const bool too_few = count < required;
    const std::size_t after_number = dashes + required;  // within the masks
    const bool too_many = (after_number < cut) & (((window.digits >> after_number) & 1u) != 0);
    bool luhn = false;
    if constexpr (kWithDashes) {
        std::uint32_t counted = window.digits & ((std::uint32_t{1} << pos) - 1);
        if (count > required && !(other | too_few | too_many)) counted = KeepLowest(counted, required);
        luhn = LuhnPasses<kTable>(window, counted, required);
    } else {
        // Where the test decides, the number has exactly the required digits: taking the count instead lets the
        // test run alongside the type lookup rather than after it.
        luhn = LeadingLuhnPasses<kTable>(window, count);
    }
    const std::size_t causes = (std::size_t{too_few} << 2) | (std::size_t{too_many} << 1) | std::size_t{luhn};
    const Verdict& verdict = kVerdicts<kTable>[type * 8 + causes];
    return {verdict.kind, verdict.reason, verdict.type, verdict.check, verdict.result, cut};
}

template <const CardTypeTable& kTable>
CardOutcome Classify(const char* text, std::size_t size) {
    const std::size_t limit = std::min(size, Shape<kTable>::kScanLimit);
    const Window window = LookAt(text, limit);
    // Most numbers have no dash: their scan is the leading digits, and the masks of their Luhn test are fixed by
    // the length.
    if (window.dashes == 0) return ClassifyScanned<kTable, false>(text, size, limit, window);
    return ClassifyScanned<kTable, true>(text, size, limit, window);
}

}  // namespace

template <RuleSet kRules>
CardOutcome ClassifyReadable(bytes::Readable text) {
    return Classify<TableOf(kRules)>(text.data(), text.size());
}

#define KALDEROS_MADE_FOR(kSet) \
    template CardOutcome ClassifyReadable<kSet>(bytes::Readable);
KALDEROS_EACH_RULE_SET(KALDEROS_MADE_FOR)
#undef KALDEROS_MADE_FOR

}  // namespace card

CardClassification ClassifyCard(std::string_view text, CardKind& kind) {
    const card::CardOutcome outcome = card::ClassifyCardText<RuleSet::Classic>(text);
    kind.text.fill('\0');
    const card::KindText& name = card::kKindTexts[outcome.kind];
    std::memcpy(kind.text.data(), name.data(), name.size());
    return {outcome.result, outcome.length};
}

}  // namespace kalderos
