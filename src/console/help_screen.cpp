// The help pages and the pager between them.
#include "console/help_screen.h"

#include <array>
#include <string_view>

#include "console/banner.h"
#include "io/output_stream.h"
#include "platform/platform.h"
#include "ssn/data_dates.h"

namespace kalderos {
namespace {

constexpr std::array<std::string_view, 11> kPageOne{
    "Commandline: KALDEROS ssn_to_validate\n",
    "Commandline: KALDEROS [-options[ig]]\n\n",
    "-i ssnfilename: Text filename of a file containing the ssns to check.\n",
    "   format can be: 123-45-6789, or 123456789. One ssn per line.\n",
    "If no -i is used, then the program is interactive.\n\n",
    "-g groupfilename: Text filename of a file containing references to the highest\n",
    "   current issued group. This file has very specific format requirements\n",
    "   see help file for more information on this option. \nDate of this group: ",
    ssn::kGroupDataDate,
    "\n",
    "-C treat the values in the file as if they were credit card numbers not SSN's\n",
};

constexpr std::array<std::string_view, 7> kPageTwo{
    "The output of the program produces the following format output\n\n",
    "  SSN              State of issue      Validity result  Confirm the result\n\n",
    "SSN: 123-45-6789   New York            VALID=[YES/NO]   CONFIRM\n\n",
    "If the CONFIRM keyword is present in the output, this means that the actual\n",
    "validity of the SSN should be further investigated.\n",
    "A good site to do this is: \n",
    // The Social Security Administration's own number verification service.
    "https://www.ssa.gov/employer/ssnv.htm \n",
};

// Page one counts as filling the screen but for the pause line, so the pager puts no filler before its pause.
constexpr int kLinesOfPageOne = 23;

constexpr int kCtrlC = 3;
constexpr int kEscape = 27;

void WritePage(const auto& page) {
    for (const std::string_view entry : page) Out().Write(entry);
}

}  // namespace

void ShowHelp() {
    PrintCentred(Out(), "KALDEROS_AUDIT help", 80);
    Out().Write("\n\n");
    WritePage(kPageOne);
    platform::DiscardPendingInput();
    if (Pager(kLinesOfPageOne)) WritePage(kPageTwo);
}

bool Pager(int lines) {
    if (lines < 23) Err().WriteRepeated('\n', static_cast<std::size_t>(24 - lines));
    platform::DiscardPendingInput();
    Err().Write("\n");
    PrintCentred(Err(), "RETURN TO CONTINUE, ^C or x==exit", 80);
    int key = platform::ReadConsoleKey();
    if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
    if (key == -1 || key == kCtrlC || key == kEscape || key == 'X') return false;
    ClearScreen();
    Err().Write("\n\n");
    (void)PrintBanner(2);
    Err().Write("\n\n");
    return true;
}

}  // namespace kalderos
