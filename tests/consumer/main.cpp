// A program outside the project that uses the installed checking library the way its header describes.
#include <kalderos/kalderos.h>

#include <cstdio>

int main() {
    kalderos::HighestGroupTable table;
    kalderos::FillFromBuiltinGroupList(table);

    kalderos::SsnNumber number;
    kalderos::ParseSsn("123-96-0001", number);
    const kalderos::SsnVerdict verdict = kalderos::JudgeSsn(number, table);
    char line[kalderos::kMaxResultLineLength];
    const std::size_t length = kalderos::FormatResultLine(number, verdict, table, line);
    std::fwrite(line, 1, length, stdout);

    kalderos::CardKind kind;
    const kalderos::CardClassification card = kalderos::ClassifyCard("4111111111111111", kind);
    std::printf("%.*s %d\n", static_cast<int>(kind.View().size()), kind.View().data(), card.result);
    return 0;
}
