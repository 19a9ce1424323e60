// CSV input (--column): every row's cell in the column checked by the step of the run's format, as a text of its
// own; in the csv format each output row is the input row's cells followed by the record's fields, in the
// input's own dialect, so that the spreadsheet that wrote the file shows the verdict beside each row.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "bytes/byte_vectors.h"
#include "csv/csv_reader.h"
#include "csv/csv_row.h"
#include "csv/csv_writer.h"
#include "io/output_stream.h"

namespace kalderos {

// What the start of the input says, for the step of every block; set before any row is checked.
struct CsvLayout {
    std::size_t column = 0;             // the column checked, from 0
    std::size_t width = 0;              // the header's cells (without a header, the first row's): where the
                                        // record's fields start in the csv format
    char delimiter = ',';               // what parts the output row's cells
    std::string_view line_end = "\n";   // what ends an output row: the input's first row's line end
};

// How the rows are read and written: the input's delimiter, and whether each output row starts with its input
// row (the csv format's records).
struct CsvRowOptions {
    char delimiter = ',';
    bool echo = false;
};

template <class Inner>
class CsvRowStep {
public:
    using Carry = typename Inner::Carry;
    using Tally = typename Inner::Tally;

    // The step of the run's format is made by `make_step(OutputStream&)`: once for the output, and once for the
    // records that are written again in the input's dialect or with cells after them.
    template <class MakeStep>
    CsvRowStep(MakeStep& make_step, OutputStream& out, const CsvLayout& layout, const CsvRowOptions& options)
        : scratch_(options.echo ? std::make_unique<OutputStream>(OutputStream::InMemory{}) : nullptr),
          direct_(make_step(out)),
          rewritten_(make_step(scratch_ != nullptr ? *scratch_ : out)),
          out_(out),
          layout_(layout),
          reader_(options.delimiter),
          echo_(options.echo),
          same_delimiter_(options.delimiter == layout.delimiter),
          records_as_printed_(layout.delimiter == ',' && layout.line_end == "\n") {}

    // The header row, before any other: the input's cells followed by the record's field names, where the
    // format writes them.
    void Header(const csv::Row& row) {
        if constexpr (requires { direct_.Header(); }) {
            if (!echo_) return direct_.Header();
            Echo(row, row.cells.size());
            if (records_as_printed_) return direct_.Header();
            rewritten_.Header();
            WriteRecord({});
        }
    }

    // The rows of a block, which start where rows start; true when a text among them failed.
    bool CheckRows(bytes::Readable rows) {
        any_failed_ = false;
        reader_.Read(rows.data(), rows.size(), *this);
        reader_.Finish(*this);
        return any_failed_;
    }
    // A row from a reader of the caller's, which takes the input in pieces with bytes::kReadAhead bytes behind
    // each (the library's CsvCheck).
    bool TakeRow(const csv::Row& row) {
        any_failed_ |= CheckRow(row);
        return true;
    }

    bool EndOfLines() { return direct_.EndOfLines(); }
    [[nodiscard]] Carry Carried() const { return direct_.Carried(); }
    void Resume(const Carry& carried) { direct_.Resume(carried); }
    [[nodiscard]] Tally Tallied() const {
        Inner both = rewritten_;
        both.AddTally(direct_.Tallied());
        return both.Tallied();
    }
    void AddTally(const Tally& tally) { direct_.AddTally(tally); }

    [[nodiscard]] const Inner& Checked() const { return direct_; }

private:
    // A row's cell in the column, checked; in the csv format after the row's cells.
    bool CheckRow(const csv::Row& row) {
        const std::size_t count = row.cells.size();
        // A row without the column has an empty text there.
        const bytes::Readable value = layout_.column < count ? CellText(row.cells[layout_.column]) : NoCell();
        if (echo_) {
            if (count > layout_.width || !records_as_printed_) [[unlikely]] return CheckRewritten(row, value);
            Echo(row, count);
            if (count < layout_.width) out_.WriteRepeated(layout_.delimiter, layout_.width - count);
        }
        return direct_.CheckCell(value);
    }
    // The same of a row whose record is written again: in another dialect, or with cells after it.
    [[gnu::noinline]] bool CheckRewritten(const csv::Row& row, bytes::Readable value) {
        const std::size_t count = row.cells.size();
        const std::size_t width = layout_.width;
        Echo(row, std::min(count, width));
        if (count < width) out_.WriteRepeated(layout_.delimiter, width - count);
        const bool failed = rewritten_.CheckCell(value);
        WriteRecord(row.cells.subspan(std::min(count, width)));
        return failed;
    }

