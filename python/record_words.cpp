// The shared field values and the vocabularies of the word fields.
#include "record_words.h"

#include <cstdio>
#include <string>
#include <unordered_map>
#include <utility>

#include "card/card_outcome.h"
#include "card/card_type_table.h"
#include "ssn/issuance_window.h"
#include "ssn/ssn_reason.h"

namespace kalderos::python {
namespace shared_detail {

std::array<WordSlot, std::size_t{1} << kWordSlotBits> g_word_slots{};
std::array<PyObject*, 100> g_twos{};
std::array<PyObject*, 1000> g_threes{};
std::array<PyObject*, 10000> g_fours{};

const WordSlot* FillWordSlot(std::string_view word) {
    static std::unordered_map<std::string, PyObject*> by_text;  // owns one reference of each
    auto [at, added] = by_text.try_emplace(std::string(word), nullptr);
    if (added) {
        at->second = PyUnicode_DecodeUTF8(word.data(), static_cast<Py_ssize_t>(word.size()), "replace");
        if (at->second == nullptr) {
            by_text.erase(at);
            return nullptr;
        }
        PyUnicode_InternInPlace(&at->second);
    }
    WordSlot& slot = g_word_slots[SlotOfAddress(word.data(), kWordSlotBits)];
    slot = {word.data(), word.size(), at->second};
    return &slot;
}

}  // namespace shared_detail

namespace {

template <std::size_t N>
bool MakeDigits(std::array<PyObject*, N>& texts, int width) {
    for (std::size_t value = 0; value < N; ++value) {
        char text[8];
        std::snprintf(text, sizeof text, "%0*u", width, static_cast<unsigned>(value));
        texts[value] = PyUnicode_InternFromString(text);
        if (texts[value] == nullptr) return false;
    }
    return true;
}

}  // namespace

bool MakeSharedDigits() {
    using namespace shared_detail;
    return MakeDigits(g_twos, 2) && MakeDigits(g_threes, 3) && MakeDigits(g_fours, 4);
}

std::vector<std::string_view> WordsOf(RuleSet rules, ssn::SsnField field) {
    using ssn::SsnReason;
    // The reasons a rule set gives: the current rules lift the order of issue and the areas opened since 2011.
    std::vector<SsnReason> reasons;
    for (std::size_t reason = 0; reason < ssn::kSsnReasonCount; ++reason) {
        const auto each = static_cast<SsnReason>(reason);
        if (each == SsnReason::AreaAfter2011 && !ssn::AreasAfter2011Unknown(rules)) continue;
        if (each == SsnReason::GroupNotIssued && !ssn::OrderOfIssueDecides(rules)) continue;
        reasons.push_back(each);
    }
    std::vector<std::string_view> words;
    switch (field) {
        case ssn::SsnField::Verdict:
            for (std::size_t verdict = 0; verdict < ssn::kVerdictNames.size(); ++verdict) {
                for (const SsnReason reason : reasons) {
                    if (static_cast<std::size_t>(ssn::VerdictOf(reason)) != verdict) continue;
                    words.push_back(ssn::kVerdictNames[verdict]);
                    break;
                }
            }
            return words;
        case ssn::SsnField::Reason:
            for (const SsnReason reason : reasons) words.push_back(ssn::ReasonName(reason));
            return words;
        case ssn::SsnField::IssuedAfter:
        case ssn::SsnField::IssuedBy:
            for (std::size_t list = 1; list <= ssn::kPublishedListCount; ++list) {
                words.push_back(ssn::WindowMonth(static_cast<std::uint8_t>(list)));
            }
            return words;
        case ssn::SsnField::Input:
        case ssn::SsnField::WellFormed:
        case ssn::SsnField::Area:
        case ssn::SsnField::Group:
        case ssn::SsnField::Serial:
        case ssn::SsnField::Place:
        case ssn::SsnField::Confirm:
        case ssn::SsnField::kCount:
            break;
    }
    return words;
}

std::vector<std::string_view> WordsOf(RuleSet rules, card::CardField field) {
    const card::CardTypeTable& table = card::TableOf(rules);
    std::vector<std::string_view> words;
    switch (field) {
        case card::CardField::Type:
            for (const card::CardTypeRow& row : table.rows) words.push_back(row.name);
            return words;
        case card::CardField::Luhn:
            return {card::kLuhnNames.begin(), card::kLuhnNames.end()};
        case card::CardField::Outcome:
            // A type's name with "_X" only where its check digit is tested.
            words = {card::KindView(rules, card::kUnknownKind), card::KindView(rules, card::kTooManyDigitsKind)};
            for (std::size_t type = 0; type < table.rows.size(); ++type) {
                words.push_back(card::KindView(rules, card::TypeKind(type)));
                if (table.rows[type].check == card::CheckDigit::Luhn) {
                    words.push_back(card::KindView(rules, card::TypeKind(type, false)));
                }
            }
            return words;
        case card::CardField::Reason:
            return {card::kCardReasonNames.begin(), card::kCardReasonNames.end()};
        case card::CardField::Input:
        case card::CardField::Digits:
        case card::CardField::kCount:
            break;
    }
    return words;
}

WordCodes::WordCodes(std::vector<std::string_view> words) : words_(std::move(words)) {}

std::int8_t WordCodes::ByText(std::string_view word) const {
    for (std::size_t code = 0; code < words_.size() && code < kMaxWords; ++code) {
        if (words_[code] == word) return static_cast<std::int8_t>(code);
    }
    return -2;
}

}  // namespace kalderos::python
