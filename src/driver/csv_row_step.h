// CSV input (--column): every row's field in the column checked by the step of the run's format, as a text of
// its own; in the csv format each output row is the input row, its fields' values unchanged, followed by the
// record's fields, so that a spreadsheet shows the verdict beside each row.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "driver/run_state.h"
#include "io/output_stream.h"
#include "lists/csv_fields.h"
#include "lists/text_source.h"
#include "records/record_writer.h"

namespace kalderos {

// What the header row says, for the step of every block: the column checked, from 0, and the fields of a
// row, up to which a shorter row is filled in the csv format, so that the record's fields stand under their
// names. Set before any row is checked.
struct CsvLayout {
    std::size_t column = 0;
    std::size_t width = 0;
};

// Finds the column --column names among the header's fields; false, with a message on standard error naming
// every column, when none is that one. Sets the layout.
bool FindCsvColumn(const std::vector<std::string>& names, const RunOptions& options, CsvLayout& layout);

// The CSV input as a message names it: the list file, or standard input.
std::string CsvInputShown(const RunOptions& options);

// The values of a row's fields.
std::vector<std::string> CsvValues(std::string_view row, char delimiter);

template <class Inner>
class CsvRowStep {
public:
    using Carry = typename Inner::Carry;
    using Tally = typename Inner::Tally;

    CsvRowStep(Inner inner, OutputStream& out, CsvLayout& layout, const RunOptions& options)
        : inner_(std::move(inner)),
          out_(out),
          layout_(layout),
          options_(options),
          echo_(options.EchoesCsvRows()) {}

    bool TakesHeader() const { return options_.header; }
    bool Header(std::string_view row) {
        const std::vector<std::string> names = CsvValues(row, options_.delimiter);
        if (!FindCsvColumn(names, options_, layout_)) return false;
        if constexpr (requires { inner_.Header(); }) {
            if (echo_) {
                for (const std::string& name : names) Echo(name, false);
            }
            inner_.Header();
        }
        return true;
    }

    // Inlined into the list's loop, as the record steps are, with the judgement they inline.
    [[gnu::always_inline]] bool CheckLine(std::string_view row) {
        const std::string_view content = RowContent(row);
        CsvField cell{{kNoField.data(), 0}};
        std::size_t count = 0;
        const std::size_t column = layout_.column;
        if (!echo_) {
            ForEachField(content, options_.delimiter, [&](const CsvField& field) {
                if (count++ != column) return true;
                cell = field;
                return false;
            });
        } else {
            // A row whose every field stands as RFC 4180 writes it is copied whole.
            bool as_written = options_.delimiter == ',';
            const bool returns = ForEachField(content, options_.delimiter, [&](const CsvField& field) {
                if (count++ == column) cell = field;
                as_written = as_written && (!field.has_quote || QuotedWholeReadable(field.raw));
                return true;
            });
            if (as_written && !returns) {
                EchoAsWritten(content);
            } else {
                ForEachField(content, options_.delimiter, [&](const CsvField& field) { return Echo(field), true; });
            }
            if (count < layout_.width) out_.WriteRepeated(',', layout_.width - count);
        }
        // A row without the column has an empty text there.
        return inner_.CheckLine(CellText(cell));
    }
    bool Check(std::string_view text) { return inner_.Check(text); }
    bool EndOfLines() { return inner_.EndOfLines(); }

    static bool Settles(std::string_view /*text*/, bool begins_line) { return begins_line; }
    [[nodiscard]] Carry Carried() const { return inner_.Carried(); }
    void Resume(const Carry& carried) { inner_.Resume(carried); }
    [[nodiscard]] Tally Tallied() const { return inner_.Tallied(); }
    void AddTally(const Tally& tally) { inner_.AddTally(tally); }

    [[nodiscard]] const Inner& Checked() const { return inner_; }

private:
    // The value as the step of the format takes a text: with kReadAhead bytes readable from its start, which a
    // field within its row has, and ending in a line feed only where one is dropped as a line's.
    std::string_view CellText(const CsvField& cell) {
        const std::string_view raw = cell.raw;
        if (!cell.has_quote) return raw;
        if (raw.size() >= 2 && raw.front() == '"' && raw.find('"', 1) == raw.size() - 1 && raw[raw.size() - 2] != '\n') {
            return raw.substr(1, raw.size() - 2);
        }
        AppendValue(raw, value_);
        const std::size_t size = value_.size() + (!value_.empty() && value_.back() == '\n' ? 1 : 0);
        value_.resize(size, '\n');
        value_.resize(size + TextSource::kReadAhead, '\0');
        return {value_.data(), size};
    }

    // A row's fields as they stand, and the comma after them.
    void EchoAsWritten(std::string_view content) {
        if (content.size() >= kEchoRoom) return Echo(content, true);
        char* const room = out_.Reserve(kEchoRoom);
        std::memcpy(room, content.data(), content.size());
        room[content.size()] = ',';
        out_.Commit(content.size() + 1);
    }
    // A field of the input row, and the comma after it.
    void Echo(const CsvField& field) {
        if (field.has_quote && QuotedWhole(field.raw)) return Echo(field.raw, true);
        if (!field.has_quote) return Echo(field.raw, false);
        AppendValue(field.raw, value_);
        Echo({value_.data(), value_.size()}, false);
    }
    // `text` as it stands (`as_is`, a field quoted as RFC 4180 quotes it) or as the value of a field.
    void Echo(std::string_view text, bool as_is) {
        char* const room = out_.Reserve(std::min(2 * text.size() + 3, kEchoRoom));
        if (2 * text.size() + 3 > kEchoRoom) return EchoLong(text, as_is);
        char* end = room;
        if (as_is) {
            std::memcpy(room, text.data(), text.size());
            end += text.size();
        } else {
            end = record::PutCsvField(text, room);
        }
        *end++ = ',';
        out_.Commit(static_cast<std::size_t>(end - room));
    }
    void EchoLong(std::string_view text, bool as_is) {
        std::string field(2 * text.size() + 2, '\0');
        const std::size_t size =
            as_is ? text.copy(field.data(), text.size())
                  : static_cast<std::size_t>(record::PutCsvField(text, field.data()) - field.data());
        out_.Write({field.data(), size});
        out_.Write(",");
    }

    static constexpr std::size_t kEchoRoom = 4096;
    // The text of a row without the column: empty, and readable as every text is.
    static constexpr std::array<char, TextSource::kReadAhead> kNoField{};

    Inner inner_;
    OutputStream& out_;
    CsvLayout& layout_;
    const RunOptions& options_;
    bool echo_;
    std::vector<char> value_;
};

}  // namespace kalderos
