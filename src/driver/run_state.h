// The state one run keeps from start to end: its options and the highest-group table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/output_format.h"
#include "console/order_of_issue_hint.h"
#include "kalderos/kalderos.h"
#include "rows/ssn_tally.h"

namespace kalderos {

// A file named on the command line: the name as given, which is what is opened, so that the system resolves
// it as it would for any other program; and its full path of at most 259 characters (the Windows path limit,
// kept on every system), which messages show.
class PathText {
public:
    static constexpr std::size_t kMaxLength = 259;

    // Stores `name` with its full path `full`. A full path too long is not stored: the earlier name and path
    // stay, and `full` is kept as the refused path until a later name is stored.
    bool Assign(std::string_view full, std::string_view name);
    [[nodiscard]] bool Empty() const { return length_ == 0; }
    [[nodiscard]] std::string_view View() const { return {text_.data(), length_}; }
    [[nodiscard]] std::string Str() const { return std::string(View()); }
    [[nodiscard]] const std::string& Name() const { return name_; }
    // The full path of the last name given, when it was refused for its length; empty otherwise.
    [[nodiscard]] const std::string& Refused() const { return refused_; }

private:
    std::array<char, kMaxLength + 1> text_{};
    std::size_t length_ = 0;
    std::string name_;
    std::string refused_;
};

// The column --column names: by its name in the header row, or by its number from 1; number 0 and no name
// where the input is no CSV.
struct CsvColumn {
    std::string name;
    std::size_t number = 0;
    [[nodiscard]] bool Given() const { return number != 0 || !name.empty(); }
};

// The two ways the program behaves: as it always has, or by today's conventions, which a run opts into with any
// long option. One of the two is chosen at start-up, and each question is asked of it where it arises.
struct Conventions {
    // How the arguments split: numbers anywhere among the options, which "-" alone leads and "--" ends, a
    // value may start with "-", and "-i -" is standard input; otherwise the first argument alone is a number,
    // and a value that starts with "-" is a forgotten one.
    bool numbers_anywhere;
    // Every -g is read, each over the ones before it; otherwise only the last counts.
    bool every_group_file;
    // What the user named and the run cannot use ends it: a second -i, -g beside -C, a name whose full path is
    // too long; otherwise a later -i takes the place of an earlier one.
    bool refuses_what_it_cannot_use;
    // A failure is one line on standard error with the system's reason; otherwise the program's texts of old,
    // some of them on standard output, and the help screen for a bad option.
    bool failure_on_one_line;
    // Each line is judged whole, and a text that is no number is shown as given with its reason; otherwise a
    // line is read as far as a number goes.
    bool strict_texts;
    // Standard input that is no terminal is read as a list, without prompts nobody would read.
    bool prompts_only_a_terminal;
    // The end of a run that chose no rules tells how many numbers the order of issue alone made invalid.
    bool hints_order_of_issue;
    // The banner only where a person watches standard error, in the terminal's characters; otherwise always,
    // in code page 437.
    bool banner_only_on_terminal;
    // A list's byte-order mark is no part of its first line, and a list in UTF-16 that starts with one is read
    // as UTF-8, as a CSV input is; otherwise a list's bytes are its texts as they stand.
    bool reads_byte_order_marks;
};

inline constexpr Conventions kDescribedConventions{
    .numbers_anywhere = false,
    .every_group_file = false,
    .refuses_what_it_cannot_use = false,
    .failure_on_one_line = false,
    .strict_texts = false,
    .prompts_only_a_terminal = false,
    .hints_order_of_issue = false,
    .banner_only_on_terminal = false,
    .reads_byte_order_marks = false,
};
inline constexpr Conventions kTodaysConventions{
    .numbers_anywhere = true,
    .every_group_file = true,
    .refuses_what_it_cannot_use = true,
    .failure_on_one_line = true,
    .strict_texts = true,
    .prompts_only_a_terminal = true,
    .hints_order_of_issue = true,
    .banner_only_on_terminal = true,
    .reads_byte_order_marks = true,
};

struct RunOptions {
    bool card_mode = false;
    PathText group_file_path;  // the last -g, where only the last is read
    std::vector<PathText> group_files;  // every -g, in order, where every one is read
    PathText list_file_path;
    int list_file = -1;         // descriptor open for reading, or -1
    bool quiet = false;                // --quiet: no leading blank line before the SSN results
    bool fail_on_invalid = false;      // --fail-on-invalid
    bool standard_input_list = false;  // without -i, standard input is read as a list: no prompts, to its end
    bool list_is_standard_input = false;  // -i -, where it names standard input
    Conventions conventions = kDescribedConventions;  // today's when a long option was given
    bool whole_lines = false;          // records: one text per line, however long
    int jobs = 1;                      // --jobs: threads that check a list read from a regular file; 0 for one
                                       // a usable processor until the run starts
    OutputFormat format = OutputFormat::Text;  // --format
    bool header = true;                        // the TSV header row (--no-header)
    RuleSet rules = RuleSet::Classic;          // --rules
    bool summary = false;                      // --summary: the counts instead of a line per text
    CsvColumn column;                          // --column: the input is CSV rows, and this column is checked
    char delimiter = ',';                      // --delimiter: what parts a CSV row's fields
    char output_delimiter = 0;                 // --output-delimiter: what parts the csv format's rows over CSV
                                               // input; 0 for the input's delimiter
    // A long option but no --rules: the end of the run says how many SSNs were invalid only by the order of
    // issue, which the current rules do not judge by, and which data gave the highest groups that decided.
    bool hint_order_of_issue = false;
    GroupFileAreas group_file_areas{};  // filled with the highest groups

    // CSV rows in and CSV records out: each output row starts with its input row.
    [[nodiscard]] bool EchoesCsvRows() const { return column.Given() && format == OutputFormat::Csv && !summary; }
};

// At the end of a run that asks for it, the numbers the order of issue alone made invalid, when there are any.
inline void HintAtOrderOfIssue(const RunOptions& options, const NotIssuedTally& not_issued) {
    if (!options.hint_order_of_issue || not_issued.count == 0) return;
    TellInvalidByOrderOfIssue(not_issued.count, not_issued.from_group_files, options.group_files.size());
}

struct RunState {
    RunOptions* options;
    HighestGroupTable* highest_groups;
};

}  // namespace kalderos
