#include "table_texts.h"

#include <set>

#include "e2e_cases.h"

namespace kalderos::test {
namespace {

// A text's lines as a line reader hands them over: split at line feeds, a carriage return before one dropped.
void AddLines(const std::string& text, std::set<std::string>& texts) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        texts.insert(line);
        start = end + 1;
    }
}

}  // namespace

std::vector<std::string> TableTexts() {
    std::set<std::string> texts;
    std::vector<E2eCase> rows = AllCases();
    for (E2eCase& row : ScriptCases()) rows.push_back(std::move(row));
    for (const E2eCase& row : rows) {
        for (const std::string& arg : row.args) AddLines(arg, texts);
        AddLines(row.input, texts);
        for (const FileSpec& file : row.files) AddLines(file.content, texts);
    }
    return {texts.begin(), texts.end()};
}

}  // namespace kalderos::test
