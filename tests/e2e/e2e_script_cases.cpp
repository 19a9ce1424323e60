// Rows of the end-to-end table for scripts and pipelines: long options, --quiet, the TSV and JSON Lines
// records, --fail-on-invalid, --help and --version, and the diagnostics of the record formats.
#include <string>

#include "e2e_cases.h"

namespace kalderos::test {
namespace {

// The header rows, byte for byte: the field names are an interface of the record formats.
const std::string kSsnHeader =
    "input\twell_formed\tarea\tgroup\tserial\tplace\tverdict\tconfirm\treason\tissued_after\tissued_by\n";
const std::string kCardHeader = "input\tdigits\ttype\tluhn\toutcome\treason\n";
const std::string kConfirmed = "SSN: 123-96-0001   New York              VALID=YES  CONFIRM\n";
// An empty line under a long option: the text shown quoted in the number's column, its reason in the place's.
const std::string kEmptyLine = "SSN: \"\"            empty                 VALID=NO\n";
const std::string kTryHelp = "Try 'kalderos --help' for more information.\n";
// The fields of a JSON record after its input when the input is no number.
const std::string kMalformedJson =
    R"("well_formed":false,"area":null,"group":null,"serial":null,"place":null,"verdict":"invalid",)"
    R"("confirm":false,"reason":"malformed","issued_after":null,"issued_by":null})";

// --help, byte for byte: the options, the record fields, the reasons and the exit codes are an interface.
const std::string kUsage =
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
           "                     list of 7/2007\n"
           "  -C                 classify card numbers instead of SSNs\n"
           "  --quiet            no banner and no leading blank line\n"
           "  --format=FORMAT    text (the default), tsv, jsonl or csv: one record per text,\n"
           "                     standard output holds records only (implies --quiet)\n"
           "  --no-header        no header row in the tsv and csv formats, nor in CSV input\n"
           "  --column=NAME|N    read the input as CSV and check the column NAME (in its\n"
           "                     header row) or N (from 1) of every row\n"
           "  --delimiter=C      what parts the fields of CSV input: one byte, or tab or \\t\n"
           "                     (a comma by default)\n"
           "  --output-delimiter=C\n"
           "                     what parts the fields of the csv format's rows over CSV\n"
           "                     input (the input's delimiter by default)\n"
           "  --rules=RULES      classic (the default): SSNs by the built-in data, cards by\n"
           "                     the classic table; current: SSNs as issued since issuance\n"
           "                     became random in 06/2011 (-g overlays the list of 06/2011),\n"
           "                     cards by today's networks\n"
           "  --fail-on-invalid  exit 1 when a number was not valid\n"
           "  --summary          print the counts of each verdict, reason and card type\n"
           "                     instead of a line per number\n"
           "  --jobs=N           check a list with N threads, 0-1024 (0: one per processor)\n"
           "  --help             show this text and exit\n"
           "  --version          show the version and the dates of the data and exit\n"
           "Long options may stand anywhere. Without one, the other options follow the\n"
           "first option argument (one led by -, + or /) and only the first NUMBER counts;\n"
           "with one, options and numbers mix as in GNU programs: every NUMBER is checked,\n"
           "then the list file of -i, -- ends the options, standard input that is no\n"
           "terminal is read without prompts, and errors are one line on standard error.\n"
           "\n"
           "SSN record fields: input well_formed area group serial place verdict confirm\n"
           "                   reason issued_after issued_by\n"
           "  verdict: valid, invalid, unknown (classic rules: areas 773-899, opened after\n"
           "           06/2011)\n"
           "  issued_after, issued_by: the months of the published lists between which the\n"
           "           number could have been issued (YYYY-MM), empty where none bounds it\n"
           "  reason: ok malformed area-after-2011 area-000 area-900-999 group-00\n"
           "          serial-0000 area-666 known-invalid group-not-issued empty\n"
           "Card record fields: input digits type luhn outcome reason\n"
           "  type, classic rules: DINERS AMEX VISA MasterCard Discover JCB16 JCB15 enRoute\n"
           "                       Other\n"
           "  type, current rules: VISA MasterCard AMEX Discover JCB DINERS UnionPay Maestro\n"
           "                       Mir Elo Hiper Hipercard Troy Verve RuPay UATP Dankort\n"
           "                       InterPayment InstaPayment LankaPay UzCard Humo BORICA\n"
           "                       Other\n"
           "  luhn: n/a, pass, fail\n"
           "  reason: ok not-a-number bad-dashes too-few-digits unknown-prefix\n"
           "          too-many-digits bad-check-digit empty\n"
           "\n"
           "Exit status: 0 done; 1 a number not valid (only with --fail-on-invalid);\n"
           "2 the list file could not be opened or read, CSV input lacks the column, ends\n"
           "inside quotes or has a row over 16 MiB, or Ctrl-C; 3 standard output could not\n"
           "be written; 5 a bad option, or the group file could not be opened or read;\n"
           "6 out of memory.\n"
           "\n"
           "Full documentation: man kalderos\n";

// A record-format row: no banner.
E2eCase Quiet(E2eCase row) {
    row.banner = false;
    return row;
}

// Odd texts: a carriage return, blanks and a tab around a number, a number cut short, an empty line, blanks
// inside, one digit too many, a minus sign, Latin-1 and a backslash, and a last line without its line feed.
const std::string kOddSsnList =
    "123-96-0001\r\n  001-06-1234\t\n123-96-\n\n123 45 6789\n1234567890\n-12-45-6789\na\\b\xE9\"\n800-12-3456";

// Each rule that decides a verdict, once.
const std::string kReasonList =
    "000-12-3456\n666-12-3456\n900-12-3456\n123-00-0001\n123-96-0000\n078-05-1120\n123-45-6789\n586-19-0001\n"
    "772-70-0001\n666-00-0000\n";

std::vector<E2eCase> SsnRecordRows() {
    return {
        Quiet({"tsv odd SSN texts", {"--format=tsv", "-i", "list.txt"}, {{"list.txt", kOddSsnList}}, "",
               kSsnHeader +
                   "123-96-0001\ttrue\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06\n"
                   "  001-06-1234\\t\ttrue\t001\t06\t1234\tNew Hampshire\tvalid\ttrue\tok\t2003-11\t2011-06\n"
                   "123-96-\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
                   "\tfalse\t\t\t\t\tinvalid\tfalse\tempty\t\t\n"
                   "123 45 6789\ttrue\t123\t45\t6789\tNew York\tinvalid\tfalse\tgroup-not-issued\t\t\n"
                   "1234567890\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
                   "-12-45-6789\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
                   "a\\\\b\xE9\"\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
                   "800-12-3456\ttrue\t800\t12\t3456\t\tunknown\tfalse\tarea-after-2011\t2011-06\t\n",
               kOneNotIssued}),
        Quiet({"jsonl odd SSN texts", {"-i", "list.txt", "--format", "jsonl"}, {{"list.txt", kOddSsnList}}, "",
               R"({"input":"123-96-0001","well_formed":true,"area":"123","group":"96","serial":"0001","place":"New York",)"
               R"("verdict":"valid","confirm":true,"reason":"ok","issued_after":"2007-07","issued_by":"2011-06"})" "\n"
               R"({"input":"  001-06-1234\t","well_formed":true,"area":"001","group":"06","serial":"1234",)"
               R"("place":"New Hampshire","verdict":"valid","confirm":true,"reason":"ok","issued_after":"2003-11","issued_by":"2011-06"})" "\n"
               R"({"input":"123-96-","well_formed":false,"area":null,"group":null,"serial":null,"place":null,)"
               R"("verdict":"invalid","confirm":false,"reason":"malformed","issued_after":null,"issued_by":null})" "\n"
               R"({"input":"","well_formed":false,"area":null,"group":null,"serial":null,"place":null,)"
               R"("verdict":"invalid","confirm":false,"reason":"empty","issued_after":null,"issued_by":null})" "\n"
               R"({"input":"123 45 6789","well_formed":true,"area":"123","group":"45","serial":"6789","place":"New York",)"
               R"("verdict":"invalid","confirm":false,"reason":"group-not-issued","issued_after":null,"issued_by":null})" "\n"
               R"({"input":"1234567890","well_formed":false,"area":null,"group":null,"serial":null,"place":null,)"
               R"("verdict":"invalid","confirm":false,"reason":"malformed","issued_after":null,"issued_by":null})" "\n"
               R"({"input":"-12-45-6789","well_formed":false,"area":null,"group":null,"serial":null,"place":null,)"
               R"("verdict":"invalid","confirm":false,"reason":"malformed","issued_after":null,"issued_by":null})" "\n"
               R"({"input":"a\\b\u00e9\"","well_formed":false,"area":null,"group":null,"serial":null,"place":null,)"
               R"("verdict":"invalid","confirm":false,"reason":"malformed","issued_after":null,"issued_by":null})" "\n"
               R"({"input":"800-12-3456","well_formed":true,"area":"800","group":"12","serial":"3456","place":null,)"
               R"("verdict":"unknown","confirm":false,"reason":"area-after-2011","issued_after":"2011-06","issued_by":null})" "\n",
               kOneNotIssued}),
        Quiet({"tsv every reason", {"--no-header", "-i", "list.txt", "--format=tsv"}, {{"list.txt", kReasonList}}, "",
               "000-12-3456\ttrue\t000\t12\t3456\t\tinvalid\tfalse\tarea-000\t\t\n"
               "666-12-3456\ttrue\t666\t12\t3456\t\tinvalid\tfalse\tarea-666\t\t\n"
               "900-12-3456\ttrue\t900\t12\t3456\t\tinvalid\tfalse\tarea-900-999\t\t\n"
               "123-00-0001\ttrue\t123\t00\t0001\tNew York\tinvalid\tfalse\tgroup-00\t\t\n"
               "123-96-0000\ttrue\t123\t96\t0000\tNew York\tinvalid\tfalse\tserial-0000\t\t\n"
               "078-05-1120\ttrue\t078\t05\t1120\tNew York\tinvalid\tfalse\tknown-invalid\t\t\n"
               "123-45-6789\ttrue\t123\t45\t6789\tNew York\tinvalid\tfalse\tgroup-not-issued\t\t\n"
               "586-19-0001\ttrue\t586\t19\t0001\tAmerican Samoa, Guam, Philippine Islands\tinvalid\tfalse\t"
               "known-invalid\t\t\n"
               "772-70-0001\ttrue\t772\t70\t0001\tFlorida\tvalid\ttrue\tok\t2007-07\t2011-06\n"
               "666-00-0000\ttrue\t666\t00\t0000\t\tinvalid\tfalse\tgroup-00\t\t\n", kOneNotIssued}),
        // The text line makes 411-11-1111 of it; a record invents no digits.
        Quiet({"tsv a card number is no SSN", {"4111111111111111", "--format=tsv", "--no-header"}, {}, "",
               "4111111111111111\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"}),
        Quiet({"tsv group file", {"--format=tsv", "--no-header", "-g", "groups.txt", "-i", "list.txt"},
               {{"groups.txt", "123 45\n"}, {"list.txt", "123-45-6789\n"}}, "",
               "123-45-6789\ttrue\t123\t45\t6789\tNew York\tvalid\ttrue\tok\t2011-06\t\n"}),
        Quiet({"tsv standard input is a filter", {"--format=tsv"}, {}, "123-96-0001\n\n7\n123456789",
               kSsnHeader + "123-96-0001\ttrue\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06\n"
                            "\tfalse\t\t\t\t\tinvalid\tfalse\tempty\t\t\n"
                            "7\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
                            "123456789\ttrue\t123\t45\t6789\tNew York\tinvalid\tfalse\tgroup-not-issued\t\t\n",
               kOneNotIssued}),
        Quiet({"jsonl options first read standard input", {"--format=jsonl", "-g", "groups.txt"},
               {{"groups.txt", "123 45\n"}}, "123456789\r\n",
               R"({"input":"123456789","well_formed":true,"area":"123","group":"45","serial":"6789","place":"New York",)"
               R"("verdict":"valid","confirm":true,"reason":"ok","issued_after":"2011-06","issued_by":null})" "\n"}),
        // A text line holds at most 259 characters; a record holds its whole line, however long.
        Quiet({"tsv a line of 259 characters is one record", {"--format=tsv", "--no-header", "-i", "list.txt"},
               {{"list.txt", std::string(259, 'x') + "\n123-96-0001\n"}}, "",
               std::string(259, 'x') + "\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
               "123-96-0001\ttrue\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06\n"}),
        Quiet({"jsonl a line of 300 characters is one record", {"--format=jsonl", "-i", "list.txt"},
               {{"list.txt", std::string(300, 'y') + "\r\n"}}, "",
               R"({"input":")" + std::string(300, 'y') +
                   R"(","well_formed":false,"area":null,"group":null,"serial":null,"place":null,)"
                   R"("verdict":"invalid","confirm":false,"reason":"malformed","issued_after":null,"issued_by":null})" "\n"}),
        Quiet({"tsv a number behind 270 blanks on standard input", {"--format=tsv", "--no-header"}, {},
               std::string(270, ' ') + "123-96-0001\n",
               std::string(270, ' ') + "123-96-0001\ttrue\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06\n"}),
        Quiet({"tsv a text ends at its NUL byte, the list's last one too", {"--format=tsv", "--no-header", "-i", "l.txt"},
               {{"l.txt", std::string("7\0x\n123-96-0001\0", 16)}}, "",
               "7\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
               "123-96-0001\ttrue\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06\n"}),
        Quiet({"--format=text is the default", {"--format=text", "--quiet", "123-96-0001"}, {}, "", kConfirmed}),
        // Blanks are trimmed around a number, never inside it.
        Quiet({"tsv a dash for a digit is malformed", {"--format=tsv", "--no-header", "-i", "list.txt"},
               {{"list.txt", " 123-45--789\n123-45--789\n 123-45-6789 \n"}}, "",
               " 123-45--789\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
               "123-45--789\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
               " 123-45-6789 \ttrue\t123\t45\t6789\tNew York\tinvalid\tfalse\tgroup-not-issued\t\t\n", kOneNotIssued}),
        // As people write a number: blanks where the dashes stand, blanks around it. A cell of blanks is empty, not
        // malformed; blanks and dashes do not mix, and one blank stands for one dash.
        Quiet({"tsv an SSN as people write it", {"--format=tsv", "--no-header", "--rules=current", "-i", "list.txt"},
               {{"list.txt", "123 45 6789\n  123 96 0001\t\n\t\n   \n123 45-6789\n123  45 6789\n 123 45 67890\n"}}, "",
               "123 45 6789\ttrue\t123\t45\t6789\t\tvalid\tfalse\tok\t2011-06\t\n"
               "  123 96 0001\\t\ttrue\t123\t96\t0001\tNew York\tvalid\tfalse\tok\t2007-07\t2011-06\n"
               "\\t\tfalse\t\t\t\t\tinvalid\tfalse\tempty\t\t\n"
               "   \tfalse\t\t\t\t\tinvalid\tfalse\tempty\t\t\n"
               "123 45-6789\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
               "123  45 6789\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
               " 123 45 67890\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"}),
        // Short inputs are escaped from a vector of their bytes, long ones byte by byte: the same escapes.
        Quiet({"tsv a lone carriage return is escaped, short or long", {"--format=tsv", "--no-header", "-i",
               "list.txt"}, {{"list.txt", "12\r3\n" + std::string(40, '7') + "\r\\\n"}}, "",
               "12\\r3\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n" + std::string(40, '7') +
                   "\\r\\\\\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"}),
        Quiet({"jsonl DEL is escaped, short or long", {"--format=jsonl", "-i", "list.txt"},
               {{"list.txt", "1\x7f\n" + std::string(40, '7') + "\x7f\n"}}, "",
               R"({"input":"1\u007f",)" + kMalformedJson + "\n" + R"({"input":")" + std::string(40, '7') +
                   R"(\u007f",)" + kMalformedJson + "\n"}),
        // An input longer than a piece of escaping: its closing quote and its escapes past the first piece.
        Quiet({"jsonl an input of 5000 bytes", {std::string(4100, '7') + "\"" + std::string(899, '7'), "--format=jsonl"},
               {}, "",
               R"({"input":")" + std::string(4100, '7') + "\\\"" + std::string(899, '7') + R"(",)" +
                   kMalformedJson + "\n"}),
        Quiet({"tsv an input of 5000 bytes", {std::string(4100, '7') + "\t" + std::string(899, '7'), "--format=tsv",
               "--no-header"}, {}, "",
               std::string(4100, '7') + "\\t" + std::string(899, '7') +
                   "\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"}),
        // A record confirms only a valid number; the text line marks the highest group whatever the verdict.
        Quiet({"jsonl confirm only for a valid number", {"--format=jsonl", "-i", "list.txt"},
               {{"list.txt", "000-00-0001\n580-01-0001\n"}}, "",
               R"({"input":"000-00-0001","well_formed":true,"area":"000","group":"00","serial":"0001","place":null,)"
               R"("verdict":"invalid","confirm":false,"reason":"area-000","issued_after":null,"issued_by":null})" "\n"
               R"({"input":"580-01-0001","well_formed":true,"area":"580","group":"01","serial":"0001",)"
               R"("place":"Virgin Islands, Puerto Rico","verdict":"valid","confirm":false,"reason":"ok","issued_after":null,"issued_by":"2003-11"})" "\n"}),
        Quiet({"text line of the same numbers", {"--quiet", "-i", "list.txt"},
               {{"list.txt", "000-00-0001\n"}}, "", "SSN: 000-00-0001   ILLEGAL 000           VALID=NO  CONFIRM\n"}),
    };
}

