// The record formats in pipelines: every JSON record of a random list parses with a JSON parser and gives back
// its input, and GNU parallel splitting a list across processes gives the same bytes as one process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "process.h"
#include "ssn/ssn_fields.h"

namespace kalderos::test {
namespace {

// Tests of this file use tools outside the project; where one is missing they report themselves skipped.
bool HaveTool(const std::string& name) {
    ProcessSpec spec;
    spec.argv = {"sh", "-c", "command -v " + name};
    return RunProcess(spec).exit_code == 0;
}

// Texts of every kind: random bytes (a NUL among them now and then), SSN and card shapes with blanks and
// dashes in odd places.
std::string RandomList(std::size_t lines, unsigned seed) {
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::string list;
    for (std::size_t i = 0; i < lines; ++i) {
        switch (pick(0, 3)) {
            case 0:
                for (int n = pick(0, 30); n > 0; --n) {
                    const char c = static_cast<char>(pick(0, 255));
                    if (c != '\n') list += c;
                }
                break;
            case 1:
                for (int n = 0; n < 9; ++n) list += static_cast<char>('0' + pick(0, 9));
                if (pick(0, 1) == 0) list.insert(list.size() - 4, "-").insert(list.size() - 7, "-");
                break;
            default:
                for (int n = pick(10, 19); n > 0; --n) list += "0123456789- \t\r"[pick(0, 13)];
                break;
        }
        list += pick(0, 9) == 0 ? "\r\n" : "\n";
    }
    return list;
}

struct TempFile {
    std::string dir = MakeTempDir();
    std::string path = dir + "/list.txt";
    explicit TempFile(const std::string& content) { std::ofstream(path, std::ios::binary) << content; }
    ~TempFile() { RemoveTree(dir); }
};

// Reads the records on standard input and the list named in argv[1]: each record a JSON object with the
// fields in their order, its input the list's line (line end dropped, cut at a NUL, read as Latin-1).
constexpr const char* kJsonCheck = R"(
import json, sys
fields = sys.argv[2].split(',')
texts = open(sys.argv[1], 'rb').read().split(b'\n')[:-1]
records = sys.stdin.buffer.read().decode('utf-8').split('\n')[:-1]
assert len(records) == len(texts), (len(records), len(texts))
for text, line in zip(texts, records):
    record = json.loads(line)
    assert list(record) == fields, line
    text = text[:-1] if text.endswith(b'\r') else text
    assert record['input'] == text.split(b'\0')[0].decode('latin-1'), line
print('checked', len(records))
)";

class JsonRecords : public ::testing::TestWithParam<bool> {};

TEST_P(JsonRecords, EveryRecordOfARandomListParses) {
    if (!HaveTool("python3")) GTEST_SKIP() << "python3 is not installed: no JSON parser to check the records with";
    const bool cards = GetParam();
    const TempFile list(RandomList(3000, cards ? 7 : 5));
    ProcessSpec run;
    run.argv = {KALDEROS_BINARY, "--format=jsonl", "-i", list.path};
    if (cards) run.argv.push_back("-C");
    const ProcessResult records = RunProcess(run);
    ASSERT_EQ(records.exit_code, 0) << records.err;

    ProcessSpec check;
    // The keys of a record in their order, written out: they are an interface of the format.
    const std::string fields = cards ? "input,digits,type,luhn,outcome,reason"
                                     : "input,well_formed,area,group,serial,place,verdict,confirm,reason,"
                                       "issued_after,issued_by";
    check.argv = {"python3", "-c", kJsonCheck, list.path, fields};
    check.input = records.out;
    const ProcessResult checked = RunProcess(check);
    EXPECT_EQ(checked.exit_code, 0) << checked.err;
    EXPECT_EQ(checked.out, "checked 3000\n");
}

INSTANTIATE_TEST_SUITE_P(SsnAndCard, JsonRecords, ::testing::Bool());

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// For a well-formed text the record's verdict and confirm are the text line's, with the built-in groups and
// with a group file.
TEST(SsnRecords, VerdictAndConfirmAreTheTextLines) {
    std::mt19937 random(17);
    std::string list;
    for (int i = 0; i < 20000; ++i) {
        char number[16];
        const auto field = [&](int high) { return std::uniform_int_distribution<int>(0, high)(random); };
        // Groups and serials near the edges, where the rules decide.
        const int group = field(3) == 0 ? field(2) : field(99);
        const int serial = field(3) == 0 ? field(1) : field(9999);
        std::snprintf(number, sizeof number, field(1) ? "%03d-%02d-%04d" : "%03d%02d%04d", field(999), group, serial);
        list += std::string(number) + "\n";
    }
    const TempFile file(list);
    std::ofstream(file.dir + "/groups.txt") << "123 45\n772 11\n1 2\n800 7\n";
    for (const bool with_groups : {false, true}) {
        ProcessSpec text;
        text.argv = {KALDEROS_BINARY, "--quiet", "-i", file.path};
        ProcessSpec tsv;
        tsv.argv = {KALDEROS_BINARY, "--format=tsv", "--no-header", "-i", file.path};
        if (with_groups) {
            for (ProcessSpec* spec : {&text, &tsv}) spec->argv.insert(spec->argv.end(), {"-g", file.dir + "/groups.txt"});
        }
        const std::vector<std::string> lines = Lines(RunProcess(text).out);
        const std::vector<std::string> records = Lines(RunProcess(tsv).out);
        ASSERT_EQ(lines.size(), 20000u);
        ASSERT_EQ(records.size(), 20000u);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::vector<std::string> fields;
            // Every field, the empty ones at the end too.
            for (std::size_t start = 0;;) {
                const std::size_t tab = records[i].find('\t', start);
                fields.push_back(records[i].substr(start, tab - start));
                if (tab == std::string::npos) break;
                start = tab + 1;
            }
            ASSERT_EQ(fields.size(), ssn::kSsnFieldNames.size()) << records[i];
            const auto value_of = [&](ssn::SsnField which) { return fields[static_cast<std::size_t>(which)]; };
            const bool confirm = lines[i].size() > 9 && lines[i].compare(lines[i].size() - 9, 9, "  CONFIRM") == 0;
            const std::string verdict = lines[i].find("VALID=YES") != std::string::npos   ? "valid"
                                        : lines[i].find("VALID=MAYBE") != std::string::npos ? "unknown"
                                                                                           : "invalid";
            EXPECT_EQ(value_of(ssn::SsnField::WellFormed), "true") << records[i];
            EXPECT_EQ(value_of(ssn::SsnField::Verdict), verdict) << lines[i] << " / " << records[i];
            // A record confirms only a valid number; the line marks the highest group whatever the verdict.
            EXPECT_EQ(value_of(ssn::SsnField::Confirm), confirm && verdict == "valid" ? "true" : "false")
                << lines[i] << " / " << records[i];
        }
    }
}

