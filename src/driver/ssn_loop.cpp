// The text format's SSN loop: every text is judged and its result line printed straight into the output
// buffer, by the loop of the rule set, chosen once for the whole list.
#include <climits>
#include <cstdint>
#include <string_view>

#include "driver/order_of_issue_hint.h"
#include "driver/ssn_tally.h"
#include "driver/text_loop.h"
#include "driver/unread_line.h"
#include "io/output_stream.h"
#include "lists/line_core.h"
#include "ssn/result_line.h"
#include "ssn/ssn_judgement.h"
#include "ssn/ssn_shape.h"

namespace kalderos {
namespace {

// The result line of each text, read leniently; with --fail-on-invalid or when the run counts the numbers the
// order of issue alone made invalid (`strict`), each line is also judged as the records judge it: a line in
// pieces once, as a whole, when its last piece has come.
template <RuleSet kSet>
class SsnTextStep {
public:
    // What a block's last text leaves to the next block: the number the lenient reading carries, and the line
    // the last texts began where it goes on in the next block.
    struct Carry {
        SsnNumber number;
        PiecedLine line;
    };

    using Tally = NotIssuedTally;

    SsnTextStep(OutputStream& out, const ssn::SsnRules& rules, bool strict)
        : out_(out), judge_(rules), strict_(strict) {}

    void Print(std::string_view text) {
        static_assert(TextSource::kReadAhead >= ssn::kSsnReadAhead);
        char* const line = out_.Reserve(kMaxResultLineLength);
        out_.Commit(ssn::PrintCarriedLineAs<kSet>(judge_, text.data(), text.size(), line));
        out_.EndOfLine();
    }
    bool Check(std::string_view text) {
        if (!strict_) return Print(text), false;
        return PrintAndJudge(text);
    }
    bool CheckLine(std::string_view text) {
        if (!strict_) return Print(text), false;
        if (!line_.Takes(text)) return PrintAndJudge(text);
        Print(text);
        return line_.Add(text, [this](std::string_view middle) { return Fails(middle); });
    }
    bool EndOfLines() {
        return line_.Finish([this](std::string_view middle) { return Fails(middle); });
    }

    // A text's line shows the number carried into it with the fields the text has put in; a block's first
    // texts wait for the number the block before ends with until every field comes from the block itself, and
    // when strict until a line begins in it.
    bool Settles(std::string_view text, bool begins_line) {
        SsnNumber read = partial_;
        ParseSsn(text, read);
        if (read.area == kUnread || read.group == kUnread || read.serial == kUnread ||
            (strict_ && !begins_line)) {
            partial_ = read;
            return false;
        }
        // The fields still unread are all put in by this text.
        judge_.Carry(partial_);
        return true;
    }
    [[nodiscard]] Carry Carried() const { return {judge_.Carried(), line_}; }
    void Resume(const Carry& carried) {
        judge_.Carry(carried.number);
        line_ = carried.line;
    }
    [[nodiscard]] Tally Tallied() const { return tally_; }
    void AddTally(const Tally& tally) { tally_.Add(tally); }

private:
    static constexpr std::int32_t kUnread = INT32_MIN;  // no reading gives it

    // Prints a whole text's line and judges it strictly: a text that is one of the usual shapes, whole, reads
    // alike both ways, so its line's judgement is taken rather than made twice (the hint judges every line).
    bool PrintAndJudge(std::string_view text) {
        int fails = -1;
        char* const line = out_.Reserve(kMaxResultLineLength);
        out_.Commit(judge_.template WithCarriedAs<kSet>(
            text.data(), text.size(), [&](const ssn::SsnJudgement& judgement) {
                // The shape and at most its line feed: no NUL can hide in it.
                const std::size_t extra = text.size() - judgement.shape.Length();
                if (judgement.digits == text.data() && (extra == 0 || (extra == 1 && text.back() == '\n'))) {
                    tally_.Count(judgement.reason);
                    fails = judgement.Fails() ? 1 : 0;
                }
                return ssn::PrintResultLine<kSet>(judgement, line);
            }));
        out_.EndOfLine();
        return fails < 0 ? Fails(LineContent(text)) : fails == 1;
    }
    bool Fails(std::string_view content) {
        const ssn::SsnJudgement judgement = judge_.template JudgeAs<kSet>(content);
        tally_.Count(judgement.reason);
        return judgement.Fails();
    }

