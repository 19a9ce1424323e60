// The text format's SSN loop under one rule set: every text is judged and its result line printed straight into
// the output buffer. Each rule set's loop is made in a file of its own (ssn_loop.cpp, ssn_loop_current.cpp), so
// that the compiler inlines the steps of each as it would those of a single loop.
#pragma once

#include <string_view>

#include "driver/text_loop.h"
#include "io/output_stream.h"
#include "ssn/result_line.h"
#include "ssn/ssn_judgement.h"

namespace kalderos {

template <ssn::SsnRuleSet kSet>
int SsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    ssn::SsnJudge judge(rules);
    OutputStream& out = Out();
    static_assert(TextSource::kReadAhead >= ssn::kSsnReadAhead);
    const auto print = [&](std::string_view text) {
        char* const line = out.Reserve(kMaxResultLineLength);
        out.Commit(ssn::PrintResultLine(judge.JudgeCarriedAs<kSet>(text.data(), text.size()), line));
        out.EndOfLine();
    };
    if (!options.fail_on_invalid) {
        return CheckEveryText(texts, options, [&](std::string_view text) { return print(text), false; }, [] {});
    }
    // The line reads a text leniently; what fails is judged as the records judge it.
    const auto print_and_judge = [&](std::string_view text) {
        print(text);
        return judge.JudgeAs<kSet>(LineContent(text)).Fails();
    };
    return CheckEveryText(texts, options, print_and_judge, [] {});
}

extern template int SsnTextLoop<ssn::SsnRuleSet::Classic>(TextSource&, const RunOptions&, const ssn::SsnRules&);
extern template int SsnTextLoop<ssn::SsnRuleSet::Current>(TextSource&, const RunOptions&, const ssn::SsnRules&);

}  // namespace kalderos
