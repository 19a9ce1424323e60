// The loop over a list's blocks. With one job the thread that reads checks each block's texts as it reads them,
// its output going straight to the run's output; with more, threads check the blocks into output of their own,
// written in the list's order, the same bytes and verdicts as one job gives. A loop's work is a step, made for
// an output stream:
//   bool CheckLine(std::string_view text)  prints a text of the list, which may be a piece of a line; true when
//                                          the text fails
//   bool Settles(std::string_view text, bool begins_line)
//                                          at a block's start: whether the text's output and verdict can be had
//                                          without the state the texts before the block leave (`begins_line`
//                                          false for the pieces of a line begun in the block before); each text
//                                          until one settles is checked by the writing thread, in turn, with
//                                          the state of the blocks before
//   Carry                                  the step's type of that state
//   Carry Carried()                        the state a block ends with, once a text of it has settled
//   void Resume(const Carry&)              takes over that state
//   Tally                                  what the step counts of the texts it checked, apart from their output
//   Tally Tallied()                        the counts of the texts this step checked
//   void AddTally(const Tally&)            adds the counts of the texts another step checked; each block's step
//                                          counts its own texts, and the writing thread adds them up
// and a step over CSV rows:
//   bool TakesHeader()                     whether the input's first row is a header
//   bool Header(std::string_view row)      takes that row (its line end dropped) before any other is checked;
//                                          false when the rows cannot be checked by it
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "io/output_stream.h"
#include "io/terminate.h"
#include "lists/line_reader.h"
#include "lists/list_blocks.h"
#include "lists/list_workers.h"

namespace kalderos {

// The part of a step that counts nothing beside its output.
struct TalliesNothing {
    struct Tally {};
    static Tally Tallied() { return {}; }
    static void AddTally(const Tally& /*tally*/) {}
};

// The part of a step without state from text to text, whose texts are whole lines.
struct CarriesNothing : TalliesNothing {
    struct Carry {};
    static bool Settles(std::string_view /*text*/, bool begins_line) { return begins_line; }
    static Carry Carried() { return {}; }
    static void Resume(const Carry& /*carried*/) {}
    static bool EndOfLines() { return false; }
};

// What a list's texts came to.
struct ListChecked {
    bool any_failed = false;
    bool read_failed = false;  // a read error ended the list; everything read before it was checked
    std::size_t open_quote_line = 0;  // a CSV input ended inside quotes opened on this line (from 1)
    bool refused = false;             // the step refused the CSV input's header row, and nothing was checked
};

// A CSV input's start: the UTF-8 byte-order mark a spreadsheet may write is no part of the first field, and the
// first row is the step's header where it takes one. False when the step refused the header.
template <class Step>
bool TakeCsvStart(BlockReader& reader, Step& step) {
    ListBlock first;
    if (reader.Fill(first, true) != BlockReader::Filled::kBlock) return true;
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::size_t from = std::string_view(first.data.get(), first.size).starts_with(kByteOrderMark) ? 3 : 0;
    if (step.TakesHeader()) {
        // A block holds at least one whole row, or what is left of the input; the mark holds no line feed.
        const bool ends = !first.row_ends.empty();
        const std::size_t row_end = ends ? first.row_ends.front() : first.size;
        std::string_view header(first.data.get() + from, row_end - from);
        if (ends && !header.empty() && header.back() == '\r') header.remove_suffix(1);
        if (!step.Header(header)) return false;
        from = row_end + (ends ? 1 : 0);
    }
    reader.PutBack(first, from);
    return true;
}

// A block with what checking it on a thread of its own brought.
template <class Carry, class Tally>
struct JudgedBlock {
    ListBlock list;
    OutputStream out{OutputStream::InMemory{}};
    // The block's first texts, whose output needs what is carried into the block; the writer prints them.
    std::vector<std::string_view> waiting;
    bool any_failed = false;
    bool settled = false;  // the texts after `waiting` were printed, and the block ends with `carry`
    Carry carry{};
    Tally tally{};  // the counts of the texts after `waiting`

