// ClassifyCard on any bytes: the text is never lengthened, the type text is one the classifier may give and
// agrees with its result, nothing of an earlier call's record shows through, and bytes after the text do not
// count; and the fast judgement agrees with the rules step by step.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "card/card_outcome.h"
#include "fuzz_check.h"
#include "kalderos/kalderos.h"

namespace {

using kalderos::card::CardTypeRow;
using kalderos::card::kClassicCardRows;

// The row of a type with prefixes named `text` (not Other, the last), or null.
const CardTypeRow* TypeNamed(std::string_view text) {
    const auto end = kClassicCardRows.end() - 1;
    const auto row = std::find_if(kClassicCardRows.begin(), end, [text](const CardTypeRow& candidate) {
        return candidate.name == text;
    });
    return row == end ? nullptr : &*row;
}

bool IsTypeName(std::string_view text) { return TypeNamed(text) != nullptr; }

// A type whose check digit is tested, followed by "_X".
bool IsFailedTypeName(std::string_view text) {
    constexpr std::string_view kSuffix = "_X";
    if (text.size() <= kSuffix.size() || text.substr(text.size() - kSuffix.size()) != kSuffix) return false;
    const CardTypeRow* const row = TypeNamed(text.substr(0, text.size() - kSuffix.size()));
    return row != nullptr && row->check == kalderos::card::CheckDigit::Luhn;
}

std::size_t CountOf(std::string_view text, bool (*wanted)(char)) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), wanted));
}

// The table of `kRules` classifies `text` as its rules step by step do.
template <kalderos::RuleSet kRules>
void ExpectRulesStepByStep(std::string_view text) {
    const kalderos::card::CardOutcome fast = kalderos::card::ClassifyCardText<kRules>(text);
    const kalderos::card::CardOutcome plain = kalderos::card::JudgeCard(text, kRules);
    FUZZ_REQUIRE(fast.kind == plain.kind && fast.reason == plain.reason && fast.type == plain.type);
    FUZZ_REQUIRE(fast.check == plain.check && fast.result == plain.result && fast.length == plain.length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t text_length = std::min(text.find('\0'), text.size());

    kalderos::CardKind kind;
    const kalderos::CardClassification classified = kalderos::ClassifyCard(text, kind);
    FUZZ_REQUIRE(classified.length <= text_length);
    FUZZ_REQUIRE(std::memchr(kind.text.data(), '\0', kind.text.size()) != nullptr);
    const std::string_view name = kind.View();
    FUZZ_REQUIRE(name.size() <= 12);

    switch (classified.result) {
        case 1:
            FUZZ_REQUIRE(IsTypeName(name));
            break;
        case -1:
            FUZZ_REQUIRE(IsFailedTypeName(name));
            break;
        case 0:
            FUZZ_REQUIRE(name == "UNKNOWN" || name == "Other" || name == "2MANY_DIGITS" || IsTypeName(name));
            break;
        default:
            FUZZ_REQUIRE(false);
    }

    // Once a number was recognised, what is left of the text is that number: 13 to 16 digits and 0, 2 or 3 dashes.
    if (name != "UNKNOWN") {
        const std::string_view kept = text.substr(0, classified.length);
        const std::size_t digits = CountOf(kept, [](char c) { return c >= '0' && c <= '9'; });
        const std::size_t dashes = CountOf(kept, [](char c) { return c == '-'; });
        FUZZ_REQUIRE(digits + dashes == kept.size());
        FUZZ_REQUIRE(digits >= 13 && digits <= 16);
        FUZZ_REQUIRE(dashes == 0 || dashes == 2 || dashes == 3);
    }

    // The record is overwritten whole: one full of an earlier call's bytes gives the same answer.
    kalderos::CardKind used;
    used.text.fill('Z');
    const kalderos::CardClassification again = kalderos::ClassifyCard(text, used);
    FUZZ_REQUIRE(again.result == classified.result && again.length == classified.length);
    FUZZ_REQUIRE(used.View() == name);

    // Where a list line lies in the read buffer, the bytes after it are read along but never count.
    for (const char after : {'0', '-', ' '}) {
        const std::string buffer = std::string(text) + std::string(kalderos::card::kCardReadAhead, after);
        const kalderos::card::CardOutcome read_along = kalderos::card::ClassifyReadable<kalderos::RuleSet::Classic>(
            kalderos::bytes::Readable::WithRoomBehind(buffer.data(), text.size()));
        FUZZ_REQUIRE(kalderos::card::KindView(kalderos::RuleSet::Classic, read_along.kind) == name);
        FUZZ_REQUIRE(read_along.result == classified.result && read_along.length == classified.length);
    }
    // The fast judgement is the one of the rules step by step, for either table.
    ExpectRulesStepByStep<kalderos::RuleSet::Classic>(text);
    ExpectRulesStepByStep<kalderos::RuleSet::Current>(text);
    return 0;
}