// Short texts, an empty line, UNKNOWN texts of each cause, each outcome.
const std::string kOddCardList =
    "4111111111111111\r\n123\n\n12345x7890123\n3500 0000 0000 0000\n4000-000000000002\n4000000000000001\n"
    "51000000000000081\n40000000000006\n9000000000000000\n201400000000001\n3400000000000090";

std::vector<E2eCase> CardRecordRows() {
    return {
        Quiet({"tsv odd card texts", {"--format=tsv", "-C", "-i", "cards.txt"}, {{"cards.txt", kOddCardList}}, "",
               kCardHeader +
                   "4111111111111111\t4111111111111111\tVISA\tpass\tVISA\tok\n"
                   "123\t\t\tn/a\tUNKNOWN\ttoo-few-digits\n"
                   "\t\t\tn/a\tUNKNOWN\tempty\n"
                   "12345x7890123\t\t\tn/a\tUNKNOWN\tnot-a-number\n"
                   "3500 0000 0000 0000\t3500000000000000\tJCB16\tfail\tJCB16_X\tbad-check-digit\n"
                   "4000-000000000002\t\t\tn/a\tUNKNOWN\tbad-dashes\n"
                   "4000000000000001\t4000000000000001\tVISA\tfail\tVISA_X\tbad-check-digit\n"
                   "51000000000000081\t5100000000000008\tMasterCard\tpass\tMasterCard\tok\n"
                   "40000000000006\t40000000000006\tVISA\tn/a\tVISA\ttoo-few-digits\n"
                   "9000000000000000\t9000000000000000\tOther\tn/a\tOther\tunknown-prefix\n"
                   "201400000000001\t201400000000001\tenRoute\tn/a\tenRoute\tok\n"
                   "3400000000000090\t3400000000000090\tAMEX\tn/a\t2MANY_DIGITS\ttoo-many-digits\n"}),
        Quiet({"jsonl card texts", {"-C", "--format=jsonl", "-i", "cards.txt"},
               {{"cards.txt", "4000-0000-0000-0002\n1\n\"\\\x01\n"}}, "",
               R"({"input":"4000-0000-0000-0002","digits":"4000000000000002","type":"VISA","luhn":"pass",)"
               R"("outcome":"VISA","reason":"ok"})" "\n"
               R"({"input":"1","digits":null,"type":null,"luhn":"n/a","outcome":"UNKNOWN","reason":"too-few-digits"})"
               "\n"
               R"({"input":"\"\\\u0001","digits":null,"type":null,"luhn":"n/a","outcome":"UNKNOWN",)"
               R"("reason":"not-a-number"})" "\n"}),
        // As people write a number: in groups with single blanks or dashes between them, blanks around it. Any other
        // white space inside makes no number; one blank joins two groups as one dash does.
        Quiet({"tsv card numbers as people write them", {"--format=tsv", "--no-header", "-C", "-i", "cards.txt"},
               {{"cards.txt", "4111 1111 1111 1111\n  4111111111111111  \n3782 822463 10005\n4111-1111 1111-1111\n"
                              "4111  1111 1111 1111\n4111 -1111-1111-1111\n4111\t1111\t1111\t1111\n"
                              "4111111111111111 exp 12/29\n4111 111111111111\n   \n"}}, "",
               "4111 1111 1111 1111\t4111111111111111\tVISA\tpass\tVISA\tok\n"
               "  4111111111111111  \t4111111111111111\tVISA\tpass\tVISA\tok\n"
               "3782 822463 10005\t378282246310005\tAMEX\tpass\tAMEX\tok\n"
               "4111-1111 1111-1111\t4111111111111111\tVISA\tpass\tVISA\tok\n"
               "4111  1111 1111 1111\t\t\tn/a\tUNKNOWN\tnot-a-number\n"
               "4111 -1111-1111-1111\t\t\tn/a\tUNKNOWN\tnot-a-number\n"
               "4111\\t1111\\t1111\\t1111\t\t\tn/a\tUNKNOWN\tnot-a-number\n"
               "4111111111111111 exp 12/29\t\t\tn/a\tUNKNOWN\tnot-a-number\n"
               "4111 111111111111\t\t\tn/a\tUNKNOWN\tbad-dashes\n"
               "   \t\t\tn/a\tUNKNOWN\tempty\n"}),
        Quiet({"jsonl card in groups by today's networks", {"-C", "--rules=current", "--format=jsonl"}, {},
               "\t6011 0000 0000 0004\n\t\n",
               R"({"input":"\t6011 0000 0000 0004","digits":"6011000000000004","type":"Discover","luhn":"pass",)"
               R"("outcome":"Discover","reason":"ok"})" "\n"
               R"({"input":"\t","digits":null,"type":null,"luhn":"n/a","outcome":"UNKNOWN","reason":"empty"})" "\n"}),
        Quiet({"tsv card a line of 259 characters is one record", {"--format=tsv", "--no-header", "-C"}, {},
               std::string(259, 'a') + "\n", std::string(259, 'a') + "\t\t\tn/a\tUNKNOWN\tnot-a-number\n"}),
        Quiet({"jsonl card from standard input", {"-C", "--format=jsonl"}, {}, "6011111111111117\n",
               R"({"input":"6011111111111117","digits":"6011111111111117","type":"Discover","luhn":"pass",)"
               R"("outcome":"Discover","reason":"ok"})" "\n"}),
    };
}

