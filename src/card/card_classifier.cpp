// Names a card type from the leading digits and digit count of a text and tests its Luhn check digit.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "card/card_type_table.h"
#include "kalderos/kalderos.h"
#include "ssn/char_class.h"
#include "ssn/digit_bytes.h"

namespace kalderos {
namespace {

using card::CardType;

constexpr std::size_t kScanLimit = 20;  // characters looked at, digits and dashes together
constexpr std::size_t kMaxDigits = 16;

using text::IsDigit;
using text::IsSpace;

// Every text the classifier leaves in CardKind, zero-padded to one size so that setting it is a single copy.
using KindText = std::array<char, 16>;

constexpr KindText MakeKindText(std::string_view name, std::string_view suffix = "") {
    KindText text{};
    std::size_t at = 0;
    for (const char c : name) text[at++] = c;
    for (const char c : suffix) text[at++] = c;  // a text without room for its NUL fails the build below
    return text;
}

// The type names, [whether the check digit is right][type]: the type name, or the type name with "_X".
using KindTexts = std::array<std::array<KindText, card::kCardTypeNames.size()>, 2>;

constexpr KindTexts kKindTexts = [] {
    KindTexts texts{};
    for (std::size_t i = 0; i < card::kCardTypeNames.size(); ++i) {
        texts[0][i] = MakeKindText(card::kCardTypeNames[i], "_X");
        texts[1][i] = MakeKindText(card::kCardTypeNames[i]);
    }
    return texts;
}();
constexpr KindText kUnknownText = MakeKindText("UNKNOWN");
constexpr KindText kTooManyDigitsText = MakeKindText("2MANY_DIGITS");
static_assert(kTooManyDigitsText.back() == '\0' && kKindTexts[0][3].back() == '\0');

// The text of a type: its name, with "_X" when its check digit is wrong.
const KindText& TypeText(std::size_t type, bool check_digit_right = true) {
    return kKindTexts[check_digit_right ? 1 : 0][type];
}

void SetKind(CardKind& kind, const KindText& text) { std::memcpy(kind.text.data(), text.data(), text.size()); }

// No prefix is longer than four digits, so the first four decide the type. Each prefix claims the block of
// four-digit starts it begins; filled from the last prefix to the first, so that where prefixes overlap the one
// tried first wins, as in a search of the list in its order.
constexpr std::array<std::uint8_t, 10000> kTypeByFirstFour = [] {
    std::array<std::uint8_t, 10000> types{};
    types.fill(static_cast<std::uint8_t>(CardType::Other));
    for (auto prefix = card::kCardPrefixes.rbegin(); prefix != card::kCardPrefixes.rend(); ++prefix) {
        std::size_t first = 0;
        std::size_t count = 10000;
        for (const char digit : prefix->digits) {
            count /= 10;
            first += static_cast<std::size_t>(digit - '0') * count;
        }
        for (std::size_t i = first; i < first + count; ++i) types[i] = static_cast<std::uint8_t>(prefix->type);
    }
    return types;
}();

// RequiredDigits as a table, [type][whether the number has a 14th digit]: a switch on the type becomes an
// indirect jump that random input mispredicts.
constexpr auto kRequiredDigits = [] {
    std::array<std::array<std::uint8_t, 2>, card::kCardTypeNames.size()> required{};
    for (std::size_t type = 0; type < required.size(); ++type) {
        required[type][0] = static_cast<std::uint8_t>(card::RequiredDigits(static_cast<CardType>(type), 13));
        required[type][1] = static_cast<std::uint8_t>(card::RequiredDigits(static_cast<CardType>(type), 14));
    }
    return required;
}();
static_assert(card::RequiredDigits(CardType::Visa, 16) == card::RequiredDigits(CardType::Visa, 14));

CardType TypeOf(const char* digits) {
    const std::size_t first = static_cast<std::size_t>((digits[0] - '0') * 1000 + (digits[1] - '0') * 100 +
                                                       (digits[2] - '0') * 10 + (digits[3] - '0'));
    return static_cast<CardType>(kTypeByFirstFour[first]);
}

// Counted from the check digit leftwards, every second digit is doubled and its digit sum taken. The plain and
// the doubled digits are summed apart, so that neither sum waits for the other.
bool LuhnPasses(const char* digits, std::size_t count) {
    static constexpr std::uint8_t kDoubled[10] = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9};
    unsigned plain = 0;
    unsigned doubled = 0;
    std::size_t i = count;
    for (; i >= 2; i -= 2) {
        plain += static_cast<unsigned>(digits[i - 1] - '0');
        doubled += kDoubled[digits[i - 2] - '0'];
    }
    if (i == 1) plain += static_cast<unsigned>(digits[0] - '0');
    return (plain + doubled) % 10 == 0;
}

// The same for a number of 13 to 16 digits whose sixteen bytes may all be read: eight digits to a word, each
// byte holding its digit's share of the sum. No step carries from a byte into a lower one, so the bytes behind
// the number, masked off, cannot disturb it.
bool LuhnPassesReadingSixteen(const char* digits, std::size_t count) {
    constexpr std::uint64_t kEach = 0x0101010101010101u;
    constexpr std::uint64_t kEvenBytes = 0x00FF00FF00FF00FFu;
    // Counted from the check digit, every second digit is doubled: the bytes of the other parity than count's.
    const std::uint64_t doubled_bytes = count % 2 == 0 ? kEvenBytes : ~kEvenBytes;
    const std::uint64_t last_bytes = count == 16 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * (count - 8))) - 1;
    unsigned sum = 0;
    for (const std::uint64_t kept : {~std::uint64_t{0}, last_bytes}) {
        const std::uint64_t word = (text::LoadEight(digits) - 0x30 * kEach) & kept;
        digits += 8;
        const std::uint64_t to_double = word & doubled_bytes;
        const std::uint64_t five_or_more = ((to_double + (0x0B * kEach & doubled_bytes)) >> 4) & kEach;
        // A doubled digit's digit sum is twice the digit, less 9 from 5 on.
        const std::uint64_t shares = (word & ~doubled_bytes) + 2 * to_double - 9 * five_or_more;
        sum += static_cast<unsigned>((shares * kEach) >> 56);  // the eight shares added up, at most 72
    }
    return sum % 10 == 0;
}

