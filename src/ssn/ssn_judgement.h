// What one SSN text comes to, once: the number, where its digits stand, the reason and the verdict it gives,
// and the CONFIRM mark. Every output (the text line, each record format) and --fail-on-invalid print or count
// the same value.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "kalderos/kalderos.h"
#include "ssn/ssn_reason.h"
#include "ssn/ssn_rules.h"
#include "ssn/ssn_shape.h"

namespace kalderos::ssn {

struct SsnJudgement {
    SsnNumber number;
    // Where the number's digits stand in the text, the area first, and where its group and serial follow; null
    // when the number is not copied from the text (a lenient reading of another shape, or no number at all).
    const char* digits = nullptr;
    UsualShape shape;
    SsnReason reason = SsnReason::Malformed;
    SsnVerdict verdict = SsnVerdict::Invalid;
    bool marks_confirm = false;  // the text line's CONFIRM: the group is the area's highest, the serial not 0
    // Current rules: valid, but its group comes after the area's highest of June 2011, so that it can only have
    // been issued at random after then and its area tells no place.
    bool issued_at_random = false;

    // A strict reading found NNN-NN-NNNN, NNN NN NNNN or nine digits.
    [[nodiscard]] bool WellFormed() const { return reason != SsnReason::Malformed && reason != SsnReason::Empty; }
    // What a record calls confirm: the mark on a valid number.
    [[nodiscard]] bool Confirmed() const { return marks_confirm && verdict == SsnVerdict::Valid; }
    // What --fail-on-invalid counts: an invalid or malformed number (unknown passes).
    [[nodiscard]] bool Fails() const { return verdict == SsnVerdict::Invalid; }
};

// Judges texts under one set of rules. Two readings: the strict one, of each text on its own, and the text
// line's lenient one, which carries a field that a text lacks over from the text before.
class SsnJudge {
public:
    // What `rules` read (a table and what was derived from it) must outlive the judge.
    explicit SsnJudge(SsnRules rules) : rules_(rules) {}

    // A text (its line end dropped) that is a number only when, blanks trimmed, it is exactly NNN-NN-NNNN,
    // NNN NN NNNN or nine digits, judged by the rules of `kSet`, those the judge's rules were made for; a text of
    // nothing but blanks is Empty. The list loops are flattened, which inlines it there whatever GCC would choose
    // on its own.
    template <RuleSet kSet>
    [[nodiscard]] SsnJudgement JudgeAs(bytes::Readable text) const {
        // The usual texts have no blanks to trim.
        const UsualShape shape = WholeUsualShape(text);
        if (shape.Found()) return JudgeFields<kSet>(text.data(), shape);
        return JudgeAnyStrict<kSet>(text);
    }

    // ParseSsn into the number carried from text to text, the usual shapes at a text's start taking a short
    // path; the judgement is handed to `use`, whose result is returned. `use` is called on each path apart, so
    // that a list's loop prints a usual shape's judgement from registers: one value for both paths would pass it
    // through memory, stored in pieces and read back whole, a load that waits for the stores on every line.
    template <RuleSet kSet, class Use>
    decltype(auto) WithCarriedAs(bytes::Readable text, const Use& use) {
        const UsualShape shape = UsualShapeAt(text);
        if (!shape.Found()) return use(JudgeAnyShape<kSet>(text));
        return use(CarryShapeAs<kSet>(text.data(), shape));
    }
    // Its two paths apart: a text with the usual `shape` (UsualShapeAt's, Found) at its start, and any other.
    template <RuleSet kSet>
    SsnJudgement CarryShapeAs(const char* text, UsualShape shape) {
        const SsnJudgement judgement = JudgeFields<kSet>(text, shape);
        carried_ = {judgement.number.area, judgement.number.group, judgement.number.serial};  // as in JudgeFields
        return judgement;
    }
    template <RuleSet kSet>
    SsnJudgement JudgeAnyShape(std::string_view text);

    // The number the next lenient reading starts from, and setting it: where a list is read in parts, a part
    // takes over the number the part before it ended with.
    [[nodiscard]] SsnNumber Carried() const { return carried_; }
    void Carry(SsnNumber number) { carried_ = number; }

    // The number of a usual shape that stands whole at `digits`.
    template <RuleSet kSet>
    [[nodiscard]] SsnJudgement JudgeShapeAs(const char* digits, UsualShape shape) const {
        return JudgeFields<kSet>(digits, shape);
    }

private:
    // The number of a usual shape, judged by the rules' tables.
    template <RuleSet kSet>
    [[nodiscard]] SsnJudgement JudgeFields(const char* digits, UsualShape shape) const {
        const SsnNumber number = NumberOfShape(digits, shape);
        const FieldsJudged fields = rules_.JudgeAs<kSet>(number.area, number.group, number.serial);
        // The number's fields one by one: copied whole, the copy would read them back from memory in other
        // widths than they were stored, which stalls every line.
        return {{number.area, number.group, number.serial}, digits, shape, fields.reason, VerdictOf(fields.reason),
                fields.marks_confirm, fields.issued_at_random};
    }
    template <RuleSet kSet>
    SsnJudgement JudgeAnyStrict(std::string_view text) const;

    SsnRules rules_;
    SsnNumber carried_;
};

// JudgeWholeText's judgement of a text in no usual shape, from a copy with room behind it. Apart, so that the
// usual shapes' path keeps no room for the copy (10 instructions a number fewer in the library's loop, callgrind).
template <RuleSet kSet>
SsnJudgement JudgeCopiedText(const SsnJudge& judge, std::string_view text) {
    const bytes::ReadableCopy readable(text.substr(0, text.find('\0')));
    SsnJudgement judgement = judge.JudgeAs<kSet>(readable.Get());
    if (judgement.digits != nullptr) judgement.digits = readable.InText(judgement.digits);
    return judgement;
}

// The strict judgement of a text that may end anywhere, no byte past it readable, up to its first NUL as every
// text the program reads ends there. Where the number stands in the text, its digits point into `text`.
template <RuleSet kSet>
SsnJudgement JudgeWholeText(const SsnJudge& judge, std::string_view text) {
    // The usual shapes hold no NUL, and are read where they stand.
    const UsualShape shape = WholeUsualShapeWithin(text.data(), text.size());
    if (shape.Found()) return judge.JudgeShapeAs<kSet>(text.data(), shape);
    return JudgeCopiedText<kSet>(judge, text);
}

}  // namespace kalderos::ssn
