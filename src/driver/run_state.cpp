// Creating the run state.
#include "driver/run_state.h"

#include <new>

#include "driver/run_failure.h"

namespace kalderos {

bool PathText::Assign(std::string_view path) {
    if (path.size() > kMaxLength) return false;
    path.copy(text_.data(), path.size());
    text_[path.size()] = '\0';
    length_ = path.size();
    return true;
}

RunState CreateRunState() {
    // Nothing is released: the items live until the process ends.
    RunState state{new (std::nothrow) RunOptions, new (std::nothrow) HighestGroupTable, new (std::nothrow) CardKind};
    if (state.options == nullptr || state.highest_groups == nullptr || state.card_kind == nullptr) {
        FailRun(RunFailure::kNoMemory);
    }
    return state;
}

}  // namespace kalderos
