// Creating the run state.
#include "driver/run_state.h"

#include <new>

#include "driver/run_failure.h"

namespace kalderos {

bool PathText::Assign(std::string_view full, std::string_view name) {
    if (full.size() > kMaxLength) {
        refused_ = full;
        return false;
    }
    full.copy(text_.data(), full.size());
    text_[full.size()] = '\0';
    length_ = full.size();
    name_ = name;
    refused_.clear();
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
