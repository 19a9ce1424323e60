// The banner on a terminal: without a long option the described one, whatever the locale; with one the box alone,
// in the characters the locale names (UTF-8 box drawing, else code page 437), naming the run's rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/screen_text.h"
#include "pty_session.h"

namespace kalderos::test {
namespace {

// The box of a run with a long option, in UTF-8 or in code page 437, with `rules` in place of the notice.
std::string RunBanner(const std::string& rules, bool utf8) {
    const auto in = [utf8](const char* box_drawing, const char* cp437) { return std::string(utf8 ? box_drawing : cp437); };
    const std::string vertical = in("\u2551", "\xBA");
    const auto framed = [&](const std::string& inside) { return "  " + vertical + inside + vertical + "\n"; };
    std::string horizontal;
    for (int i = 0; i < 74; ++i) horizontal += in("\u2550", "\xCD");
    std::string stamp = ExpectedStamp();
    stamp.replace(stamp.size() - 1, 1, in("\u221A", "\xFB"));
    const std::size_t left = 37 - rules.size() / 2;
    return "  " + in("\u2554", "\xC9") + horizontal + in("\u2557", "\xBB") + "\n" +
           framed(std::string(30, ' ') + "KALDEROS_AUDIT" + std::string(30, ' ')) +
           framed(std::string(23, ' ') + "Ver. " + stamp + " (32 bit)" + std::string(22, ' ')) +
           framed(std::string(74, ' ')) +
           framed(std::string(left, ' ') + rules + std::string(74 - left - rules.size(), ' ')) +
           framed("      Options and file formats: man kalderos; kalderos -? shows help      ") + "  " +
           in("\u255A", "\xC8") + horizontal + in("\u255D", "\xBC") + "\n";
}

const std::string kClassic = "Rules: classic - SSNs by area and group issued to 4/2011, classic cards";
const std::string kCurrent = "Rules: current - SSNs as issued at random since 06/2011, today's cards";
const std::string kValidLine = "\nSSN: 123-96-0001   New York              VALID=YES  CONFIRM\n";

struct BannerRow {
    std::string name;
    std::vector<std::string> locale;  // the locale variables set, all others of LC_ALL, LC_CTYPE and LANG unset
    std::vector<std::string> args;
    std::string screen;
    int exit_code = 0;
};

void PrintTo(const BannerRow& row, std::ostream* out) { *out << row.name; }

std::vector<BannerRow> Rows() {
    return {
        {"DescribedWithoutALongOption", {"LANG=C.UTF-8"}, {"123-96-0001"}, ExpectedBanner(5) + kValidLine},
        {"Utf8ByLang", {"LANG=C.UTF-8"}, {"--rules=current", "123-96-0001"},
         RunBanner(kCurrent, true) + "\nSSN: 123-96-0001   New York              VALID=YES\n"},
        {"Utf8ByLcCtype", {"LC_CTYPE=C.UTF-8", "LANG=C"}, {"--summary", "123-96-0001"},
         RunBanner(kClassic, true) +
             "\nnumbers checked  1\nvalid            1\ninvalid          0\nunknown          0\nreason ok        1\n"},
        {"LcAllOverLang", {"LC_ALL=C", "LANG=C.UTF-8"}, {"--fail-on-invalid", "123-96-0001"},
         RunBanner(kClassic, false) + kValidLine},
        {"Cp437WithoutALocale", {}, {"-C", "--rules=current", "4111111111111111"},
         RunBanner(kCurrent, false) + "\n          VISA |       4111111111111111\n"},
        // A run that fails still shows it first; --quiet shows none.
        {"BeforeAFailure", {"LANG=C.UTF-8"}, {"--rules=classic", "-i", "/nonexistent/list.txt"},
         RunBanner(kClassic, true) + "kalderos: cannot open list file '/nonexistent/list.txt': No such file or directory\n", 2},
        {"NoneWithQuiet", {"LANG=C.UTF-8"}, {"--quiet", "123-96-0001"}, kValidLine.substr(1)},
    };
}

class BannerOnTerminal : public ::testing::TestWithParam<BannerRow> {};

TEST_P(BannerOnTerminal, InTheTerminalsCharacters) {
    const BannerRow& row = GetParam();
    std::vector<std::string> command = {"/usr/bin/env", "-u", "LC_ALL", "-u", "LC_CTYPE", "-u", "LANG"};
    command.insert(command.end(), row.locale.begin(), row.locale.end());
    command.push_back(KALDEROS_BINARY);
    command.insert(command.end(), row.args.begin(), row.args.end());
    PtySession session(command);
    const PtyEnd end = session.Finish();

    ASSERT_FALSE(end.timed_out) << Visible(end.screen);
    EXPECT_EQ(end.exit_code, row.exit_code);
    EXPECT_EQ(Visible(end.screen), Visible(row.screen));
}

INSTANTIATE_TEST_SUITE_P(Table, BannerOnTerminal, ::testing::ValuesIn(Rows()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace kalderos::test
