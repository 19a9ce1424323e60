// The library's CsvCheck writes what the program writes: every CSV input of the end-to-end table, with the
// column, delimiters and header its row gives, under both rule sets and in every record format, through the
// program (standard input) and through the library, byte for byte; and a small input cut at every place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e_cases.h"
#include "e2e_program.h"
#include "kalderos/kalderos.h"
#include "process.h"

namespace kalderos::test {
namespace {

// A CSV run of the table: its input and the options that say how to read it.
struct CsvRun {
    std::string name;
    std::string input;
    std::vector<std::string> reading;  // --column, --delimiter, --output-delimiter, --no-header, -C
    CsvCheckOptions options;           // its column_name a view of `column`
    std::string column;
};

char DelimiterNamed(const std::string& value) { return value == "tab" ? '\t' : value[0]; }

std::vector<CsvRun> TableRuns() {
    std::vector<CsvRun> runs;
    for (const E2eCase& row : CsvInputCases()) {
        CsvRun run{row.name, row.input, {}, {}, {}};
        std::string& column = run.column;
        for (std::size_t i = 0; i < row.args.size(); ++i) {
            const std::string& arg = row.args[i];
            const auto value = [&](const std::string& option) { return arg.substr(option.size()); };
            if (arg.starts_with("--column=")) {
                column = value("--column=");
            } else if (arg.starts_with("--delimiter=")) {
                run.options.delimiter = DelimiterNamed(value("--delimiter="));
            } else if (arg.starts_with("--output-delimiter=")) {
                run.options.output_delimiter = DelimiterNamed(value("--output-delimiter="));
            } else if (arg == "--no-header") {
                run.options.header = false;
            } else if (arg == "-C") {
                run.options.cards = true;
            } else if (arg == "-i" && !row.files.empty()) {
                run.input = row.files[0].content;
                continue;
            } else {
                continue;
            }
            run.reading.push_back(arg);
        }
        if (column.empty() || row.input.empty() == row.files.empty()) continue;
        if (column.find_first_not_of("0123456789") == std::string::npos) {
            run.options.column_number = std::stoul(column);
        } else {
            run.options.column_number = 0;
        }
        runs.push_back(run);
    }
    return runs;
}

// The library's output of `input` fed in pieces of `piece` bytes (0: whole), and its exit code as the program's.
std::pair<std::string, int> Library(const CsvRun& run, const CsvCheckOptions& options, const std::string& input,
                                    std::size_t piece) {
    CsvCheck check(options);
    std::string out;
    for (std::size_t at = 0; at < input.size(); at += piece == 0 ? input.size() : piece) {
        check.Feed(std::string_view(input).substr(at, piece == 0 ? std::string::npos : piece));
        out += check.Output();
        check.ClearOutput();
    }
    check.Finish();
    out += check.Output();
    static_cast<void>(run);
    switch (check.Status()) {
        case CsvStatus::Done:
        case CsvStatus::Checking:
            return {out, 0};
        case CsvStatus::OpenQuote:
            return {out, 2};
        case CsvStatus::Refused:
            return {out, 2};
    }
    return {out, -1};
}

constexpr std::pair<RuleSet, const char*> kRuleSets[] = {{RuleSet::Classic, "--rules=classic"},
                                                         {RuleSet::Current, "--rules=current"}};
constexpr std::pair<CsvOutput, const char*> kFormats[] = {
    {CsvOutput::Csv, "--format=csv"}, {CsvOutput::Tsv, "--format=tsv"}, {CsvOutput::Jsonl, "--format=jsonl"}};

TEST(CsvCheckAgrees, WithTheProgramOnEveryTableInput) {
    const std::vector<CsvRun> runs = TableRuns();
    ASSERT_GE(runs.size(), 25U);
    std::size_t compared = 0;
    for (const CsvRun& run : runs) {
        for (const auto& [rules, rules_option] : kRuleSets) {
            for (const auto& [format, format_option] : kFormats) {
                // The program refuses another output delimiter but in the csv format.
                if (run.options.output_delimiter != 0 && format != CsvOutput::Csv) continue;
                ProcessSpec spec;
                spec.argv = ProgramCommand();
                spec.argv.insert(spec.argv.end(), {rules_option, format_option});
                spec.argv.insert(spec.argv.end(), run.reading.begin(), run.reading.end());
                spec.input = run.input;
                const ProcessResult program = RunProcess(spec);
                CsvCheckOptions options = run.options;
                if (options.column_number == 0) options.column_name = run.column;
                options.rules = rules;
                options.format = format;
                const auto [out, exit] = Library(run, options, run.input, 0);
                const int program_exit = program.exit_code == 1 ? 0 : program.exit_code;
                EXPECT_EQ(exit, program_exit) << run.name << " " << rules_option << " " << format_option << "\n"
                                              << program.err;
                EXPECT_EQ(out, program.out) << run.name << " " << rules_option << " " << format_option;
                // In pieces of 1, 2, 3 and 7 bytes: a mark, a quote, a CR LF or a row split anywhere.
                for (const std::size_t piece : {1, 2, 3, 7}) {
                    EXPECT_EQ(Library(run, options, run.input, piece).first, out)
                        << run.name << " " << rules_option << " " << format_option << " in pieces of " << piece;
                }
                ++compared;
            }
        }
    }
    EXPECT_GE(compared, 100U);
}

// A small input with a mark before a quoted header named with a doubled quote, CR LF and a lone CR, a quoted line
// feed, a wide row and a short one, cut in three at every pair of places.
TEST(CsvCheckAgrees, WhereverTheInputIsCut) {
    const std::string input =
        "\xEF\xBB\xBF\"S\"\"SN\";name\r\n078-05-1120;\"Doe; J\";x\r\n\"123\n45-6789\";\r\"219-09-9999\";\"a\"";
    CsvCheckOptions options;
    options.column_name = "S\"SN";
    options.delimiter = ';';
    const auto whole = Library({}, options, input, 0);
    ASSERT_EQ(whole.second, 0);
    ProcessSpec spec;
    spec.argv = ProgramCommand();
    spec.argv.insert(spec.argv.end(), {"--rules=current", "--format=csv", "--column=S\"SN", "--delimiter=;"});
    spec.input = input;
    EXPECT_EQ(whole.first, RunProcess(spec).out);
    for (std::size_t first = 0; first <= input.size(); ++first) {
        for (std::size_t second = first; second <= input.size(); ++second) {
            CsvCheck check(options);
            std::string out;
            for (const std::string_view piece :
                 {std::string_view(input).substr(0, first), std::string_view(input).substr(first, second - first),
                  std::string_view(input).substr(second)}) {
                check.Feed(piece);
                out += check.Output();
                check.ClearOutput();
            }
            check.Finish();
            out += check.Output();
            ASSERT_EQ(out, whole.first) << "cut at " << first << " and " << second;
        }
    }
}

TEST(CsvCheckCounts, RowsByVerdictAndReason) {
    CsvCheckOptions options;
    options.column_name = "ssn";
    CsvCheck check(options);
    check.Feed("id,ssn\n1,123-45-6789\n2,078-05-1120\n3,\n4,219-09-9999\n");
    check.Finish();
    std::size_t size = 0;
    const CsvCount* counts = check.Counts(&size);
    std::string shown;
    for (std::size_t i = 0; i < size; ++i) {
        if (counts[i].count != 0) {
            shown += std::string(counts[i].what) + " " + std::string(counts[i].name) + " " +
                     std::to_string(counts[i].count) + "\n";
        }
    }
    EXPECT_EQ(check.Rows(), 4U);
    EXPECT_EQ(shown, "verdict valid 1\nverdict invalid 3\nreason ok 1\nreason known-invalid 2\nreason empty 1\n");
}

CsvCheckOptions Asking(std::string_view name, std::size_t number, bool header = true, char delimiter = ',') {
    CsvCheckOptions options;
    options.column_name = name;
    options.column_number = number;
    options.header = header;
    options.delimiter = delimiter;
    return options;
}

TEST(CsvCheckRefuses, WhatTheProgramRefuses) {
    const struct {
        CsvCheckOptions options;
        std::string input;
        std::string message;
    } rows[] = {
        {Asking("SSN", 0), "a,b\n1,2\n", "no column 'SSN' in the header row of the input (its columns: 'a', 'b')"},
        {Asking("", 3), "a,b\n", "no column 3 in the header row of the input, which has 2 columns"},
        {Asking("", 3, false), "a,b\n", "no column 3 in the first row of the input, which has 2 columns"},
        {Asking("x", 0, false), "a\n", "without a header row the column is given by its number"},
        {Asking("x", 0, true, '"'), "a\n", "a quote or a line end cannot part the fields of a row"},
        {Asking("", 0), "a\n", "no column given: give the column's name or its number from 1"},
    };
    for (const auto& row : rows) {
        CsvCheck check(row.options);
        check.Feed(row.input);
        check.Finish();
        EXPECT_EQ(check.Status(), CsvStatus::Refused) << row.message;
        EXPECT_EQ(check.Message(), row.message);
        EXPECT_EQ(check.Output(), "");
    }
    CsvCheck open(Asking("", 1));
    open.Feed("ssn\n\"123-45-6789\n");
    open.Finish();
    EXPECT_EQ(open.Status(), CsvStatus::OpenQuote);
    EXPECT_EQ(open.Message(), "a quoted field is still open at the end of the input");
}

}  // namespace
}  // namespace kalderos::test
