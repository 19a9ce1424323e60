// The counts --summary prints in place of a line per text, in the run's format.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "records/output_format.h"

namespace kalderos {

struct SummaryRow {
    std::string_view name;
    std::uint64_t count;
};

// Counts of one kind: "verdict", "reason", "type".
struct SummaryGroup {
    std::string_view name;
    std::vector<SummaryRow> rows;
    // The text table shows this group's rows even at 0, and without the group's name.
    bool always_shown = false;
};

struct Summary {
    std::uint64_t checked = 0;
    std::vector<SummaryGroup> groups;
};

// text: "numbers checked" and a row per count, names aligned left and counts right, a group's rows led by its
// name, rows at 0 left out unless the group is always shown; a blank line before it unless `quiet`.
// tsv: the header "name\tcount" unless !header, then "checked" and "<group>:<name>" rows, every row.
// jsonl: one object, {"checked":N,"<group>":{"<name>":N,...},...}, every row.
void PrintSummary(const Summary& summary, OutputFormat format, bool header, bool quiet);

}  // namespace kalderos