    OutputStream& out_;
    ssn::SsnJudge judge_;
    bool strict_;
    Tally tally_;
    SsnNumber partial_{kUnread, kUnread, kUnread};  // the fields the block's texts have put in so far
    PiecedLine line_;
};

// Under a long option: the result line of each text judged on its own, as the records judge it, so that the
// line, the records and --fail-on-invalid say the same of it; a list's lines come whole.
template <RuleSet kSet>
class SsnStrictTextStep : public CarriesNothing {
public:
    using Tally = NotIssuedTally;

    SsnStrictTextStep(OutputStream& out, const ssn::SsnJudge& judge) : out_(out), judge_(judge) {}
    // Inlined into the list's loop, as the record steps are.
    [[gnu::always_inline]] bool CheckLine(std::string_view text) {
        static_assert(TextSource::kReadAhead >= ssn::kSsnReadAhead);
        // A usual shape, whole but for its line feed, holds no NUL: judged without looking for one.
        std::string_view line = text;
        if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
        const ssn::UsualShape shape = ssn::WholeUsualShape(line.data(), line.size());
        if (shape.Found()) [[likely]] return PrintNumber(judge_.template JudgeShapeAs<kSet>(line.data(), shape));
        const std::string_view input = LineContent(text);
        const ssn::SsnJudgement judgement = judge_.template JudgeAs<kSet>(input);
        if (judgement.WellFormed()) return PrintNumber(judgement);
        PrintUnreadLine(out_, input, judgement.reason);
        out_.EndOfLine();
        tally_.Count(judgement.reason);
        return judgement.Fails();
    }
    bool Check(std::string_view text) { return CheckLine(text); }
    [[nodiscard]] Tally Tallied() const { return tally_; }
    void AddTally(const Tally& tally) { tally_.Add(tally); }

private:
    [[gnu::always_inline]] bool PrintNumber(const ssn::SsnJudgement& judgement) {
        char* const line = out_.Reserve(kMaxResultLineLength);
        out_.Commit(ssn::PrintResultLine<kSet>(judgement, line));
        out_.EndOfLine();
        tally_.Count(judgement.reason);
        return judgement.Fails();
    }

    OutputStream& out_;
    const ssn::SsnJudge& judge_;
    Tally tally_;
};

template <RuleSet kSet>
int SsnStrictTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    const ssn::SsnJudge judge(rules);
    return CheckEveryText(
        texts, options, [&](OutputStream& out) { return SsnStrictTextStep<kSet>(out, judge); },
        [&](const SsnStrictTextStep<kSet>& step) { HintAtOrderOfIssue(options, step.Tallied().count); });
}

template <RuleSet kSet>
int SsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    const bool strict = options.fail_on_invalid || options.hint_order_of_issue;
    return CheckEveryText(
        texts, options, [&](OutputStream& out) { return SsnTextStep<kSet>(out, rules, strict); },
        [&](const SsnTextStep<kSet>& step) { HintAtOrderOfIssue(options, step.Tallied().count); });
}

}  // namespace

template <RuleSet kSet>
int RunSsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    if (!options.quiet) Out().Write("\n");
    if (options.gnu_conventions) return SsnStrictTextLoop<kSet>(texts, options, rules);
    return SsnTextLoop<kSet>(texts, options, rules);
}

template int RunSsnTextLoop<RuleSet::Classic>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunSsnTextLoop<RuleSet::Current>(TextSource&, const RunOptions&, const ssn::SsnRules&);

}  // namespace kalderos
