// Reading the group file named with -g over the built-in list.
#include "driver/load_group_table.h"

#include <array>
#include <string>

#include "driver/run_failure.h"
#include "platform/platform.h"

namespace kalderos {
void LoadHighestGroupTable(const RunOptions& options, HighestGroupTable& table) {
    FillFromBuiltinGroupList(table);
    // Without a long option a name refused for its length leaves the group file named before it, if any.
    const std::string& refused = options.group_file_path.Refused();
    if (options.refuse_unusable_files && !refused.empty()) {
        platform::NoteNameTooLong();
        FailRun(RunFailure::kGroupFileOpen, refused);
    }
    if (options.group_file_path.Empty()) return;

    const int fd = platform::OpenForReading(options.group_file_path.Name());
    // A FIFO that nobody writes is waited on until Ctrl-C, which then ends the run as an interrupt.
    if (fd < 0) FailRun(RunFailure::kGroupFileOpen, options.group_file_path.View());
    GroupFileReader reader(table);
    std::array<char, 8192> chunk;
    for (;;) {
        const long got = platform::ReadSome(fd, chunk.data(), chunk.size());
        if (got == 0) break;
        if (got < 0) {
            // Judging numbers against a half-read table would report wrong verdicts as if all were well. A
            // file without end (/dev/zero) is read until Ctrl-C, which makes the read fail.
            FailRun(RunFailure::kGroupFileRead, options.group_file_path.View());
        }
        reader.Feed({chunk.data(), static_cast<std::size_t>(got)});
    }
    reader.Finish();
    platform::CloseFile(fd);
}

}  // namespace kalderos
