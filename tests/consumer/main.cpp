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

    // The records' answers, under today's rules and over a group file's text.
    const kalderos::Checker checker(kalderos::RuleSet::Current, "123 45\n");
    const kalderos::SsnResult ssn = checker.CheckSsn(" 123-45-6789");
    std::printf("%03d-%02d-%04d %.*s %.*s %d %.*s\n", static_cast<int>(ssn.area), static_cast<int>(ssn.group),
                static_cast<int>(ssn.serial), static_cast<int>(ssn.verdict_name.size()), ssn.verdict_name.data(),
                static_cast<int>(ssn.reason.size()), ssn.reason.data(), ssn.confirm ? 1 : 0,
                static_cast<int>(ssn.issued_after.size()), ssn.issued_after.data());
    const kalderos::CardResult result = checker.CheckCard("2221-0000-0000-0009");
    std::printf("%.*s %.*s %.*s\n", static_cast<int>(result.Digits().size()), result.Digits().data(),
                static_cast<int>(result.outcome.size()), result.outcome.data(), static_cast<int>(result.luhn.size()),
                result.luhn.data());
    return 0;
}
