// The built-in tables as transcribed by hand into tests/data, and the lines they call for. Nothing here reads the
// program's own tables, so a typo in one of them shows as a difference from these.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace kalderos::test {

struct KnownInvalidRow {
    int area;
    std::vector<int> groups;   // empty: any group
    std::vector<int> serials;  // empty: any serial
};

enum class AreaRule { Judged, Illegal, Unknown, Invalid };

struct CardTypeRow {
    std::string prefix;
    std::string name;
    std::vector<int> lengths;  // digits required; VISA's 13 and 16
    bool luhn;                 // false: the check digit always passes
};

struct TranscribedTables {
    std::array<std::string, 1000> names;  // empty where the area has none
    std::array<int, 1000> highest{};      // 0 where none is known
    std::array<AreaRule, 1000> rules{};
    std::vector<KnownInvalidRow> known_invalid;
    std::vector<CardTypeRow> card_types;  // in the order they are tried
};

// Read from the source tree once; a missing or malformed file ends the test program.
const TranscribedTables& Transcribed();

struct SsnProbe {
    std::string text;  // "123-45-6789"
    std::string line;  // the result line it must print, line feed included
};

// Every area at its highest group, the groups issued just before and after it, groups 01 and 99; every known
// invalid number and its neighbours; all against the built-in data alone.
std::vector<SsnProbe> SsnTableProbes();

// Every known invalid number and its neighbours against a table whose every area has 99 as its highest group (as
// a group file may set it), where only the list can make a number with non-zero fields invalid.
std::vector<SsnProbe> KnownInvalidProbesWhereEveryGroupWasIssued();

struct CardProbe {
    std::string number;
    std::string kind;
    int result;
};

// For every four-digit start: a number of each length its type requires with a right and a wrong check digit,
// and one a digit short.
std::vector<CardProbe> CardTableProbes();

}  // namespace kalderos::test
