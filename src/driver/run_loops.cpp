// Start-up in its fixed order, then the SSN loop or the card loop over the texts to check.
#include "driver/run_loops.h"

#include <optional>
#include <string_view>

#include "console/banner.h"
#include "driver/command_line.h"
#include "driver/input_source.h"
#include "driver/load_group_table.h"
#include "driver/output_stream.h"
#include "driver/run_state.h"
#include "driver/terminate.h"
#include "platform/platform.h"

namespace kalderos {
namespace {

// Either the first argument, once, or the input source until it is exhausted.
class TextSource {
public:
    TextSource(int argc, const char* const* argv, int option_start, const RunOptions& options)
        : single_(option_start != 1 ? std::optional<std::string_view>(argv[1]) : std::nullopt), input_(options) {
        (void)argc;
    }

    std::optional<std::string_view> Next() {
        if (!single_) return input_.NextInputLine();
        if (taken_) return std::nullopt;
        taken_ = true;
        return single_;
    }

private:
    std::optional<std::string_view> single_;
    bool taken_ = false;
    InputSource input_;
};

[[noreturn]] void RunCardLoop(TextSource& texts, RunOptions& options, CardKind& kind) {
    while (const std::optional<std::string_view> text = texts.Next()) {
        const CardClassification classified = ClassifyCard(*text, kind);
        if (classified.length > 4) {
            const std::string_view name = kind.View();
            OutputStream& out = Out();
            out.Write("\n");
            if (name.size() < 12) out.WriteRepeated(' ', 12 - name.size());
            out.Write(name);
            out.Write(" | ");
            if (classified.length < 20) out.WriteRepeated(' ', 20 - classified.length);
            out.Write(text->substr(0, classified.length));
            out.EndOfLine();
        }
        CheckInterrupt();
    }
    if (options.list_file >= 0) platform::CloseFile(options.list_file);
    Out().Write("\n");
    TerminateRun(kExitDone);
}

[[noreturn]] void RunSsnLoop(TextSource& texts, const RunOptions& options, HighestGroupTable& table) {
    LoadHighestGroupTable(options, table);
    // The area names are built into the program; nothing is left to build here.
    Out().Write("\n");
    SsnNumber number;
    OutputStream& out = Out();
    while (const std::optional<std::string_view> text = texts.Next()) {
        ParseSsn(*text, number);
        const SsnVerdict verdict = JudgeSsn(number, table);
        char* line = out.Reserve(kMaxResultLineLength);
        out.Commit(FormatResultLine(number, verdict, table, line));
        out.EndOfLine();
        CheckInterrupt();
    }
    TerminateRun(kExitDone);
}

}  // namespace

void RunProgram(int argc, const char* const* argv) {
    platform::PrepareProcess();
    platform::InstallInterruptHandler();
    PrintBanner(5);
    RunState state = CreateRunState();
    const int option_start = ParseCommandLine(argc, argv, *state.options);
    TextSource texts(argc, argv, option_start, *state.options);
    if (state.options->card_mode) RunCardLoop(texts, *state.options, *state.card_kind);
    RunSsnLoop(texts, *state.options, *state.highest_groups);
}

}  // namespace kalderos