std::vector<E2eCase> QuietAndMixedRows() {
    const std::string p = ConsolePrompts();
    return {
        Quiet({"--quiet one number", {"--quiet", "123-96-0001"}, {}, "", kConfirmed}),
        Quiet({"--quiet after the options", {"123-45-6789", "-g", "groups.txt", "--quiet"}, {{"groups.txt", "123 45\n"}},
               "", "SSN: 123-45-6789   New York              VALID=YES  CONFIRM\n"}),
        Quiet({"--quiet list", {"-i", "list.txt", "--quiet"}, {{"list.txt", "123-96-0001\n123-96-0001\n"}}, "",
               kConfirmed + kConfirmed}),
        // Standard input that is no terminal gets no prompts: it is read to its end, as a list file is.
        Quiet({"--quiet standard input without prompts", {"--quiet"}, {}, "123-96-0001\n\n123-96-0001",
               kConfirmed + kEmptyLine + kConfirmed}),
        Quiet({"--quiet card keeps its lines", {"4111111111111111", "--quiet", "-C"}, {}, "",
               "\n        VISA |     4111111111111111\n"}),
        Quiet({"--fail-on-invalid a valid number", {"--quiet", "--fail-on-invalid", "123-96-0001"}, {}, "", kConfirmed}),
        Quiet({"--fail-on-invalid an unknown area passes", {"800-12-3456", "--fail-on-invalid", "--quiet"}, {}, "",
               "SSN: 800-12-3456   UNKNOWN-after 06/2011 VALID=MAYBE\n"}),
        Quiet({"--fail-on-invalid an invalid number", {"--fail-on-invalid", "--quiet", "123-45-6789"}, {}, "",
               "SSN: 123-45-6789   New York              VALID=NO\n", kOneNotIssued, 1}),
        Quiet({"--fail-on-invalid a malformed text", {"--quiet", "--fail-on-invalid", "-i",
               "list.txt"}, {{"list.txt", "123-96-0001\n123-96-\n"}}, "",
               kConfirmed + "SSN: \"123-96-\"     malformed             VALID=NO\n", "", 1}),
        // A line longer than the lenient reading's pieces is one text, judged and shown whole; an argument as
        // long as a piece is one text too.
        Quiet({"--fail-on-invalid a number with blanks behind it, long", {"--quiet", "--fail-on-invalid", "-i",
               "list.txt"}, {{"list.txt", "123-96-0001" + std::string(300, ' ') + "\n"}}, "", kConfirmed}),
        Quiet({"--fail-on-invalid a number with blanks around it, long", {"--quiet", "--fail-on-invalid", "-i",
               "list.txt"}, {{"list.txt", std::string(255, ' ') + "123-96-0001" + std::string(100, ' ') + "\n"}}, "",
               kConfirmed}),
        Quiet({"--fail-on-invalid a word far behind a number", {"--quiet", "--fail-on-invalid", "-i", "list.txt"},
               {{"list.txt", "123-96-0001" + std::string(300, ' ') + "x\n"}}, "",
               "SSN: \"123-96-0001" + std::string(300, ' ') + "x\"   malformed             VALID=NO\n", "", 1}),
        Quiet({"--fail-on-invalid a NUL ends a long line", {"--quiet", "--fail-on-invalid", "-i", "list.txt"},
               {{"list.txt", "123-96-0001" + std::string(1, '\0') + std::string(300, 'x') + "\n"}}, "",
               kConfirmed}),
        Quiet({"--fail-on-invalid a long line that ends the list", {"--quiet", "--fail-on-invalid", "-i", "list.txt"},
               {{"list.txt", "123-96-0001\nx" + std::string(258, ' ')}}, "",
               kConfirmed + "SSN: \"x" + std::string(258, ' ') + "\"   malformed             VALID=NO\n", "", 1}),
        Quiet({"--fail-on-invalid an argument as long as a piece", {"--quiet", "--fail-on-invalid",
               "123-96-0001" + std::string(248, ' '), "-i", "list.txt"}, {{"list.txt", "123-96-0001\n"}}, "",
               kConfirmed + kConfirmed}),
        Quiet({"--fail-on-invalid a card after many blanks", {"--quiet", "--fail-on-invalid", "-C", "-i",
               "cards.txt"}, {{"cards.txt", std::string(270, ' ') + "4111 1111 1111 1111\n"}}, "",
               "\n        VISA |  4111 1111 1111 1111\n"}),
        Quiet({"--fail-on-invalid a card with many blanks behind it", {"--quiet", "--fail-on-invalid", "-C",
               "-i", "cards.txt"}, {{"cards.txt", "4111111111111111" + std::string(300, ' ') + "\n"}}, "",
               "\n        VISA |     4111111111111111\n"}),
        // A long option leaves out the banner where standard error is no terminal, as here.
        Quiet({"--fail-on-invalid text without the banner", {"123-45-6789", "--fail-on-invalid"}, {}, "",
               "\nSSN: 123-45-6789   New York              VALID=NO\n", kOneNotIssued, 1}),
        Quiet({"--fail-on-invalid tsv", {"--format=tsv", "--no-header", "--fail-on-invalid", "-i", "list.txt"},
               {{"list.txt", "123-96-0001\nx\n"}}, "",
               "123-96-0001\ttrue\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06\nx\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n",
               "", 1}),
        // --fail-on-invalid counts what the records call a number, and the line shows the same judgement.
        Quiet({"--fail-on-invalid an SSN with blanks for dashes passes", {"--quiet", "--fail-on-invalid", "123 96 0001"},
               {}, "", kConfirmed}),
        Quiet({"--fail-on-invalid a card number in groups passes", {"--quiet", "--fail-on-invalid", "-C",
               "4111 1111 1111 1111"}, {}, "", "\n        VISA |  4111 1111 1111 1111\n"}),
        Quiet({"--fail-on-invalid cards all ok", {"--fail-on-invalid", "--quiet", "-C", "-i", "cards.txt"},
               {{"cards.txt", "4111111111111111\n"}}, "", "\n        VISA |     4111111111111111\n"}),
        Quiet({"--fail-on-invalid a short card text counts", {"--fail-on-invalid", "--format=jsonl", "-C"}, {},
               "4111111111111111\n12\n",
               R"({"input":"4111111111111111","digits":"4111111111111111","type":"VISA","luhn":"pass",)"
               R"("outcome":"VISA","reason":"ok"})" "\n"
               R"({"input":"12","digits":null,"type":null,"luhn":"n/a","outcome":"UNKNOWN","reason":"too-few-digits"})"
               "\n", "", 1}),
        Quiet({"--fail-on-invalid records: an unknown area passes", {"--format=tsv", "--no-header",
               "--fail-on-invalid", "800-12-3456"}, {}, "",
               "800-12-3456\ttrue\t800\t12\t3456\t\tunknown\tfalse\tarea-after-2011\t2011-06\t\n"}),
        Quiet({"--fail-on-invalid records: a bad check digit fails", {"4000000000000001", "-C", "--format=tsv",
               "--no-header", "--fail-on-invalid"}, {}, "",
               "4000000000000001\t4000000000000001\tVISA\tfail\tVISA_X\tbad-check-digit\n", "", 1}),
        Quiet({"--fail-on-invalid card line: a bad check digit fails", {"4000000000000001", "-C", "--quiet",
               "--fail-on-invalid"}, {}, "", "\n      VISA_X |     4000000000000001\n", "", 1}),
        // Under a long option each text is judged alone and strictly: nothing carried from the text before, no
        // digit made up; a text that is no number is shown as given, quoted, with its reason.
        Quiet({"strict lines: empty, short, blanks around, a control byte, blanks for dashes",
               {"--quiet", "--rules=current", "-i", "list.txt"},
               {{"list.txt", "123-45-6789\n\n12345678\n 277-85-5072\nabc\x01" "def\n123 45 6789\n"}}, "",
               "SSN: 123-45-6789   RANDOM-after 06/2011  VALID=YES\n" + kEmptyLine +
                   "SSN: \"12345678\"    malformed             VALID=NO\n"
                   "SSN: 277-85-5072   RANDOM-after 06/2011  VALID=YES\n"
                   "SSN: \"abc\\x01def\"   malformed             VALID=NO\n"
                   "SSN: 123-45-6789   RANDOM-after 06/2011  VALID=YES\n"}),
        // UTF-8 from a file: a Windows command line passes an argument through the system's code page.
        Quiet({"strict lines: the escapes", {"--quiet", "a\tb\r", "-i", "utf8.txt", "x\x7f", " 123-96-0001 "},
               {{"utf8.txt", "\"\\\x7f\xc3\xa9\n"}}, "",
               "SSN: \"a\\tb\\r\"      malformed             VALID=NO\n"
               "SSN: \"x\\x7f\"       malformed             VALID=NO\n" + kConfirmed +
               "SSN: \"\\\"\\\\\\x7f\xc3\xa9\"   malformed             VALID=NO\n"}),
        Quiet({"strict lines: the width of the shown text", {"--quiet", "12345678", "123-45-67", std::string(32, 'a'),
               std::string(33, 'a')}, {}, "",
               "SSN: \"12345678\"    malformed             VALID=NO\n"
               "SSN: \"123-45-67\"   malformed             VALID=NO\n"
               "SSN: \"" + std::string(32, 'a') + "\"   malformed             VALID=NO\n"
               "SSN: \"" + std::string(33, 'a') + "\"   malformed             VALID=NO\n"}),
        Quiet({"--fail-on-invalid exits as the line says", {"--quiet", "--fail-on-invalid", "0123456789"}, {}, "",
               "SSN: \"0123456789\"   malformed             VALID=NO\n", "", 1}),
        Quiet({"strict card lines: short, empty, in groups, blanks around, long", {"--quiet", "--fail-on-invalid",
               "-C", "-i", "cards.txt"},
               {{"cards.txt", "4111\n\n4111 1111 1111 1111\n  4111111111111111 \n" + std::string(30, 'x') + "\n"}}, "",
               "\n     UNKNOWN |               \"4111\""
               "\n     UNKNOWN |                   \"\""
               "\n        VISA |  4111 1111 1111 1111"
               "\n        VISA |     4111111111111111"
               "\n     UNKNOWN | \"" + std::string(30, 'x') + "\"\n", "", 1}),
        Quiet({"--help before a bad short option", {"-x", "--help"}, {}, "", kUsage}),
        Quiet({"long options abbreviated", {"--form=tsv", "--no-h", "--ru", "current", "078-05-1120"}, {}, "",
               "078-05-1120\ttrue\t078\t05\t1120\tNew York\tinvalid\tfalse\tknown-invalid\t\t\n"}),
        Quiet({"--version", {"--version", "123-45-6789"}, {}, "",
               "kalderos " KALDEROS_VERSION "\nArea data: 4/2011\nHighest groups: 7/2007\nRules: classic (the default), current\nBuild: " +
                   ExpectedStamp().substr(0, ExpectedStamp().size() - 1) + "\n"}),
    };
}

