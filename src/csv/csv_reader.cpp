// The reader's copies: the values that are not the input's bytes as they stand, and the rows a piece ended in.
#include "csv/csv_reader.h"

namespace kalderos::csv {

void Reader::EndBuiltCell(const char* run, const char* value_end, bool quoted, bool as_written) {
    if (value_end != run) values_.append(run, value_end);
    building_ = false;
    buffered_.emplace_back(count_, value_start_);
    if (count_ == cells_.size()) cells_.resize(2 * count_);
    cells_[count_++] = {{nullptr, values_.size() - value_start_}, quoted, as_written};
    row_as_written_ = row_as_written_ && as_written;
}

void Reader::Build(const char* run, const char* to) {
    if (!building_) {
        building_ = true;
        value_start_ = values_.size();
    }
    values_.append(run, to);
}

void Reader::PlaceCopies() {
    values_.append(bytes::kReadAhead, '\0');
    for (const auto& [cell, start] : buffered_) {
        cells_[cell].value = {values_.data() + start, cells_[cell].value.size()};
    }
}

void Reader::DropCopies() {
    values_.clear();
    buffered_.clear();
    spilled_ = false;
}

void Reader::Spill(State state, const char* run, const char* value_end, const char* end) {
    // The cell being built stays last in the copy.
    std::string building;
    if (building_) {
        building.assign(values_, value_start_);
        values_.resize(value_start_);
    }
    for (std::size_t i = 0; i < count_; ++i) {
        if (cells_[i].value.data() == nullptr) continue;
        buffered_.emplace_back(i, values_.size());
        values_.append(cells_[i].value);
        cells_[i].value = {nullptr, cells_[i].value.size()};
    }
    if (building_) {
        value_start_ = values_.size();
        values_ += building;
    }
    if (state == State::kUnquoted || state == State::kQuoted) Build(run, end);
    if (state == State::kQuoteInQuoted) Build(run, value_end);
    spilled_ = true;
}

}  // namespace kalderos::csv
