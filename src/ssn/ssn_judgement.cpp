// Judging a text: the usual shapes are read where their digits stand and judged through the rules' tables;
// any other shape takes the library's own steps.
#include "ssn/ssn_judgement.h"


#include "bytes/char_class.h"
#include "rules/rule_sets.h"

namespace kalderos::ssn {
StrictReading ReadStrict(std::string_view text) {
    // The trimmed text may end where no byte may be read past it.
    const std::string_view trimmed = bytes::TrimSpace(text);
    const bytes::ReadableCopy readable(trimmed);
    const bytes::Sixteen first = bytes::Sixteen::Load(readable.Get().data());
    const UsualShape usual = WholeUsualShapeOf(first, trimmed.size());
    const UsualShape shape = usual.Found() ? usual : WholeSpacedShapeOf(first, trimmed.size());
    return {trimmed.data(), shape, trimmed.empty()};
}

template <RuleSet kSet>
SsnJudgement SsnJudge::JudgeAnyStrict(std::string_view text) const {
    // A text without blanks around it was read whole already, unless it is as long as the spaced shape.
    if (!text.empty() && !bytes::IsSpace(text.front()) && !bytes::IsSpace(text.back()) &&
        text.size() != kDashedShape.Length()) {
        return {};
    }
    const StrictReading reading = ReadStrict(text);
    if (reading.shape.Found()) return JudgeFields<kSet>(reading.start, reading.shape);
    SsnJudgement none;
    if (reading.empty) none.reason = SsnReason::Empty;
    return none;
}

template <RuleSet kSet>
SsnJudgement SsnJudge::JudgeAnyShape(std::string_view text) {
    ParseSsn(text, carried_);
    // Fields within their widths, as nearly every reading gives, are judged through the rules' tables.
    const bool within = static_cast<std::uint32_t>(carried_.area) < 1000 &&
                        static_cast<std::uint32_t>(carried_.group) < 100 &&
                        static_cast<std::uint32_t>(carried_.serial) < 10000;
    const FieldsJudged fields = within ? rules_.JudgeAs<kSet>(carried_.area, carried_.group, carried_.serial)
                                       : JudgeAnyFields<kSet>(carried_, rules_.Table());
    return {carried_, nullptr, {}, fields.reason, VerdictOf(fields.reason), fields.marks_confirm,
            fields.issued_at_random};
}

#define KALDEROS_MADE_FOR(kSet) \
    template SsnJudgement SsnJudge::JudgeAnyStrict<kSet>(std::string_view) const; \
    template SsnJudgement SsnJudge::JudgeAnyShape<kSet>(std::string_view);
KALDEROS_EACH_RULE_SET(KALDEROS_MADE_FOR)
#undef KALDEROS_MADE_FOR

}  // namespace kalderos::ssn