std::vector<E2eCase> LongOptionErrorRows() {
    return {
        Quiet({"unknown long option", {"123-45-6789", "--bogus"}, {}, "", "",
               "kalderos: unrecognized option '--bogus'\n" + kTryHelp, 5}),
        Quiet({"unknown long option with a value", {"--colour=red", "-i", "missing.txt"}, {}, "", "",
               "kalderos: unrecognized option '--colour=red'\n" + kTryHelp, 5}),
        Quiet({"unknown long option with a line feed", {"--col\nour"}, {}, "", "",
               "kalderos: unrecognized option '--col\\nour'\n" + kTryHelp, 5, true}),
        Quiet({"--format with a tab in its value", {"--format=t\tsv"}, {}, "", "",
               "kalderos: invalid argument 't\\tsv' for '--format' (valid arguments are 'text', 'tsv', 'jsonl', 'csv')\n" +
                   kTryHelp, 5, true}),
        Quiet({"--format without its value", {"-C", "--format"}, {}, "", "",
               "kalderos: option '--format' requires an argument\n" + kTryHelp, 5}),
        Quiet({"an abbreviated option is named in full", {"-C", "--fo"}, {}, "", "",
               "kalderos: option '--format' requires an argument\n" + kTryHelp, 5}),
        Quiet({"--format with a bad value", {"--format=xml"}, {}, "", "",
               "kalderos: invalid argument 'xml' for '--format' (valid arguments are 'text', 'tsv', 'jsonl', 'csv')\n" +
                   kTryHelp, 5}),
        Quiet({"--jobs with a bad value", {"--jobs=two", "-i", "l.txt"}, {}, "", "",
               "kalderos: invalid argument 'two' for '--jobs' (valid arguments are 0-1024)\n" + kTryHelp, 5}),
        Quiet({"--jobs above its limit", {"--jobs", "1025"}, {}, "", "",
               "kalderos: invalid argument '1025' for '--jobs' (valid arguments are 0-1024)\n" + kTryHelp, 5}),
        Quiet({"--jobs above its limit behind zeros", {"--jobs=00001025"}, {}, "", "",
               "kalderos: invalid argument '00001025' for '--jobs' (valid arguments are 0-1024)\n" + kTryHelp, 5}),
        Quiet({"--jobs at its limit", {"--jobs=1024", "--format=tsv", "--no-header", "-i", "l.txt"},
               {{"l.txt", "123-45-6789\n"}}, "",
               "123-45-6789\ttrue\t123\t45\t6789\tNew York\tinvalid\tfalse\tgroup-not-issued\t\t\n", kOneNotIssued}),
        // Leading zeros count for nothing, however many.
        Quiet({"--jobs behind zeros", {"--quiet", "--jobs=0001", "-i", "l.txt", "--jobs", "00002"},
               {{"l.txt", "123-96-0001\n"}}, "", kConfirmed}),
        Quiet({"--jobs without its value", {"--jobs"}, {}, "", "",
               "kalderos: option '--jobs' requires an argument\n" + kTryHelp, 5}),
        // One thread per processor.
        Quiet({"--jobs=0 over a list", {"--jobs=0", "--format=tsv", "--no-header", "-i", "l.txt"},
               {{"l.txt", "123-45-6789\n 772\n"}}, "",
               "123-45-6789\ttrue\t123\t45\t6789\tNew York\tinvalid\tfalse\tgroup-not-issued\t\t\n"
               " 772\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n", kOneNotIssued, 0}),
        Quiet({"a switch given a value", {"--quiet=yes"}, {}, "", "",
               "kalderos: option '--quiet' doesn't allow an argument\n" + kTryHelp, 5}),
        {"two dashes alone are a bad short option", {"--"}, {}, "", HelpPageOne(), PagerPrompt(), 5},
        // A long option is a name: dashes and digits, or one letter, are short-option arguments.
        {"three dashes and digits are a bad short option", {"---4000000000000002"}, {}, "", HelpPageOne(),
         PagerPrompt(), 5},
        {"four dashes and digits are a bad short option", {"----4000000000000002"}, {}, "", HelpPageOne(),
         PagerPrompt(), 5},
        {"two dashes and a digit are a bad short option", {"--4"}, {}, "", HelpPageOne(), PagerPrompt(), 5},
        {"two dashes and a letter are a bad short option", {"--i"}, {}, "", HelpPageOne(), PagerPrompt(), 5},
        // Records own standard output: no paged help screen there.
        Quiet({"tsv bad short option", {"--format=tsv", "-x"}, {}, "", "",
               "kalderos: invalid option -- 'x'\n" + kTryHelp, 5}),
        Quiet({"jsonl option value missing", {"-C", "--format=jsonl", "-i"}, {}, "", "",
               "kalderos: option requires an argument -- 'i'\n" + kTryHelp, 5}),
        // What stands where -i's value goes is that value, so no long option was given here: a value that
        // begins with "-" is then a forgotten one.
        {"a long option as a short option's value is none", {"-C", "-i", "--format=jsonl"}, {}, "", HelpPageOne(),
         PagerPrompt(), 5},
        // With a long option a bad short option is one line on standard error in the text format too.
        Quiet({"--quiet bad short option", {"123-45-6789", "-Cx", "--quiet"}, {}, "", "",
               "kalderos: invalid option -- 'x'\n" + kTryHelp, 5}),
        Quiet({"--quiet option value missing", {"--quiet", "-g"}, {}, "", "",
               "kalderos: option requires an argument -- 'g'\n" + kTryHelp, 5}),
        Quiet({"--quiet a control byte as an option", {"--quiet", "-\x01"}, {}, "", "",
               "kalderos: invalid option -- '\\x01'\n" + kTryHelp, 5, true}),
    };
}

