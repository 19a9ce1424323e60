// Start-up in its fixed order, then the SSN loop or the card loop over the texts to check.
#include "driver/run_loops.h"

#include "console/banner.h"
#include "driver/check_loops.h"
#include "driver/command_line.h"
#include "driver/run_state.h"
#include "driver/text_source.h"
#include "platform/platform.h"

namespace kalderos {

void RunProgram(int argc, const char* const* argv) {
    platform::PrepareProcess();
    platform::InstallInterruptHandler();
    PrintBanner(kLinesBeforeStartBanner);
    RunState state = CreateRunState();
    const int option_start = ParseCommandLine(argc, argv, *state.options);
    TextSource texts(argv, option_start, *state.options);
    if (state.options->card_mode) RunCardLoop(texts, *state.options, *state.card_kind);
    RunSsnLoop(texts, *state.options, *state.highest_groups);
}

}  // namespace kalderos
