// The usage text and the version text.
#include "console/usage_text.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "card/card_fields.h"
#include "card/card_outcome.h"
#include "card/card_type_table.h"
#include "console/long_option_table.h"
#include "console/version_stamp.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "ssn/data_dates.h"
#include "ssn/ssn_fields.h"
#include "ssn/ssn_reason.h"

namespace kalderos {
namespace {

constexpr auto kUsage = std::to_array<std::string_view>({
    "Usage: kalderos [LONG OPTIONS] NUMBER [OPTIONS]\n"
    "  or:  kalderos [LONG OPTIONS] [OPTIONS]\n"
    "Checks US Social Security Numbers against the area and group issuance data,\n"
    "or with -C classifies payment-card numbers (prefix, length, Luhn check digit).\n"
    "\n"
    "Input: the NUMBER given first, else the list file of -i, else the console\n"
    "(in the record formats and with --column: standard input, read to its end\n"
    "without prompts).\n"
    "\n"
    "Options:\n"
    "  -i FILE            check the texts of FILE, one per line\n"
    "  -g FILE            read the highest groups issued from FILE over the built-in\n"
    "                     list of ",
    ssn::kGroupDataDate,
    "\n"
    "  -C                 classify card numbers instead of SSNs\n",
});

// After the long options.
constexpr std::string_view kUsageRules =
    "Long options may stand anywhere. Without one, the other options follow the\n"
    "first option argument (one led by -, + or /) and only the first NUMBER counts;\n"
    "with one, options and numbers mix as in GNU programs: every NUMBER is checked,\n"
    "then the list file of -i, -- ends the options, standard input that is no\n"
    "terminal is read without prompts, and errors are one line on standard error.\n"
    "\n";

constexpr std::string_view kUsageEnd =
    "\n"
    "Exit status: 0 done; 1 a number not valid (only with --fail-on-invalid);\n"
    "2 the list file could not be opened or read, CSV input lacks the column, ends\n"
    "inside quotes or has a row over 16 MiB, or Ctrl-C; 3 standard output could not\n"
    "be written; 5 a bad option, or the group file could not be opened or read;\n"
    "6 out of memory.\n"
    "\n"
    "Full documentation: man kalderos\n";

// A line of the text holds at most 80 columns.
constexpr std::size_t kWidth = 80;

// Words after a lead, each after its separator, wrapped onto lines indented one column past the lead.
class WrappedWords {
public:
    explicit WrappedWords(std::string_view lead) : indent_(lead.size() + 1), column_(lead.size()) {
        Out().Write(lead);
    }

    // `separator` ends in a blank, which becomes the line end where the word goes on the next line. The first
    // word stays on the lead's line.
    void Word(std::string_view word, std::string_view separator = " ") {
        if (!first_ && column_ + separator.size() + word.size() > kWidth) {
            Out().Write(separator.substr(0, separator.size() - 1));
            Out().Write("\n");
            Out().WriteRepeated(' ', indent_);
            column_ = indent_;
        } else {
            Out().Write(separator);
            column_ += separator.size();
        }
        Out().Write(word);
        column_ += word.size();
        first_ = false;
    }

    // Every word of `text`, one blank apart.
    void Text(std::string_view text) {
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t blank = std::min(text.find(' ', start), text.size());
            Word(text.substr(start, blank - start));
            start = blank + 1;
        }
    }

    void End() { Out().Write("\n"); }

private:
    std::size_t indent_;
    std::size_t column_;
    bool first_ = true;
};

// `lead` and the words after it, wrapped under the first word.
template <std::size_t N>
void WriteWords(std::string_view lead, const std::array<std::string_view, N>& words, std::string_view between = " ") {
    WrappedWords line(lead);
    for (std::size_t i = 0; i < N; ++i) line.Word(words[i], i == 0 ? std::string_view(" ") : between);
    line.End();
}

constexpr std::string_view kDefaultMark = " (the default)";

// What --help says of a long option: its values by name, the default first, each with what it means where it
// says, then what the option does.
std::string OptionText(const LongOptionRow& row) {
    std::string text;
    for (std::size_t i = 0; i < row.values.size(); ++i) {
        const OptionValue& value = row.values[i];
        text.append(value.name).append(i == 0 ? kDefaultMark : "");
        if (!value.help.empty()) text.append(": ").append(value.help);
        if (i + 1 == row.values.size()) break;
        text.append(!value.help.empty() ? "; " : i + 2 == row.values.size() ? " or " : ", ");
    }
    if (!row.help.empty()) text.append(text.empty() ? "" : ": ").append(row.help);
    return text;
}

// The long options, one entry each: "  --name=PLACEHOLDER", then its text from the column of the other options.
void WriteLongOptions() {
    constexpr std::size_t kTextColumn = 21;
    for (const LongOptionRow& row : kLongOptions) {
        std::string lead = "  --";
        lead.append(row.name).append(row.placeholder.empty() ? "" : "=").append(row.placeholder);
        // An option too wide for the column has its text on the lines below, as GNU programs have it.
        if (lead.size() >= kTextColumn - 1) {
            Out().Write(lead + "\n");
            lead.clear();
        }
        lead.resize(kTextColumn - 1, ' ');
        WrappedWords line(lead);
        line.Text(OptionText(row));
        line.End();
    }
}

// The type names of a table's rows, in the rows' order.
template <std::size_t N>
constexpr std::array<std::string_view, N> TypeNames(const std::array<card::CardTypeRow, N>& rows) {
    std::array<std::string_view, N> names{};
    for (std::size_t row = 0; row < N; ++row) names[row] = rows[row].name;
    return names;
}

// The record fields and the words of their values, from the lists the printers print.
void WriteRecordFields() {
    WriteWords("SSN record fields:", ssn::kSsnFieldNames);
    // The date the result lines give for these areas, from which on numbers were issued at random.
    Out().Write("  verdict: valid, invalid, unknown (classic rules: areas 773-899, opened after\n"
                "           06/2011)\n"
                "  issued_after, issued_by: the months of the published lists between which the\n"
                "           number could have been issued (YYYY-MM), empty where none bounds it\n");
    WriteWords("  reason:", ssn::kSsnReasonNames);
    WriteWords("Card record fields:", card::kCardFieldNames);
    WriteWords("  type, classic rules:", TypeNames(card::kClassicCardRows));
    WriteWords("  type, current rules:", TypeNames(card::kCurrentCardRows));
    WriteWords("  luhn:", card::kLuhnNames, ", ");
    WriteWords("  reason:", card::kCardReasonNames);
}

}  // namespace

int PrintUsage() {
    for (const std::string_view part : kUsage) Out().Write(part);
    WriteLongOptions();
    Out().Write(kUsageRules);
    WriteRecordFields();
    Out().Write(kUsageEnd);
    return kExitDone;
}

int PrintVersion() {
    Out().Write("kalderos ");
    Out().Write(kProgramVersion);
    Out().Write("\nArea data: ");
    Out().Write(ssn::kAreaDataDate);
    Out().Write("\nHighest groups: ");
    Out().Write(ssn::kGroupDataDate);
    Out().Write("\nRules: ");
    for (std::size_t i = 0; i < kRulesValues.size(); ++i) {
        if (i != 0) Out().Write(", ");
        Out().Write(kRulesValues[i].name);
        if (i == 0) Out().Write(kDefaultMark);
    }
    Out().Write("\nBuild: ");
    Out().Write(MakeVersionStamp(kBuildDate, kBuildTime));
    Out().Write("\n");
    return kExitDone;
}

}  // namespace kalderos
