// Creating the run state.
#include "driver/run_state.h"

#include <new>
#include <utility>

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

RunState CreateRunState(RunOptions&& options) {
    // Nothing is released: the items live until the process ends, held here after the run has returned its
    // exit code and while the process ends.
    static const RunState state{new (std::nothrow) RunOptions(std::move(options)), new (std::nothrow) HighestGroupTable};
    return state;
}

}  // namespace kalderos
