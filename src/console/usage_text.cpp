// The usage text and the version text.
#include "console/usage_text.h"

#include <array>
#include <string_view>

#include "card/card_fields.h"
#include "card/card_outcome.h"
#include "card/card_type_table.h"
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
    "(in the tsv and jsonl formats: standard input, read to its end without prompts).\n"
    "\n"
    "Options:\n"
    "  -i FILE            check the texts of FILE, one per line\n"
    "  -g FILE            read the highest groups issued from FILE over the built-in\n"
    "                     list of ",
    ssn::kGroupDataDate,
    "\n"
    "  -C                 classify card numbers instead of SSNs\n"
    "  --quiet            no banner and no leading blank line\n"
    "  --format=FORMAT    text (the default), tsv or jsonl: one record per text,\n"
    "                     standard output holds records only (implies --quiet)\n"
    "  --no-header        no header row in the tsv format\n"
    "  --rules=RULES      classic (the default): SSNs by the built-in data, cards by\n"
    "                     the classic table; current: SSNs as issued since issuance\n"
    "                     became random in 06/2011 (-g overlays the list of 06/2011),\n"
    "                     cards by today's networks\n"
    "  --fail-on-invalid  exit 1 when a number was not valid\n"
    "  --jobs=N           check a list with N threads (0: one per processor)\n"
    "  --help             show this text and exit\n"
    "  --version          show the version and the dates of the data and exit\n"
    "Long options may stand anywhere. Without one, the other options follow the\n"
    "first option argument (one led by -, + or /) and only the first NUMBER counts;\n"
    "with one, options and numbers mix as in GNU programs: every NUMBER is checked,\n"
    "then the list file of -i, -- ends the options, standard input that is no\n"
    "terminal is read without prompts, and errors are one line on standard error.\n"
    "\n",
});

constexpr std::string_view kUsageEnd =
    "\n"
    "Exit status: 0 done; 1 a number not valid (only with --fail-on-invalid);\n"
    "2 the list file could not be opened or read, or Ctrl-C; 3 standard output\n"
    "could not be written; 5 a bad option, or the group file could not be opened\n"
    "or read; 6 out of memory.\n"
    "\n"
    "Full documentation: man kalderos\n";

constexpr std::size_t kWidth = 80;

// `lead` and the words after it, one blank apart, wrapped below 80 columns under the first word.
template <std::size_t N>
void WriteWords(std::string_view lead, const std::array<std::string_view, N>& words, std::string_view between = " ") {
    Out().Write(lead);
    std::size_t column = lead.size();
    for (std::size_t i = 0; i < N; ++i) {
        const std::string_view separator = i == 0 ? std::string_view(" ") : between;
        if (i != 0 && column + separator.size() + words[i].size() >= kWidth) {
            Out().Write(separator.substr(0, separator.size() - 1));
            Out().Write("\n");
            Out().WriteRepeated(' ', lead.size() + 1);
            column = lead.size() + 1;
        } else {
            Out().Write(separator);
            column += separator.size();
        }
        Out().Write(words[i]);
        column += words[i].size();
    }
    Out().Write("\n");
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
    WriteRecordFields();
    Out().Write(kUsageEnd);
    return kExitDone;
}

int PrintVersion() {    Out().Write("kalderos ");
    Out().Write(kProgramVersion);
    Out().Write("\nArea data: ");
    Out().Write(ssn::kAreaDataDate);
    Out().Write("\nHighest groups: ");
    Out().Write(ssn::kGroupDataDate);
    Out().Write("\nRules: classic (the default), current");
    Out().Write("\nBuild: ");
    Out().Write(MakeVersionStamp(kBuildDate, kBuildTime));
    Out().Write("\n");
    return kExitDone;
}

}  // namespace kalderos