    // Ready to be filled again.
    void Clear() {
        out.Clear();
        waiting.clear();
        any_failed = false;
        settled = false;
        tally = {};
    }
};

// One block's texts through `step`, on a worker. Like the loop of one job, one function with all it calls.
template <class Step>
[[gnu::flatten]] void JudgeBlock(JudgedBlock<typename Step::Carry, typename Step::Tally>& block, Step step,
                                 LineReader::LongLines long_lines) {
    LineReader lines = block.list.Lines(long_lines);
    const bool pieces = long_lines == LineReader::LongLines::kPieces;
    bool settled = false;
    bool in_line = block.list.continues_line;
    while (!settled) {
        const std::string_view text = lines.Next();
        if (text.data() == nullptr) break;
        const bool begins_line = !in_line;
        in_line = pieces && IsPiece(text);
        settled = step.Settles(text, begins_line);
        if (settled) {
            block.any_failed |= step.CheckLine(text);
        } else {
            block.waiting.push_back(text);
        }
    }
    if (settled) block.any_failed |= lines.CheckEach(step);
    block.settled = settled;
    if (settled) block.carry = step.Carried();
    block.tally = step.Tallied();
}

// One job: every block's texts, as soon as it is read, through a step of the loop's own that starts from the
// state `writer` holds and hands back to it the state it ends with and its counts. Made here rather than taken by
// reference, the step stays apart from the bytes it writes: otherwise every byte written could be the step's,
// which would be read back from memory after each. Flattened: the step, its judge, printer and writer and the
// line reader are inlined into the loop whatever the compiler's budget for the file, which the many loops of a
// file would spend (without: 5 % more instructions a line in the SSN text loop, 36 % in tsv records, 106 % in
// JSON, 24 % and 77 % for cards; callgrind).
template <class Step, class MakeStep>
[[gnu::flatten]] bool CheckBlocksInTurn(BlockReader& reader, Step& writer, MakeStep& make_step,
                                        LineReader::LongLines long_lines) {
    auto step = make_step(Out());
    step.Resume(writer.Carried());
    ListBlock block;
    bool any_failed = false;
    while (reader.Fill(block, true) == BlockReader::Filled::kBlock) {
        LineReader lines = block.Lines(long_lines);
        any_failed |= lines.CheckEach(step);
    }
    writer.Resume(step.Carried());
    writer.AddTally(step.Tallied());
    return any_failed;
}

// `jobs` threads, the writing thread among them, with `writer` printing what the blocks leave to it.
template <class Step, class MakeStep>
bool CheckBlocksByThreads(BlockReader& reader, Step& writer, MakeStep& make_step, int jobs,
                          LineReader::LongLines long_lines) {
    // Two blocks per thread keep each busy while the writer writes; more would only hold more memory.
    std::vector<JudgedBlock<typename Step::Carry, typename Step::Tally>> blocks(2 * static_cast<std::size_t>(jobs) + 2);
    ListWorkers workers(blocks.size(), jobs - 1, [&](std::size_t slot) {
        JudgeBlock(blocks[slot], make_step(blocks[slot].out), long_lines);
    });
    bool any_failed = false;
    std::size_t filled = 0;
    for (std::size_t written = 0;; ++written) {
        // From a pipe, the blocks in hand are written before the reader waits for more.
        while (filled - written < blocks.size()) {
            const auto got = reader.Fill(blocks[filled % blocks.size()].list, filled == written);
            if (got != BlockReader::Filled::kBlock) break;
            workers.Publish();
            ++filled;
        }
        if (written == filled) break;
        auto& block = blocks[written % blocks.size()];
        const bool judged = workers.WaitJudged(written);
        CheckInterrupt();
        if (!judged) TerminateRun(kExitOutOfMemory);
        for (const std::string_view text : block.waiting) any_failed |= writer.CheckLine(text);
        Out().Write(block.out.Contents());
        any_failed |= block.any_failed;
        writer.AddTally(block.tally);
        if (block.settled) writer.Resume(block.carry);
        block.Clear();
    }
    workers.Stop();
    return any_failed;
}

// The texts of the list `fd`, after those `step` has printed, and with the state it ends with: by the thread
// that reads with one job; with more, by as many threads, each with a step of its own made by
// `make_step(OutputStream&)`. A step's whole state from text to text is its Carry; `step` ends with the counts of
// every text.
template <class Step, class MakeStep>
[[nodiscard]] ListChecked CheckList(int fd, int jobs, LineReader::LongLines long_lines, Step& step,
                                    MakeStep&& make_step) {
    BlockReader reader(fd, ListBlockBytes(), long_lines);
    if constexpr (requires { step.TakesHeader(); }) {
        if (long_lines == LineReader::LongLines::kCsvRows && !TakeCsvStart(reader, step)) {
            return {.refused = true};
        }
    }
    bool any_failed = false;
    if (jobs <= 1) {
        any_failed = CheckBlocksInTurn(reader, step, make_step, long_lines);
    } else {
        any_failed = CheckBlocksByThreads(reader, step, make_step, jobs, long_lines);
    }
    CheckInterrupt();
    return {any_failed, reader.Failed(), reader.OpenQuoteLine()};
}

}  // namespace kalderos
