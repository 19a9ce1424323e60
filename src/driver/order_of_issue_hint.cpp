// The classic rules take a group later than the built-in data's highest for one never issued; since June 2011
// numbers are issued at random, so a list of today's numbers is mostly "invalid" by that rule alone. A run that
// has not chosen its rules is told so once, with the count, and how to choose.
#include "driver/order_of_issue_hint.h"

#include <string>

#include "io/output_stream.h"

namespace kalderos {

void HintAtOrderOfIssue(const RunOptions& options, std::uint64_t not_issued) {
    if (!options.hint_order_of_issue || not_issued == 0) return;
    const bool one = not_issued == 1;
    Err().Write("kalderos: " + std::to_string(not_issued) + (one ? " number was" : " numbers were") +
                " invalid only because " + (one ? "its" : "their") +
                " group was not issued by the built-in data (group-not-issued); --rules=current judges numbers "
                "as issued at random since June 2011\n");
}

}  // namespace kalderos
