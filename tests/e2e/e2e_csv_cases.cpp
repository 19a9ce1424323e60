// Rows of the end-to-end table for CSV input as people write it: stray quotes, blanks before quotes, every line
// end, rows wider than the header, other delimiters, byte-order marks and UTF-16 (which a list read with a long
// option has read alike), and the columns refused.
#include <string>

#include "e2e_cases.h"

namespace kalderos::test {
namespace {

E2eCase Quiet(E2eCase row) {
    row.banner = false;
    return row;
}

const std::string kNames = "input,well_formed,area,group,serial,place,verdict,confirm,reason,issued_after,issued_by";
const std::string kTabNames =
    "input\twell_formed\tarea\tgroup\tserial\tplace\tverdict\tconfirm\treason\tissued_after\tissued_by";
const std::string kStray = "item,ssn\n12\" pizza,123-45-6789\n6\" sub,078-05-1120\nfries,219-09-9999\n";
const std::string kValid = "123-45-6789,true,123,45,6789,,valid,false,ok,2011-06,";
const std::string kKnownInvalid = "078-05-1120,true,078,05,1120,New York,invalid,false,known-invalid,,";
const std::string kEmpty = ",false,,,,,invalid,false,empty,,";
const std::string kTryHelp = "Try 'kalderos --help' for more information.\n";

// The UTF-16 text of `utf8` (ASCII and Latin-1 letters) with its byte-order mark.
std::string Utf16(const std::string& utf8, bool big_endian) {
    std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned unit = static_cast<unsigned char>(utf8[i]);
        if (unit >= 0xC0) unit = ((unit & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        out += big_endian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

// How the rows and cells are read: as Python's csv module and spreadsheets read them.
std::vector<E2eCase> ReadingRows() {
    return {
        Quiet({"csv a quote inside an unquoted field is data", {"--rules=current", "--column=ssn", "--format=csv",
               "-i", "stray.csv"}, {{"stray.csv", kStray}}, "",
               "item,ssn," + kNames + "\n\"12\"\" pizza\",123-45-6789," + kValid + "\n\"6\"\" sub\",078-05-1120," +
                   kKnownInvalid + "\nfries,219-09-9999,219-09-9999,true,219,09,9999,Maryland,invalid,false,"
                   "known-invalid,,\n"}),
        Quiet({"csv stray quotes lose no row", {"--rules=current", "--column=ssn", "--summary", "--quiet", "-i",
               "stray.csv"}, {{"stray.csv", kStray}}, "",
               "numbers checked       3\nvalid                 1\ninvalid               2\nunknown               0\n"
               "reason ok             1\nreason known-invalid  2\n"}),
        Quiet({"csv a blank before a quote, and a row wider than the header", {"--column=ssn", "--format=csv",
               "--rules=current"}, {}, "id,x,ssn\n1, \"a,b\",078-05-1120\n",
               "id,x,ssn," + kNames + "\n1,\" \"\"a\",\"b\"\"\",\"b\"\"\",false,,,,,invalid,false,malformed,,,"
               "078-05-1120\n"}),
        Quiet({"csv lone carriage returns end rows and the output's", {"--column=ssn", "--format=csv",
               "--rules=current"}, {}, "a,ssn\r1,123-45-6789\r2,078-05-1120\r",
               "a,ssn," + kNames + "\r1,123-45-6789," + kValid + "\r2,078-05-1120," + kKnownInvalid + "\r"}),
        Quiet({"csv a carriage return at the end of the input ends its row", {"--column=1", "--format=tsv",
               "--rules=current", "--no-header"}, {}, "123-45-6789\r",
               "123-45-6789\ttrue\t123\t45\t6789\t\tvalid\tfalse\tok\t2011-06\t\n"}),
        Quiet({"csv a doubled quote in the checked cell", {"--column=1", "--format=csv", "--rules=current"}, {},
               "n,ssn\n\"12\"\"3\",x\n",
               "n,ssn," + kNames + "\n\"12\"\"3\",x,\"12\"\"3\",false,,,,,invalid,false,malformed,,\n"}),
        Quiet({"csv a quoted checked cell keeps its line feed", {"--column=1", "--format=jsonl", "--rules=current"},
               {}, "n,ssn\r\n\"123-45-6789\n\",x\r\n",
               R"({"input":"123-45-6789\n","well_formed":true,"area":"123","group":"45","serial":"6789","place":null,)"
               R"("verdict":"valid","confirm":false,"reason":"ok","issued_after":"2011-06","issued_by":null})" "\n"}),
        Quiet({"csv cells of only a comma or a quote written back, short and long", {"--column=3", "--format=csv",
               "--rules=current"}, {},
               "a,b,ssn\n\",\",\"\"\"\",1\n\"" + std::string(40, ',') + "\",\"" + std::string(40, '"') + "\",2\n",
               "a,b,ssn," + kNames + "\n\",\",\"\"\"\",1,1,false,,,,,invalid,false,malformed,,\n\"" +
                   std::string(40, ',') + "\",\"" + std::string(40, '"') + "\",2,2,false,,,,,invalid,false,"
                   "malformed,,\n"}),
        Quiet({"csv a carriage return in quotes is data, alone between cells it ends the row", {"--column=2",
               "--format=csv", "--rules=current"}, {}, "a,b\n\"x\ry\",1\nz\r2\n",
               "a,b," + kNames + "\n\"x\ry\",1,1,false,,,,,invalid,false,malformed,,\nz,," + kEmpty + "\n2,," +
                   kEmpty + "\n"}),
        Quiet({"csv a header name with blanks around it", {"--column=ssn", "--format=tsv", "--rules=current"}, {},
               " SSN ,name\n078-05-1120,x\n",
               kTabNames + "\n078-05-1120\ttrue\t078\t05\t1120\tNew York\tinvalid\tfalse\tknown-invalid\t\t\n"}),
        Quiet({"csv a cell's text ends at a NUL byte", {"--column=1", "--format=jsonl", "--rules=current",
               "--no-header"}, {}, std::string("123-45-6789\0x,1\n", 16),
               R"({"input":"123-45-6789","well_formed":true,"area":"123","group":"45","serial":"6789","place":null,)"
               R"("verdict":"valid","confirm":false,"reason":"ok","issued_after":"2011-06","issued_by":null})" "\n"}),
        Quiet({"csv bytes after a quoted part are the cell's", {"--column=ssn", "--format=csv", "--rules=current"},
               {}, "a,ssn\n\"x\"y,\"123-45-6789\"\n",
               "a,ssn," + kNames + "\n\"xy\",\"123-45-6789\"," + kValid + "\n"}),
        Quiet({"csv a quote left open after a quoted line break names its line", {"--column=2", "--format=csv",
               "--rules=classic", "-i", "open.csv"}, {{"open.csv", "x,y\r\n\"1\r\n2\",3\r\n\"4,5\r\n"}}, "",
               "x,y," + kNames + "\r\n\"1\r\n2\",3,3,false,,,,,invalid,false,malformed,,\r\n\"4,5\r\n\",," + kEmpty +
                   "\r\n",
               "kalderos: '{dir}/open.csv':4: a quoted field is still open at the end of the input\n", 2}),
    };
}

// The record under its names, in the input's own dialect.
std::vector<E2eCase> DialectRows() {
    return {
        Quiet({"csv cells past the header's follow the record", {"--column=ssn", "--format=csv", "--rules=current"},
               {}, "name,ssn\nAnn,123-45-6789,extra\nBo,078-05-1120,\"x,y\",\n",
               "name,ssn," + kNames + "\nAnn,123-45-6789," + kValid + ",extra\nBo,078-05-1120," + kKnownInvalid +
                   ",\"x,y\",\n"}),
        Quiet({"csv without a header the first row's width", {"--column=2", "--no-header", "--format=csv",
               "--rules=current"}, {}, "a,b\n1,2,3\n4\n",
               "a,b,b,false,,,,,invalid,false,malformed,,\n1,2,2,false,,,,,invalid,false,malformed,,,3\n4,," +
                   kEmpty + "\n"}),
        Quiet({"csv a semicolon export keeps its mark, delimiter and line ends", {"--column=ssn", "--delimiter=;",
               "--format=csv", "--rules=classic", "-i", "eu.csv"},
               {{"eu.csv", "\xEF\xBB\xBFname;ssn\r\nZo\xC3\xAB;123-45-6789\r\n\"Bo; B\";580-12-3456\r\n"}}, "",
               "\xEF\xBB\xBFname;ssn;input;well_formed;area;group;serial;place;verdict;confirm;reason;issued_after;"
               "issued_by\r\nZo\xC3\xAB;123-45-6789;123-45-6789;true;123;45;6789;New York;invalid;false;"
               "group-not-issued;;\r\n\"Bo; B\";580-12-3456;580-12-3456;true;580;12;3456;\"Virgin Islands, Puerto "
               "Rico\";valid;false;ok;;2003-11\r\n"}),
        Quiet({"csv --output-delimiter=tab", {"--column=ssn", "--delimiter=;", "--output-delimiter=tab",
               "--format=csv", "--rules=classic"}, {}, "name;ssn\n\"a\tb\";580-12-3456\n",
               "name\tssn\t" + kTabNames + "\n\"a\tb\"\t580-12-3456\t580-12-3456\ttrue\t580\t12\t3456\t\"Virgin "
               "Islands, Puerto Rico\"\tvalid\tfalse\tok\t\t2003-11\n"}),
        Quiet({"csv --output-delimiter quotes the cells that hold it", {"--column=2", "--output-delimiter=;",
               "--format=csv", "--rules=current"}, {}, "name,ssn\nA;B,078-05-1120\n",
               "name;ssn;input;well_formed;area;group;serial;place;verdict;confirm;reason;issued_after;issued_by\n"
               "\"A;B\";078-05-1120;078-05-1120;true;078;05;1120;New York;invalid;false;known-invalid;;\n"}),
        Quiet({"csv --output-delimiter=, over tabs", {"--column=2", "--delimiter=tab", "--output-delimiter=,",
               "--format=csv", "--rules=current"}, {}, "name\tssn\nLee, Al\t078-05-1120\n",
               "name,ssn," + kNames + "\n\"Lee, Al\",078-05-1120," + kKnownInvalid + "\n"}),
        Quiet({"csv UTF-16 little-endian with tabs comes out as UTF-8", {"--column=ssn", "--delimiter=tab",
               "--format=csv", "--rules=current", "-i", "unicode.txt"},
               {{"unicode.txt", Utf16("name\tssn\r\nZo\xC3\xAB\t123-45-6789\r\nAl\t078-05-1120\r\n", false)}}, "",
               "\xEF\xBB\xBFname\tssn\t" + kTabNames + "\r\nZo\xC3\xAB\t123-45-6789\t123-45-6789\ttrue\t123\t45\t"
               "6789\t\tvalid\tfalse\tok\t2011-06\t\r\nAl\t078-05-1120\t078-05-1120\ttrue\t078\t05\t1120\tNew York\t"
               "invalid\tfalse\tknown-invalid\t\t\r\n"}),
        Quiet({"csv UTF-16 big-endian", {"--column=2", "--delimiter=tab", "--format=tsv", "--rules=current",
               "--no-header"}, {}, Utf16("Zo\xC3\xAB\t123-45-6789\n", true),
               "123-45-6789\ttrue\t123\t45\t6789\t\tvalid\tfalse\tok\t2011-06\t\n"}),
        Quiet({"list a UTF-8 byte-order mark is no part of the first line", {"--format=tsv", "--no-header",
               "--rules=current", "-i", "list.txt"}, {{"list.txt", "\xEF\xBB\xBF" "078-05-1120\n"}}, "",
               "078-05-1120\ttrue\t078\t05\t1120\tNew York\tinvalid\tfalse\tknown-invalid\t\t\n"}),
        Quiet({"list UTF-16 on standard input", {"-C", "--format=tsv", "--no-header", "--jobs=2"}, {},
               Utf16("4111111111111111\r\n4111 1111 1111 1111\n", false),
               "4111111111111111\t4111111111111111\tVISA\tpass\tVISA\tok\n"
               "4111 1111 1111 1111\t4111111111111111\tVISA\tpass\tVISA\tok\n"}),
    };
}

// Columns the input lacks, options that do not go together, and inputs with nothing in them.
std::vector<E2eCase> RefusalRows() {
    return {
        Quiet({"csv a column number past the header", {"--column=3", "--format=csv", "-i", "two.csv"},
               {{"two.csv", "a,b\n1,2\n"}}, "", "",
               "kalderos: no column 3 in the header row of '{dir}/two.csv', which has 2 columns\n", 2}),
        Quiet({"csv a column number past the first row", {"--column=3", "--no-header", "--format=csv", "-i",
               "two.csv"}, {{"two.csv", "a,b\n1,2\n"}}, "", "",
               "kalderos: no column 3 in the first row of '{dir}/two.csv', which has 2 columns\n", 2}),
        Quiet({"csv a name two columns match loosely", {"--column=ssn", "--format=csv", "-i", "two.csv"},
               {{"two.csv", "SSN,x,Ssn\n1,2,3\n"}}, "", "",
               "kalderos: columns 1 'SSN' and 3 'Ssn' of the header row of '{dir}/two.csv' both match 'ssn': give "
               "the column's exact name or its number\n", 2}),
        Quiet({"csv of two exact names the first", {"--column=SSN", "--format=tsv", "--rules=current"}, {},
               "SSN,SSN\n123-45-6789,078-05-1120\n",
               kTabNames + "\n123-45-6789\ttrue\t123\t45\t6789\t\tvalid\tfalse\tok\t2011-06\t\n"}),
        Quiet({"csv a semicolon export without --delimiter", {"--column=SSN", "--format=csv", "-i", "eu.csv"},
               {{"eu.csv", "name;SSN;dept\nx;1;2\n"}}, "", "",
               "kalderos: no column 'SSN' in the header row of '{dir}/eu.csv' (its columns: 'name;SSN;dept'); to "
               "part its fields by ';', give --delimiter=';'\n", 2}),
        Quiet({"csv a tab export read with semicolons", {"--column=ssn", "--format=csv", "--delimiter=;", "-i",
               "tab.csv"}, {{"tab.csv", "name\tSSN\nx\t1\n"}}, "", "",
               "kalderos: no column 'ssn' in the header row of '{dir}/tab.csv' (its columns: 'name\\tSSN'); to part "
               "its fields by tabs, give --delimiter=tab\n", 2}),
        Quiet({"csv a byte-order mark alone is an empty input", {"--column=ssn", "--format=csv"}, {}, "\xEF\xBB\xBF",
               ""}),
        Quiet({"csv a UTF-16 mark alone is an empty input", {"--column=ssn", "--format=csv"}, {}, "\xFF\xFE", ""}),
        Quiet({"csv --output-delimiter without --column", {"--output-delimiter=;", "--format=csv", "123-45-6789"},
               {}, "", "",
               "kalderos: option '--output-delimiter' parts the fields of the rows that '--column' and "
               "'--format=csv' write\n", 5}),
        Quiet({"csv --output-delimiter with --summary", {"--output-delimiter=;", "--format=csv", "--column=1",
               "--summary"}, {}, "", "",
               "kalderos: option '--output-delimiter' parts the fields of the rows that '--column' and "
               "'--format=csv' write, and '--summary' writes none\n", 5}),
        Quiet({"csv a quote as --output-delimiter", {"--output-delimiter=\"", "--format=csv", "--column=1"}, {}, "",
               "", "kalderos: invalid argument '\"' for '--output-delimiter' (valid arguments are one byte, or "
               "'tab' or '\\t')\n" + kTryHelp, 5}),
        Quiet({"csv a quote as --delimiter", {"--delimiter=\"", "--column=1"}, {}, "", "",
               "kalderos: invalid argument '\"' for '--delimiter' (valid arguments are one byte, or 'tab' or "
               "'\\t')\n" +
                   kTryHelp, 5}),
    };
}

}  // namespace

std::vector<E2eCase> CsvInputCases() {
    std::vector<E2eCase> all;
    for (auto group : {ReadingRows(), DialectRows(), RefusalRows()}) all.insert(all.end(), group.begin(), group.end());
    return all;
}

}  // namespace kalderos::test
