// The skeleton every loop over the texts shares, whatever it checks and prints: each text through one step,
// the list file closed at the end, and the exit code returned, never the run ended here.
#pragma once

#include <string_view>

#include "card/card_type_table.h"
#include "driver/run_failure.h"
#include "driver/run_state.h"
#include "driver/text_source.h"
#include "io/terminate.h"
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

// Runs `check` on every text; it prints the text's output and returns whether the text fails. Then, unless the
// input ended in a failure (which is reported), `finish` prints what ends the output. Returns the run's exit
// code: the failure's, else 0, or 1 when a text failed and --fail-on-invalid asked for it.
template <class Check, class Finish>
[[nodiscard]] int CheckEveryText(TextSource& texts, const RunOptions& options, Check&& check, Finish&& finish) {
    bool any_failed = false;
    for (std::string_view text = texts.Next(); !TextSource::Exhausted(text); text = texts.Next()) {
        any_failed |= check(text);
    }
    return EndOfTexts(texts.Failure(), options, any_failed, finish);
}

// The same, where whether the last text fails is known only once the texts are exhausted (a line in pieces):
// `last_fails` tells.
template <class Check, class LastFails, class Finish>
[[nodiscard]] int CheckEveryText(TextSource& texts, const RunOptions& options, Check&& check, LastFails&& last_fails,
                                 Finish&& finish) {
    bool any_failed = false;
    for (std::string_view text = texts.Next(); !TextSource::Exhausted(text); text = texts.Next()) {
        any_failed |= check(text);
    }
    any_failed |= last_fails();
    return EndOfTexts(texts.Failure(), options, any_failed, finish);
}

// The loops of the text format: SSN result lines and card lines. The reference program of the tests brings
// plain loops of its own in their place.
template <RuleSet kRules>
[[nodiscard]] int RunSsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules);
template <RuleSet kRules>
[[nodiscard]] int RunCardTextLoop(TextSource& texts, const RunOptions& options);

}  // namespace kalderos
