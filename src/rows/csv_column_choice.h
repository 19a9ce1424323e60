// The column a CSV input's header names, or a number names, and the one-line message where the input lacks it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalderos {

// The column asked for: by its name in the header row, or by its number from 1 (0 where a name is given), and
// the delimiter the input is read with.
struct CsvColumnAsked {
    std::string_view name;
    std::size_t number = 0;
    char delimiter = ',';
};

// Sets `column` (from 0) to the one `asked` names among the header row's cells `names` (`header_bytes` the row as
// it stood, to find a delimiter under which the name would be found); where there is none, the message, which
// names the row as `shown_row` ("the header row of 'people.csv'"): a name no cell has (and the delimiter under
// which one would), a name two cells have loosely and none exactly, a number past the last cell.
std::optional<std::string> ChooseColumn(const std::vector<std::string>& names, std::string_view header_bytes,
                                        const CsvColumnAsked& asked, std::string_view shown_row,
                                        std::size_t& column);

// "no column 4 in <shown_row>, which has 3 columns".
std::string NoColumnNumbered(std::size_t number, std::string_view shown_row, std::size_t width);

}  // namespace kalderos
