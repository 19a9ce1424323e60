// The skeleton every loop over the texts shares, whatever it checks and prints: each text through one step,
// the list file closed at the end, and the exit code returned, never the run ended here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "card/card_type_table.h"
#include "driver/csv_row_step.h"
#include "driver/run_failure.h"
#include "driver/run_state.h"
#include "io/diagnostics.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "lists/block_loop.h"
#include "lists/text_source.h"
#include "platform/platform.h"
#include "ssn/ssn_rules.h"

namespace kalderos {

// What every loop does once its texts are exhausted: reports the failure that ended the input, or closes the
// list file and lets `finish` print what ends the output. Returns the run's exit code.
template <class Finish>
[[nodiscard]] int EndOfTexts(std::optional<RunFailure> failure, const RunOptions& options, bool any_failed,
                             Finish&& finish) {
    if (failure) return ReportRunFailure(*failure, options, options.list_file_path.View());
    if (options.list_file >= 0) platform::CloseFile(options.list_file);
    finish();
    return options.fail_on_invalid && any_failed ? kExitInvalidFound : kExitDone;
}

// Why the console's lines ended early, as the run reports it.
[[nodiscard]] inline std::optional<RunFailure> ConsoleFailure(const TextSource& texts) {
    const std::optional<InputFailure> failure = texts.Failure();
    if (!failure) return std::nullopt;
    switch (*failure) {
        case InputFailure::kRead:
            return RunFailure::kConsoleRead;
        case InputFailure::kNoMemory:
            return RunFailure::kNoMemory;
    }
    return std::nullopt;
}

// Runs every text through a step made by `make_step(OutputStream&)` for the run's output: the numbers given as
// arguments and the console's lines whole (`Check`), a list's lines as the block loop hands them out
// (`CheckLine`, see block_loop.h), by as many threads as the run has jobs. Each prints its output and says
// whether the text fails; once the texts are exhausted the step's `EndOfLines` says whether the line the list
// ended in fails. Then, unless the input ended in a failure (which is reported), `finish(step)` prints what ends
// the output, from the counts of every text the step holds then. Returns the run's exit code: the failure's, else 0, or 1 when a text failed and --fail-on-invalid
// asked for it.
// The failure a read error in the list comes to: standard input is read as a list when no list file was named.
[[nodiscard]] inline std::optional<RunFailure> ListFailure(const ListChecked& list, const RunOptions& options) {
    if (!list.read_failed) return std::nullopt;
    return options.list_file >= 0 ? RunFailure::kListFileRead : RunFailure::kConsoleRead;
}

// The rows of a CSV input, each row's field in the column through a step made by `make_step`, as CheckEveryText
// has it. A header without the column, and a quote left open at the end of the input after the rows before it
// were checked, end the run with a message and kExitInputFailed.
template <class MakeStep, class Finish>
[[nodiscard]] int CheckCsvRows(const TextSource& texts, const RunOptions& options, MakeStep& make_step,
                               Finish& finish) {
    // Without a header row the column is known by its number alone.
    CsvLayout layout{options.column.number > 0 ? options.column.number - 1 : 0, 0};
    const auto make_row_step = [&](OutputStream& out) { return CsvRowStep(make_step(out), out, layout, options); };
    auto step = make_row_step(Out());
    const ListChecked list =
        CheckList(texts.List(), options.jobs, LineReader::LongLines::kCsvRows, step, make_row_step);
    if (list.refused) return kExitInputFailed;
    const std::optional<RunFailure> failure = ListFailure(list, options);
    if (!failure && list.open_quote_line != 0) {
        Diagnose(CsvInputShown(options) + ":" + std::to_string(list.open_quote_line) +
                 ": a quoted field is still open at the end of the input");
        return kExitInputFailed;
    }
    const bool any_failed = list.any_failed | step.EndOfLines();
    return EndOfTexts(failure, options, any_failed, [&] { finish(step.Checked()); });
}

template <class MakeStep, class Finish>
[[nodiscard]] int CheckEveryText(TextSource& texts, const RunOptions& options, MakeStep&& make_step,
                                 Finish&& finish) {
    if (options.column.Given()) return CheckCsvRows(texts, options, make_step, finish);
    auto step = make_step(Out());
    bool any_failed = false;
    for (std::string_view text = texts.Next(); !TextSource::Exhausted(text); text = texts.Next()) {
        any_failed |= step.Check(text);
    }
    std::optional<RunFailure> failure = ConsoleFailure(texts);
    if (texts.List() >= 0) {
        const auto long_lines = options.whole_lines ? LineReader::LongLines::kWhole : LineReader::LongLines::kPieces;
        const ListChecked list = CheckList(texts.List(), options.jobs, long_lines, step, make_step);
        any_failed |= list.any_failed;
        if (list.read_failed) failure = ListFailure(list, options);
    }
    any_failed |= step.EndOfLines();
    return EndOfTexts(failure, options, any_failed, [&] { finish(step); });
}

// The loops of the text format: SSN result lines and card lines. The reference program of the tests brings
// plain loops of its own in their place.
template <RuleSet kRules>
[[nodiscard]] int RunSsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules);
template <RuleSet kRules>
[[nodiscard]] int RunCardTextLoop(TextSource& texts, const RunOptions& options);

}  // namespace kalderos
