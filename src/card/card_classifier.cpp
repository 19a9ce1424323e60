// Names a card type from the leading digits and digit count of a text and tests its Luhn check digit.
//
// Lists mix every length, dash layout and outcome in random order, so a classifier that branches on each
// character mispredicts several times a line. Everything the scan needs is a property of the first 20
// characters; here they are looked at all at once, sixteen bytes to a vector, as masks of digits and dashes, and
// the Luhn sum is taken over a whole vector of digits.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "card/card_outcome.h"
#include "kalderos/kalderos.h"
#include "bytes/char_class.h"
#include "bytes/byte_vectors.h"

namespace kalderos {
namespace card {
namespace {

constexpr std::size_t kScanLimit = 20;  // characters looked at, digits and dashes together
constexpr std::size_t kMaxDigits = 16;
constexpr std::size_t kMinDigits = 13;
static_assert(kScanLimit <= 16 + 16 && kCardReadAhead == 32);

static_assert(kMaxPrefixDigits == 4);

// The type of every four-digit start. Each prefix claims the block of starts it begins; the shorter prefixes are
// filled in first, so that where prefixes overlap the longest wins. Two prefixes of one length that claim the
// same start fail the build.
constexpr std::array<std::uint8_t, 10000> kTypeByFirstFour = [] {
    constexpr auto kUnclaimed = static_cast<std::uint8_t>(CardType::Other);
    std::array<std::uint8_t, 10000> types{};
    types.fill(kUnclaimed);
    for (std::size_t length = 1; length <= kMaxPrefixDigits; ++length) {
        std::array<bool, 10000> claimed_now{};
        for (const CardTypeRow& row : kCardTypes) {
            for (const std::string_view& prefix : row.prefixes) {
                if (prefix.size() != length) continue;
                std::size_t first = 0;
                std::size_t count = 10000;
                for (const char digit : prefix) {
                    count /= 10;
                    first += static_cast<std::size_t>(digit - '0') * count;
                }
                for (std::size_t i = first; i < first + count; ++i) {
                    if (claimed_now[i]) throw "two prefixes of one length claim the same digits";
                    claimed_now[i] = true;
                    types[i] = static_cast<std::uint8_t>(row.type);
                }
            }
        }
    }
    return types;
}();

// What the classifier needs of a type, looked up: a switch on the type becomes an indirect jump that random
// input mispredicts.
struct TypeFacts {
    std::array<std::uint8_t, kMaxDigits - kMinDigits + 1> required;  // RequiredDigits by the count, 13 to 16
    bool luhn;
};

constexpr std::array<TypeFacts, kCardTypes.size()> kTypeFacts = [] {
    std::array<TypeFacts, kCardTypes.size()> facts{};
    for (const CardTypeRow& row : kCardTypes) {
        TypeFacts& of_type = facts[static_cast<std::size_t>(row.type)];
        for (std::size_t count = kMinDigits; count <= kMaxDigits; ++count) {
            of_type.required[count - kMinDigits] = static_cast<std::uint8_t>(RequiredDigits(row.type, count));
        }
        of_type.luhn = row.luhn;
    }
    return facts;
}();

// What may follow a number's digits: white space, a line end, or the end of the text at a NUL.
constexpr std::array<bool, 256> kEndsNumber = [] {
    std::array<bool, 256> ends{};
    for (std::size_t c = 0; c < ends.size(); ++c) ends[c] = c == 0 || text::IsSpace(static_cast<char>(c));
    return ends;
}();

// Luhn sums that pass; sixteen digits sum to at most 144.
constexpr std::array<bool, 160> kMultipleOfTen = [] {
    std::array<bool, 160> multiple{};
    for (std::size_t sum = 0; sum < multiple.size(); sum += 10) multiple[sum] = true;
    return multiple;
}();

// The first kCardReadAhead bytes of a text as masks, bit i for character i.
struct Window {
    text::Bytes16 low;
    text::Bytes16 high;
    std::uint32_t digits;  // within the scan limit
    std::uint32_t dashes;  // within the scan limit
};

Window LookAt(const char* text, std::size_t limit) {
    Window window;
    window.low = text::LoadSixteen(text);
    window.high = text::LoadSixteen(text + 16);
    const std::uint32_t in_limit = (std::uint32_t{1} << limit) - 1;
    window.digits = (text::FlagMask(text::DigitBytes(window.low)) |
                     text::FlagMask(text::DigitBytes(window.high)) << 16) & in_limit;
    window.dashes = (text::FlagMask(text::BytesEqualTo(window.low, '-')) |
                     text::FlagMask(text::BytesEqualTo(window.high, '-')) << 16) & in_limit;
    return window;
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

// Where the scan of a run of digits and dashes with at least 16 digits stops: after its 16th digit. Within the
// 20 characters scanned at most four can follow it, so the count in the first 16 characters and a table for the
// last four find it without a branch.
std::size_t AfterSixteenthDigit(std::uint32_t run_digits, std::size_t run_count) {
    static constexpr std::array<std::uint8_t, 16> kBitsOfFour = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
    const std::uint32_t last_four = (run_digits >> 16) & 0xFu;
    const std::size_t in_first_sixteen = run_count - kBitsOfFour[last_four];
    const std::size_t missing = (kMaxDigits - in_first_sixteen - 1) & 3u;  // 16 in the first sixteen: not used
    const std::size_t later = 16 + kAfterNthBitOfFour[last_four][missing];
    return Select(in_first_sixteen == kMaxDigits, kMaxDigits, later);
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
    std::size_t count;  // digits taken, at most 16
    std::size_t pos;    // where the scan stopped
};

// The scan takes digits, and dashes once the leading digits are followed by one, until something else, the
// 20th character or the 16th digit. Without a dash that is the leading digits, 16 at most.
Scan ScanDigits(const Window& window) {
    const auto leading = static_cast<std::size_t>(std::countr_zero(~window.digits));
    const std::size_t count = Select(leading < kMaxDigits, leading, kMaxDigits);
    return {count, count};
}

// With dashes the scan is the run of digits and dashes from the start: leading digits followed by something else
// end there either way.
Scan ScanDigitsAndDashes(const Window& window) {
    const auto run_end = static_cast<std::size_t>(std::countr_zero(~(window.digits | window.dashes)));
    const std::uint32_t run_digits = window.digits & ((std::uint32_t{1} << run_end) - 1);
    const std::size_t run_count = text::CountBits(run_digits);
    const bool sixteen = run_count >= kMaxDigits;
    return {Select(sixteen, kMaxDigits, run_count), Select(sixteen, AfterSixteenthDigit(run_digits, run_count), run_end)};
}

// Where the text ends, for the outcomes that leave it uncut: its size, or its first NUL.
std::size_t TextLength(const char* text, std::size_t size, const Window& window) {
    std::uint32_t nuls = text::FlagMask(text::BytesEqualTo(window.low, '\0')) |
                         text::FlagMask(text::BytesEqualTo(window.high, '\0')) << 16;
    if (size < kCardReadAhead) nuls &= (std::uint32_t{1} << size) - 1;
    if (nuls != 0) return static_cast<std::size_t>(std::countr_zero(nuls));
    if (size <= kCardReadAhead) return size;
    const void* nul = std::memchr(text + kCardReadAhead, '\0', size - kCardReadAhead);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : size;
}

CardType TypeOfDigits(char first, char second, char third, char fourth) {
    const auto index = static_cast<std::size_t>((first - '0') * 1000 + (second - '0') * 100 + (third - '0') * 10 +
                                                (fourth - '0'));
    return static_cast<CardType>(kTypeByFirstFour[index]);
}

// The type by the first four digits of the number, wherever dashes stand between them.
CardType TypeOf(const char* text, unsigned digits) {
    if ((digits & 0xFu) == 0xFu) return TypeOfDigits(text[0], text[1], text[2], text[3]);
    char first[4];
    std::size_t taken = 0;
    for (std::size_t pos = 0; taken < sizeof first; ++pos) {
        if ((digits >> pos) & 1u) first[taken++] = text[pos];
    }
    return TypeOfDigits(first[0], first[1], first[2], first[3]);
}

// Sixteen characters' share in the Luhn sum: the digits `taken` once, and those `doubled` (among them) once
// more, less 9 from 5 on, which makes the digit sum of their double. The masks hold 0xFF in the bytes they mean.
unsigned LuhnShares(text::Bytes16 characters, text::Bytes16 taken, text::Bytes16 doubled) {
    const text::Bytes16 value = characters - '0';
    const text::Bytes16 again = value & doubled;
    const text::Bytes16 nines = reinterpret_cast<text::Bytes16>(again > 4) & 9;
    return text::SumOfBytes((value & taken) + again - nines);
}

// For a number of 13 to 16 digits at the very start of the text the masks depend on its length alone.
struct LeadingNumberMasks {
    std::array<std::uint8_t, 16> taken{};
    std::array<std::uint8_t, 16> doubled{};
};

constexpr std::array<LeadingNumberMasks, 4> kLeadingNumberMasks = [] {
    std::array<LeadingNumberMasks, 4> masks{};
    for (std::size_t length = kMinDigits; length <= kMaxDigits; ++length) {
        LeadingNumberMasks& of_length = masks[length - kMinDigits];
        for (std::size_t pos = 0; pos < length; ++pos) {
            of_length.taken[pos] = 0xFF;
            if ((length - 1 - pos) % 2 == 1) of_length.doubled[pos] = 0xFF;  // counted from the check digit
        }
    }
    return masks;
}();

text::Bytes16 LoadMask(const std::array<std::uint8_t, 16>& mask) {
    return text::LoadSixteen(reinterpret_cast<const char*>(mask.data()));
}

// The Luhn test of the first `length` characters, all digits.
bool LeadingLuhnPasses(const Window& window, std::size_t length) {
    const LeadingNumberMasks& masks = kLeadingNumberMasks[(length - kMinDigits) & 3u];  // any index if unused
    return kMultipleOfTen[LuhnShares(window.low, LoadMask(masks.taken), LoadMask(masks.doubled))];
}

// The Luhn test of the digits in `counted`, dashes between them. Counted from the check digit leftwards
// every second digit is doubled: the digits whose index in the number has the other parity than the check
// digit's. A digit's index has its position's parity, flipped by every dash before it.
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
    const unsigned sum = LuhnShares(window.low, text::MaskBytes(counted), text::MaskBytes(doubled)) +
                         LuhnShares(window.high, text::MaskBytes(counted >> 16), text::MaskBytes(doubled >> 16));
    return kMultipleOfTen[sum];
}

// The reason for each combination of causes (bit 3: no type has the leading digits, bit 2: too few digits for
// the type, bit 1: too many, bit 0: the check digit passes or is not tested), the first cause in the order the
// kind is chosen by. Looked up: the causes come in random order, and branches on them cost more than the work.
constexpr std::array<CardReason, 16> kReasonByCauses = [] {
    std::array<CardReason, 16> reasons{};
    for (std::size_t causes = 0; causes < reasons.size(); ++causes) {
        reasons[causes] = (causes & 8) != 0   ? CardReason::UnknownPrefix
                          : (causes & 4) != 0 ? CardReason::TooFewDigits
                          : (causes & 2) != 0 ? CardReason::TooManyDigits
                          : (causes & 1) != 0 ? CardReason::Ok
                                              : CardReason::BadCheckDigit;
    }
    return reasons;
}();

// The rest of the classification, for a text with or without dashes among its first 20 characters.
template <bool kWithDashes>
CardOutcome ClassifyScanned(const char* text, std::size_t size, std::size_t limit, const Window& window) {
    const auto [count, pos] = kWithDashes ? ScanDigitsAndDashes(window) : ScanDigits(window);

    // What stopped the scan, if not the 16th digit or the 20th character: white space and line ends end the
    // number, so does a NUL; anything else makes the text no card number.
    const char stop = text[pos];  // within the bytes read, even where the scan ran to the limit
    const bool ends_number = kEndsNumber[static_cast<unsigned char>(stop)];
    constexpr auto kNoType = static_cast<std::uint8_t>(CardType::Other);
    const bool not_a_number = (count < kMaxDigits) & (pos < limit) & !ends_number;
    if (not_a_number | (count < kMinDigits)) {
        const CardReason reason = not_a_number ? CardReason::NotANumber : CardReason::TooFewDigits;
        return {kUnknownKind, reason, kNoType, 0, TextLength(text, size, window)};
    }
    // From here on the text is cut behind the number: a line end, trailing blanks, extra digits are gone.
    const std::size_t cut = pos;
    const std::size_t dashes = pos - count;
    if (kWithDashes && ((0b1101u >> dashes) & 1u) == 0) {  // 0, 2 or 3 dashes only
        return {kUnknownKind, CardReason::BadDashes, kNoType, 0, cut};
    }

    // The type decides the rest. Lengths, types and check digits come in random order, so every test is made
    // and the outcome chosen without a branch.
    const CardType type = TypeOf(text, window.digits);
    const TypeFacts& facts = kTypeFacts[static_cast<std::size_t>(type)];
    const std::size_t required = facts.required[count - kMinDigits];
    const bool other = type == CardType::Other;
    const bool too_few = count < required;
    const std::size_t after_number = dashes + required;  // at most 19: within the masks
    const bool too_many = (after_number < cut) & (((window.digits >> after_number) & 1u) != 0);
    const bool decided = other | too_few | too_many;  // before the check digit is looked at
    bool luhn = false;
    if constexpr (kWithDashes) {
        std::uint32_t counted = window.digits & ((std::uint32_t{1} << pos) - 1);
        if (count > required && !decided) counted = KeepLowest(counted, required);
        luhn = LuhnPasses(window, counted, required);
    } else {
        // Where the test decides, the number has exactly the required digits: taking the count instead lets the
        // test run alongside the type lookup rather than after it.
        luhn = LeadingLuhnPasses(window, count);
    }
    const bool passes = luhn | !facts.luhn | decided;

    const std::size_t kind = Select(too_many & !other & !too_few, kTooManyDigitsKind, TypeKind(type, passes));
    const int result = (2 * static_cast<int>(passes) - 1) & -static_cast<int>(!decided);
    const std::size_t causes = (std::size_t{other} << 3) | (std::size_t{too_few} << 2) |
                               (std::size_t{too_many} << 1) | std::size_t{passes};
    return {static_cast<std::uint8_t>(kind), kReasonByCauses[causes], static_cast<std::uint8_t>(type), result, cut};
}

}  // namespace

CardOutcome ClassifyReadable(const char* text, std::size_t size) {
    const std::size_t limit = std::min(size, kScanLimit);
    const Window window = LookAt(text, limit);
    // Most numbers have no dash: their scan is the leading digits, and the masks of their Luhn test are fixed by
    // the length.
    if (window.dashes == 0) return ClassifyScanned<false>(text, size, limit, window);
    return ClassifyScanned<true>(text, size, limit, window);
}

CardOutcome ClassifyCardText(std::string_view text) {
    if (text.size() >= kCardReadAhead) return ClassifyReadable(text.data(), text.size());
    // A short text is copied where the bytes after it may be read.
    std::array<char, kCardReadAhead> padded{};
    if (!text.empty()) std::memcpy(padded.data(), text.data(), text.size());
    return ClassifyReadable(padded.data(), text.size());
}

}  // namespace card

CardClassification ClassifyCard(std::string_view text, CardKind& kind) {
    const card::CardOutcome outcome = card::ClassifyCardText(text);
    kind.text.fill('\0');
    const card::KindText& name = card::kKindTexts[outcome.kind];
    std::memcpy(kind.text.data(), name.data(), name.size());
    return {outcome.result, outcome.length};
}

}  // namespace kalderos
