// Printing the counts of --summary: a table a person reads, or rows and an object a script reads, which keep
// every name even at 0 so that a script finds each one on every run.
#include "records/summary_table.h"

#include <algorithm>
#include <string>

#include "io/output_stream.h"

namespace kalderos {
namespace {

struct TableRow {
    std::string label;
    std::string count;
};

void PrintText(const Summary& summary, bool quiet) {
    std::vector<TableRow> rows{{"numbers checked", std::to_string(summary.checked)}};
    for (const SummaryGroup& group : summary.groups) {
        for (const SummaryRow& row : group.rows) {
            if (!group.always_shown && row.count == 0) continue;
            std::string label;
            if (!group.always_shown) label.append(group.name).append(" ");
            rows.push_back({label.append(row.name), std::to_string(row.count)});
        }
    }
    std::size_t label_width = 0;
    std::size_t count_width = 0;
    for (const TableRow& row : rows) {
        label_width = std::max(label_width, row.label.size());
        count_width = std::max(count_width, row.count.size());
    }
    std::string table = quiet ? "" : "\n";
    for (const TableRow& row : rows) {
        table += row.label;
        table.append(label_width - row.label.size() + 2 + count_width - row.count.size(), ' ');
        table += row.count;
        table += '\n';
    }
    Out().Write(table);
}

// TSV and CSV alike: the names hold neither a tab nor a comma nor a quote.
void PrintRows(const Summary& summary, bool header, char separator) {
    std::string rows;
    if (header) rows.append("name").append(1, separator).append("count\n");
    rows.append("checked").append(1, separator).append(std::to_string(summary.checked)) += '\n';
    for (const SummaryGroup& group : summary.groups) {
        for (const SummaryRow& row : group.rows) {
            rows.append(group.name).append(":").append(row.name).append(1, separator).append(std::to_string(row.count));
            rows += '\n';
        }
    }
    Out().Write(rows);
}

// The names are the program's own (reasons, verdicts, card types): nothing in them needs escaping.
void PrintJsonl(const Summary& summary) {
    std::string object = "{\"checked\":" + std::to_string(summary.checked);
    for (const SummaryGroup& group : summary.groups) {
        object.append(",\"").append(group.name).append("\":{");
        for (std::size_t i = 0; i < group.rows.size(); ++i) {
            if (i != 0) object += ',';
            object.append("\"").append(group.rows[i].name).append("\":").append(std::to_string(group.rows[i].count));
        }
        object += '}';
    }
    object += "}\n";
    Out().Write(object);
}

}  // namespace

void PrintSummary(const Summary& summary, OutputFormat format, bool header, bool quiet) {
    switch (format) {
        case OutputFormat::Text:
            return PrintText(summary, quiet);
        case OutputFormat::Tsv:
            return PrintRows(summary, header, '\t');
        case OutputFormat::Csv:
            return PrintRows(summary, header, ',');
        case OutputFormat::Jsonl:
            return PrintJsonl(summary);
        case OutputFormat::kCount:
            return;
    }
}

}  // namespace kalderos
