// A record written again in another dialect.
#include "rows/csv_row_step.h"

namespace kalderos {
namespace {

// Each cell of a record, parted by the delimiter.
struct RecordCells {
    OutputStream& out;
    char delimiter;
    bool first = true;

    bool TakeRow(const csv::Row& row) {
        for (const csv::Cell& cell : row.cells) {
            if (!first) out.Write({&delimiter, 1});
            first = false;
            std::string bytes(csv::CellRoom(cell.value.size()), '\0');
            const char* const end = csv::PutCell(cell.value, cell.quoted, delimiter, bytes.data());
            out.Write({bytes.data(), static_cast<std::size_t>(end - bytes.data())});
        }
        return true;
    }
};

}  // namespace

void WriteRecordAgain(std::string_view record, char delimiter, OutputStream& out) {
    // The record printers end a record with a line feed, and part its fields by commas.
    record.remove_suffix(1);
    if (delimiter == ',') return out.Write(record);
    RecordCells cells{out, delimiter};
    csv::Reader reader(',');
    reader.Read(record.data(), record.size(), cells);
    reader.Finish(cells);
}

}  // namespace kalderos