    // The first `count` cells of `row`, each followed by the delimiter: as they stood, where they stood as they
    // are written.
    void Echo(const csv::Row& row, std::size_t count) {
        if (same_delimiter_ && row.as_written && count == row.cells.size() && row.raw.data() != nullptr) {
            return WriteThen(row.raw, layout_.delimiter);
        }
        for (std::size_t i = 0; i < count; ++i) {
            WriteCell(row.cells[i]);
            out_.Write({&layout_.delimiter, 1});
        }
    }

    // The record the other step wrote, in the output's dialect, then the cells `after` it and the line end.
    void WriteRecord(std::span<const csv::Cell> after);

    void WriteCell(const csv::Cell& cell) {
        const std::size_t room = csv::CellRoom(cell.value.size());
        if (room > kRoom) {
            std::string cell_bytes(room, '\0');
            char* const end = csv::PutCell(cell.value, cell.quoted, layout_.delimiter, cell_bytes.data());
            return out_.Write({cell_bytes.data(), static_cast<std::size_t>(end - cell_bytes.data())});
        }
        char* const at = out_.Reserve(room);
        out_.Commit(static_cast<std::size_t>(csv::PutCell(cell.value, cell.quoted, layout_.delimiter, at) - at));
    }
    void WriteThen(std::string_view bytes, char after) {
        if (bytes.size() >= kRoom) {
            out_.Write(bytes);
            return out_.Write({&after, 1});
        }
        char* const at = out_.Reserve(kRoom);
        std::memcpy(at, bytes.data(), bytes.size());
        at[bytes.size()] = after;
        out_.Commit(bytes.size() + 1);
    }

    // A cell's value: in the bytes the reader was given, which have room behind them, or in the reader's copy,
    // which has.
    static bytes::Readable CellText(const csv::Cell& cell) {
        return bytes::Readable::WithRoomBehind(cell.value.data(), cell.value.size());
    }
    // The text of a row without the column: empty.
    static bytes::Readable NoCell() {
        static constexpr std::array<char, bytes::kReadAhead> kNone{};
        return bytes::Readable::WithRoomBehind(kNone.data(), 0);
    }

    static constexpr std::size_t kRoom = 4096;

    std::unique_ptr<OutputStream> scratch_;  // where `rewritten_` writes
    Inner direct_;     // writes into the output
    Inner rewritten_;  // writes records to be written again: in another dialect, or with cells after them
    OutputStream& out_;
    const CsvLayout& layout_;
    csv::Reader reader_;
    bool echo_;                // the csv format: each row's cells come first
    bool same_delimiter_;      // the output's delimiter is the input's
    bool records_as_printed_;  // the output's dialect is the record printers': commas and line feeds
    bool any_failed_ = false;
};

// Writes the record `scratch` holds (one row, its line feed last) into `out`, its cells parted by `delimiter`,
// each quoted where it was quoted or needs to be.
void WriteRecordAgain(std::string_view record, char delimiter, OutputStream& out);

template <class Inner>
void CsvRowStep<Inner>::WriteRecord(std::span<const csv::Cell> after) {
    std::string_view record = scratch_->Contents();
    WriteRecordAgain(record, layout_.delimiter, out_);
    for (const csv::Cell& cell : after) {
        out_.Write({&layout_.delimiter, 1});
        WriteCell(cell);
    }
    out_.Write(layout_.line_end);
    out_.EndOfLine();
    scratch_->Clear();
}

// Makes the step of the rows around the step `make_step(out)` makes.
template <class MakeStep>
auto MakeCsvRowStep(MakeStep& make_step, OutputStream& out, const CsvLayout& layout, const CsvRowOptions& options) {
    return CsvRowStep<decltype(make_step(out))>(make_step, out, layout, options);
}

}  // namespace kalderos
