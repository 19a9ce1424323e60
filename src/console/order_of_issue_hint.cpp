// The classic rules take a group later than the built-in data's highest for one never issued; since June 2011
// numbers are issued at random, so a list of today's numbers is mostly "invalid" by that rule alone. A run that
// has not chosen its rules is told so once, with the count, and how to choose.
#include "console/order_of_issue_hint.h"

#include <cstdint>
#include <string>

#include "io/output_stream.h"

namespace kalderos {

namespace {

// What gave the highest groups that made the numbers invalid.
std::string Decider(std::uint64_t count, std::uint64_t from_group_files, std::size_t group_files) {
    const std::string files = group_files > 1 ? "the group files" : "the group file";
    if (from_group_files == 0) return "the built-in data";
    if (from_group_files == count) return files;
    return "the built-in data or " + files;
}

}  // namespace

void TellInvalidByOrderOfIssue(std::uint64_t count, std::uint64_t from_group_files, std::size_t group_files) {
    const bool one = count == 1;
    Err().Write("kalderos: " + std::to_string(count) + (one ? " number was" : " numbers were") +
                " invalid only because " + (one ? "its" : "their") + " group was not issued by " +
                Decider(count, from_group_files, group_files) +
                " (group-not-issued); --rules=current judges numbers as issued at random since June 2011\n");
}

}  // namespace kalderos
