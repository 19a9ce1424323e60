// Writes every text of the end-to-end tables to standard output, each followed by a line feed, for the tests of
// the Python module, which compare its results with the program's records of the same texts.
#include <cstdio>

#include "table_texts.h"

int main() {
    for (const std::string& text : kalderos::test::TableTexts()) {
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fputc('\n', stdout) == EOF) return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
