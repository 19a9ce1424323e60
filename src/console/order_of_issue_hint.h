// The line that ends a run whose SSNs the order of issue alone made invalid, under rules nobody chose.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kalderos {

// On standard error: how many numbers (`count`, not 0) the order of issue alone made invalid, and whether the
// built-in data, the group files (`group_files` of them were named) or both gave the highest groups that decided
// (`from_group_files` of them came from a group file).
void TellInvalidByOrderOfIssue(std::uint64_t count, std::uint64_t from_group_files, std::size_t group_files);

}  // namespace kalderos
