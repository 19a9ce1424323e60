// The boxed banner in code-page-437 frame characters, with the title, the version and two lines of notice; under
// a long option the same box in the terminal's characters, naming the run's rules.
#include "console/banner.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "console/long_option_table.h"
#include "console/version_stamp.h"
#include "rules/rule_sets.h"
#include "ssn/data_dates.h"

namespace kalderos {
namespace {

constexpr std::size_t kFrameWidth = 76;
constexpr std::size_t kHalfFrame = kFrameWidth / 2;
constexpr std::string_view kTitle = "KALDEROS_AUDIT";
constexpr std::string_view kNoticeLead = "Checks US Social Security Numbers by area and group issued to ";
constexpr std::string_view kContact = "Options and file formats: man kalderos; kalderos -? shows help";
static_assert(kNoticeLead.size() + ssn::kAreaDataDate.size() <= kFrameWidth - 2 && kContact.size() <= kFrameWidth - 2);

constexpr char kTopLeft = '\xC9', kTopRight = '\xBB', kBottomLeft = '\xC8', kBottomRight = '\xBC';
constexpr char kHorizontal = '\xCD', kVertical = '\xBA';
constexpr char kCheckMark = '\xFB';

// Each code-page-437 character of the banner as UTF-8.
constexpr std::array<std::pair<char, std::string_view>, 7> kInUtf8{{
    {kTopLeft, "\u2554"}, {kTopRight, "\u2557"}, {kBottomLeft, "\u255A"}, {kBottomRight, "\u255D"},
    {kHorizontal, "\u2550"}, {kVertical, "\u2551"}, {kCheckMark, "\u221A"},
}};

// What the rules line says of a rule set after "Rules: NAME - ".
constexpr std::string_view RulesNotice(RuleSet rules) { return RowOf(rules).banner; }
static_assert(ssn::kAreaDataDate == "4/2011");
constexpr bool RulesLinesFit() {
    for (const RuleSetRow& row : kRuleSetTable) {
        if (std::string_view("Rules:  - ").size() + row.name.size() + row.banner.size() > kFrameWidth - 2) return false;
    }
    return true;
}
static_assert(RulesLinesFit());

std::string FrameLine(char left, char fill, char right) {
    std::string line(kFrameWidth, fill);
    line.front() = left;
    line.back() = right;
    return line;
}

// The side line with `text` placed from the middle minus half its length, rounded down.
std::string InnerLine(std::string_view text) {
    std::string line = FrameLine(kVertical, ' ', kVertical);
    line.replace(kHalfFrame - text.size() / 2, text.size(), text);
    return line;
}

std::size_t CentringBlanks(std::string_view text, int width) {
    const long blanks = (static_cast<long>(width) - static_cast<long>(text.size())) / 2;
    return blanks > 0 ? static_cast<std::size_t>(blanks) : 0;
}

void AppendCentredLine(std::string& screen, const std::string& line) {
    screen.append(CentringBlanks(line, 80), ' ');
    screen += line;
    screen += '\n';
}

// The box, each of its lines centred on an 80-column screen, with `notice` under the version.
std::string Box(std::string_view notice) {
    const std::string version = "Ver. " + MakeVersionStamp(kBuildDate, kBuildTime, std::string_view(&kCheckMark, 1)) +
                                " (32 bit)";
    std::string box;
    AppendCentredLine(box, FrameLine(kTopLeft, kHorizontal, kTopRight));
    AppendCentredLine(box, InnerLine(kTitle));
    AppendCentredLine(box, InnerLine(version));
    AppendCentredLine(box, FrameLine(kVertical, ' ', kVertical));
    AppendCentredLine(box, InnerLine(notice));
    AppendCentredLine(box, InnerLine(kContact));
    AppendCentredLine(box, FrameLine(kBottomLeft, kHorizontal, kBottomRight));
    return box;
}

std::string InUtf8(std::string_view cp437) {
    std::string text;
    for (const char c : cp437) {
        const auto* const found =
            std::find_if(kInUtf8.begin(), kInUtf8.end(), [c](const auto& pair) { return pair.first == c; });
        if (found == kInUtf8.end()) {
            text += c;
        } else {
            text += found->second;
        }
    }
    return text;
}

}  // namespace

std::size_t PrintCentred(OutputStream& out, std::string_view text, int width) {
    const std::size_t blanks = CentringBlanks(text, width);
    out.WriteRepeated(' ', blanks);
    out.Write(text);
    return blanks + text.size();
}

unsigned PrintBanner(unsigned lines) {
    // Composed whole and written at once: standard error is unbuffered.
    std::string screen(lines < 30 ? 30 - lines : 0, '\n');
    screen += Box(std::string(kNoticeLead) + std::string(ssn::kAreaDataDate));
    Err().Write(screen);
    return lines + 6;
}

void PrintRunBanner(RuleSet rules, bool utf8) {
    const std::string box = Box("Rules: " + std::string(kRulesValues[static_cast<std::size_t>(rules)].name) + " - " +
                                std::string(RulesNotice(rules)));
    Err().Write(utf8 ? InUtf8(box) : box);
}

void ClearScreen() { Err().WriteRepeated('\n', 24); }

}  // namespace kalderos
