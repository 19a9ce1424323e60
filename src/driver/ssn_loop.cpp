// The text format's SSN loop: every text is judged and its result line printed straight into the output
// buffer.
#include <string_view>

#include "driver/text_loop.h"
#include "io/output_stream.h"
#include "ssn/result_line.h"
#include "ssn/ssn_judgement.h"

namespace kalderos {

int RunSsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    if (!options.quiet) Out().Write("\n");
    ssn::SsnJudge judge(rules);
    OutputStream& out = Out();
    static_assert(TextSource::kReadAhead >= ssn::kSsnReadAhead);
    const auto print = [&](std::string_view text) {
        char* const line = out.Reserve(kMaxResultLineLength);
        out.Commit(ssn::PrintResultLine(judge.JudgeCarried(text.data(), text.size()), line));
        out.EndOfLine();
    };
    if (!options.fail_on_invalid) {
        return CheckEveryText(texts, options, [&](std::string_view text) { return print(text), false; }, [] {});
    }
    // The line reads a text leniently; what fails is judged as the records judge it.
    const auto print_and_judge = [&](std::string_view text) {
        print(text);
        return judge.Judge(LineContent(text)).Fails();
    };
    return CheckEveryText(texts, options, print_and_judge, [] {});
}

}  // namespace kalderos
