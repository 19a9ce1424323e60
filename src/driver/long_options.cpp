// Reading the long options. Each is matched whole: no abbreviations, so that a script's meaning never changes
// when an option is added.
#include "driver/long_options.h"

#include <array>
#include <span>
#include <string>

#include "bytes/char_class.h"
#include "console/long_option_table.h"
#include "csv/csv_machine.h"
#include "driver/command_line.h"
#include "io/diagnostics.h"

namespace kalderos {
namespace {

// A value named in the table sets the choice at its place.
template <class Choice, std::size_t N>
constexpr bool NamedAt(const std::array<OptionValue, N>& values, Choice choice, std::string_view name) {
    return static_cast<std::size_t>(choice) < N && values[static_cast<std::size_t>(choice)].name == name;
}
static_assert(kFormatValues.size() == static_cast<std::size_t>(OutputFormat::kCount) &&
              NamedAt(kFormatValues, OutputFormat::Text, "text") && NamedAt(kFormatValues, OutputFormat::Tsv, "tsv") &&
              NamedAt(kFormatValues, OutputFormat::Jsonl, "jsonl") && NamedAt(kFormatValues, OutputFormat::Csv, "csv"));

// Sets `choice` to the value named `value` among `values`; false when none is.
template <class Choice>
bool SetChoice(Choice& choice, std::span<const OptionValue> values, std::string_view value) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (value == values[i].name) {
            choice = static_cast<Choice>(i);
            return true;
        }
    }
    return false;
}

// A count of jobs: decimal digits, at most kMaxJobs; leading zeros count for nothing, as in any number.
constexpr int kMaxJobs = 1024;
// Far more columns than any spreadsheet holds, and a count that cannot overflow.
constexpr std::size_t kMaxColumn = 1000000;
bool SetJobs(RunOptions& options, std::string_view value) {
    if (value.empty()) return false;
    int jobs = 0;
    for (const char c : value) {
        if (!bytes::IsDigit(c)) return false;
        jobs = jobs * 10 + (c - '0');
        if (jobs > kMaxJobs) return false;  // before it could grow past an int
    }
    options.jobs = jobs;
    return true;
}

// A column by its number from 1 (decimal digits only), or else by its name in the header row.
bool SetColumn(RunOptions& options, std::string_view value) {
    if (value.empty()) return false;
    std::size_t number = 0;
    for (const char c : value) {
        if (!bytes::IsDigit(c)) {
            options.column = {std::string(value), 0};
            return true;
        }
        number = number * 10 + static_cast<std::size_t>(c - '0');
        if (number > kMaxColumn) return false;
    }
    if (number == 0) return false;
    options.column = {"", number};
    return true;
}

// One byte, or the word for the one byte a shell makes hard to give, or its escape as other tools take it (the
// two characters \t); a quote or a line end cannot part fields.
bool SetDelimiter(char& delimiter, std::string_view value) {
    if (value == "tab" || value == "\\t") value = "\t";
    if (value.size() != 1 || !csv::CanDelimit(value[0])) return false;
    delimiter = value[0];
    return true;
}

// "'text', 'tsv', 'jsonl'"
std::string Choices(std::span<const OptionValue> values) {
    std::string choices;
    for (const OptionValue& value : values) {
        if (!choices.empty()) choices += ", ";
        choices += '\'';
        choices += value.name;
        choices += '\'';
    }
    return choices;
}

// Records the problem; returns -1, where the reading stops.
int BadLongOption(LongOptions& read, std::string problem) {
    read.problem = std::move(problem);
    return -1;
}

// No two options begin with the same two letters, and a shorter name is no long option (IsLongOption): any
// abbreviation names one option at most. An option that breaks this needs the ambiguity told.
constexpr bool EveryTwoLettersNameOneOption() {
    for (std::size_t i = 0; i < kLongOptions.size(); ++i) {
        for (std::size_t j = i + 1; j < kLongOptions.size(); ++j) {
            if (kLongOptions[i].name.substr(0, 2) == kLongOptions[j].name.substr(0, 2)) return false;
        }
    }
    return true;
}
static_assert(EveryTwoLettersNameOneOption());

// The row of the option named `name`, or of the option whose name begins with it, as getopt_long takes any
// unambiguous abbreviation (--form=tsv); null for none.
const LongOptionRow* FindLongOption(std::string_view name) {
    const LongOptionRow* begun = nullptr;
    for (const LongOptionRow& row : kLongOptions) {
        if (row.name == name) return &row;
        if (row.name.starts_with(name)) begun = &row;
    }
    return begun;
}

