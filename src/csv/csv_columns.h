// The column --column=NAME names in a CSV header row, and the delimiter that would find it where none does.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kalderos::csv {

struct ColumnMatch {
    bool found = false;
    std::size_t column = 0;           // from 0, where found
    std::vector<std::size_t> alike;   // where not found: the columns that match loosely, when two or more do
};

// The column named `wanted` exactly (the first, where several are), else the one column named so loosely: the
// blanks around both and the case of ASCII letters set aside. Two loose matches and no exact one are no match.
[[nodiscard]] ColumnMatch MatchColumn(std::span<const std::string> names, std::string_view wanted);

// Where no column matches: the delimiter among ';', tab, '|' and ',' (other than `delimiter`) under which the
// header row, `header` (its bytes as read, the line end after them or not), has one column that matches; 0 for
// none.
[[nodiscard]] char DelimiterThatFinds(std::string_view header, std::string_view wanted, char delimiter);

}  // namespace kalderos::csv
