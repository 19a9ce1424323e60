// Reading the group file named with -g over the built-in list.
#include "driver/load_group_table.h"

#include <array>
#include <string>

#include "io/diagnostics.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "platform/platform.h"

namespace kalderos {
namespace {

[[noreturn]] void GroupFileFailed(std::string_view what, const PathText& path) {
    if (ScriptDiagnostics()) {
        ReportFailure("Error " + std::string(what) + " group file", path.View());
        TerminateRun(kExitUsage);
    }
    Err().Write("\nError ");
    Err().Write(what);
    Err().Write(" ");
    Err().Write(path.View());
    Err().Write(" group file\n");
    TerminateRun(kExitUsage);
}

}  // namespace

void LoadHighestGroupTable(const RunOptions& options, HighestGroupTable& table) {
    FillFromBuiltinGroupList(table);
    if (options.group_file_path.Empty()) return;

    const int fd = platform::OpenForReading(options.group_file_path.Str());
    if (fd < 0) {
        CheckInterrupt();  // a FIFO that nobody writes, waited on until Ctrl-C
        GroupFileFailed("opening", options.group_file_path);
    }
    GroupFileReader reader(table);
    std::array<char, 8192> chunk;
    for (;;) {
        const long got = platform::ReadSome(fd, chunk.data(), chunk.size());
        if (got == 0) break;
        if (got < 0) {
            // Judging numbers against a half-read table would report wrong verdicts as if all were well. A
            // file without end (/dev/zero) is read until Ctrl-C, which makes the read fail.
            CheckInterrupt();
            GroupFileFailed("reading", options.group_file_path);
        }
        reader.Feed({chunk.data(), static_cast<std::size_t>(got)});
    }
    reader.Finish();
    platform::CloseFile(fd);
}

}  // namespace kalderos