std::vector<E2eCase> RecordDiagnosticRows() {
    return {
        Quiet({"tsv missing list file", {"--format=tsv", "-i", "missing.txt"}, {}, "", "",
               "kalderos: cannot open list file '{dir}/missing.txt': No such file or directory\n", 2}),
        Quiet({"--quiet missing list file", {"--quiet", "-i", "missing.txt", "123-96-0001"}, {}, "", "",
               "kalderos: cannot open list file '{dir}/missing.txt': No such file or directory\n", 2}),
        Quiet({"jsonl missing group file", {"123-45-6789", "-g", "missing.txt", "--format=jsonl"}, {}, "", "",
               "kalderos: cannot open group file '{dir}/missing.txt': No such file or directory\n", 5}),
        Quiet({"tsv list file that is a directory", {"--format=tsv", "-i", "dir.d"}, {{"dir.d/", ""}}, "", kSsnHeader,
               "kalderos: cannot read list file '{dir}/dir.d': Is a directory\n", 2, true}),
        // A name whose full path is longer than 259 characters is not passed over in silence; the reason is the
        // system's own words for it, which differ on Windows.
        Quiet({"tsv list path too long", {"--format=tsv", "-i", std::string(300, 'n')}, {}, "", "",
               "kalderos: cannot open list file '{dir}/" + std::string(300, 'n') + "': File name too long\n", 2,
               true}),
        Quiet({"jsonl group path too long after another", {"772-72-0001", "--format=jsonl", "-g", "gf", "-g",
               kDeepGroupFile}, {{"gf", "772 72\n"}}, "", "",
               "kalderos: cannot open group file '{dir}/" + kDeepGroupFile + "': File name too long\n", 5, true}),
        Quiet({"--quiet group path too long ends the run", {"772-72-0001", "--quiet", "-g", "gf", "-g", kDeepGroupFile},
               {{"gf", "772 72\n"}}, "", "",
               "kalderos: cannot open group file '{dir}/" + kDeepGroupFile + "': File name too long\n", 5, true}),
        // Every group file named is read: a later one leaves no earlier one unread.
        Quiet({"tsv group path too long before a usable one", {"772-72-0001", "--format=tsv", "--no-header", "-g",
               kDeepGroupFile, "-g", "gf"}, {{"gf", "772 72\n"}}, "", "",
               "kalderos: cannot open group file '{dir}/" + kDeepGroupFile + "': File name too long\n", 5, true}),
        Quiet({"--quiet missing group file before a usable one", {"--quiet", "-g", "missing.txt", "-g", "gf",
               "001-50-0001"}, {{"gf", "001 50\n"}}, "", "",
               "kalderos: cannot open group file '{dir}/missing.txt': No such file or directory\n", 5}),
        Quiet({"--quiet missing group file after a usable one", {"--quiet", "-g", "gf", "-g", "missing.txt",
               "001-50-0001"}, {{"gf", "001 50\n"}}, "", "",
               "kalderos: cannot open group file '{dir}/missing.txt': No such file or directory\n", 5}),
        // Each group file over the ones before it, area by area.
        Quiet({"--quiet group files read in order", {"--quiet", "-g", "g1", "-G", "g2", "001-50-0001", "002-50-0001",
               "003-50-0001"}, {{"g1", "001 50\n002 50\n"}, {"g2", "002 48\n003 50\n"}}, "",
               "SSN: 001-50-0001   New Hampshire         VALID=YES  CONFIRM\n"
               "SSN: 002-50-0001   New Hampshire         VALID=NO\n"
               "SSN: 003-50-0001   New Hampshire         VALID=YES  CONFIRM\n", NotIssuedHint(1, "the group files")}),
        // Card mode reads no group file: one named there is an error, not passed over.
        Quiet({"tsv a group file in card mode", {"--format=tsv", "-C", "-g", "missing.txt", "4111111111111111"}, {},
               "", "", "kalderos: option '-g' cannot be used with '-C'\n", 5}),
        Quiet({"--quiet a group file before card mode", {"--quiet", "-g", "gf", "4111111111111111", "-Cc"},
               {{"gf", "001 50\n"}}, "", "", "kalderos: option '-g' cannot be used with '-C'\n", 5}),
        // One list per run: the first would otherwise go unread.
        Quiet({"--quiet two list files", {"--quiet", "-i", "l.txt", "-I", "g.txt"}, {{"l.txt", "123-96-0001\n"},
               {"g.txt", "001 50\n"}}, "", "", "kalderos: option '-I' may be given only once\n", 5}),
        // "-" names standard input, read as a list after the numbers; standard input is still one list.
        Quiet({"--quiet list file -", {"--quiet", "-i", "-"}, {}, "123-96-0001\n", kConfirmed}),
        Quiet({"tsv numbers then list file -", {"--format=tsv", "--no-header", "123-45-6789", "-i", "-"}, {},
               "123-96-0001\n",
               "123-45-6789\ttrue\t123\t45\t6789\tNew York\tinvalid\tfalse\tgroup-not-issued\t\t\n"
               "123-96-0001\ttrue\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06\n", kOneNotIssued}),
        Quiet({"--quiet list file - and another", {"--quiet", "-i", "-", "-i", "l.txt"}, {{"l.txt", "1\n"}}, "", "",
               "kalderos: option '-i' may be given only once\n", 5}),
        Quiet({"tsv group file that is a directory", {"--format=tsv", "-g", "groups.d", "1"}, {{"groups.d/", ""}}, "",
               "", "kalderos: cannot read group file '{dir}/groups.d': Is a directory\n", 5, true}),
        // A line feed in a name would split the diagnostic; it is shown escaped.
        Quiet({"tsv a line feed in a missing list file's name", {"--format=tsv", "-i", "a\nb"}, {}, "", "",
               "kalderos: cannot open list file '{dir}/a\\nb': No such file or directory\n", 2, true}),
    };
}

// With a long option every argument that is no option is a number to check, wherever it stands, then the list
// file; nothing the user named is dropped.
std::vector<E2eCase> GnuArgumentRows() {
    const std::string p = ConsolePrompts();
    return {
        Quiet({"tsv a number after an option fails", {"--format=tsv", "--fail-on-invalid", "-C", "4111111111111112"},
               {}, "", kCardHeader + "4111111111111112\t4111111111111112\tVISA\tfail\tVISA_X\tbad-check-digit\n",
               "", 1}),
        Quiet({"jsonl a short card number after an option", {"--format=jsonl", "-C", "1234"}, {}, "",
               R"({"input":"1234","digits":null,"type":null,"luhn":"n/a","outcome":"UNKNOWN",)"
               R"("reason":"too-few-digits"})" "\n"}),
        Quiet({"--quiet a card number after -C, no console", {"--quiet", "-C", "4111111111111111"}, {}, "",
               "\n        VISA |     4111111111111111\n"}),
        Quiet({"tsv every number in order, as xargs gives them", {"--format=tsv", "--no-header", "123-96-0001",
               "800-12-3456", "-C", "x"}, {}, "",
               "123-96-0001\t\t\tn/a\tUNKNOWN\ttoo-few-digits\n800-12-3456\t\t\tn/a\tUNKNOWN\ttoo-few-digits\n"
               "x\t\t\tn/a\tUNKNOWN\tnot-a-number\n"}),
        Quiet({"tsv the numbers, then the list file", {"--format=tsv", "--no-header", "1", "-i", "list.txt", "2"},
               {{"list.txt", "123-96-0001\n"}}, "",
               "1\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n2\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
               "123-96-0001\ttrue\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06\n"}),
        Quiet({"tsv -- ends the options", {"--format=tsv", "--no-header", "--", "-12-45-6789", "--quiet", "-C"}, {},
               "",
               "-12-45-6789\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
               "--quiet\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n-C\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"}),
        Quiet({"tsv a lone dash, +1 and /i are numbers", {"--format=tsv", "--no-header", "-", "+1", "/i"}, {}, "",
               "-\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n+1\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
               "/i\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"}),
        Quiet({"tsv a value may begin with a dash", {"--format=tsv", "--no-header", "-g", "-g.txt", "123-45-6789"},
               {{"-g.txt", "123 45\n"}}, "", "123-45-6789\ttrue\t123\t45\t6789\tNew York\tvalid\ttrue\tok\t2011-06\t\n"}),
        // A value that looks like a long option, or like "--", is still the value.
        Quiet({"tsv a group file named like a long option", {"--format=tsv", "--no-header", "-g", "--quiet",
               "001-13-0001"}, {{"--quiet", "001 13\n"}}, "",
               "001-13-0001\ttrue\t001\t13\t0001\tNew Hampshire\tvalid\ttrue\tok\t2011-06\t\n"}),
        Quiet({"tsv a list file named like a long option", {"--format=tsv", "--no-header", "-Ci", "--jobs=2"},
               {{"--jobs=2", "4111111111111111\n"}}, "", "4111111111111111\t4111111111111111\tVISA\tpass\tVISA\tok\n"}),
        Quiet({"--quiet a missing group file named like a long option", {"--quiet", "-g", "--rules=current",
               "001-13-0001"}, {}, "", "",
               "kalderos: cannot open group file '{dir}/--rules=current': No such file or directory\n", 5}),
        Quiet({"--quiet a group file named --", {"--quiet", "-g", "--", "001-13-0001"}, {{"--", "001 13\n"}}, "",
               "SSN: 001-13-0001   New Hampshire         VALID=YES  CONFIRM\n"}),
        Quiet({"--quiet two numbers, no console", {"123-96-0001", "--quiet", "123-96-0001"}, {}, "",
               kConfirmed + kConfirmed}),
        Quiet({"--quiet numbers then a list", {"--quiet", "-i", "list.txt", "123-96-0001"},
               {{"list.txt", "123-96-0001\n"}}, "", kConfirmed + kConfirmed}),
        Quiet({"--quiet cards from standard input, no prompts", {"-C", "--quiet"}, {}, "4111111111111111\n",
               "\n        VISA |     4111111111111111\n"}),
    };
}

// Under the current rules: each list's boundary in area 001 (highest groups 98, 06 and 11 in the lists of
// 2003-11, 2007-07 and 2011-06: a group issued, open and not yet issued at each), numbers past June 2011's
// highest group or in areas never assigned before, and each rule that still makes a number invalid.
const std::string kCurrentSsnList =
    "001-01-0001\n001-98-0001\n001-02-0001\n001-06-0001\n001-08-0001\n001-11-0001\n001-13-0001\n800-12-3456\n734-99-0001\n000-12-3456\n666-12-3456\n900-12-3456\n123-00-4567\n123-45-0000\n078-05-1120\n12-3\n";

// One number of each row of the current table, the ends of its ranges, and the overlap of UnionPay's 62 and
// Discover's 622126-622925; numbers of 17-19 digits, and past 19; the longest kind text, eight-digit prefixes.
const std::string kCurrentCardList =
    "4111111111111111\n4222222222222\n4111111111111111110\n2221000000000009\n2720999999999996\n5105105105105100\n378282246310005\n6011000990139424\n6445644564456445\n6500000000000002\n6221260000000000\n6221250000000000\n6229250000000000\n6229260000000000\n3528000000000007\n3530111333300000004\n30569309025904\n3095000000000000005\n6200000000000000\n5018000000000009\n675900000000\n2200000000000004\n1800000000000000\n2014000000000009\n4111111111111111112\n41111111111111111111\n4111-1111-1111-1111-111\n4111-1111-1111-1111110\n"
    "6360000000000002\n6508370400000007\n4011780000000006\n6373742300000000\n8110000000000000009\n";

