// The library's Checker and the program's records say the same of every text the end-to-end tables hold, under
// each rule set: the program run once per mode and rule set with --format=tsv over all of them, field by field.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "e2e_program.h"
#include "table_texts.h"
#include "kalderos/kalderos.h"
#include "process.h"

namespace kalderos::test {
namespace {

// The last `count` fields of a record line, which follow the input (whose bytes a record may escape).
std::vector<std::string> LastFields(const std::string& line, std::size_t count) {
    std::vector<std::string> fields;
    std::size_t end = line.size();
    while (fields.size() < count && end != 0) {
        const std::size_t tab = line.rfind('\t', end - 1);
        if (tab == std::string::npos) break;
        fields.insert(fields.begin(), line.substr(tab + 1, end - tab - 1));
        end = tab;
    }
    return fields;
}

std::string Number(bool stated, std::int32_t value, int width) {
    if (!stated) return "";
    char digits[8];
    std::snprintf(digits, sizeof digits, "%0*d", width, static_cast<int>(value));
    return digits;
}

std::vector<std::string> FieldsOf(const SsnResult& r) {
    return {r.well_formed ? "true" : "false", Number(r.well_formed, r.area, 3), Number(r.well_formed, r.group, 2),
            Number(r.well_formed, r.serial, 4), std::string(r.place), std::string(r.verdict_name),
            r.confirm ? "true" : "false", std::string(r.reason), std::string(r.issued_after),
            std::string(r.issued_by)};
}

std::vector<std::string> FieldsOf(const CardResult& r) {
    return {std::string(r.Digits()), std::string(r.type), std::string(r.luhn), std::string(r.outcome),
            std::string(r.reason)};
}

// The program's records of `texts`, one line each.
std::vector<std::string> Records(const std::vector<std::string>& texts, const std::vector<std::string>& options) {
    ProcessSpec spec;
    spec.argv = ProgramCommand();
    spec.argv.insert(spec.argv.end(), options.begin(), options.end());
    for (const std::string& text : texts) spec.input += text + "\n";
    const ProcessResult result = RunProcess(spec);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    std::vector<std::string> lines;
    std::istringstream out(result.out);
    for (std::string line; std::getline(out, line);) lines.push_back(line);
    return lines;
}

struct Mode {
    RuleSet rules;
    std::string option;
};

void PrintTo(const Mode& mode, std::ostream* out) { *out << mode.option; }

class LibraryAgreement : public testing::TestWithParam<Mode> {};

TEST_P(LibraryAgreement, SsnRecords) {
    if (WindowsRun()) GTEST_SKIP() << "the library is this build's own";
    const std::vector<std::string> texts = TableTexts();
    const std::vector<std::string> records = Records(texts, {"--format=tsv", "--no-header", GetParam().option});
    ASSERT_EQ(records.size(), texts.size());
    ASSERT_GT(texts.size(), 500u);
    const Checker checker(GetParam().rules);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(FieldsOf(checker.CheckSsn(texts[i])), LastFields(records[i], 10)) << "[" << texts[i] << "]";
    }
}

TEST_P(LibraryAgreement, CardRecords) {
    if (WindowsRun()) GTEST_SKIP() << "the library is this build's own";
    const std::vector<std::string> texts = TableTexts();
    const std::vector<std::string> records = Records(texts, {"-C", "--format=tsv", "--no-header", GetParam().option});
    ASSERT_EQ(records.size(), texts.size());
    const Checker checker(GetParam().rules);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const CardResult result = checker.CheckCard(texts[i]);
        EXPECT_EQ(FieldsOf(result), LastFields(records[i], 5)) << "[" << texts[i] << "]";
        EXPECT_EQ(result.ok, LastFields(records[i], 1) == std::vector<std::string>{"ok"}) << "[" << texts[i] << "]";
    }
}

INSTANTIATE_TEST_SUITE_P(RuleSets, LibraryAgreement,
                         testing::Values(Mode{RuleSet::Classic, "--rules=classic"}, Mode{RuleSet::Current, "--rules=current"}),
                         [](const testing::TestParamInfo<Mode>& info) { return info.param.option.substr(8); });

}  // namespace
}  // namespace kalderos::test
