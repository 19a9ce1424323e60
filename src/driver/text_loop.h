// The skeleton every loop over the texts shares, whatever it checks and prints: each text through one step,
// the list file closed at the end, and the exit code returned, never the run ended here.
#pragma once

#include <concepts>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "card/card_type_table.h"
#include "csv/csv_writer.h"
#include "rows/csv_row_step.h"
#include "driver/csv_start.h"
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

// A step that checks a CSV cell's value, a text without a line end to drop.
template <class Step>
concept ChecksCells = requires(Step& step, bytes::Readable value) {
    { step.CheckCell(value) } -> std::same_as<bool>;
};

// The rows of a CSV input, each row's cell in the column through a step made by `make_step`, as CheckEveryText
// has it. A header without the column ends the run before any row is checked; a quote left open at the end of
// the input, and a row too long to be held, end it after the rows before were checked; each with a message and
// kExitInputFailed.
template <class MakeStep, class Finish>
[[nodiscard]] int CheckCsvRows(const TextSource& texts, const RunOptions& options, MakeStep& make_step,
                               Finish& finish) {
    BlockReader reader(texts.List(), ListBlockBytes(), CsvRows{options.delimiter});
    CsvLayout layout;
    const CsvStart start = TakeCsvStart(reader, options, layout);
    if (start.refused) return kExitInputFailed;
    const CsvRowOptions row_options{options.delimiter, options.EchoesCsvRows()};
    const auto make_row_step = [&](OutputStream& out) { return MakeCsvRowStep(make_step, out, layout, row_options); };
    auto step = make_row_step(Out());
    if (options.EchoesCsvRows()) {
        platform::KeepOutputLineEnds();
        // The mark a spreadsheet reads the output as UTF-8 by, where the input came with one.
        if (start.byte_order_mark && start.has_rows) Out().Write(csv::kByteOrderMark);
    }
    if (start.header) {
        std::vector<csv::Cell> cells;
        step.Header(start.HeaderRow(cells));
    }
    const ListChecked list = CheckBlocks(reader, options.jobs, LineReader::LongLines::kWhole, step, make_row_step);
    const std::optional<RunFailure> failure = ListFailure(list, options);
    if (!failure) {
        if (const std::optional<std::string> problem = CsvInputProblem(reader, options)) {
            Diagnose(*problem);
            return kExitInputFailed;
        }
    }
    const bool any_failed = list.any_failed | step.EndOfLines();
    return EndOfTexts(failure, options, any_failed, [&] { finish(step.Checked()); });
}

template <class MakeStep, class Finish>
[[nodiscard]] int CheckEveryText(TextSource& texts, const RunOptions& options, MakeStep&& make_step,
                                 Finish&& finish) {
    // CSV input comes with long options, whose steps alone check cells; the others' lists are lines.
    if constexpr (ChecksCells<decltype(make_step(Out()))>) {
        if (options.column.Given()) return CheckCsvRows(texts, options, make_step, finish);
    }
    auto step = make_step(Out());
    bool any_failed = false;
    for (bytes::Readable text = texts.Next(); !TextSource::Exhausted(text); text = texts.Next()) {
        any_failed |= step.Check(text);
    }
    std::optional<RunFailure> failure = ConsoleFailure(texts);
    if (texts.List() >= 0) {
        const auto long_lines = options.whole_lines ? LineReader::LongLines::kWhole : LineReader::LongLines::kPieces;
        const ListMarks marks = options.conventions.reads_byte_order_marks ? ListMarks::kRead : ListMarks::kAsBytes;
        const ListChecked list = CheckList(texts.List(), options.jobs, long_lines, marks, step, make_step);
        any_failed |= list.any_failed;
        if (list.read_failed) failure = ListFailure(list, options);
    }
    any_failed |= step.EndOfLines();
    return EndOfTexts(failure, options, any_failed, [&] { finish(step); });
}

}  // namespace kalderos
