// The formats a run can print its results in.
#pragma once

namespace kalderos {

// The text lines of the console program, or one record per text. Every choice of format is a switch over
// these without a default, so that the compiler names a site that a new format has not reached.
enum class OutputFormat { Text, Tsv, Jsonl, Csv, kCount };

// The names --format takes are kFormatValues (console/long_option_table.h), by OutputFormat.

}  // namespace kalderos
