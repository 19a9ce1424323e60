// Start-up in its fixed order, then the loop of the run's mode and format over the texts to check. Every step
// returns to here, and the run ends here, with the exit code the step returned.
#include "driver/run_program.h"

#include <cstdlib>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "console/banner.h"
#include "console/help_screen.h"
#include "console/usage_text.h"
#include "driver/command_line.h"
#include "driver/load_group_table.h"
#include "driver/long_options.h"
#include "driver/loops.h"
#include "driver/run_failure.h"
#include "driver/run_state.h"
#include "driver/text_loop.h"
#include "io/diagnostics.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "lists/list_workers.h"
#include "lists/text_source.h"
#include "platform/platform.h"
#include "records/record_writer.h"
#include "rules/rule_sets.h"
#include "ssn/ssn_rules.h"

namespace kalderos {
namespace {

bool g_streams_made = false;

// Memory the run needs and cannot get, whichever allocation it is, ends the run with 6 and no message in every
// format (unless Ctrl-C made the allocation fail); what was printed before is still written out. A thread that
// checks part of a list hands the failure to the thread that writes, which ends the run. Before the two
// streams are made nothing has been printed, and ending through them would make them anew in the middle of
// making them.
void OnNoMemory() {
    if (OnListWorker()) throw std::bad_alloc();
    if (!g_streams_made) std::exit(kExitOutOfMemory);
    CheckInterrupt();
    TerminateRun(kExitOutOfMemory);
}

// In place before the first allocation: the runtime's "nothrow" new throws inside, and without memory even for
// that exception the process would abort.
void PrepareForMissingMemory() {
    std::set_new_handler(OnNoMemory);
    if (!Out().Usable() || !Err().Usable()) std::exit(kExitOutOfMemory);
    g_streams_made = true;
}

// A list file that is also standard output, written where it is still to be read, would be read back without
// end (as `cat f >> f` would); refused before anything is checked. So is standard input, whether it is read as
// the list or answers the console's prompts; a terminal or a pipe is never such a file. An output that cannot
// be written at all (closed, so that the list took its descriptor, or open for reading only) is left to fail at
// the first write, which names the real fault. The refusal's exit code, if any.
std::optional<int> RefuseInputThatIsOutput(const RunOptions& options) {
    if (!platform::OpenForWriting(platform::kStandardOutput)) return std::nullopt;
    if (options.list_file >= 0) {
        if (!platform::OutputFeedsInput(options.list_file, platform::kStandardOutput)) return std::nullopt;
        return ReportRunFailure(RunFailure::kListFileIsOutput, options, options.list_file_path.View());
    }
    if (platform::OutputFeedsInput(platform::kStandardInput, platform::kStandardOutput)) {
        return ReportRunFailure(RunFailure::kStandardInputIsOutput, options);
    }
    return std::nullopt;
}

// "'-i'": the option a stop of GNU conventions refuses.
std::string OptionShown(const CommandLine& command_line) {
    return Quoted(std::string("-") + command_line.option_letter);
}

// A command line that cannot be used: the help screen for a bad option (whose exit code stays 5 even when
// standard output cannot take the help), the failure's message for a list file that cannot be opened. Under GNU
// conventions no paged screen, only a line on standard error that names the option.
std::optional<int> StopCode(const CommandLine& command_line, const RunOptions& options) {
    switch (command_line.stop) {
        case CommandLine::Stop::kNone:
            return std::nullopt;
        case CommandLine::Stop::kBadOption:
            if (options.conventions.failure_on_one_line) {
                const std::string letter = Quoted({&command_line.option_letter, 1});
                Err().Write("kalderos: " +
                            std::string(command_line.value_missing ? "option requires an argument -- "
                                                                   : "invalid option -- ") +
                            letter + "\nTry 'kalderos --help' for more information.\n");
                return kExitUsage;
            }
            KeepExitCodeOnWriteFailure(kExitUsage);
            ShowHelp();
            return kExitUsage;
        case CommandLine::Stop::kListFileNotOpened:
            return ReportRunFailure(RunFailure::kListFileOpen, options, command_line.list_file_shown);
        case CommandLine::Stop::kSecondListFile:
            Diagnose("option " + OptionShown(command_line) + " may be given only once");
            return kExitUsage;
        case CommandLine::Stop::kGroupFileInCardMode:
            Diagnose("option " + OptionShown(command_line) + " cannot be used with '-C'");
            return kExitUsage;
    }
    return std::nullopt;
}

// Options of CSV input that cannot go together; the exit code of their refusal.
std::optional<int> RefuseCsvOptions(const RunOptions& options, const LongOptions& read) {
    if (read.delimiter_given && !options.column.Given()) {
        Diagnose("option '--delimiter' parts the fields of CSV input, which only '--column' reads");
    } else if (options.output_delimiter != 0 &&
               (!options.column.Given() || options.format != OutputFormat::Csv || options.summary)) {
        // The reason named is one this run gave.
        Diagnose(std::string("option '--output-delimiter' parts the fields of the rows that '--column' and "
                             "'--format=csv' write") +
                 (options.summary ? ", and '--summary' writes none" : ""));
    } else if (!options.column.name.empty() && !options.header) {
        Diagnose("option '--column' names a column of the header row, which '--no-header' says the input lacks; "
                 "give the column's number");
    } else {
        return std::nullopt;
    }
    return kExitUsage;
}

// The numbers given as arguments, and whether the input source follows them.
struct GivenTexts {
    std::vector<const char*> numbers;
    bool then_input;
};

// Where numbers stand anywhere, every number given, then the input source when -i names a list or no number was
// given; else the first argument alone, when it is no option, or else the input source.
GivenTexts TextsGiven(const CommandLine& command_line, const char* const* arguments, const RunOptions& options) {
    if (options.conventions.numbers_anywhere) {
        return {command_line.numbers,
                command_line.numbers.empty() || options.list_file >= 0 || options.list_is_standard_input};
    }
    if (command_line.option_start != 1) return {{arguments[1]}, false};
    return {{}, true};
}

// The card loop of the run's format, under the table of `kRules`.
template <RuleSet kRules>
int CheckCards(TextSource& texts, const RunOptions& options) {
    if (options.summary) return RunCardSummaryLoop<kRules>(texts, options);
    switch (options.format) {
        case OutputFormat::Text:
            return RunCardTextLoop<kRules>(texts, options);
        case OutputFormat::Tsv:
            return RunCardRecordLoop<record::TsvSyntax, kRules>(texts, options);
        case OutputFormat::Jsonl:
            return RunCardRecordLoop<record::JsonlSyntax, kRules>(texts, options);
        case OutputFormat::Csv:
            return RunCardRecordLoop<record::CsvSyntax, kRules>(texts, options);
        case OutputFormat::kCount:
            break;
    }
    return kExitUsage;
}

// The SSN loop of the run's format, under the rules of `kRules`, which `rules` were made for.
template <RuleSet kRules>
int CheckSsns(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    if (options.summary) return RunSsnSummaryLoop<kRules>(texts, options, rules);
    switch (options.format) {
        case OutputFormat::Text:
            return RunSsnTextLoop<kRules>(texts, options, rules);
        case OutputFormat::Tsv:
            return RunSsnRecordLoop<record::TsvSyntax, kRules>(texts, options, rules);
        case OutputFormat::Jsonl:
            return RunSsnRecordLoop<record::JsonlSyntax, kRules>(texts, options, rules);
        case OutputFormat::Csv:
            return RunSsnRecordLoop<record::CsvSyntax, kRules>(texts, options, rules);
        case OutputFormat::kCount:
            break;
    }
    return kExitUsage;
}

template <RuleSet kRules>
int CheckTextsUnder(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    if (options.card_mode) return CheckCards<kRules>(texts, options);
    return CheckSsns<kRules>(texts, options, rules);
}

// The loop of the run's mode, format and rules. The rule set is chosen here, once for the whole run: each loop
// is made for its set, so that no line asks which set it is judged by.
int CheckTexts(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    return WithRuleSet(options.rules,
                       [&](auto set) { return CheckTextsUnder<decltype(set)::value>(texts, options, rules); });
}

// Creates both items, the options those given, the table empty; either is null when memory is short.
RunState CreateRunState(RunOptions&& options) {
    // Nothing is released: the items live until the process ends, held here after the run has returned its
    // exit code and while the process ends.
    static const RunState state{new (std::nothrow) RunOptions(std::move(options)),
                                new (std::nothrow) HighestGroupTable};
    return state;
}

int Run(int argc, const char* const* argv) {
    PrepareForMissingMemory();
    platform::PrepareProcess();
    platform::InstallInterruptHandler();
    // The long options are read before the run state is made, for the banner that comes before a run without
    // memory for it ends; the record moves into the state whole.
    RunOptions read;
    // Long options are taken out first, into the run's options; the short options read the rest of the command
    // line by the conventions the long options chose.
    const LongOptions long_options = TakeLongOptions(argc, argv, read);
    read.conventions = long_options.Given(argc) ? kTodaysConventions : kDescribedConventions;
    // From here on: --help and --version too report a failed write on one line.
    if (read.conventions.failure_on_one_line) WriteFailureOnOneLine();
    if (!long_options.problem.empty()) {
        Err().Write("kalderos: " + long_options.problem + "\nTry 'kalderos --help' for more information.\n");
        return kExitUsage;
    }
    if (long_options.help) return PrintUsage();
    if (long_options.version) return PrintVersion();
    if (const std::optional<int> code = RefuseCsvOptions(read, long_options)) return *code;
    const bool records = read.format != OutputFormat::Text;
    if (!read.quiet && !records) {
        // Standard error is kept for diagnostics unless a person watches it.
        if (!read.conventions.banner_only_on_terminal) {
            PrintBanner(kLinesBeforeStartBanner);
        } else if (platform::IsTerminal(platform::kStandardError)) {
            PrintRunBanner(read.rules, platform::TerminalShowsUtf8());
        }
    }
    const RunState state = CreateRunState(std::move(read));
    if (state.options == nullptr || state.highest_groups == nullptr) return kExitOutOfMemory;
    RunOptions& options = *state.options;
    if (options.jobs == 0) options.jobs = platform::UsableProcessors();
    // The argument list ends in a null pointer after the arguments left.
    const int short_argc = static_cast<int>(long_options.arguments.size()) - 1;
    const char* const* arguments = long_options.arguments.data();
    const CommandLine command_line = options.conventions.numbers_anywhere
                                         ? ParseGnuCommandLine(short_argc, arguments, options)
                                         : ParseCommandLine(short_argc, arguments, options);
    if (const std::optional<int> code = StopCode(command_line, options)) return *code;
    GivenTexts given = TextsGiven(command_line, arguments, options);
    if (options.column.Given() && !given.numbers.empty()) {
        Diagnose("numbers given as arguments are no CSV rows: '--column' reads rows from -i FILE or standard input");
        return kExitUsage;
    }
    const bool from_standard_input = given.then_input && options.list_file < 0;
    // Records read standard input to its end, without prompts; so may the text format when standard input is
    // no terminal, whose prompts nobody would read.
    const bool no_one_prompted =
        options.conventions.prompts_only_a_terminal && !platform::IsTerminal(platform::kStandardInput);
    // A summary, like the records, counts each line whole and reads standard input as its list.
    const bool whole = records || options.summary || options.column.Given();
    options.standard_input_list = from_standard_input && (whole || no_one_prompted || options.list_is_standard_input);
    // Strict texts are judged a line whole in the text format too, as the records judge them.
    options.whole_lines = whole || options.conventions.strict_texts;
    options.hint_order_of_issue =
        options.conventions.hints_order_of_issue && !long_options.rules_given && !options.card_mode;
    const int list = options.list_file >= 0 ? options.list_file
                     : options.standard_input_list ? platform::kStandardInput
                                                   : -1;
    TextSource texts(std::move(given.numbers), given.then_input, list);
    if (texts.ReadsInput()) {
        if (const std::optional<int> code = RefuseInputThatIsOutput(options)) return *code;
    }
    HighestGroupTable& table = *state.highest_groups;
    if (!options.card_mode) {
        if (const std::optional<NamedFailure> failure = LoadHighestGroupTable(options, table, options.group_file_areas)) {
            return ReportRunFailure(failure->failure, options, failure->path);
        }
    }
    const ssn::MadeSsnRules rules(table, options.rules);
    return CheckTexts(texts, options, rules);
}

}  // namespace

void RunProgram(int argc, const char* const* argv) { TerminateRun(Run(argc, argv)); }

}  // namespace kalderos