std::vector<E2eCase> CurrentRulesRows() {
    return {
        Quiet({"current rules text lines", {"--rules=current", "--quiet", "-i", "list.txt"},
               {{"list.txt", kCurrentSsnList}}, "",
                   "SSN: 001-01-0001   New Hampshire         VALID=YES\n"
                   "SSN: 001-98-0001   New Hampshire         VALID=YES\n"
                   "SSN: 001-02-0001   New Hampshire         VALID=YES\n"
                   "SSN: 001-06-0001   New Hampshire         VALID=YES\n"
                   "SSN: 001-08-0001   New Hampshire         VALID=YES\n"
                   "SSN: 001-11-0001   New Hampshire         VALID=YES  CONFIRM\n"
                   "SSN: 001-13-0001   RANDOM-after 06/2011  VALID=YES\n"
                   "SSN: 800-12-3456   RANDOM-after 06/2011  VALID=YES\n"
                   "SSN: 734-99-0001   RANDOM-after 06/2011  VALID=YES\n"
                   "SSN: 000-12-3456   ILLEGAL 000           VALID=NO\n"
                   "SSN: 666-12-3456   ILLEGAL 666           VALID=NO\n"
                   "SSN: 900-12-3456   NEVER ASSIGNED        VALID=NO\n"
                   "SSN: 123-00-4567   New York              VALID=NO\n"
                   "SSN: 123-45-0000   New York              VALID=NO\n"
                   "SSN: 078-05-1120   New York              VALID=NO\n"
                   "SSN: \"12-3\"        malformed             VALID=NO\n"}),
        Quiet({"current rules tsv", {"--rules", "current", "--format=tsv", "--no-header", "-i", "list.txt"},
               {{"list.txt", kCurrentSsnList}}, "",
                   "001-01-0001\ttrue\t001\t01\t0001\tNew Hampshire\tvalid\tfalse\tok\t\t2003-11\n"
                   "001-98-0001\ttrue\t001\t98\t0001\tNew Hampshire\tvalid\tfalse\tok\t\t2007-07\n"
                   "001-02-0001\ttrue\t001\t02\t0001\tNew Hampshire\tvalid\tfalse\tok\t2003-11\t2007-07\n"
                   "001-06-0001\ttrue\t001\t06\t0001\tNew Hampshire\tvalid\tfalse\tok\t2003-11\t2011-06\n"
                   "001-08-0001\ttrue\t001\t08\t0001\tNew Hampshire\tvalid\tfalse\tok\t2007-07\t2011-06\n"
                   "001-11-0001\ttrue\t001\t11\t0001\tNew Hampshire\tvalid\ttrue\tok\t2007-07\t\n"
                   "001-13-0001\ttrue\t001\t13\t0001\t\tvalid\tfalse\tok\t2011-06\t\n"
                   "800-12-3456\ttrue\t800\t12\t3456\t\tvalid\tfalse\tok\t2011-06\t\n"
                   "734-99-0001\ttrue\t734\t99\t0001\t\tvalid\tfalse\tok\t2011-06\t\n"
                   "000-12-3456\ttrue\t000\t12\t3456\t\tinvalid\tfalse\tarea-000\t\t\n"
                   "666-12-3456\ttrue\t666\t12\t3456\t\tinvalid\tfalse\tarea-666\t\t\n"
                   "900-12-3456\ttrue\t900\t12\t3456\t\tinvalid\tfalse\tarea-900-999\t\t\n"
                   "123-00-4567\ttrue\t123\t00\t4567\tNew York\tinvalid\tfalse\tgroup-00\t\t\n"
                   "123-45-0000\ttrue\t123\t45\t0000\tNew York\tinvalid\tfalse\tserial-0000\t\t\n"
                   "078-05-1120\ttrue\t078\t05\t1120\tNew York\tinvalid\tfalse\tknown-invalid\t\t\n"
                   "12-3\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"}),
        Quiet({"current rules jsonl", {"--format=jsonl", "--rules=current", "-i", "list.txt"},
               {{"list.txt", "001-13-0001\n001-11-0001\n"}}, "",
               R"({"input":"001-13-0001","well_formed":true,"area":"001","group":"13","serial":"0001","place":null,)"
               R"("verdict":"valid","confirm":false,"reason":"ok","issued_after":"2011-06","issued_by":null})" "\n"
               R"({"input":"001-11-0001","well_formed":true,"area":"001","group":"11","serial":"0001",)"
               R"("place":"New Hampshire","verdict":"valid","confirm":true,"reason":"ok","issued_after":"2007-07",)"
               R"("issued_by":null})" "\n"}),
        // A group file overlays the June 2011 list: the place and CONFIRM follow it, the window does not.
        Quiet({"current rules group file", {"--rules=current", "--format=tsv", "--no-header", "-g", "groups.txt",
               "-i", "list.txt"}, {{"groups.txt", "001 13\n800 12\n"}, {"list.txt", "001-13-0001\n800-12-3456\n"}}, "",
               "001-13-0001\ttrue\t001\t13\t0001\tNew Hampshire\tvalid\ttrue\tok\t2011-06\t\n"
               "800-12-3456\ttrue\t800\t12\t3456\t\tvalid\ttrue\tok\t2011-06\t\n"}),
        // Only the areas the group file names change: the rest keep the June 2011 list.
        Quiet({"current rules group file keeps the other areas", {"--quiet", "--rules=current", "-g", "g", "002-02-0001"},
               {{"g", "001 04\n"}}, "", "SSN: 002-02-0001   New Hampshire         VALID=YES\n"}),
        Quiet({"current rules group file text line", {"001-13-0001", "--rules=current", "--quiet", "-g", "groups.txt"},
               {{"groups.txt", "001 13\n"}}, "", "SSN: 001-13-0001   New Hampshire         VALID=YES  CONFIRM\n"}),
        // A number with blanks for dashes, under the same rules as the usual shapes.
        Quiet({"current rules text lines of another shape", {"--rules=current", "--quiet", "-i", "odd.txt"},
               {{"odd.txt", "001 13 0001\n800 12 3456\n"}}, "",
               "SSN: 001-13-0001   RANDOM-after 06/2011  VALID=YES\n"
               "SSN: 800-12-3456   RANDOM-after 06/2011  VALID=YES\n"}),
        // Two published misused numbers the classic rules' list lacks: the current rules' list holds them.
        Quiet({"current rules: the published numbers", {"--rules=current", "--format=tsv", "--no-header",
               "219-09-9999", "457-55-5462", "219-09-9998"}, {}, "",
               "219-09-9999\ttrue\t219\t09\t9999\tMaryland\tinvalid\tfalse\tknown-invalid\t\t\n"
               "457-55-5462\ttrue\t457\t55\t5462\tTexas\tinvalid\tfalse\tknown-invalid\t\t\n"
               "219-09-9998\ttrue\t219\t09\t9998\tMaryland\tvalid\tfalse\tok\t\t2003-11\n"}),
        Quiet({"classic rules keep their known-invalid list", {"--rules=classic", "--format=tsv", "--no-header",
               "219-09-9999", "457-55-5462"}, {}, "",
               "219-09-9999\ttrue\t219\t09\t9999\tMaryland\tvalid\tfalse\tok\t\t2003-11\n"
               "457-55-5462\ttrue\t457\t55\t5462\tTexas\tvalid\tfalse\tok\t\t2003-11\n"}),
        {"the described rules keep their known-invalid list", {"219-09-9999"}, {}, "",
         "\nSSN: 219-09-9999   Maryland              VALID=YES\n"},
        Quiet({"classic rules by name", {"--rules=classic", "--quiet", "800-12-3456"}, {}, "",
               "SSN: 800-12-3456   UNKNOWN-after 06/2011 VALID=MAYBE\n"}),
        Quiet({"--fail-on-invalid current rules: a number issued at random passes", {"--rules=current", "--quiet",
               "--fail-on-invalid", "800-12-3456"}, {}, "", "SSN: 800-12-3456   RANDOM-after 06/2011  VALID=YES\n"}),
        Quiet({"--fail-on-invalid current rules: area 900 fails", {"--rules=current", "--format=tsv", "--no-header",
               "--fail-on-invalid", "900-12-3456"}, {}, "",
               "900-12-3456\ttrue\t900\t12\t3456\t\tinvalid\tfalse\tarea-900-999\t\t\n", "", 1}),
        Quiet({"current card lines", {"-C", "--rules=current", "--quiet", "-i", "cards.txt"},
               {{"cards.txt", kCurrentCardList}}, "",
                   "\n"
                   "          VISA |       4111111111111111\n"
                   "          VISA |          4222222222222\n"
                   "          VISA |    4111111111111111110\n"
                   "    MasterCard |       2221000000000009\n"
                   "    MasterCard |       2720999999999996\n"
                   "    MasterCard |       5105105105105100\n"
                   "          AMEX |        378282246310005\n"
                   "      Discover |       6011000990139424\n"
                   "      Discover |       6445644564456445\n"
                   "      Discover |       6500000000000002\n"
                   "      Discover |       6221260000000000\n"
                   "      UnionPay |       6221250000000000\n"
                   "    Discover_X |       6229250000000000\n"
                   "      UnionPay |       6229260000000000\n"
                   "           JCB |       3528000000000007\n"
                   "         JCB_X |    3530111333300000004\n"
                   "        DINERS |         30569309025904\n"
                   "      DINERS_X |    3095000000000000005\n"
                   "      UnionPay |       6200000000000000\n"
                   "       Maestro |       5018000000000009\n"
                   "       Maestro |           675900000000\n"
                   "           Mir |       2200000000000004\n"
                   "  2MANY_DIGITS |       1800000000000000\n"
                   "         Other |       2014000000000009\n"
                   "        VISA_X |    4111111111111111112\n"
                   "  2MANY_DIGITS |   41111111111111111111\n"
                   "       UNKNOWN | \"4111-1111-1111-1111-111\"\n"
                   "          VISA | 4111-1111-1111-1111110\n"
                   "InterPayment_X |       6360000000000002\n"
                   "          Troy |       6508370400000007\n"
                   "           Elo |       4011780000000006\n"
                   "         Hiper |       6373742300000000\n"
                   "      UnionPay |    8110000000000000009\n"}),
        Quiet({"current card tsv", {"-C", "--rules=current", "--format=tsv", "--no-header", "-i", "cards.txt"},
               {{"cards.txt", kCurrentCardList}}, "",
                   "4111111111111111\t4111111111111111\tVISA\tpass\tVISA\tok\n"
                   "4222222222222\t4222222222222\tVISA\tpass\tVISA\tok\n"
                   "4111111111111111110\t4111111111111111110\tVISA\tpass\tVISA\tok\n"
                   "2221000000000009\t2221000000000009\tMasterCard\tpass\tMasterCard\tok\n"
                   "2720999999999996\t2720999999999996\tMasterCard\tpass\tMasterCard\tok\n"
                   "5105105105105100\t5105105105105100\tMasterCard\tpass\tMasterCard\tok\n"
                   "378282246310005\t378282246310005\tAMEX\tpass\tAMEX\tok\n"
                   "6011000990139424\t6011000990139424\tDiscover\tpass\tDiscover\tok\n"
                   "6445644564456445\t6445644564456445\tDiscover\tpass\tDiscover\tok\n"
                   "6500000000000002\t6500000000000002\tDiscover\tpass\tDiscover\tok\n"
                   "6221260000000000\t6221260000000000\tDiscover\tpass\tDiscover\tok\n"
                   "6221250000000000\t6221250000000000\tUnionPay\tn/a\tUnionPay\tok\n"
                   "6229250000000000\t6229250000000000\tDiscover\tfail\tDiscover_X\tbad-check-digit\n"
                   "6229260000000000\t6229260000000000\tUnionPay\tn/a\tUnionPay\tok\n"
                   "3528000000000007\t3528000000000007\tJCB\tpass\tJCB\tok\n"
                   "3530111333300000004\t3530111333300000004\tJCB\tfail\tJCB_X\tbad-check-digit\n"
                   "30569309025904\t30569309025904\tDINERS\tpass\tDINERS\tok\n"
                   "3095000000000000005\t3095000000000000005\tDINERS\tfail\tDINERS_X\tbad-check-digit\n"
                   "6200000000000000\t6200000000000000\tUnionPay\tn/a\tUnionPay\tok\n"
                   "5018000000000009\t5018000000000009\tMaestro\tpass\tMaestro\tok\n"
                   "675900000000\t675900000000\tMaestro\tpass\tMaestro\tok\n"
                   "2200000000000004\t2200000000000004\tMir\tpass\tMir\tok\n"
                   "1800000000000000\t1800000000000000\tUATP\tn/a\t2MANY_DIGITS\ttoo-many-digits\n"
                   "2014000000000009\t2014000000000009\tOther\tn/a\tOther\tunknown-prefix\n"
                   "4111111111111111112\t4111111111111111112\tVISA\tfail\tVISA_X\tbad-check-digit\n"
                   "41111111111111111111\t41111111111111111111\tVISA\tn/a\t2MANY_DIGITS\ttoo-many-digits\n"
                   "4111-1111-1111-1111-111\t\t\tn/a\tUNKNOWN\tbad-dashes\n"
                   "4111-1111-1111-1111110\t4111111111111111110\tVISA\tpass\tVISA\tok\n"
                   "6360000000000002\t6360000000000002\tInterPayment\tfail\tInterPayment_X\tbad-check-digit\n"
                   "6508370400000007\t6508370400000007\tTroy\tpass\tTroy\tok\n"
                   "4011780000000006\t4011780000000006\tElo\tpass\tElo\tok\n"
                   "6373742300000000\t6373742300000000\tHiper\tpass\tHiper\tok\n"
                   "8110000000000000009\t8110000000000000009\tUnionPay\tn/a\tUnionPay\tok\n"}),
        Quiet({"current card jsonl", {"6221260000000000", "-C", "--rules=current", "--format=jsonl"}, {}, "",
               R"({"input":"6221260000000000","digits":"6221260000000000","type":"Discover","luhn":"pass",)"
               R"("outcome":"Discover","reason":"ok"})" "\n"}),
        Quiet({"current card jsonl, the longest kind text", {"6360000000000002", "-C", "--rules=current",
               "--format=jsonl"}, {}, "",
               R"({"input":"6360000000000002","digits":"6360000000000002","type":"InterPayment","luhn":"fail",)"
               R"("outcome":"InterPayment_X","reason":"bad-check-digit"})" "\n"}),
        Quiet({"--rules with a bad value", {"--rules=2011", "123-45-6789"}, {}, "", "",
               "kalderos: invalid argument '2011' for '--rules' (valid arguments are 'classic', 'current')\n" +
                   kTryHelp, 5}),
        Quiet({"--rules without its value", {"-C", "--rules"}, {}, "", "",
               "kalderos: option '--rules' requires an argument\n" + kTryHelp, 5}),
    };
}

