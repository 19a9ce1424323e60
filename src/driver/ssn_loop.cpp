// The SSN loop: every text is parsed, judged and formatted straight into the output buffer.
#include <string_view>

#include "driver/check_loops.h"
#include "driver/load_group_table.h"
#include "driver/output_stream.h"
#include "driver/terminate.h"

namespace kalderos {

void RunSsnLoop(TextSource& texts, const RunOptions& options, HighestGroupTable& table) {
    LoadHighestGroupTable(options, table);
    // The area names are built into the program; nothing is left to build here.
    Out().Write("\n");
    SsnNumber number;
    OutputStream& out = Out();
    std::string_view text;
    while (texts.Next(text)) {
        ParseSsn(text, number);
        const SsnVerdict verdict = JudgeSsn(number, table);
        char* line = out.Reserve(kMaxResultLineLength);
        out.Commit(FormatResultLine(number, verdict, table, line));
        out.EndOfLine();
    }
    TerminateRun(kExitDone);
}

}  // namespace kalderos
