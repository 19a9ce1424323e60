// Reads the transcribed tables and works out, from them alone, what the program must print.
#include "common/transcribed_tables.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

namespace kalderos::test {
namespace {

[[noreturn]] void Malformed(const std::string& file, const std::string& line) {
    std::fprintf(stderr, "tests/data/%s: cannot read \"%s\"\n", file.c_str(), line.c_str());
    std::abort();
}

// The lines of a data file, comments and blank lines left out.
std::vector<std::string> DataLines(const std::string& file) {
    std::ifstream in(std::string(KALDEROS_TEST_DATA "/") + file);
    if (!in) Malformed(file, "(the file)");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    }
    return lines;
}

// "001-003", or "520" for one area.
std::pair<int, int> Range(const std::string& text) {
    const std::size_t dash = text.find('-');
    const int first = std::stoi(text.substr(0, dash));
    return {first, dash == std::string::npos ? first : std::stoi(text.substr(dash + 1))};
}

// "16,18,79-99"; "any" is the empty list.
std::vector<int> Values(const std::string& text) {
    std::vector<int> values;
    if (text == "any") return values;
    std::istringstream items(text);
    for (std::string item; std::getline(items, item, ',');) {
        const auto [first, last] = Range(item);
        for (int v = first; v <= last; ++v) values.push_back(v);
    }
    return values;
}

// Calls `set` for every area of every line's range, and checks that the lines name each area 000-999 once.
template <typename Set>
void EveryAreaOnce(const std::string& file, Set set) {
    std::array<int, 1000> seen{};
    for (const std::string& line : DataLines(file)) {
        const std::size_t blank = line.find(' ');
        const auto [first, last] = Range(line.substr(0, blank));
        for (int area = first; area <= last; ++area) {
            if (area < 0 || area > 999 || seen[static_cast<std::size_t>(area)]++) Malformed(file, line);
            set(static_cast<std::size_t>(area), line.substr(blank + 1));
        }
    }
    if (std::count(seen.begin(), seen.end(), 1) != 1000) Malformed(file, "(an area missing)");
}

TranscribedTables Load() {
    TranscribedTables t;
    EveryAreaOnce("area_names.txt", [&](std::size_t area, const std::string& quoted) {
        if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') Malformed("area_names.txt", quoted);
        t.names[area] = quoted.substr(1, quoted.size() - 2);
    });
    EveryAreaOnce("special_areas.txt", [&](std::size_t area, const std::string& rule) {
        const std::string rules[] = {"judged", "illegal", "unknown", "invalid"};
        const auto found = std::find(std::begin(rules), std::end(rules), rule);
        if (found == std::end(rules)) Malformed("special_areas.txt", rule);
        t.rules[area] = static_cast<AreaRule>(found - std::begin(rules));
    });
    for (const std::string& line : DataLines("highest_groups.txt")) {
        const std::size_t blank = line.find(' ');
        const auto [first, last] = Range(line.substr(0, blank));
        const int group = std::stoi(line.substr(blank + 1));
        for (int area = first; area <= last; ++area) t.highest[static_cast<std::size_t>(area)] = group;
    }
    for (const std::string& line : DataLines("known_invalid.txt")) {
        std::istringstream fields(line);
        std::string area, groups, serials;
        if (!(fields >> area >> groups >> serials)) Malformed("known_invalid.txt", line);
        t.known_invalid.push_back({std::stoi(area), Values(groups), Values(serials)});
    }
    for (const std::string& line : DataLines("card_types.txt")) {
        std::istringstream fields(line);
        std::string prefix, name, lengths, check;
        if (!(fields >> prefix >> name >> lengths >> check)) Malformed("card_types.txt", line);
        t.card_types.push_back({prefix, name, Values(lengths), check == "luhn"});
    }
    return t;
}

// Groups in the order of issue: odd 01-09, even 10-98, even 02-08, odd 11-99; a highest group of 0 (none known)
// counts as coming just before 02.
const std::vector<int>& IssueOrder() {
    static const std::vector<int> order = [] {
        std::vector<int> groups;
        for (int g = 1; g <= 9; g += 2) groups.push_back(g);
        for (int g = 10; g <= 98; g += 2) groups.push_back(g);
        for (int g = 0; g <= 8; g += 2) groups.push_back(g);
        for (int g = 11; g <= 99; g += 2) groups.push_back(g);
        return groups;
    }();
    return order;
}

std::size_t Rank(int group) {
    const auto& order = IssueOrder();
    return static_cast<std::size_t>(std::find(order.begin(), order.end(), group) - order.begin());
}

bool Lists(const std::vector<int>& values, int value) {
    return values.empty() || std::find(values.begin(), values.end(), value) != values.end();
}

bool KnownInvalid(int area, int group, int serial) {
    for (const KnownInvalidRow& row : Transcribed().known_invalid) {
        if (row.area == area && Lists(row.groups, group) && Lists(row.serials, serial)) return true;
    }
    return false;
}

using Highest = std::array<int, 1000>;

std::string ExpectedLine(const Highest& highest, int area, int group, int serial) {
    const TranscribedTables& t = Transcribed();
    const auto a = static_cast<std::size_t>(area);
    char head[32];
    std::snprintf(head, sizeof head, "SSN: %03d-%02d-%04d", area, group, serial);
    std::string line = head;
    const std::string name = t.names[a].empty() ? "(null)" : t.names[a];
    switch (t.rules[a]) {
        case AreaRule::Illegal: line += "   ILLEGAL " + std::string(head + 5, 3) + "           VALID=NO"; break;
        case AreaRule::Unknown: line += "   UNKNOWN-after 06/2011 VALID=MAYBE"; break;
        case AreaRule::Invalid: line += " " + name + " VALID=NO"; break;
        case AreaRule::Judged: {
            const bool valid = group != 0 && serial != 0 && !KnownInvalid(area, group, serial) &&
                               Rank(group) <= Rank(highest[a]);
            line += " " + name + (valid ? " VALID=YES" : " VALID=NO");
        }
    }
    if (group == highest[a] && serial != 0) line += "  CONFIRM";
    return line + "\n";
}

void AddProbe(std::vector<SsnProbe>& probes, const Highest& highest, int area, int group, int serial) {
    if (group < 0 || group > 99 || serial < 0 || serial > 9999) return;
    char text[16];
    std::snprintf(text, sizeof text, "%03d-%02d-%04d", area, group, serial);
    probes.push_back({text, ExpectedLine(highest, area, group, serial)});
}

// Every number of the known-invalid list, and the groups and serials next to those it lists.
void AddKnownInvalidProbes(std::vector<SsnProbe>& probes, const Highest& highest) {
    for (const KnownInvalidRow& row : Transcribed().known_invalid) {
        std::set<int> groups = {1, 50, 99}, serials = {1, 9999};
        for (const int g : row.groups) groups.insert({g - 1, g, g + 1});
        for (const int s : row.serials) serials.insert({s - 1, s, s + 1});
        for (const int g : groups) {
            for (const int s : serials) AddProbe(probes, highest, row.area, g, s);
        }
    }
}

// The number's Luhn check digit, appended.
std::string WithCheckDigit(const std::string& body) {
    int sum = 0;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const int digit = body[body.size() - 1 - i] - '0';
        const int share = i % 2 == 0 ? 2 * digit : digit;  // i == 0 will stand next to the check digit: doubled
        sum += share > 9 ? share - 9 : share;
    }
    return body + static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace

const TranscribedTables& Transcribed() {
    static const TranscribedTables tables = Load();
    return tables;
}

std::vector<SsnProbe> SsnTableProbes() {
    const TranscribedTables& t = Transcribed();
    const auto& order = IssueOrder();
    std::vector<SsnProbe> probes;
    for (int area = 0; area < 1000; ++area) {
        const int highest = t.highest[static_cast<std::size_t>(area)];
        const std::size_t rank = Rank(highest);
        AddProbe(probes, t.highest, area, highest, 1);
        AddProbe(probes, t.highest, area, highest, 0);
        if (rank > 0) AddProbe(probes, t.highest, area, order[rank - 1], 1);
        if (rank + 1 < order.size()) AddProbe(probes, t.highest, area, order[rank + 1], 1);
        AddProbe(probes, t.highest, area, 1, 9999);
        AddProbe(probes, t.highest, area, 99, 9999);
    }
    AddKnownInvalidProbes(probes, t.highest);
    return probes;
}

std::vector<SsnProbe> KnownInvalidProbesWhereEveryGroupWasIssued() {
    Highest highest;
    highest.fill(99);
    std::vector<SsnProbe> probes;
    AddKnownInvalidProbes(probes, highest);
    return probes;
}

std::vector<CardProbe> CardTableProbes() {
    const TranscribedTables& t = Transcribed();
    std::vector<CardProbe> probes;
    for (int start = 0; start < 10000; ++start) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04d", start);
        const std::string first(digits);
        const auto starts_with = [&](const CardTypeRow& r) { return first.compare(0, r.prefix.size(), r.prefix) == 0; };
        const auto row = std::find_if(t.card_types.begin(), t.card_types.end(), starts_with);  // the first that matches
        if (row == t.card_types.end()) {
            probes.push_back({first + std::string(12, '0'), "Other", 0});
            continue;
        }
        for (const int length : row->lengths) {
            const std::string body = first + std::string(static_cast<std::size_t>(length) - 5, '0');
            const std::string right = WithCheckDigit(body);
            std::string wrong = right;
            wrong.back() = static_cast<char>('0' + (wrong.back() - '0' + 1) % 10);
            probes.push_back({right, row->name, 1});
            probes.push_back({wrong, row->luhn ? row->name + "_X" : row->name, row->luhn ? -1 : 1});
            const int shorter = length - 1;
            if (shorter >= 13 && !Lists(row->lengths, shorter)) probes.push_back({body, row->name, 0});
        }
    }
    return probes;
}

}  // namespace kalderos::test
