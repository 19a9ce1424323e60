// Every text the end-to-end tables hold: their arguments, standard inputs and files, line by line as the program
// reads lines, each once. The library's Checker and the Python module are held to the program's records of them.
#pragma once

#include <string>
#include <vector>

namespace kalderos::test {

std::vector<std::string> TableTexts();

}  // namespace kalderos::test
