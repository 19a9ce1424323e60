// The text format's SSN loop: every text is judged and its result line printed straight into the output
// buffer, by the loop of the rule set, chosen once for the whole list.
#include <climits>
#include <cstdint>
#include <string_view>

#include "driver/loops.h"
#include "driver/text_loop.h"
#include "io/output_stream.h"
#include "lists/block_loop.h"
#include "records/unread_line.h"
#include "rows/ssn_tally.h"
#include "rules/rule_sets.h"
#include "ssn/result_line.h"
#include "ssn/ssn_judgement.h"
#include "ssn/ssn_shape.h"

namespace kalderos {
namespace {

// Without long options: the result line of each text, read leniently, a field the text lacks carried from the
// text before; a list's long lines come in pieces, each a text of its own. Nothing fails and nothing is counted:
// --fail-on-invalid and the count of the order of issue come with long options only.
template <RuleSet kSet>
class SsnTextStep : public TalliesNothing {
public:
    // What a block's last text leaves to the next block: the number the lenient reading carries.
    using Carry = SsnNumber;

    SsnTextStep(OutputStream& out, const ssn::SsnRules& rules) : out_(out), judge_(rules) {}

    bool CheckLine(bytes::Readable text) {
        char* const line = out_.Reserve(kMaxResultLineLength);
        out_.Commit(ssn::PrintCarriedLineAs<kSet>(judge_, text, line));
        out_.EndOfLine();
        return false;
    }
    bool Check(bytes::Readable text) { return CheckLine(text); }
    static bool EndOfLines() { return false; }

    // A text's line shows the number carried into it with the fields the text has put in; a block's first
    // texts wait for the number the block before ends with until every field comes from the block itself.
    bool Settles(std::string_view text, bool /*begins_line*/) {
        SsnNumber read = partial_;
        ParseSsn(text, read);
        if (read.area == kUnread || read.group == kUnread || read.serial == kUnread) {
            partial_ = read;
            return false;
        }
        // The fields still unread are all put in by this text.
        judge_.Carry(partial_);
        return true;
    }
    [[nodiscard]] Carry Carried() const { return judge_.Carried(); }
    void Resume(const Carry& carried) { judge_.Carry(carried); }

private:
    static constexpr std::int32_t kUnread = INT32_MIN;  // no reading gives it

    OutputStream& out_;
    ssn::SsnJudge judge_;
    SsnNumber partial_{kUnread, kUnread, kUnread};  // the fields the block's texts have put in so far
};

// Under a long option: the result line of each text judged on its own, as the records judge it, so that the
// line, the records and --fail-on-invalid say the same of it; a list's lines come whole.
template <RuleSet kSet>
class SsnStrictTextStep : public CarriesNothing {
public:
    using Tally = NotIssuedTally;

    SsnStrictTextStep(OutputStream& out, const ssn::SsnJudge& judge, const GroupFileAreas& named)
        : out_(out), judge_(judge), named_(named) {}
    bool CheckLine(bytes::Readable text) { return CheckCell(WithoutLineFeed(text)); }
    // A text without a line end: a line's, or a CSV cell's value.
    bool CheckCell(bytes::Readable value) {
        // A usual shape, whole, holds no NUL: judged without looking for one.
        const ssn::UsualShape shape = ssn::WholeUsualShape(value);
        if (!shape.Found()) [[unlikely]] return CheckAnyShape(value);
        const ssn::SsnJudgement judgement = judge_.template JudgeShapeAs<kSet>(value.data(), shape);
        char* const out = out_.Reserve(kMaxResultLineLength);
        out_.Commit(ssn::PrintShapeLine<kSet>(judgement, out));
        return Counted(judgement);
    }
    bool Check(bytes::Readable text) { return CheckLine(text); }
    [[nodiscard]] Tally Tallied() const { return tally_; }
    void AddTally(const Tally& tally) { tally_.Add(tally); }

private:
    // The texts in no usual shape, apart: the usual shapes' judgement then goes to their printer in registers,
    // not through the one judgement both paths would share (12 instructions a line fewer, callgrind).
    bool CheckAnyShape(bytes::Readable value) {
        const bytes::Readable input = UpToNul(value);
        const ssn::SsnJudgement judgement = judge_.template JudgeAs<kSet>(input);
        if (judgement.WellFormed()) {
            char* const out = out_.Reserve(kMaxResultLineLength);
            out_.Commit(ssn::PrintResultLine<kSet>(judgement, out));
        } else {
            PrintUnreadLine(out_, input, judgement.reason);
        }
        return Counted(judgement);
    }
    bool Counted(const ssn::SsnJudgement& judgement) {
        out_.EndOfLine();
        tally_.template Count<kSet>(judgement.reason, judgement.number.area, named_);
        return judgement.Fails();
    }

    OutputStream& out_;
    const ssn::SsnJudge& judge_;
    const GroupFileAreas& named_;
    Tally tally_;
};

template <RuleSet kSet>
int SsnStrictTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    const ssn::SsnJudge judge(rules);
    return CheckEveryText(
        texts, options, [&](OutputStream& out) { return SsnStrictTextStep<kSet>(out, judge, options.group_file_areas); },
        [&](const SsnStrictTextStep<kSet>& step) { HintAtOrderOfIssue(options, step.Tallied()); });
}

template <RuleSet kSet>
int SsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    return CheckEveryText(
        texts, options, [&](OutputStream& out) { return SsnTextStep<kSet>(out, rules); },
        [](const SsnTextStep<kSet>& /*step*/) {});
}

}  // namespace

template <RuleSet kSet>
int RunSsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    if (!options.quiet) Out().Write("\n");
    if (options.conventions.strict_texts) return SsnStrictTextLoop<kSet>(texts, options, rules);
    return SsnTextLoop<kSet>(texts, options, rules);
}

#define KALDEROS_MADE_FOR(kSet) \
    template int RunSsnTextLoop<kSet>(TextSource&, const RunOptions&, const ssn::SsnRules&);
KALDEROS_EACH_RULE_SET(KALDEROS_MADE_FOR)
#undef KALDEROS_MADE_FOR

}  // namespace kalderos
