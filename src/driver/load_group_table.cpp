// Reading the group file named with -g over the built-in list.
#include "driver/load_group_table.h"

#include <array>
#include <string>

#include "platform/platform.h"
#include "ssn/current_rules.h"

namespace kalderos {

namespace {

// Reads the group file `path` names over what `table` holds. A name refused for its length counts as a file
// that cannot be opened when `refusal_ends_run`; else the earlier name it left in place, if any, is read.
std::optional<NamedFailure> ReadGroupFile(const PathText& path, bool refusal_ends_run, HighestGroupTable& table) {
    if (refusal_ends_run && !path.Refused().empty()) {
        platform::NoteNameTooLong();
        return NamedFailure{RunFailure::kGroupFileOpen, path.Refused()};
    }
    if (path.Empty()) return std::nullopt;

    const int fd = platform::OpenForReading(path.Name());
    // A FIFO that nobody writes is waited on until Ctrl-C, which then ends the run as an interrupt.
    if (fd < 0) return NamedFailure{RunFailure::kGroupFileOpen, path.View()};
    GroupFileReader reader(table);
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
        reader.Feed({chunk.data(), static_cast<std::size_t>(got)});
    }
    reader.Finish();
    platform::CloseFile(fd);
    return std::nullopt;
}

}  // namespace

std::optional<NamedFailure> LoadHighestGroupTable(const RunOptions& options, HighestGroupTable& table) {
    ssn::FillBuiltinGroupsOf(options.rules, table);
    // Without a long option only the last -g counts, and a name refused for its length leaves the group file
    // named before it, if any. With one, every group file named is read, each over the ones before it.
    if (!options.gnu_conventions) return ReadGroupFile(options.group_file_path, false, table);
    for (const PathText& path : options.group_files) {
        if (std::optional<NamedFailure> failure = ReadGroupFile(path, true, table)) return failure;
    }
    return std::nullopt;
}

}  // namespace kalderos
