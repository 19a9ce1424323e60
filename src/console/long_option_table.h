// The long options: their names, the values they take by name and what --help says of each. The reader of the
// command line takes an option only from this table and --help lists the table, so no option exists unlisted.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "rules/rule_sets.h"

namespace kalderos {

// Every long option, in the order --help lists them. The reader applies one by a switch over these without a
// default, so that the compiler names the place a new option has not reached.
enum class LongOption {
    Quiet,
    Format,
    NoHeader,
    Column,
    Delimiter,
    OutputDelimiter,
    Rules,
    FailOnInvalid,
    Summary,
    Jobs,
    Help,
    Version,
    kCount
};

// A value an option takes by name, and what it means; `help` is empty where the option's own text says it.
struct OptionValue {
    std::string_view name;
    std::string_view help;
};

struct LongOptionRow {
    LongOption option;
    std::string_view name;                // "format", given as --format
    std::string_view placeholder;         // "FORMAT" for an option that takes a value; empty for a switch
    std::span<const OptionValue> values;  // the values taken by name, the default first; empty for any other
    std::string_view help;                // what the option does, after its values
};

// The values of --format, by OutputFormat.
inline constexpr std::array<OptionValue, 4> kFormatValues{{{"text", ""}, {"tsv", ""}, {"jsonl", ""}, {"csv", ""}}};

// The values of --rules, by RuleSet: each rule set's name and help line.
inline constexpr std::array<OptionValue, kRuleSetCount> kRulesValues = [] {
    std::array<OptionValue, kRuleSetCount> values{};
    for (std::size_t set = 0; set < kRuleSetCount; ++set) values[set] = {kRuleSetTable[set].name, kRuleSetTable[set].help};
    return values;
}();

inline constexpr std::array<LongOptionRow, static_cast<std::size_t>(LongOption::kCount)> kLongOptions{{
    {LongOption::Quiet, "quiet", "", {}, "no banner and no leading blank line"},
    {LongOption::Format, "format", "FORMAT", kFormatValues,
     "one record per text, standard output holds records only (implies --quiet)"},
    {LongOption::NoHeader, "no-header", "", {}, "no header row in the tsv and csv formats, nor in CSV input"},
    {LongOption::Column, "column", "NAME|N", {},
     "read the input as CSV and check the column NAME (in its header row) or N (from 1) of every row"},
    {LongOption::Delimiter, "delimiter", "C", {}, "what parts the fields of CSV input: one byte, or tab or \\t (a comma by default)"},
    {LongOption::OutputDelimiter, "output-delimiter", "C", {},
     "what parts the fields of the csv format's rows over CSV input (the input's delimiter by default)"},
    {LongOption::Rules, "rules", "RULES", kRulesValues, ""},
    {LongOption::FailOnInvalid, "fail-on-invalid", "", {}, "exit 1 when a number was not valid"},
    {LongOption::Summary, "summary", "", {},
     "print the counts of each verdict, reason and card type instead of a line per number"},
    {LongOption::Jobs, "jobs", "N", {}, "check a list with N threads, 0-1024 (0: one per processor)"},
    {LongOption::Help, "help", "", {}, "show this text and exit"},
    {LongOption::Version, "version", "", {}, "show the version and the dates of the data and exit"},
}};

// Each row stands at its option's place, named by a lower-case letter and at least one more character, which
// the reader takes for a long option; one that takes values by name has a placeholder.
constexpr bool LongOptionsWellFormed() {
    for (std::size_t i = 0; i < kLongOptions.size(); ++i) {
        const LongOptionRow& row = kLongOptions[i];
        if (static_cast<std::size_t>(row.option) != i || row.name.size() < 2) return false;
        if (row.name[0] < 'a' || row.name[0] > 'z' || row.name.find('=') != std::string_view::npos) return false;
        if (!row.values.empty() && row.placeholder.empty()) return false;
    }
    return true;
}
static_assert(LongOptionsWellFormed());

}  // namespace kalderos
