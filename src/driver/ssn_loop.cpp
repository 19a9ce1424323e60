// The SSN loop: every text is parsed, judged and formatted straight into the output buffer.
#include <string_view>

#include "driver/check_loops.h"
#include "driver/load_group_table.h"
#include "driver/record_loops.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "ssn/ssn_checker.h"

namespace kalderos {

void RunSsnLoop(TextSource& texts, const RunOptions& options, HighestGroupTable& table) {
    LoadHighestGroupTable(options, table);
    if (!options.quiet) Out().Write("\n");
    ssn::SsnChecker checker(table);
    OutputStream& out = Out();
    // List-file texts may be read past their end; the one argument and console lines are copied first.
    const bool read_ahead = texts.ReadAhead() >= ssn::kSsnReadAhead;
    bool any_failed = false;
    for (std::string_view text = texts.Next(); !TextSource::Exhausted(text); text = texts.Next()) {
        char* const line = out.Reserve(kMaxResultLineLength);
        out.Commit(read_ahead ? checker.CheckReadable(text.data(), text.size(), line) : checker.Check(text, line));
        out.EndOfLine();
        if (options.fail_on_invalid) any_failed |= SsnTextFails(text, table);
    }
    TerminateRun(DoneExitCode(options, any_failed));
}

}  // namespace kalderos
