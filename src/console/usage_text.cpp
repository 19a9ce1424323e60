// The usage text and the version text.
#include "console/usage_text.h"

#include <array>
#include <string_view>

#include "console/version_stamp.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "ssn/data_dates.h"

namespace kalderos {
namespace {

constexpr std::array<std::string_view, 3> kUsage{
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
    "  --fail-on-invalid  exit 1 when a number was not valid\n"
    "  --help             show this text and exit\n"
    "  --version          show the version and the dates of the data and exit\n"
    "Long options may stand anywhere; the other options follow the first option\n"
    "argument (one led by -, + or /).\n"
    "\n"
    "SSN record fields: input well_formed area group serial place verdict confirm reason\n"
    // The date the result lines give for these areas, from which on numbers were issued at random.
    "  verdict: valid, invalid, unknown (areas 773-899, opened after 06/2011)\n"
    "  reason: ok malformed area-000 area-666 area-900-999 area-after-2011 group-00\n"
    "          serial-0000 known-invalid group-not-issued\n"
    "Card record fields: input digits type luhn outcome reason\n"
    "  luhn: pass, fail, n/a\n"
    "  reason: ok not-a-number bad-dashes too-few-digits too-many-digits\n"
    "          unknown-prefix bad-check-digit\n"
    "\n"
    "Exit status: 0 done; 1 a number not valid (only with --fail-on-invalid);\n"
    "2 the list file could not be opened or read, or Ctrl-C; 3 standard output\n"
    "could not be written; 5 a bad option, or the group file could not be opened\n"
    "or read; 6 out of memory.\n"
    "\n"
    "Full documentation: man kalderos\n",
};

}  // namespace

void PrintUsageAndExit() {
    for (const std::string_view part : kUsage) Out().Write(part);
    TerminateRun(kExitDone);
}

void PrintVersionAndExit() {
    Out().Write("kalderos ");
    Out().Write(kProgramVersion);
    Out().Write("\nArea data: ");
    Out().Write(ssn::kAreaDataDate);
    Out().Write("\nHighest groups: ");
    Out().Write(ssn::kGroupDataDate);
    Out().Write("\nBuild: ");
    Out().Write(MakeVersionStamp(kBuildDate, kBuildTime));
    Out().Write("\n");
    TerminateRun(kExitDone);
}

}  // namespace kalderos
