// Micro-benchmarks of the checking library's per-line work, over lines taken from the benchmark's list files
// (bench/data, written by run.sh), so that the branches see the same mix of shapes as a whole run.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "card/card_outcome.h"
#include "kalderos/kalderos.h"
#include "ssn/result_line.h"
#include "ssn/ssn_judgement.h"

namespace {

constexpr std::size_t kLines = 1 << 16;  // a power of two: the next line is found with a mask, not a division

std::vector<std::string> ReadLines(const char* name) {
    std::vector<std::string> lines;
    std::ifstream file(std::string(KALDEROS_BENCH_DATA) + "/" + name, std::ios::binary);
    for (std::string line; lines.size() < kLines && std::getline(file, line);) lines.push_back(line + "\n");
    if (lines.size() < kLines) lines.resize(kLines, "123-45-6789\n");  // no list yet: one shape only
    return lines;
}

const std::vector<std::string>& SsnLines() {
    static const std::vector<std::string> lines = ReadLines("ssn-1m.txt");
    return lines;
}

const std::vector<std::string>& CardLines() {
    static const std::vector<std::string> lines = ReadLines("card-1m.txt");
    return lines;
}

kalderos::HighestGroupTable BuiltinTable() {
    kalderos::HighestGroupTable table;
    kalderos::FillFromBuiltinGroupList(table);
    return table;
}

std::vector<kalderos::SsnNumber> ParsedNumbers() {
    std::vector<kalderos::SsnNumber> numbers;
    kalderos::SsnNumber number;
    for (const std::string& line : SsnLines()) {
        kalderos::ParseSsn(line, number);
        numbers.push_back(number);
    }
    return numbers;
}

void BM_ParseSsn(benchmark::State& state) {
    const std::vector<std::string>& lines = SsnLines();
    kalderos::SsnNumber number;
    std::size_t i = 0;
    for (auto _ : state) {
        kalderos::ParseSsn(lines[i++ & (kLines - 1)], number);
        benchmark::DoNotOptimize(number);
    }
}
BENCHMARK(BM_ParseSsn);

void BM_JudgeSsn(benchmark::State& state) {
    const kalderos::HighestGroupTable table = BuiltinTable();
    const std::vector<kalderos::SsnNumber> numbers = ParsedNumbers();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(kalderos::JudgeSsn(numbers[i++ & (kLines - 1)], table));
}
BENCHMARK(BM_JudgeSsn);

void BM_FormatResultLine(benchmark::State& state) {
    const kalderos::HighestGroupTable table = BuiltinTable();
    std::vector<std::pair<kalderos::SsnNumber, kalderos::SsnVerdict>> judged;
    for (const kalderos::SsnNumber& number : ParsedNumbers()) {
        judged.emplace_back(number, kalderos::JudgeSsn(number, table));
    }
    char line[kalderos::kMaxResultLineLength];
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [number, verdict] = judged[i++ & (kLines - 1)];
        benchmark::DoNotOptimize(kalderos::FormatResultLine(number, verdict, table, line));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FormatResultLine);

void BM_ClassifyCard(benchmark::State& state) {
    const std::vector<std::string>& lines = CardLines();
    kalderos::CardKind kind;
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(kalderos::ClassifyCard(lines[i++ & (kLines - 1)], kind));
}
BENCHMARK(BM_ClassifyCard);

// The lines as the list loop sees them in its read buffer: followed by bytes that may be read along.
struct ReadableLine {
    std::string bytes;
    std::size_t size;

    [[nodiscard]] kalderos::bytes::Readable Get() const {
        return kalderos::bytes::Readable::WithRoomBehind(bytes.data(), size);
    }
};

std::vector<ReadableLine> Readable(const std::vector<std::string>& lines) {
    std::vector<ReadableLine> readable;
    for (const std::string& line : lines) readable.push_back({line + std::string(32, '\0'), line.size()});
    return readable;
}

// What the program runs for a list-file line in SSN mode: parse, judge and format in one pass.
void BM_SsnJudgeLine(benchmark::State& state) {
    const kalderos::HighestGroupTable table = BuiltinTable();
    const std::vector<ReadableLine> lines = Readable(SsnLines());
    const kalderos::ssn::MadeSsnRules rules(table, kalderos::RuleSet::Classic);
    kalderos::ssn::SsnJudge judge(rules);
    char line[kalderos::kMaxResultLineLength];
    std::size_t i = 0;
    for (auto _ : state) {
        const ReadableLine& text = lines[i++ & (kLines - 1)];
        benchmark::DoNotOptimize(
            kalderos::ssn::PrintCarriedLineAs<kalderos::RuleSet::Classic>(judge, text.Get(), line));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SsnJudgeLine);

// What the program runs for a list-file line in card mode.
void BM_ClassifyReadable(benchmark::State& state) {
    const std::vector<ReadableLine> lines = Readable(CardLines());
    std::size_t i = 0;
    for (auto _ : state) {
        const ReadableLine& text = lines[i++ & (kLines - 1)];
        benchmark::DoNotOptimize(kalderos::card::ClassifyReadable<kalderos::RuleSet::Classic>(text.Get()));
    }
}
BENCHMARK(BM_ClassifyReadable);

}  // namespace
