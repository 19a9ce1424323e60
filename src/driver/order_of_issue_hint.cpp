// The classic rules take a group later than the built-in data's highest for one never issued; since June 2011
// numbers are issued at random, so a list of today's numbers is mostly "invalid" by that rule alone. A run that
// has not chosen its rules is told so once, with the count, and how to choose.
#include "driver/order_of_issue_hint.h"

#include <cstdint>
#include <string>

#include "io/output_stream.h"

namespace kalderos {

namespace {

// What gave the highest groups that made the numbers invalid.
std::string Decider(const RunOptions& options, const NotIssuedTally& not_issued) {
    const std::string group_files = options.group_files.size() > 1 ? "the group files" : "the group file";
    if (not_issued.from_group_files == 0) return "the built-in data";
    if (not_issued.from_group_files == not_issued.count) return group_files;
    return "the built-in data or " + group_files;
}

}  // namespace

void HintAtOrderOfIssue(const RunOptions& options, const NotIssuedTally& not_issued) {
    const std::uint64_t count = not_issued.count;
    if (!options.hint_order_of_issue || count == 0) return;
    const bool one = count == 1;
    Err().Write("kalderos: " + std::to_string(count) + (one ? " number was" : " numbers were") +
                " invalid only because " + (one ? "its" : "their") + " group was not issued by " +
                Decider(options, not_issued) +
                " (group-not-issued); --rules=current judges numbers as issued at random since June 2011\n");
}

}  // namespace kalderos