// CSV in (--column) and out (--format=csv): a byte-order mark, CRLF, a quoted comma, a doubled quote, a blank
// cell, a row without the column, a line break inside quotes and blanks around a number.
const std::string kPayroll =
    "\xEF\xBB\xBFName,Born,SSN,Dept\r\n\"Doe, Jane\",1984-02-11,277-85-5072,Sales\r\n"
    "\"O\"\"Brien, Pat\",1970-01-01,,Ops\r\nBob,1980-05-05,123 45 6789,\"Multi\r\nline\"\r\nShort\r\n"
    "\"Lee\",1990-01-01, 078-05-1120 ,\"a \"\"b\"\" c\"\r\n";

std::vector<E2eCase> CsvRows() {
    const std::string ssn_names = "input,well_formed,area,group,serial,place,verdict,confirm,reason,issued_after,issued_by\n";
    return {
        Quiet({"csv payroll rows with their records", {"--rules=current", "--column=SSN", "--format=csv", "-i",
               "pay.csv"}, {{"pay.csv", kPayroll}}, "",
               "\xEF\xBB\xBFName,Born,SSN,Dept," + ssn_names.substr(0, ssn_names.size() - 1) + "\r\n"
               "\"Doe, Jane\",1984-02-11,277-85-5072,Sales,277-85-5072,true,277,85,5072,,valid,false,ok,2011-06,\r\n"
               "\"O\"\"Brien, Pat\",1970-01-01,,Ops,,false,,,,,invalid,false,empty,,\r\n"
               "Bob,1980-05-05,123 45 6789,\"Multi\r\nline\",123 45 6789,true,123,45,6789,,valid,false,ok,2011-06,\r\n"
               "Short,,,,,false,,,,,invalid,false,empty,,\r\n"
               "\"Lee\",1990-01-01, 078-05-1120 ,\"a \"\"b\"\" c\", 078-05-1120 ,true,078,05,1120,New York,invalid,"
               "false,known-invalid,,\r\n"}),
        Quiet({"csv summary counts what the records say", {"--column=ssn", "--summary", "--format=csv",
               "--rules=current", "--fail-on-invalid", "-i", "pay.csv"}, {{"pay.csv", kPayroll}}, "",
               "name,count\nchecked,5\nverdict:valid,2\nverdict:invalid,3\nverdict:unknown,0\nreason:ok,2\n"
               "reason:malformed,0\nreason:area-after-2011,0\nreason:area-000,0\nreason:area-900-999,0\n"
               "reason:group-00,0\nreason:serial-0000,0\nreason:area-666,0\nreason:known-invalid,1\n"
               "reason:group-not-issued,0\nreason:empty,2\n", "", 1}),
        Quiet({"csv strict text lines", {"--quiet", "--rules=current", "--column=3", "-i", "pay.csv"},
               {{"pay.csv", kPayroll}}, "",
               "SSN: 277-85-5072   RANDOM-after 06/2011  VALID=YES\n" + kEmptyLine +
               "SSN: 123-45-6789   RANDOM-after 06/2011  VALID=YES\n" + kEmptyLine +
               "SSN: 078-05-1120   New York              VALID=NO\n", "", 0, false, false, true}),
        Quiet({"csv by number without a header, semicolons", {"--column=2", "--delimiter=;", "--no-header",
               "--format=csv"}, {}, "Name;SSN\nA;580-12-3456\n",
               "Name;SSN;SSN;false;;;;;invalid;false;malformed;;\n"
               "A;580-12-3456;580-12-3456;true;580;12;3456;\"Virgin Islands, Puerto Rico\";valid;false;ok;;2003-11\n"}),
        // The two characters \t, as other tools take a tab.
        Quiet({"csv --delimiter=\\t", {"--column=2", "--delimiter=\\t", "--format=tsv", "--no-header"}, {},
               "a\tb\n1\t123-96-0001\n", "b\tfalse\t\t\t\t\tinvalid\tfalse\tmalformed\t\t\n"
               "123-96-0001\ttrue\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06\n"}),
        Quiet({"csv --delimiter=\\n is refused", {"--column=2", "--delimiter=\\n"}, {}, "", "",
               "kalderos: invalid argument '\\n' for '--delimiter' (valid arguments are one byte, or 'tab' or '\\t')\n" +
                   kTryHelp, 5}),
        Quiet({"csv tab-delimited into jsonl", {"--column=b", "--delimiter=tab", "--format=jsonl", "--rules=current"},
               {}, "a\tb\n1\t\"123-45-6789\"\n",
               R"({"input":"123-45-6789","well_formed":true,"area":"123","group":"45","serial":"6789","place":null,)"
               R"("verdict":"valid","confirm":false,"reason":"ok","issued_after":"2011-06","issued_by":null})" "\n"}),
        Quiet({"csv cards", {"-C", "--column=card", "--format=csv", "--rules=current", "-i", "cards.csv"},
               {{"cards.csv", "n,card\na,4111 1111 1111 1111\nb,x\n"}}, "",
               "n,card,input,digits,type,luhn,outcome,reason\n"
               "a,4111 1111 1111 1111,4111 1111 1111 1111,4111111111111111,VISA,pass,VISA,ok\n"
               "b,x,x,,,n/a,UNKNOWN,not-a-number\n"}),
        Quiet({"csv records of texts, quoted where needed", {"--format=csv", "--rules=classic", "580-12-3456",
               "a,\"b"}, {}, "",
               ssn_names + "580-12-3456,true,580,12,3456,\"Virgin Islands, Puerto Rico\",valid,false,ok,,2003-11\n"
               "\"a,\"\"b\",false,,,,,invalid,false,malformed,,\n"}),
        Quiet({"csv a quote left open ends the run after its last row", {"--column=2", "--format=csv",
               "--rules=classic", "-i", "open.csv"}, {{"open.csv", "x,y\n1,2\n\"3,4\n5,6\n"}}, "",
               "x,y," + ssn_names + "1,2,2,false,,,,,invalid,false,malformed,,\n"
               "\"3,4\n5,6\n\",,,false,,,,,invalid,false,empty,,\n",
               "kalderos: '{dir}/open.csv':3: a quoted field is still open at the end of the input\n", 2}),
        Quiet({"csv a column the header lacks", {"--column=Nope", "--format=tsv", "-i", "pay.csv"},
               {{"pay.csv", kPayroll}}, "", "",
               "kalderos: no column 'Nope' in the header row of '{dir}/pay.csv' (its columns: 'Name', 'Born', 'SSN', "
               "'Dept')\n", 2}),
        Quiet({"csv --delimiter without --column", {"--delimiter=;", "123-45-6789"}, {}, "", "",
               "kalderos: option '--delimiter' parts the fields of CSV input, which only '--column' reads\n", 5}),
        Quiet({"csv a name with --no-header", {"--column=SSN", "--no-header"}, {}, "", "",
               "kalderos: option '--column' names a column of the header row, which '--no-header' says the input "
               "lacks; give the column's number\n", 5}),
        Quiet({"csv numbers as arguments", {"--quiet", "--column=1", "123-45-6789"}, {}, "", "",
               "kalderos: numbers given as arguments are no CSV rows: '--column' reads rows from -i FILE or standard "
               "input\n", 5}),
        Quiet({"csv column 0", {"--column=0"}, {}, "", "",
               "kalderos: invalid argument '0' for '--column' (valid arguments are a column's name or its number from "
               "1)\n" + kTryHelp, 5}),
    };
}