TEST(Parallel, SplitListGivesTheBytesOfOneProcess) {
    if (!HaveTool("parallel")) GTEST_SKIP() << "GNU parallel is not installed (apt-get install parallel)";
    const TempFile list(RandomList(200000, 11));
    for (const bool cards : {false, true}) {
        ProcessSpec one;
        one.argv = {KALDEROS_BINARY, "--format=tsv", "--no-header", "-i", list.path};
        ProcessSpec split;
        split.argv = {"parallel", "--will-cite", "--pipepart", "-a", list.path, "--block", "-1", "-k",
                      KALDEROS_BINARY, "--format=tsv", "--no-header", "-i", "/dev/stdin"};
        if (cards) {
            one.argv.push_back("-C");
            split.argv.push_back("-C");
        }
        split.timeout_seconds = 120;
        const ProcessResult expected = RunProcess(one);
        const ProcessResult got = RunProcess(split);
        ASSERT_EQ(expected.exit_code, 0);
        EXPECT_EQ(got.exit_code, 0) << got.err;
        EXPECT_EQ(std::count(expected.out.begin(), expected.out.end(), '\n'), 200000);
        EXPECT_TRUE(got.out == expected.out) << "parallel's output differs from one process's (cards: " << cards << ")";

        // One header for the whole: from a run that reads nothing, in front of the jobs' records.
        ProcessSpec header = one;
        header.argv = {KALDEROS_BINARY, "--format=tsv", "-C"};
        if (!cards) header.argv.pop_back();
        ProcessSpec with_header = one;
        with_header.argv.erase(with_header.argv.begin() + 2);  // --no-header
        EXPECT_TRUE(RunProcess(header).out + got.out == RunProcess(with_header).out) << "cards: " << cards;
    }
}

}  // namespace
}  // namespace kalderos::test
