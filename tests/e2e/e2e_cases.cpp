// Rows of the end-to-end table, grouped by what they show.
#include "e2e_cases.h"

#include <tuple>

#include "common/transcribed_tables.h"

namespace kalderos::test {

namespace {

// "\n%12s | %20s"
std::string CardLine(const std::string& kind, const std::string& text) {
    const auto pad = [](const std::string& s, std::size_t width) {
        return s.size() < width ? std::string(width - s.size(), ' ') + s : s;
    };
    return "\n" + pad(kind, 12) + " | " + pad(text, 20);
}

const std::string kNewYork = "   New York              VALID=";

}  // namespace

// 259 characters, the most a full path may have, so that its full path is longer wherever the case runs.
const std::string kDeepGroupFile = std::string(120, 'd') + "/" + std::string(127, 'e') + "/groups.txt";
static_assert(120 + 1 + 127 + 1 + 10 == 259);

namespace {

std::vector<E2eCase> SingleNumberRows() {
    // The result line of every form, each number alone on the command line.
    const std::vector<std::pair<std::string, std::string>> lines = {
        {"123-45-6789", "SSN: 123-45-6789   New York              VALID=NO\n"},
        {"123-96-0001", "SSN: 123-96-0001   New York              VALID=YES  CONFIRM\n"},
        {"123-96-0000", "SSN: 123-96-0000   New York              VALID=NO\n"},
        {"078-05-1120", "SSN: 078-05-1120   New York              VALID=NO\n"},
        {"001-06-1234", "SSN: 001-06-1234   New Hampshire         VALID=YES  CONFIRM\n"},
        {"001-08-1234", "SSN: 001-08-1234   New Hampshire         VALID=NO\n"},
        {"772-70-0001", "SSN: 772-70-0001   Florida               VALID=YES  CONFIRM\n"},
        {"232-55-0001", "SSN: 232-55-0001   North Carolina,   West Virginia         VALID=YES  CONFIRM\n"},
        {"000-12-3456", "SSN: 000-12-3456   ILLEGAL 000           VALID=NO\n"},
        {"666-12-3456", "SSN: 666-12-3456   ILLEGAL 666           VALID=NO\n"},
        {"000-00-1234", "SSN: 000-00-1234   ILLEGAL 000           VALID=NO  CONFIRM\n"},
        {"000-00-0000", "SSN: 000-00-0000   ILLEGAL 000           VALID=NO\n"},
        {"800-12-3456", "SSN: 800-12-3456   UNKNOWN-after 06/2011 VALID=MAYBE\n"},
        {"800-00-1234", "SSN: 800-00-1234   UNKNOWN-after 06/2011 VALID=MAYBE  CONFIRM\n"},
        {"900-12-3456", "SSN: 900-12-3456 (null) VALID=NO\n"},
        {"900-00-1234", "SSN: 900-00-1234 (null) VALID=NO  CONFIRM\n"},
        {"734-01-0001", "SSN: 734-01-0001 (null) VALID=YES\n"},
        {"580-39-0001", "SSN: 580-39-0001   Virgin Islands,   Puerto Rico           VALID=YES  CONFIRM\n"},
        {"586-63-0001",
         "SSN: 586-63-0001   American Samoa,   Guam,   Philippine Islands    VALID=YES  CONFIRM\n"},
        {"699-09-0001", "SSN: 699-09-0001 * Not Assigned          VALID=YES  CONFIRM\n"},
        {"700-18-0001", "SSN: 700-18-0001   Railroad Board**      VALID=YES  CONFIRM\n"},
        {"123456789", "SSN: 123-45-6789   New York              VALID=NO\n"},
        {"12-345-6789", "SSN: 012-34-0005   Massachusetts         VALID=YES\n"},
        {"\xE9\xE9\xE9", "SSN: 000-00-0000   ILLEGAL 000           VALID=NO\n"},
    };
    std::vector<E2eCase> rows;
    for (const auto& [number, line] : lines) rows.push_back({"single " + number, {number}, {}, "", "\n" + line});
    rows.push_back({"only the first of two numbers", {"123-96-0001", "123-45-6789"}, {}, "",
                    "\nSSN: 123-96-0001" + kNewYork + "YES  CONFIRM\n"});
    // A Windows command line holds at most 32767 characters.
    rows.push_back({"a very long argument", {std::string(100000, '7')}, {}, "",
                    "\nSSN: 777-77-7777   UNKNOWN-after 06/2011 VALID=MAYBE\n", "", 0, true});
    return rows;
}

std::vector<E2eCase> ListFileRows() {
    return {
        {"list file", {"-i", "list.txt"}, {{"list.txt", "123-45-6789\n123456789\n800-12-3456\n123-96-0001\n"}}, "",
         "\nSSN: 123-45-6789" + kNewYork + "NO\nSSN: 123-45-6789" + kNewYork +
             "NO\nSSN: 800-12-3456   UNKNOWN-after 06/2011 VALID=MAYBE\nSSN: 123-96-0001" + kNewYork + "YES  CONFIRM\n"},
        {"list file with CRLF, an empty line and no final newline", {"-i", "list.txt"},
         {{"list.txt", "123-96-0001\r\n\r\n001-06-1234"}}, "",
         "\nSSN: 123-96-0001" + kNewYork + "YES  CONFIRM\nSSN: 123-96-0001" + kNewYork +
             "YES  CONFIRM\nSSN: 001-06-1234   New Hampshire         VALID=YES  CONFIRM\n"},
        {"a text without digits repeats the number before", {"-i", "list.txt"}, {{"list.txt", "078-05-1121\nabc\n"}},
         "", "\nSSN: 078-05-1121" + kNewYork + "YES\nSSN: 078-05-1121" + kNewYork + "YES\n"},
        {"a line of 300 characters comes in two pieces", {"-i", "list.txt"},
         {{"list.txt", std::string(259, 'x') + "123456789" + std::string(32, 'y') + "\n"}}, "",
         "\nSSN: 000-00-0000   ILLEGAL 000           VALID=NO\nSSN: 123-45-6789" + kNewYork + "NO\n"},
        {"the dashed shape needs its dash at 6", {"-i", "list.txt"}, {{"list.txt", "123-4556789\n"}}, "",
         "\nSSN: 123-45-5678" + kNewYork + "NO\n"},
        {"a negative area is illegal", {"-i", "list.txt"}, {{"list.txt", "-12-45-6789\n"}}, "",
         "\nSSN: -12-45-6789   ILLEGAL -12           VALID=NO\n"},
        {"list options /I and +i", {"/I", "a.txt", "+i", "b.txt"}, {{"a.txt", "123-45-6789\n"}, {"b.txt", "001-06-1234\n"}},
         "", "\nSSN: 001-06-1234   New Hampshire         VALID=YES  CONFIRM\n"},
        {"a lone dash is passed over", {"-", "-i", "list.txt"}, {{"list.txt", "123-96-0001\n"}}, "",
         "\nSSN: 123-96-0001" + kNewYork + "YES  CONFIRM\n"},
        {"an absolute list path beginning with a slash", {"-i", "{dir}/list.txt"}, {{"list.txt", "123-96-0001\n"}}, "",
         "\nSSN: 123-96-0001" + kNewYork + "YES  CONFIRM\n", "", 0, true},
        {"dot steps in a list path", {"-i", "./sub/../list.txt"}, {{"sub/", ""}, {"list.txt", "123-96-0001\n"}}, "",
         "\nSSN: 123-96-0001" + kNewYork + "YES  CONFIRM\n"},
        {"missing list file", {"-i", "missing.txt"}, {}, "", "\nError opening input file {dir}/missing.txt", "", 2},
        {"missing list file before the number is checked", {"123-45-6789", "-i", "missing.txt"}, {}, "",
         "\nError opening input file {dir}/missing.txt", "", 2},
        {"a list path too long is named", {"-i", std::string(300, 'n')}, {}, "",
         "\nError opening input file {dir}/" + std::string(300, 'n'), "", 2},
        {"a later list path too long keeps the earlier list", {"-i", "list.txt", "-i", std::string(300, 'n')},
         {{"list.txt", "123-96-0001\n"}}, "", "\nSSN: 123-96-0001" + kNewYork + "YES  CONFIRM\n"},
        {"a list file that is a directory", {"-i", "dir.d"}, {{"dir.d/", ""}}, "",
         "\n\nError reading input file {dir}/dir.d", "", 2, true},
        {"-1 with a file and no accounting stream", {"-1", "acct.txt", "-i", "list.txt"}, {{"list.txt", "123-96-0001\n"}},
         "", "\nSSN: 123-96-0001" + kNewYork + "YES  CONFIRM\n"},
        {"+1 and a file name stops the options", {"+1", "acct.txt", "-i", "list.txt"}, {{"list.txt", "123-96-0001\n"}}, "",
         "\n" + ConsolePrompts()},
        {"+1 then options", {"+1", "-i", "list.txt"}, {{"list.txt", "123-96-0001\n"}}, "",
         "\nSSN: 123-96-0001" + kNewYork + "YES  CONFIRM\n"},
    };
}

// The built-in tables as the shipped program prints them, against their transcription in tests/data.
E2eCase TranscribedTablesRow() {
    E2eCase row{"every area around its highest group, every known invalid number", {"-i", "list.txt"}, {{"list.txt", ""}}};
    row.out = "\n";
    for (const SsnProbe& probe : SsnTableProbes()) {
        row.files[0].content += probe.text + "\n";
        row.out += probe.line;
    }
    return row;
}

std::vector<E2eCase> ConsoleRows() {
    const std::string p = ConsolePrompts();
    return {
        {"console ends at once without input", {}, {}, "", "\n" + p},
        {"console two numbers then an empty line", {}, {}, "123-45-6789\n123-96-0001\n\n",
         "\n" + p + "SSN: 123-45-6789" + kNewYork + "NO\n" + p + "SSN: 123-96-0001" + kNewYork + "YES  CONFIRM\n" + p},
        {"console a single character ends", {}, {}, "7\n123-45-6789\n", "\n" + p},
        {"console two blanks are checked", {}, {}, "  \n\n", "\n" + p + "SSN: 000-00-0000   ILLEGAL 000           VALID=NO\n" + p},
        {"console carriage returns dropped", {}, {}, "123-96-0001\r\n\r\n",
         "\n" + p + "SSN: 123-96-0001" + kNewYork + "YES  CONFIRM\n" + p},
        {"console last line without newline", {}, {}, "123-96-0001",
         "\n" + p + "SSN: 123-96-0001" + kNewYork + "YES  CONFIRM\n" + p},
        {"console line longer than its buffer", {}, {}, std::string(12000, '1') + "\n\n",
         "\n" + p + "SSN: 111-11-1111" + kNewYork + "NO\n" + p},
        {"options first means the console", {"-g", "groups.txt", "123456789"}, {{"groups.txt", "123 45\n"}}, "",
         "\n" + p},
    };
}

std::vector<E2eCase> GroupFileRows() {
    const auto with_groups = [](std::string name, std::string content, std::string numbers, std::string out) {
        return E2eCase{"group file " + name, {"-g", "groups.txt", "-i", "list.txt"},
                       {{"groups.txt", content}, {"list.txt", numbers}}, "", "\n" + out};
    };
    return {
        {"number then group file", {"123456789", "111111111", "-g", "groups.txt"}, {{"groups.txt", "123 45\n"}}, "",
         "\nSSN: 123-45-6789" + kNewYork + "YES  CONFIRM\n"},
        with_groups("changes one area", "772 72\n", "772-72-0001\n771-72-0001\n",
                    "SSN: 772-72-0001   Florida               VALID=YES  CONFIRM\n"
                    "SSN: 771-72-0001   Florida               VALID=YES  CONFIRM\n"),
        with_groups("pairs across lines", "100 50 7\n200 30\n", "100-50-0001\n007-98-0001\n",
                    "SSN: 100-50-0001" + kNewYork + "YES  CONFIRM\nSSN: 007-98-0001   Maine                 VALID=YES\n"),
        with_groups("words skipped", "HIGHEST GROUP\n123 abc 45 67\n", "123-96-0001\n045-67-0001\n",
                    "SSN: 123-96-0001" + kNewYork + "YES  CONFIRM\nSSN: 045-67-0001   Connecticut           VALID=YES  CONFIRM\n"),
        with_groups("leading zeros are decimal", "008 09\n", "008-09-0001\n",
                    "SSN: 008-09-0001   Vermont               VALID=YES  CONFIRM\n"),
        with_groups("a dash starts the next number", "772-72\n", "772-72-0001\n",
                    "SSN: 772-72-0001   Florida               VALID=YES\n"),
        with_groups("a comma stops the pair", "12,34\n", "012-90-0001\n",
                    "SSN: 012-90-0001   Massachusetts         VALID=YES\n"),
        with_groups("later pair wins, unlisted areas set", "123 2\n123 4\n666 5\n740 3\n900 7\n800 12\n",
                    "123-04-0001\n666-05-0001\n740-03-0001\n900-07-0001\n800-12-3456\n",
                    "SSN: 123-04-0001" + kNewYork + "YES  CONFIRM\nSSN: 666-05-0001   ILLEGAL 666           VALID=NO  CONFIRM\n"
                    "SSN: 740-03-0001 (null) VALID=YES  CONFIRM\nSSN: 900-07-0001 (null) VALID=NO  CONFIRM\n"
                    "SSN: 800-12-3456   UNKNOWN-after 06/2011 VALID=MAYBE  CONFIRM\n"),
        with_groups("out of range areas not stored", "1000 5\n-1 5\n99999999999 5\n5 99999999999\n", "005-08-0001\n",
                    "SSN: 005-08-0001   Maine                 VALID=YES  CONFIRM\n"),
        with_groups("empty", "", "123-96-0001\n", "SSN: 123-96-0001" + kNewYork + "YES  CONFIRM\n"),
        // Highest groups only a group file brings keep the place in the issuance order their parity gives them.
        with_groups("extreme highest groups", "100 -2147483648\n101 2147483647\n102 -1\n103 0\n",
                    "100-01-0001\n100-98-0001\n100-02-0001\n101-99-0001\n102-01-0001\n103-98-0001\n103-02-0001\n",
                    "SSN: 100-01-0001" + kNewYork + "YES\nSSN: 100-98-0001" + kNewYork + "YES\nSSN: 100-02-0001" +
                        kNewYork + "NO\nSSN: 101-99-0001" + kNewYork + "YES\nSSN: 102-01-0001" + kNewYork +
                        "NO\nSSN: 103-98-0001" + kNewYork + "YES\nSSN: 103-02-0001" + kNewYork + "NO\n"),
        // A relative name short enough whose full path is not: the group file named before it stays.
        {"a later group path too long keeps the earlier file", {"772-72-0001", "-g", "gf", "-g", kDeepGroupFile},
         {{"gf", "772 72\n"}, {kDeepGroupFile.substr(0, kDeepGroupFile.rfind('/') + 1), ""}, {kDeepGroupFile, "772 70\n"}},
         "", "\nSSN: 772-72-0001   Florida               VALID=YES  CONFIRM\n"},
        {"missing group file", {"123-45-6789", "-g", "missing.txt"}, {}, "", "", "\nError opening {dir}/missing.txt group file\n", 5},
        {"group file value -gc names a file c", {"-gc", "-i", "list.txt"}, {{"list.txt", "1\n"}}, "", "",
         "\nError opening {dir}/c group file\n", 5},
        {"group file that is a directory", {"123-45-6789", "-g", "groups.d"}, {{"groups.d/", ""}}, "", "",
         "\nError reading {dir}/groups.d group file\n", 5, true},
        {"a published list", {"001-11-0001", "-g", KALDEROS_DATA_DIR "/ssa-high-group/june_24_2011_raw.txt"}, {}, "",
         "\nSSN: 001-11-0001   New Hampshire         VALID=YES  CONFIRM\n"},
    };
}

std::vector<E2eCase> OptionErrorRows() {
    std::vector<E2eCase> rows;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"-x"}, {"-2"}, {"--i"}, {"-g", "-C"}, {"-i"}, {"-1"}, {"123-45-6789", "-Cx"}, {"-C", "-g"}}) {
        std::string name = "bad option";
        for (const std::string& arg : args) name += " " + arg;
        rows.push_back({name, args, {}, "", HelpPageOne(), PagerPrompt(), 5});
    }
    rows.push_back({"bad option after a missing list file is never seen", {"-i", "missing.txt", "-x"}, {}, "",
                    "\nError opening input file {dir}/missing.txt", "", 2});
    return rows;
}