// --summary: the counts the records of the same texts give (the rows above with kReasonList and kOddSsnList), in
// each format; and the line on the order of issue.
std::vector<E2eCase> SummaryRows() {
    return {
        Quiet({"summary text counts the records of every reason", {"--summary", "--quiet", "-i", "list.txt"},
               {{"list.txt", kReasonList}}, "",
               "numbers checked          10\n"
               "valid                     1\n"
               "invalid                   9\n"
               "unknown                   0\n"
               "reason ok                 1\n"
               "reason area-000           1\n"
               "reason area-900-999       1\n"
               "reason group-00           2\n"
               "reason serial-0000        1\n"
               "reason area-666           1\n"
               "reason known-invalid      2\n"
               "reason group-not-issued   1\n",
               kOneNotIssued}),
        Quiet({"summary text without the banner", {"--summary", "123-96-0001"}, {}, "",
               "\nnumbers checked  1\nvalid            1\ninvalid          0\nunknown          0\nreason ok        1\n"}),
        Quiet({"summary tsv, --rules=classic without the hint", {"--summary", "--format=tsv", "--rules=classic",
               "--fail-on-invalid", "-i", "list.txt"}, {{"list.txt", kReasonList}}, "",
               "name\tcount\nchecked\t10\nverdict:valid\t1\nverdict:invalid\t9\nverdict:unknown\t0\nreason:ok\t1\n"
               "reason:malformed\t0\nreason:area-after-2011\t0\nreason:area-000\t1\nreason:area-900-999\t1\n"
               "reason:group-00\t2\nreason:serial-0000\t1\nreason:area-666\t1\nreason:known-invalid\t2\n"
               "reason:group-not-issued\t1\nreason:empty\t0\n", "", 1}),
        Quiet({"summary jsonl counts the odd texts' records", {"-i", "list.txt", "--summary", "--format=jsonl"},
               {{"list.txt", kOddSsnList}}, "",
               R"({"checked":9,"verdict":{"valid":2,"invalid":6,"unknown":1},"reason":{"ok":2,"malformed":4,)"
               R"("area-after-2011":1,"area-000":0,"area-900-999":0,"group-00":0,"serial-0000":0,"area-666":0,)"
               R"("known-invalid":0,"group-not-issued":1,"empty":1}})" "\n", kOneNotIssued}),
        Quiet({"summary jsonl current rules", {"--summary", "--format=jsonl", "--rules=current", "--fail-on-invalid",
               "-i", "list.txt"}, {{"list.txt", kReasonList}}, "",
               R"({"checked":10,"verdict":{"valid":2,"invalid":8,"unknown":0},"reason":{"ok":2,"malformed":0,)"
               R"("area-after-2011":0,"area-000":1,"area-900-999":1,"group-00":2,"serial-0000":1,"area-666":1,)"
               R"("known-invalid":2,"group-not-issued":0,"empty":0}})" "\n", "", 1}),
        // A summary counts a line whole, however long: the text format's pieces are lines of its own.
        Quiet({"summary a long line counts once", {"--summary", "--quiet", "--rules=classic", "-i", "list.txt"},
               {{"list.txt", std::string(300, '0') + "\n123-96-0001\n"}}, "",
               "numbers checked   2\nvalid             1\ninvalid           1\nunknown           0\n"
               "reason ok         1\nreason malformed  1\n"}),
        Quiet({"summary cards text", {"-C", "--summary", "--quiet"}, {},
               "4111111111111111\n4111-1111-1111-1112\nx\n41111111111111112222\n378282246310005\n",
               "numbers checked         5\ntype AMEX               1\ntype VISA               3\ntype none               1\n"
               "reason ok               3\nreason not-a-number     1\nreason bad-check-digit  1\n"}),
        Quiet({"summary cards jsonl", {"-C", "--summary", "--format=jsonl", "--fail-on-invalid", "-i", "cards.txt"},
               {{"cards.txt", "4111111111111111\n4111-1111-1111-1112\nx\n41111111111111112222\n378282246310005\n"}},
               "",
               R"({"checked":5,"type":{"DINERS":0,"AMEX":1,"VISA":3,"MasterCard":0,"Discover":0,"JCB16":0,"JCB15":0,)"
               R"("enRoute":0,"Other":0,"none":1},"reason":{"ok":3,"not-a-number":1,"bad-dashes":0,)"
               R"("too-few-digits":0,"unknown-prefix":0,"too-many-digits":0,"bad-check-digit":1,"empty":0}})" "\n", "",
               1}),
        // Every reason but ok fails a card, the ones of no check digit too.
        Quiet({"summary cards --fail-on-invalid: not-a-number fails", {"-C", "--summary", "--quiet", "--fail-on-invalid",
               "x"}, {}, "", "numbers checked      1\ntype none            1\nreason not-a-number  1\n", "", 1}),
        Quiet({"summary cards --fail-on-invalid: unknown-prefix fails", {"-C", "--summary", "--quiet",
               "--fail-on-invalid", "2221000000000009"}, {}, "",
               "numbers checked        1\ntype Other             1\nreason unknown-prefix  1\n", "", 1}),
        Quiet({"summary cards --fail-on-invalid: too-few-digits fails", {"-C", "--summary", "--quiet",
               "--fail-on-invalid", "411"}, {}, "",
               "numbers checked        1\ntype none              1\nreason too-few-digits  1\n", "", 1}),
        Quiet({"summary cards tsv current rules", {"-C", "--summary", "--format=tsv", "--no-header",
               "--rules=current", "4111 1111"}, {}, "",
               "checked\t1\ntype:VISA\t0\ntype:MasterCard\t0\ntype:AMEX\t0\ntype:Discover\t0\ntype:JCB\t0\n"
               "type:DINERS\t0\ntype:UnionPay\t0\ntype:Maestro\t0\ntype:Mir\t0\ntype:Elo\t0\ntype:Hiper\t0\n"
               "type:Hipercard\t0\ntype:Troy\t0\ntype:Verve\t0\ntype:RuPay\t0\ntype:UATP\t0\ntype:Dankort\t0\n"
               "type:InterPayment\t0\ntype:InstaPayment\t0\ntype:LankaPay\t0\ntype:UzCard\t0\ntype:Humo\t0\n"
               "type:BORICA\t0\ntype:Other\t0\ntype:none\t1\nreason:ok\t0\nreason:not-a-number\t0\n"
               "reason:bad-dashes\t0\nreason:too-few-digits\t1\nreason:unknown-prefix\t0\nreason:too-many-digits\t0\n"
               "reason:bad-check-digit\t0\nreason:empty\t0\n"}),
        // The line on the order of issue counts the judgements the lines show.
        Quiet({"hint counts numbers and lines", {"--quiet", "123456789", "-i", "list.txt"},
               {{"list.txt", "123-45-6789\n 123-45-6789\n123-45-678\n"}}, "",
               "SSN: 123-45-6789   New York              VALID=NO\n"
               "SSN: 123-45-6789   New York              VALID=NO\n"
               "SSN: 123-45-6789   New York              VALID=NO\n"
               "SSN: \"123-45-678\"   malformed             VALID=NO\n", NotIssuedHint(3)}),
        // The line names what gave the highest groups that decided: a group file names area 123 alone.
        Quiet({"hint names the group file", {"--format=tsv", "--no-header", "-g", "g1.txt", "-i", "list.txt"},
               {{"g1.txt", "123 1\n"}, {"list.txt", "123-03-0001\n123-01-0001\n"}}, "",
               "123-03-0001\ttrue\t123\t03\t0001\tNew York\tinvalid\tfalse\tgroup-not-issued\t\t\n"
               "123-01-0001\ttrue\t123\t01\t0001\tNew York\tvalid\ttrue\tok\t\t2003-11\n",
               NotIssuedHint(1, "the group file")}),
        Quiet({"hint names the built-in data and the group file", {"--summary", "--quiet", "-g", "g1.txt", "-i",
               "list.txt"}, {{"g1.txt", "123 1\n"}, {"list.txt", "123-03-0001\n125-99-0001\n125-01-0001\n"}}, "",
               "numbers checked          3\nvalid                    1\ninvalid                  2\n"
               "unknown                  0\nreason ok                1\nreason group-not-issued  2\n",
               NotIssuedHint(2, "the built-in data or the group file")}),
        Quiet({"hint names the group files", {"--quiet", "-g", "g1.txt", "-g", "g2.txt", "-i", "list.txt"},
               {{"g1.txt", "123 1\n"}, {"g2.txt", "124 1\n"}, {"list.txt", "123-03-0001\n124-03-0001\n"}}, "",
               "SSN: 123-03-0001   New York              VALID=NO\n"
               "SSN: 124-03-0001   New York              VALID=NO\n", NotIssuedHint(2, "the group files")}),
        Quiet({"hint silenced by --rules=classic", {"--quiet", "--rules=classic", "123-45-6789"}, {}, "",
               "SSN: 123-45-6789   New York              VALID=NO\n"}),
        Quiet({"hint absent under --rules=current", {"--format=tsv", "--no-header", "--rules=current", "123-45-6789"},
               {}, "", "123-45-6789\ttrue\t123\t45\t6789\t\tvalid\tfalse\tok\t2011-06\t\n"}),
        {"hint absent without a long option", {"123-45-6789"}, {}, "",
         "\nSSN: 123-45-6789   New York              VALID=NO\n"},
    };
}

}  // namespace

std::vector<E2eCase> ScriptCases() {
    std::vector<E2eCase> all;
    for (auto group : {SsnRecordRows(), CardRecordRows(), QuietAndMixedRows(), LongOptionErrorRows(),
                       RecordDiagnosticRows(), GnuArgumentRows(), CurrentRulesRows(), SummaryRows(), CsvRows(),
                       CsvInputCases()}) {
        all.insert(all.end(), group.begin(), group.end());
    }
    return all;
}

}  // namespace kalderos::test
