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

// A new reference to the str of `word`, None for an empty one; nullptr with a Python error set.
PyObject* SharedWord(std::string_view word);

// A new reference to `value` zero-padded to `width` (2-4), None for a negative value.
PyObject* SharedDigits(std::int32_t value, int width);

// Every word `field` can hold under `rules`, in a fixed order; empty for a field that holds no word.
std::vector<std::string_view> WordsOf(RuleSet rules, ssn::SsnField field);
std::vector<std::string_view> WordsOf(RuleSet rules, card::CardField field);

// The slot of a word among 2^bits by where its bytes lie: the words of one table lie a few bytes apart, and a
// multiplicative hash spreads them over the slots.
inline std::size_t SlotOfAddress(const char* data, unsigned bits) {
    const auto address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(data));
    return static_cast<std::size_t>((address * 0x9E3779B97F4A7C15u) >> (64 - bits));
}

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
