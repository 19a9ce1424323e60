// The fixed screens every program test expects: the banner with the pinned build stamp, the help pages, the prompts.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>

namespace kalderos::test {

// The stamp a build pinned to the epoch must show: yy.mm.dd.hh.mm of that UTC time and a check mark.
inline std::string ExpectedStamp() {
    const std::time_t epoch = static_cast<std::time_t>(KALDEROS_BUILD_EPOCH);
    std::tm utc{};
    gmtime_r(&epoch, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%y.%m.%d.%H.%M", &utc);
    return std::string(text) + "\xFB";
}

// The banner as printed when `lines` lines are already on the screen: 5 at start-up, 2 after the pager.
inline std::string ExpectedBanner(unsigned lines) {
    const auto framed = [](const std::string& inside) { return "  \xBA" + inside + "\xBA\n"; };
    const std::string version = "Ver. " + ExpectedStamp() + " (32 bit)";
    std::string banner(lines < 30 ? 30 - lines : 0, '\n');
    banner += "  \xC9" + std::string(74, '\xCD') + "\xBB\n";
    banner += framed(std::string(30, ' ') + "KALDEROS_AUDIT" + std::string(30, ' '));
    banner += framed(std::string(23, ' ') + version + std::string(22, ' '));
    banner += framed(std::string(74, ' '));
    banner += framed("   Checks US Social Security Numbers by area and group issued to 4/2011   ");
    banner += framed("      Options and file formats: man kalderos; kalderos -? shows help      ");
    banner += "  \xC8" + std::string(74, '\xCD') + "\xBC\n";
    return banner;
}

// The line that ends a run with a long option and without --rules where the order of issue alone made `count`
// numbers invalid, by the highest groups `decider` gave.
inline std::string NotIssuedHint(int count, const std::string& decider = "the built-in data") {
    const bool one = count == 1;
    return "kalderos: " + std::to_string(count) + (one ? " number was" : " numbers were") + " invalid only because " +
           (one ? "its" : "their") + " group was not issued by " + decider +
           " (group-not-issued); --rules=current judges numbers as issued at random since June 2011\n";
}
inline const std::string kOneNotIssued = NotIssuedHint(1);

// The centred title and page 1, as a bad option shows them.
inline std::string HelpPageOne() {
    return std::string(30, ' ') + "KALDEROS_AUDIT help\n\n"
           "Commandline: KALDEROS ssn_to_validate\n"
           "Commandline: KALDEROS [-options[ig]]\n\n"
           "-i ssnfilename: Text filename of a file containing the ssns to check.\n"
           "   format can be: 123-45-6789, or 123456789. One ssn per line.\n"
           "If no -i is used, then the program is interactive.\n\n"
           "-g groupfilename: Text filename of a file containing references to the highest\n"
           "   current issued group. This file has very specific format requirements\n"
           "   see help file for more information on this option. \nDate of this group: 7/2007\n"
           "-C treat the values in the file as if they were credit card numbers not SSN's\n";
}

// Page 2, after the user has answered the pause.
inline std::string HelpPageTwo() {
    return "The output of the program produces the following format output\n\n"
           "  SSN              State of issue      Validity result  Confirm the result\n\n"
           "SSN: 123-45-6789   New York            VALID=[YES/NO]   CONFIRM\n\n"
           "If the CONFIRM keyword is present in the output, this means that the actual\n"
           "validity of the SSN should be further investigated.\n"
           "A good site to do this is: \n"
           "https://www.ssa.gov/employer/ssnv.htm \n";
}

// The pause prompt on standard error.
inline std::string PagerPrompt() { return "\n" + std::string(23, ' ') + "RETURN TO CONTINUE, ^C or x==exit"; }

// What the pager writes on standard error when the user goes on: the screen clear, the banner again.
inline std::string PagerContinues() { return std::string(24, '\n') + "\n\n" + ExpectedBanner(2) + "\n\n"; }

// The two prompt lines before each console read.
inline std::string ConsolePrompts() {
    return "\nLast update of valid numbers: 4/2011\nInput the ssn to check: (return to end): ";
}

// Shows a text with every byte visible, so a missing blank or line feed stands out in a comparison.
inline std::string Visible(const std::string& text) {
    std::string shown;
    for (const unsigned char c : text) {
        if (c == '\n') {
            shown += "\\n\n";
        } else if (c == '\\') {
            shown += "\\\\";
        } else if (c < 32 || c > 126) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            shown += hex;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

}  // namespace kalderos::test
