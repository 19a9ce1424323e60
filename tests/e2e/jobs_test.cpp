// --jobs gives one thread's bytes: every row of the end-to-end tables, and random lists, run with --jobs=1 and
// with --jobs=2 and 3 over blocks forced small (KALDEROS_BLOCK_BYTES), so that block boundaries fall at every line end
// and inside every run of texts the text format's reading carries fields through.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/screen_text.h"
#include "e2e_cases.h"
#include "e2e_program.h"
#include "process.h"

namespace kalderos::test {

namespace {

// Runs `row` once for each entry of `variants` (arguments put behind the row's, and environment entries), all
// in one fresh directory, so that every run names the same paths.
struct Variant {
    std::vector<std::string> extra;
    std::vector<std::string> env;
};
std::vector<ProcessResult> RunRow(const E2eCase& row, const std::vector<Variant>& variants) {
    const std::string dir = MakeTempDir();
    for (const FileSpec& file : row.files) {
        const std::filesystem::path path = std::filesystem::path(dir) / file.name;
        if (!file.name.empty() && file.name.back() == '/') {
            std::filesystem::create_directories(path);
        } else {
            std::ofstream(path, std::ios::binary) << file.content;
        }
    }
    std::vector<ProcessResult> results;
    for (const Variant& variant : variants) {
        ProcessSpec spec;
        spec.argv = ProgramCommand();
        for (const std::string& arg : row.args) spec.argv.push_back(ReplaceAll(arg, "{dir}", dir));
        spec.argv.insert(spec.argv.end(), variant.extra.begin(), variant.extra.end());
        spec.input = row.input;
        spec.cwd = dir;
        spec.env = variant.env;
        results.push_back(RunProcess(spec));
    }
    RemoveTree(dir);
    return results;
}

void ExpectSame(const ProcessResult& one, const ProcessResult& many, const std::string& what) {
    ASSERT_FALSE(many.timed_out) << what;
    EXPECT_EQ(many.signal, one.signal) << what;
    EXPECT_EQ(Visible(many.out), Visible(one.out)) << what;
    EXPECT_EQ(Visible(many.err), Visible(one.err)) << what;
    EXPECT_EQ(many.exit_code, one.exit_code) << what;
}

// Block sizes: 1 byte makes every line a block of its own; the others put several lines in a block, so that a
// block starts among the texts whose fields the text format carries.
// Two jobs as well as three: with two, one thread checks blocks beside the writing thread.
const std::vector<std::pair<std::string, std::string>> kJobsAndBlockSizes = {
    {"3", "1"}, {"3", "23"}, {"3", "300"}, {"2", "7"}};

class JobsAgree : public ::testing::TestWithParam<E2eCase> {};

TEST_P(JobsAgree, WithTheRowsOfTheEndToEndTables) {
    const E2eCase& row = GetParam();
    if (WindowsRun() && row.posix_only) GTEST_SKIP() << "posix_only: needs a POSIX file system, process or command line";
    std::vector<Variant> variants = {{{"--jobs=1"}, {}}};
    for (const auto& [jobs, bytes] : kJobsAndBlockSizes) {
        variants.push_back({{"--jobs=" + jobs}, {"KALDEROS_BLOCK_BYTES=" + bytes}});
    }
    const std::vector<ProcessResult> results = RunRow(row, variants);
    for (std::size_t i = 1; i < results.size(); ++i) {
        const auto& [jobs, bytes] = kJobsAndBlockSizes[i - 1];
        ExpectSame(results[0], results[i], jobs + " jobs, blocks of " + bytes);
    }
}

// The rows that read a file or a pipe; the others read no list.
std::vector<E2eCase> RowsWithAFile(std::vector<E2eCase> table) {
    std::erase_if(table, [](const E2eCase& row) { return row.files.empty() && row.input.empty(); });
    return table;
}

std::string CaseName(const ::testing::TestParamInfo<E2eCase>& info) {
    std::string name;
    for (const char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Table, JobsAgree, ::testing::ValuesIn(RowsWithAFile(AllCases())), CaseName);
INSTANTIATE_TEST_SUITE_P(Scripts, JobsAgree, ::testing::ValuesIn(RowsWithAFile(ScriptCases())), CaseName);

// A line of a random list: mostly numbers of the usual shapes, then texts that give the lenient reading only
// some of its fields, long lines, line ends of every kind and NUL bytes.
std::string RandomLine(std::mt19937& random) {
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto digits = [&](int n) {
        std::string text;
        for (int i = 0; i < n; ++i) text += static_cast<char>('0' + pick(10));
        return text;
    };
    std::string line;
    switch (pick(10)) {
        case 0: case 1: case 2: line = digits(3) + "-" + digits(2) + "-" + digits(4); break;
        case 3: line = digits(1 + pick(12)); break;
        case 4: line = " " + digits(pick(4)) + " " + digits(pick(3)); break;
        case 5: line = std::string(250 + static_cast<std::size_t>(pick(300)), static_cast<char>('0' + pick(10))); break;
        case 6: line = "4111111111111111"; break;
        case 7: line = digits(2) + std::string(1, '\0') + digits(7); break;
        case 8: line = std::string(pick(2) ? "+" : "-") + digits(pick(5)); break;
        default: line = std::string(static_cast<std::size_t>(pick(3)), ' '); break;
    }
    static const char* const kEnds[] = {"\n", "\n", "\n", "\r\n", "\r", "\n\n"};
    return line + kEnds[pick(6)];
}

// Random lists through every mode and format, each over random block sizes.
TEST(JobsAgreeOnRandomLists, InEveryModeAndFormat) {
    std::mt19937 random(21);
    const std::vector<std::vector<std::string>> modes = {
        {"--quiet"}, {"--fail-on-invalid"}, {"--format=tsv"}, {"--format=jsonl", "--fail-on-invalid"},
        {"-C", "--quiet"}, {"-C", "--format=tsv"}, {"-C", "--format=jsonl"},
        {"--rules=current", "--quiet"}, {"--rules=current", "--format=jsonl"}, {"--rules=current", "-C"},
        {"--summary"}, {"--summary", "--format=tsv", "--fail-on-invalid"}, {"-C", "--summary", "--format=jsonl"},
        // Numbers given as arguments come before the list, and carry their fields into it.
        {"--quiet", "123-45-6789", " 7"},
    };
    for (int list = 0; list < 4; ++list) {
        std::string content;
        const int lines = 50 + static_cast<int>(random() % 400);
        for (int i = 0; i < lines; ++i) content += RandomLine(random);
        if (random() % 2 == 0) content += "123-4";  // no line end at the end
        E2eCase row{.name = "random", .args = {"-i", "list.txt"}, .files = {{"list.txt", content}}};
        for (const std::vector<std::string>& mode : modes) {
            E2eCase run = row;
            run.args.insert(run.args.end(), mode.begin(), mode.end());
            std::vector<Variant> variants = {{{"--jobs=1"}, {}}};
            std::vector<std::string> sizes;
            for (int trial = 0; trial < 3; ++trial) {
                sizes.push_back(std::to_string(1 + random() % 700));
                variants.push_back({{"--jobs=" + std::to_string(2 + trial % 2)}, {"KALDEROS_BLOCK_BYTES=" + sizes.back()}});
            }
            const std::vector<ProcessResult> results = RunRow(run, variants);
            for (std::size_t i = 1; i < results.size(); ++i) {
                ExpectSame(results[0], results[i],
                           "list " + std::to_string(list) + ", " + run.args[2] + ", blocks of " + sizes[i - 1]);
            }
        }
    }
}

// The summary's counts are those of the records of the same list: each reason's and each verdict's (cards: each
// type's) count among the TSV records, with --jobs over small blocks.
TEST(JobsAgreeOnRandomLists, SummaryCountsTheRecords) {
    std::mt19937 random(25);
    std::string content;
    for (int i = 0; i < 400; ++i) content += RandomLine(random);
    for (const bool cards : {false, true}) {
        const std::vector<std::string> mode = cards ? std::vector<std::string>{"-C"} : std::vector<std::string>{};
        E2eCase row{.name = "summary", .args = {"-i", "list.txt", "--no-header", "--format=tsv"}, .files = {{"list.txt", content}}};
        row.args.insert(row.args.end(), mode.begin(), mode.end());
        const std::vector<ProcessResult> results =
            RunRow(row, {{{}, {}}, {{"--summary", "--jobs=3"}, {"KALDEROS_BLOCK_BYTES=97"}}});
        std::map<std::string, int> counted;
        std::istringstream records(results[0].out);
        for (std::string record; std::getline(records, record);) {
            std::vector<std::string> fields;
            std::istringstream split(record);
            for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
            ++counted["checked"];
            if (cards) {
                ++counted["type:" + (fields[2].empty() ? std::string("none") : fields[2])];
                ++counted["reason:" + fields[5]];
            } else {
                ++counted["verdict:" + fields[6]];
                ++counted["reason:" + fields[8]];
            }
        }
        std::map<std::string, int> summary;
        std::istringstream rows(results[1].out);
        for (std::string name, count; rows >> name >> count;) {
            if (count != "0") summary[name] = std::stoi(count);
        }
        EXPECT_EQ(summary, counted) << (cards ? "cards" : "SSNs");
        EXPECT_GT(counted["checked"], 300);
    }
}

// Blocks of the usual size whose output outgrows what a thread keeps (empty lines give 200 bytes of JSON each),
// and lines and CSV rows longer than a block, which the writing thread checks: the bytes of one job.
TEST(JobsAgreeOnRandomLists, WhereBlocksOrTheirOutputOutgrowTheirSize) {
    std::mt19937 random(11);
    std::string lines;
    std::string rows = "a,b\n";
    for (int part = 0; part < 6; ++part) {
        for (int i = 0; i < 40000; ++i) lines += i % 97 == 0 ? RandomLine(random) : "\n";
        lines += std::string(70000 + static_cast<std::size_t>(random() % 70000), '5') + "\n123-45-6789\n";
        for (int i = 0; i < 20000; ++i) rows += "x,\n";
        rows += "\"" + std::string(100000, ',') + "\n\",123-45-6789\n1,\"" + std::string(80000, '"') + "\"\n";
    }
    const std::vector<std::vector<std::string>> modes = {
        {"--format=jsonl", "-i", "list.txt"}, {"--quiet", "-i", "list.txt"}, {"-C", "--format=tsv", "-i", "list.txt"},
        {"--summary", "-i", "list.txt"}, {"--column=2", "--format=jsonl", "-i", "rows.csv"},
        {"--column=1", "--format=csv", "-i", "rows.csv"},
    };
    for (const std::vector<std::string>& mode : modes) {
        const E2eCase row{.name = "outgrown", .args = mode, .files = {{"list.txt", lines}, {"rows.csv", rows}}};
        const std::vector<ProcessResult> results = RunRow(row, {{{"--jobs=1"}, {}}, {{"--jobs=3"}, {}}, {{"--jobs=2"}, {}}});
        EXPECT_EQ(results[0].exit_code, 0) << mode[0] << results[0].err;
        for (std::size_t i = 1; i < results.size(); ++i) ExpectSame(results[0], results[i], mode[0] + " " + mode[1]);
    }
}

// Standard input read as a list by the record formats is checked in blocks too, from a file or a pipe.
TEST(JobsAgreeOnRandomLists, OnStandardInputFromAFileOrAPipe) {
    std::mt19937 random(7);
    std::string content;
    for (int i = 0; i < 300; ++i) content += RandomLine(random);
    const auto run = [&](const std::string& feed, const std::string& jobs, const std::vector<std::string>& env) {
        const std::string dir = MakeTempDir();
        std::ofstream(dir + "/list.txt", std::ios::binary) << content;
        ProcessSpec spec;
        spec.argv = {"sh", "-c", feed, KALDEROS_BINARY, jobs};
        spec.cwd = dir;
        spec.env = env;
        const ProcessResult result = RunProcess(spec);
        RemoveTree(dir);
        return result;
    };
    for (const std::string feed : {"exec \"$0\" --format=tsv \"$1\" < list.txt", "cat list.txt | \"$0\" --format=tsv \"$1\""}) {
        const ProcessResult one = run(feed, "--jobs=1", {});
        EXPECT_GT(one.out.size(), 1000u);
        ExpectSame(one, run(feed, "--jobs=3", {"KALDEROS_BLOCK_BYTES=50"}), feed);
    }
}

// What a run needs beyond one job, for each of N + 1 (the manual's figure): the blocks a thread checks and their
// output, and its stack.
constexpr long kMiBPerThread = 12;

// The run of `args` under an address-space limit of `kib` KiB (ulimit -v); its standard output kept when `keep`.
ProcessResult RunUnderLimit(const std::string& dir, long kib, const std::vector<std::string>& args, bool keep = true) {
    ProcessSpec spec;
    if (!keep) spec.stdout_path = "/dev/null";
    spec.argv = {"bash", "-c", R"(ulimit -v "$1" && shift && exec "$0" "$@")", ProgramCommand().back(), std::to_string(kib)};
    spec.argv.insert(spec.argv.end(), args.begin(), args.end());
    spec.cwd = dir;
    spec.timeout_seconds = 120;
    return RunProcess(spec);
}

// --jobs=3 runs in the address space one job needs and kMiBPerThread for each of its threads and one more, with
// the bytes of one job: a field longer than a block (which threads once held a second time, as output of its own,
// 400 MiB for a quoted field of 200 MB; a CSV row may hold 16 MiB), a longer line, and blocks whose records are
// 200 times their size.
TEST(JobsUnderAnAddressSpaceLimit, NeedWhatOneJobNeedsAndAFewMiBAThread) {
    if (WindowsRun()) GTEST_SKIP() << "ulimit is a POSIX shell's";
    const std::string dir = MakeTempDir();
    std::ofstream(dir + "/field.csv", std::ios::binary) << "a\n\"" << std::string(12 << 20, 'x') << "\"\n123-45-6789\n";
    std::ofstream(dir + "/line.txt", std::ios::binary) << std::string(32 << 20, '7') << "\n123-45-6789\n";
    std::ofstream(dir + "/empty.txt", std::ios::binary) << std::string(2 << 20, '\n');
    const std::vector<std::vector<std::string>> rows = {
        {"--column=1", "--format=tsv", "-i", "field.csv"},
        {"--format=jsonl", "-i", "line.txt"},
        {"--format=jsonl", "-i", "empty.txt"},
    };
    for (const std::vector<std::string>& row : rows) {
        std::vector<std::string> one = row;
        one.push_back("--jobs=1");
        // The least limit one job runs under, to 4 MiB; a build whose sanitizer reserves its shadow memory runs
        // under none.
        long fails = 0;
        long runs = 1L << 20;
        const ProcessResult alone = RunUnderLimit(dir, runs, one);
        if (alone.exit_code != 0) {
            RemoveTree(dir);
            GTEST_SKIP() << "one job does not run under a limit of 1 GiB: " << alone.err.substr(0, 200);
        }
        while (runs - fails > 4096) {
            const long middle = (fails + runs) / 2;
            (RunUnderLimit(dir, middle, one, false).exit_code == 0 ? runs : fails) = middle;
        }
        std::vector<std::string> three = row;
        three.push_back("--jobs=3");
        const ProcessResult threads = RunUnderLimit(dir, runs + 4 * kMiBPerThread * 1024, three);
        EXPECT_EQ(threads.exit_code, 0) << row.back() << ": one job needs " << runs << " KiB\n" << threads.err;
        EXPECT_TRUE(threads.out == alone.out) << row.back() << ": not the bytes of one job";
    }
    RemoveTree(dir);
}

// A CSV row of random cells: numbers, quoted cells with delimiters, line breaks and doubled quotes in them,
// stray quotes, blanks before quotes, empty cells, as many as the header or more or fewer; and its line end.
std::string RandomCsvRow(std::mt19937& random, char delimiter) {
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::string row;
    const int cells = 1 + pick(5);
    for (int i = 0; i < cells; ++i) {
        if (i > 0) row += delimiter;
        switch (pick(9)) {
            case 0: case 1: row += std::to_string(100 + pick(800)) + "-" + std::to_string(10 + pick(90)) + "-12"; break;
            case 2: row += "\"a" + std::string(1, delimiter) + "b\""; break;
            case 3: row += "\"l1\r\nl2\nl3\""; break;
            case 4: row += "\"O\"\"Brien\""; break;
            case 5: row += "12\" pizza"; break;
            case 6: row += " \"x\"y"; break;
            case 7: break;
            default: row += std::string(static_cast<std::size_t>(pick(300)), 'w'); break;
        }
    }
    static const char* const kEnds[] = {"\n", "\n", "\r\n", "\r", "\n\n"};
    return row + kEnds[pick(5)];
}

// CSV files of every shape through the formats, each with --jobs over random block sizes, and a quote left open
// at the end now and then.
TEST(JobsAgreeOnRandomLists, OnCsvRowsOfEveryShape) {
    std::mt19937 random(33);
    for (int list = 0; list < 4; ++list) {
        const char delimiter = ",;\t|"[list];
        std::string content = "name" + std::string(1, delimiter) + "ssn" + std::string(1, delimiter) + "x\r\n";
        const int rows = 50 + static_cast<int>(random() % 300);
        for (int i = 0; i < rows; ++i) content += RandomCsvRow(random, delimiter);
        if (list % 2 == 1) content += "\"open" + std::string(1, delimiter) + "\n1";
        const std::string shown_delimiter = delimiter == '\t' ? "tab" : std::string(1, delimiter);
        for (const std::vector<std::string>& mode : std::vector<std::vector<std::string>>{
                 {"--format=csv"}, {"--format=tsv", "--column=1"}, {"--summary"}, {"--quiet"},
                 {"--output-delimiter=;", "--format=csv"}}) {
            E2eCase row{.name = "csv", .args = {"--column=ssn", "--rules=current", "--delimiter=" + shown_delimiter,
                                                "-i", "list.csv"}, .files = {{"list.csv", content}}};
            row.args.insert(row.args.end(), mode.begin(), mode.end());
            std::vector<Variant> variants = {{{"--jobs=1"}, {}}};
            std::vector<std::string> sizes;
            for (int trial = 0; trial < 3; ++trial) {
                sizes.push_back(std::to_string(1 + random() % 700));
                variants.push_back(
                    {{"--jobs=" + std::to_string(2 + trial % 2)}, {"KALDEROS_BLOCK_BYTES=" + sizes.back()}});
            }
            const std::vector<ProcessResult> results = RunRow(row, variants);
            EXPECT_FALSE(results[0].out.empty() && results[0].err.empty()) << mode[0];
            for (std::size_t i = 1; i < results.size(); ++i) {
                ExpectSame(results[0], results[i],
                           "list " + std::to_string(list) + ", " + mode[0] + ", blocks of " + sizes[i - 1]);
            }
        }
    }
}

// Rows of several MiB are read whole, with any --jobs, and a row longer than 16 MiB ends the run after the rows
// before it, naming the line it opened on; the memory held stays within a few times the longest row, however
// many jobs hold blocks.
TEST(JobsAgreeOnCsv, LongRowsHoldBoundedMemory) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's own memory would be counted";
#endif
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    // Written a row at a time: a child's peak counts the pages of the test it was forked from.
    const std::string dir = MakeTempDir();
    {
        std::ofstream file(dir + "/long.csv", std::ios::binary);
        file << "name,ssn\n";
        for (int i = 0; i < 8; ++i) {
            file << '"' << std::string(10 * kMiB, static_cast<char>('a' + i)) << "\",123-45-6789\n";
        }
        file << "x,078-05-1120\ny,\"" << std::string(17 * kMiB, 'z') << "\"\n";
    }
    // Standard output into files, which are compared once both have run: held here, one run's output would
    // count in the next one's peak too.
    std::vector<ProcessResult> results;
    for (const std::string jobs : {"1", "8"}) {
        ProcessSpec spec;
        spec.argv = ProgramCommand();
        for (const std::string arg : {"--column=ssn", "--format=csv", "--rules=current", "-i", "long.csv"}) {
            spec.argv.push_back(arg);
        }
        spec.argv.push_back("--jobs=" + jobs);
        spec.cwd = dir;
        spec.stdout_path = dir + "/out" + jobs;
        results.push_back(RunProcess(spec));
    }
    for (ProcessResult& result : results) {
        EXPECT_EQ(result.exit_code, 2);
        const std::string message = "long.csv':11: a quoted field longer than 16 MiB\n";
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        // Without a bound on the blocks in hand, eight jobs held every long row at once, and twice over.
        EXPECT_LT(result.peak_kib, 6 * 16 * 1024) << "KiB";
        std::ifstream file(dir + "/out" + (&result == &results[0] ? "1" : "8"), std::ios::binary);
        result.out.assign(std::istreambuf_iterator<char>(file), {});
        EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 10);
    }
    RemoveTree(dir);
    ExpectSame(results[0], results[1], "--jobs=8");
    std::printf("peak resident size: %ld KiB with one job, %ld KiB with eight\n", results[0].peak_kib,
                results[1].peak_kib);
}

}  // namespace
}  // namespace kalderos::test