std::vector<E2eCase> CardRows() {
    std::vector<E2eCase> rows;
    // Worked lines, and the public test numbers of the card networks.
    const std::vector<std::tuple<std::string, std::string, std::string>> cards = {
        {"4000000000000002", "VISA", "4000000000000002"},
        {"4000000000000001", "VISA_X", "4000000000000001"},
        {"4000-0000-0000-0002", "VISA", "4000-0000-0000-0002"},
        {"4000-000000000002", "UNKNOWN", "4000-000000000002"},
        {"4000000000006", "VISA", "4000000000006"},
        {"40000000000006", "VISA", "40000000000006"},
        {"3400000000000090", "2MANY_DIGITS", "3400000000000090"},
        {"51000000000000081", "MasterCard", "5100000000000008"},
        {"4000-0000-0000-0002-1", "VISA", "4000-0000-0000-0002"},
        {"201400000000001", "enRoute", "201400000000001"},
        {"3100000000000004", "JCB16_X", "3100000000000004"},
        {"9000000000000000", "Other", "9000000000000000"},
        {"3500 0000 0000 0000", "UNKNOWN", "3500 0000 0000 0000"},
        {"4-0-0-0-000000000002", "UNKNOWN", "4-0-0-0-000000000002"},
        {"4111111111111111", "VISA", "4111111111111111"},
        {"4012888888881881", "VISA", "4012888888881881"},
        {"4222222222222", "VISA", "4222222222222"},
        {"5555555555554444", "MasterCard", "5555555555554444"},
        {"5105105105105100", "MasterCard", "5105105105105100"},
        {"378282246310005", "AMEX", "378282246310005"},
        {"371449635398431", "AMEX", "371449635398431"},
        {"6011111111111117", "Discover", "6011111111111117"},
        {"6011000990139424", "Discover", "6011000990139424"},
        {"30569309025904", "DINERS", "30569309025904"},
        {"38520000023237", "DINERS", "38520000023237"},
        {"3530111333300000", "JCB16", "3530111333300000"},
        {"3566002020360505", "JCB16", "3566002020360505"},
        {"201400000000009", "enRoute", "201400000000009"},
        {"213100000000003", "JCB15_X", "213100000000003"},
    };
    for (const auto& [number, kind, printed] : cards) {
        rows.push_back({"card " + number, {number, "-C"}, {}, "", CardLine(kind, printed) + "\n"});
    }
    // Wine hands arguments to a Windows program through Unicode, read as UTF-8, which the byte 0xFF is not.
    rows.push_back({"card 4111\xFF" "111111111111", {"4111\xFF" "111111111111", "-C"}, {}, "",
                    CardLine("UNKNOWN", "4111\xFF" "111111111111") + "\n", "", 0, true});
    rows.push_back({"card list line ending at a NUL", {"-C", "-i", "cards.txt"},
                    {{"cards.txt", std::string("4222222222222\0junk\n", 19)}}, "", CardLine("VISA", "4222222222222") + "\n"});
    rows.push_back({"card line layout", {"4000000000000002", "-C"}, {}, "",
                    "\n        VISA |     4000000000000002\n"});
    rows.push_back({"card long text printed whole", {std::string(5000, 'x'), "-C"}, {}, "",
                    CardLine("UNKNOWN", std::string(5000, 'x')) + "\n"});
    rows.push_back({"card list keeps the newline of uncut lines", {"-C", "-i", "cards.txt"},
                    {{"cards.txt", "4111111111111111\r\n123\n\n12345\n3500 0000 0000 0000\n"}}, "",
                    CardLine("VISA", "4111111111111111") + CardLine("UNKNOWN", "12345\n") +
                        CardLine("UNKNOWN", "3500 0000 0000 0000\n") + "\n"});
    const std::string p = ConsolePrompts();
    rows.push_back({"card console", {"-C"}, {}, "1234\n12345\n\n",
                    p + p + CardLine("UNKNOWN", "12345") + p + "\n"});
    rows.push_back({"card first means the console", {"-C", "123456789", "-i", "missing.txt"}, {}, "", p + "\n"});
    rows.push_back({"card mode never opens the group file", {"4111111111111111", "-C", "-g", "missing.txt"}, {}, "",
                    CardLine("VISA", "4111111111111111") + "\n"});
    rows.push_back({"card letters and group in one argument", {"-cgmissing"}, {}, "4111111111111111\n\n",
                    p + CardLine("VISA", "4111111111111111") + p + "\n"});
    rows.push_back({"number followed by -C", {"123-45-6789", "-C"}, {}, "", CardLine("UNKNOWN", "123-45-6789") + "\n"});
    return rows;
}

}  // namespace

std::vector<E2eCase> AllCases() {
    std::vector<E2eCase> all;
    all.push_back(TranscribedTablesRow());
    for (auto group : {SingleNumberRows(), ListFileRows(), ConsoleRows(), GroupFileRows(), OptionErrorRows(), CardRows(),
                       ScriptCases()}) {
        all.insert(all.end(), group.begin(), group.end());
    }
    return all;
}

}  // namespace kalderos::test
