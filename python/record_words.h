// The Python values of the fields that are made once and shared: the words of the library's constant data
// (verdicts, reasons, places, months, card types) and the digits of an SSN's parts ("078"), so that a result
// costs a tuple and no strings; and each word field's vocabulary under a rule set, the categories of a frame's
// column.
#pragma once

#include <Python.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "card/card_fields.h"
#include "kalderos/kalderos.h"
#include "ssn/ssn_fields.h"

namespace kalderos::python {

// Makes the digits, once, as the module is imported; false with a Python error set when that failed.
bool MakeSharedDigits();

// The slot of a word among 2^bits by where its bytes lie: the words of one table lie a few bytes apart, and a
// multiplicative hash spreads them over the slots.
inline std::size_t SlotOfAddress(const char* data, unsigned bits) {
    const auto address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(data));
    return static_cast<std::size_t>((address * 0x9E3779B97F4A7C15u) >> (64 - bits));
}

namespace shared_detail {

// The str of each word met so far, by where the word lies (the library's views of a word always point at the
// same bytes): a direct-mapped cache in front of a map by text (WordByText).
struct WordSlot {
    const char* data = nullptr;
    std::size_t size = 0;
    PyObject* value = nullptr;  // held by the map, for the module's life
};
inline constexpr unsigned kWordSlotBits = 10;
extern std::array<WordSlot, std::size_t{1} << kWordSlotBits> g_word_slots;

// The slot of `word` filled from the map; nullptr with a Python error set.
const WordSlot* FillWordSlot(std::string_view word);

// The digits "00"-"99", "000"-"999", "0000"-"9999", by width.
extern std::array<PyObject*, 100> g_twos;
extern std::array<PyObject*, 1000> g_threes;
extern std::array<PyObject*, 10000> g_fours;

template <std::size_t N>
PyObject* DigitsIn(const std::array<PyObject*, N>& texts, std::int32_t value) {
    PyObject* text = value < 0 || static_cast<std::size_t>(value) >= N ? Py_None : texts[static_cast<std::size_t>(value)];
    Py_INCREF(text);
    return text;
}

}  // namespace shared_detail

// A new reference to the str of `word`, None for an empty one; nullptr with a Python error set.
inline PyObject* SharedWord(std::string_view word) {
    if (word.empty()) Py_RETURN_NONE;
    const shared_detail::WordSlot* slot =
        &shared_detail::g_word_slots[SlotOfAddress(word.data(), shared_detail::kWordSlotBits)];
    if (slot->data != word.data() || slot->size != word.size()) slot = shared_detail::FillWordSlot(word);
    if (slot == nullptr) return nullptr;
    Py_INCREF(slot->value);
    return slot->value;
}

// A new reference to `value` zero-padded to `width` (2-4), None for a negative value.
inline PyObject* SharedDigits(std::int32_t value, int width) {
    switch (width) {
        case 2:
            return shared_detail::DigitsIn(shared_detail::g_twos, value);
        case 3:
            return shared_detail::DigitsIn(shared_detail::g_threes, value);
        default:
            return shared_detail::DigitsIn(shared_detail::g_fours, value);
    }
}

// Every word `field` can hold under `rules`, in a fixed order; empty for a field that holds no word.
std::vector<std::string_view> WordsOf(RuleSet rules, ssn::SsnField field);
std::vector<std::string_view> WordsOf(RuleSet rules, card::CardField field);

// The place of each word in one field's vocabulary. The library's views of a word always point at the same
// bytes, so a word is found by where it lies (a direct-mapped cache) and by its text only the first time.
class WordCodes {
public:
    WordCodes() = default;
    explicit WordCodes(std::vector<std::string_view> words);

    // The code of `word`, -1 for an empty one (none); -2 for a word outside the vocabulary.
    std::int8_t CodeOf(std::string_view word) {
        if (word.empty()) return -1;
        Slot& slot = slots_[SlotOfAddress(word.data(), kSlotBits)];
        if (slot.data != word.data() || slot.size != word.size()) slot = {word.data(), word.size(), ByText(word)};
        return slot.code;
    }

    // The most words a vocabulary may have: the codes are numpy's int8, which pandas keeps as they are.
    static constexpr std::size_t kMaxWords = 127;

private:
    struct Slot {
        const char* data = nullptr;
        std::size_t size = 0;
        std::int8_t code = -2;
    };
    static constexpr unsigned kSlotBits = 6;

    std::int8_t ByText(std::string_view word) const;

    std::vector<std::string_view> words_;
    std::array<Slot, std::size_t{1} << kSlotBits> slots_{};
};

}  // namespace kalderos::python
