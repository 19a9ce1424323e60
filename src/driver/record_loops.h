// The loops of the record formats, and the strict judging they share with --fail-on-invalid: a text is a
// number only when, blanks trimmed, it is exactly NNN-NN-NNNN or nine digits; records never invent digits.
#pragma once

#include <string_view>

#include "driver/long_options.h"
#include "driver/run_state.h"
#include "driver/text_source.h"

namespace kalderos {

struct RecordFormat {
    OutputFormat format;
    bool header;
};

// One record per text, in input order; each ends the run through TerminateRun.
[[noreturn]] void RunSsnRecords(TextSource& texts, const RunOptions& options, HighestGroupTable& table,
                                RecordFormat format);
[[noreturn]] void RunCardRecords(TextSource& texts, const RunOptions& options, RecordFormat format);

// What --fail-on-invalid counts: an SSN text that is malformed or invalid (unknown passes); a card text whose
// reason is not ok.
[[nodiscard]] bool SsnTextFails(std::string_view text, const HighestGroupTable& table);
[[nodiscard]] bool CardTextFails(std::string_view text);

// The exit code of a run whose texts are all done: kExitInvalidFound when one failed and it was asked for.
[[nodiscard]] int DoneExitCode(const RunOptions& options, bool any_failed);

}  // namespace kalderos