// Applies `option`, with `value` for one that takes a value; false when it does not take `value`.
bool Apply(RunOptions& options, LongOptions& read, LongOption option, std::string_view value) {
    switch (option) {
        case LongOption::Quiet:
            options.quiet = true;
            return true;
        case LongOption::Format:
            return SetChoice(options.format, kFormatValues, value);
        case LongOption::NoHeader:
            options.header = false;
            return true;
        case LongOption::Column:
            return SetColumn(options, value);
        case LongOption::Delimiter:
            read.delimiter_given = true;
            return SetDelimiter(options.delimiter, value);
        case LongOption::OutputDelimiter:
            return SetDelimiter(options.output_delimiter, value);
        case LongOption::Rules:
            read.rules_given = true;
            return SetChoice(options.rules, kRulesValues, value);
        case LongOption::FailOnInvalid:
            options.fail_on_invalid = true;
            return true;
        case LongOption::Summary:
            options.summary = true;
            return true;
        case LongOption::Jobs:
            return SetJobs(options, value);
        case LongOption::Help:
            read.help = true;
            return true;
        case LongOption::Version:
            read.version = true;
            return true;
        case LongOption::kCount:
            break;
    }
    return false;
}

// What follows "invalid argument 'x' for '--name'" for an option that refused its value.
std::string ValidArguments(LongOption option) {
    switch (option) {
        case LongOption::Format:
            return " (valid arguments are " + Choices(kFormatValues) + ")";
        case LongOption::Rules:
            return " (valid arguments are " + Choices(kRulesValues) + ")";
        case LongOption::Jobs:
            return " (valid arguments are 0-" + std::to_string(kMaxJobs) + ")";
        case LongOption::Column:
            return " (valid arguments are a column's name or its number from 1)";
        case LongOption::Delimiter:
        case LongOption::OutputDelimiter:
            return " (valid arguments are one byte, or 'tab' or '\\t')";
        case LongOption::Quiet:
        case LongOption::NoHeader:
        case LongOption::FailOnInvalid:
        case LongOption::Summary:
        case LongOption::Help:
        case LongOption::Version:
        case LongOption::kCount:
            break;
    }
    return "";
}

// Applies the long option at `position`; returns the position of the argument to look at next, or -1.
int ApplyLongOption(int argc, const char* const* argv, int position, RunOptions& options, LongOptions& read) {
    const std::string_view argument = argv[position];
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(2, equals == std::string_view::npos ? equals : equals - 2);
    const LongOptionRow* const row = FindLongOption(name);
    // Named as given, a control byte in it escaped so that the diagnostic keeps to its line.
    if (row == nullptr) return BadLongOption(read, "unrecognized option " + Quoted(argument));
    const std::string shown = "--" + std::string(row->name);  // in full, however abbreviated
    if (row->placeholder.empty()) {
        if (equals != std::string_view::npos) {
            return BadLongOption(read, "option '" + shown + "' doesn't allow an argument");
        }
        Apply(options, read, row->option, {});
        return position + 1;
    }
    if (equals == std::string_view::npos && position + 1 >= argc) {
        return BadLongOption(read, "option '" + shown + "' requires an argument");
    }
    const std::string_view value =
        equals != std::string_view::npos ? argument.substr(equals + 1) : std::string_view(argv[position + 1]);
    if (!Apply(options, read, row->option, value)) {
        return BadLongOption(read, "invalid argument " + Quoted(value) + " for '" + shown + "'" +
                                          ValidArguments(row->option));
    }
    return position + (equals == std::string_view::npos ? 2 : 1);
}

}  // namespace

bool IsLongOption(std::string_view argument) {
    return argument.size() >= 4 && argument.substr(0, 2) == "--" && bytes::IsLetter(argument[2]) &&
           argument[3] != '=';
}

LongOptions TakeLongOptions(int argc, const char* const* argv, RunOptions& options) {
    LongOptions read;
    read.arguments.reserve(static_cast<std::size_t>(argc) + 1);
    if (argc > 0) read.arguments.push_back(argv[0]);
    // "--" ends the options: what follows it is taken as it stands, never as a long option.
    bool options_ended = false;
    for (int position = 1; position >= 1 && position < argc;) {
        options_ended = options_ended || std::string_view(argv[position]) == "--";
        if (!options_ended && IsLongOption(argv[position])) {
            position = ApplyLongOption(argc, argv, position, options, read);
            continue;
        }
        // A short option's value in the next argument is that value, however much it looks like a long option
        // or like "--": it stays with its option.
        const bool value_follows = !options_ended && ValueInNextArgument(argv[position]);
        read.arguments.push_back(argv[position++]);
        if (value_follows && position < argc) read.arguments.push_back(argv[position++]);
    }
    read.arguments.push_back(nullptr);
    return read;
}

}  // namespace kalderos
