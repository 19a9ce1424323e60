// Reading the group file named with -g over the built-in list.
#include "driver/load_group_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "ssn/current_rules.h"

namespace kalderos {

namespace {

// What the group files store in a table that starts all 0 and in one that starts all 1: an area they name
// holds another value in one of the two, whatever value they give it.
struct NamedAreas {
    HighestGroupTable zeros;
    HighestGroupTable ones;

    NamedAreas() { ones.group.fill(1); }
    void Mark(GroupFileAreas& named) const {
        for (std::size_t area = 0; area < named.size(); ++area) {
            named[area] = static_cast<std::uint8_t>(zeros.group[area] != 0 || ones.group[area] != 1);
        }
    }
};

// Reads the group file `path` names over what `table` holds, and into `named`. A name refused for its length
// counts as a file that cannot be opened when `refusal_ends_run`; else the earlier name it left in place, if
// any, is read.
std::optional<NamedFailure> ReadGroupFile(const PathText& path, bool refusal_ends_run, HighestGroupTable& table,
                                          NamedAreas& named) {
    if (refusal_ends_run && !path.Refused().empty()) {
        platform::NoteNameTooLong();
        return NamedFailure{RunFailure::kGroupFileOpen, path.Refused()};
    }
    if (path.Empty()) return std::nullopt;

    const int fd = platform::OpenForReading(path.Name());
    // A FIFO that nobody writes is waited on until Ctrl-C, which then ends the run as an interrupt.
    if (fd < 0) return NamedFailure{RunFailure::kGroupFileOpen, path.View()};
    GroupFileReader reader(table);
    GroupFileReader zeros(named.zeros);
    GroupFileReader ones(named.ones);
    std::array<char, 8192> chunk;
    for (;;) {
        const long got = platform::ReadSome(fd, chunk.data(), chunk.size());
        if (got == 0) break;
        if (got < 0) {
            // Judging numbers against a half-read table would report wrong verdicts as if all were well. A
            // file without end (/dev/zero) is read until Ctrl-C, which makes the read fail.
            platform::CloseFile(fd);
            return NamedFailure{RunFailure::kGroupFileRead, path.View()};
        }
        for (GroupFileReader* each : {&reader, &zeros, &ones}) each->Feed({chunk.data(), static_cast<std::size_t>(got)});
    }
    for (GroupFileReader* each : {&reader, &zeros, &ones}) each->Finish();
    platform::CloseFile(fd);
    return std::nullopt;
}

}  // namespace

std::optional<NamedFailure> LoadHighestGroupTable(const RunOptions& options, HighestGroupTable& table,
                                                  GroupFileAreas& named) {
    ssn::FillBuiltinGroupsOf(options.rules, table);
    NamedAreas areas;
    std::optional<NamedFailure> failure;
    // Without a long option only the last -g counts, and a name refused for its length leaves the group file
    // named before it, if any. With one, every group file named is read, each over the ones before it.
    if (!options.conventions.every_group_file) {
        failure = ReadGroupFile(options.group_file_path, false, table, areas);
    } else {
        for (const PathText& path : options.group_files) {
            failure = ReadGroupFile(path, true, table, areas);
            if (failure) break;
        }
    }
    areas.Mark(named);
    return failure;
}

}  // namespace kalderos
