// The boxed banner in code-page-437 frame characters, with the title, the version and two lines of notice.
#include "console/banner.h"

#include <array>
#include <string>

#include "console/version_stamp.h"
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

}  // namespace

std::size_t PrintCentred(OutputStream& out, std::string_view text, int width) {
    const std::size_t blanks = CentringBlanks(text, width);
    out.WriteRepeated(' ', blanks);
    out.Write(text);
    return blanks + text.size();
}

unsigned PrintBanner(unsigned lines) {
    const std::string version = "Ver. " + MakeVersionStamp(kBuildDate, kBuildTime, std::string_view(&kCheckMark, 1)) +
                                " (32 bit)";
    // Composed whole and written at once: standard error is unbuffered.
    std::string screen(lines < 30 ? 30 - lines : 0, '\n');
    AppendCentredLine(screen, FrameLine(kTopLeft, kHorizontal, kTopRight));
    AppendCentredLine(screen, InnerLine(kTitle));
    AppendCentredLine(screen, InnerLine(version));
    AppendCentredLine(screen, FrameLine(kVertical, ' ', kVertical));
    AppendCentredLine(screen, InnerLine(std::string(kNoticeLead) + std::string(ssn::kAreaDataDate)));
    AppendCentredLine(screen, InnerLine(kContact));
    AppendCentredLine(screen, FrameLine(kBottomLeft, kHorizontal, kBottomRight));
    Err().Write(screen);
    return lines + 6;
}

void ClearScreen() { Err().WriteRepeated('\n', 24); }

}  // namespace kalderos
