// The formats a run can print its results in.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kalderos {

// The text lines of the console program, or one record per text. Every choice of format is a switch over
// these without a default, so that the compiler names a site that a new format has not reached.
enum class OutputFormat { Text, Tsv, Jsonl, kCount };

// The names --format takes, by OutputFormat.
inline constexpr std::array<std::string_view, static_cast<std::size_t>(OutputFormat::kCount)> kOutputFormatNames{
    "text", "tsv", "jsonl"};

}  // namespace kalderos
