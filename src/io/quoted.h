// How a message shows a name the user gave.
#pragma once

#include <string>
#include <string_view>

namespace kalderos {

// A name or a letter as a diagnostic shows it, in single quotes; a control byte in it is shown as \n, \t or
// \xHH, so that the diagnostic stays one line. Backslashes stay as they are: Windows paths are full of them.
[[nodiscard]] std::string Quoted(std::string_view name);

}  // namespace kalderos