// The number of digits at the start of the text, at most 16. Where the text has sixteen characters they are
// tested at once, with no branch on where the digits end (numbers of every length come in random order);
// shorter texts eight at a time, then one by one.
std::size_t LeadingDigits(std::string_view text) {
    if (text.size() >= kMaxDigits) {
        const int first = text::LeadingDigitsOfEight(text::LoadEight(text.data()));
        const int second = text::LeadingDigitsOfEight(text::LoadEight(text.data() + 8));
        return static_cast<std::size_t>(first < 8 ? first : 8 + second);
    }
    std::size_t count = 0;
    if (text.size() >= 8) {
        count = static_cast<std::size_t>(text::LeadingDigitsOfEight(text::LoadEight(text.data())));
        if (count < 8) return count;
    }
    while (count < text.size() && IsDigit(text[count])) ++count;
    return count;
}

// Where the text ends, for the outcomes that leave it uncut; the scan stops at a NUL on its own.
std::size_t TextLength(std::string_view text) {
    const void* nul = text.empty() ? nullptr : std::memchr(text.data(), '\0', text.size());
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()) : text.size();
}

}  // namespace

CardClassification ClassifyCard(std::string_view text, CardKind& kind) {
    SetKind(kind, kUnknownText);

    // The usual number has no dashes: its digits are read where they stand. Otherwise they are gathered, and the
    // dashes between them counted.
    const char* digits = text.data();
    std::size_t count = LeadingDigits(text);
    std::size_t dashes = 0;
    std::size_t pos = count;
    char gathered[kMaxDigits] = {};
    const std::size_t limit = std::min(text.size(), kScanLimit);
    if (count < kMaxDigits && count < limit && text[count] == '-') {
        digits = gathered;
        std::memcpy(gathered, text.data(), count);
        // Digits and dashes alike are taken without a branch between them, the dashes standing anywhere; a dash
        // is written to the gathered digits too, where the next digit overwrites it.
        for (; pos < limit && count < kMaxDigits; ++pos) {
            const char c = text[pos];
            const bool digit = IsDigit(c);
            if (!digit && c != '-') break;
            gathered[count] = c;
            count += digit ? 1 : 0;
            dashes += digit ? 0 : 1;
        }
    }
    // What stopped the scan, if not the 16th digit or the 20th character: white space and line ends end the
    // number, so does a NUL; anything else makes the text no card number.
    if (count < kMaxDigits && pos < limit && !IsSpace(text[pos]) && text[pos] != '\0') {
        return {0, TextLength(text)};
    }
    if (count < 13) return {0, TextLength(text)};
    // From here on the text is cut behind the number: a line end, trailing blanks, extra digits are gone.
    const std::size_t cut = pos;
    if (dashes != 0 && dashes != 2 && dashes != 3) return {0, cut};

    const CardType type = TypeOf(digits);
    const auto type_index = static_cast<std::size_t>(type);
    SetKind(kind, TypeText(type_index));
    if (type == CardType::Other) return {0, cut};

    const std::size_t required = kRequiredDigits[type_index][count >= 14 ? 1 : 0];
    if (count < required) return {0, cut};
    if (dashes + required < cut && IsDigit(text[dashes + required])) {
        SetKind(kind, kTooManyDigitsText);
        return {0, cut};
    }
    const bool sixteen_readable = digits == gathered || text.size() >= kMaxDigits;
    const bool luhn = sixteen_readable ? LuhnPassesReadingSixteen(digits, required) : LuhnPasses(digits, required);
    // Chosen without a branch: valid and invalid check digits come in random order.
    const bool passes = luhn | (type == CardType::EnRoute);
    SetKind(kind, TypeText(type_index, passes));
    return {2 * static_cast<int>(passes) - 1, cut};
}

}  // namespace kalderos
