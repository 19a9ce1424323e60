// The loop over a list's blocks. With one job the thread that reads checks each block's texts as it reads them,
// its output going straight to the run's output; with more, threads check the blocks into output of their own,
// written in the list's order, the same bytes and verdicts as one job gives. A loop's work is a step (ListStep),
// made for an output stream.
#pragma once

#include <concepts>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "io/output_stream.h"
#include "io/terminate.h"
#include "lists/line_reader.h"
#include "lists/list_blocks.h"
#include "lists/list_workers.h"

// A sanitizer build (KALDEROS_SANITIZER_BUILD) checks behaviour, not speed: there, every call inlined into the
// list loops takes minutes and gigabytes to compile a file of them.
#if defined(KALDEROS_SANITIZER_BUILD)
#define KALDEROS_FLATTEN
#else
#define KALDEROS_FLATTEN [[gnu::flatten]]
#endif

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
};

// A step that takes a block's CSV rows at once, whose blocks start where rows start and end where they end: it
// prints the rows of a block, and says whether a text among them failed.
template <class Step>
concept ChecksRows = requires(Step& step, bytes::Readable rows) {
    { step.CheckRows(rows) } -> std::same_as<bool>;
};

// What a step counts of its texts apart from their output, its Tally: Tallied gives it, and AddTally adds another
// step's (each block's step counts its own texts, and the writing thread adds them up).
template <class Step>
concept TalliesTexts = requires(Step& step, const typename Step::Tally& tally) {
    { step.Tallied() } -> std::convertible_to<typename Step::Tally>;
    step.AddTally(tally);
};

// A step over a list's texts one at a time: CheckLine prints a text of the list, which may be a piece of a
// line, and says whether it failed. At a block's start Settles says whether a text's output and verdict can be
// had without the state the texts before the block leave (`begins_line` false for the pieces of a line begun
// in the block before); each text until one settles is checked by the writing thread, in turn, with the state
// of the blocks before. That state is a Carry: Carried gives the one a block ends with, once a text of it has
// settled, and Resume takes it over. EndOfLines checks what a step holds back when the texts end.
template <class Step>
concept ChecksLines = TalliesTexts<Step> &&
                      requires(Step& step, bytes::Readable text, bool begins_line, const typename Step::Carry& carry) {
                          { step.CheckLine(text) } -> std::same_as<bool>;
                          { step.Settles(text, begins_line) } -> std::same_as<bool>;
                          { step.Carried() } -> std::convertible_to<typename Step::Carry>;
                          step.Resume(carry);
                          { step.EndOfLines() } -> std::same_as<bool>;
                      };

// The step of a list's loop: over its texts, or over its CSV rows.
template <class Step>
concept ListStep = ChecksLines<Step> || (ChecksRows<Step> && TalliesTexts<Step> && requires {
    typename Step::Carry;
});

// The most output a thread keeps of a block before it leaves the block's other texts to the writing thread, which
// checks them straight into the run's output: a block of empty lines gives some 200 bytes of JSON a byte, and no
// block's output need be held whole. Above what a block of numbers gives in any format, about 1.3 MiB.
inline constexpr std::size_t kMostBlockOutput = std::size_t{2} << 20;

// A block with what checking it on a thread of its own brought.
template <class Carry, class Tally>
struct JudgedBlock {
    ListBlock list;
    OutputStream out{OutputStream::InMemory{}};
    // The block's first texts, whose output needs what is carried into the block; the writer prints them.
    std::vector<bytes::Readable> waiting;
    bool any_failed = false;
    bool settled = false;  // the texts after `waiting` were printed, and the block ends with `carry`
    Carry carry{};
    Tally tally{};  // the counts of the texts after `waiting`
    // The texts left to the writing thread, which follow `out` (all of them where the block outgrew the usual
    // size, so that no thread but the writing one holds its output).
    std::optional<LineReader> rest;
    bool outgrown = false;

    // Ready to be filled again. A block that grew for a long CSV row gives its memory back, so that a few long
    // rows do not keep every block of the ring as large. The output of a usual block is kept, which in JSON Lines
    // is over a MiB: allocated afresh and grown again for every block, it took two jobs three times as long as
    // one, most of it in the kernel, mapping and unmapping the pages.
    void Clear() {
        constexpr std::size_t kKeptBytes = std::size_t{1} << 20;
        if (list.capacity > kKeptBytes) {
            list.data.reset();
            list.capacity = 0;
        }
        if (out.Contents().size() > 2 * kMostBlockOutput) out = OutputStream(OutputStream::InMemory{});
        out.Clear();
        waiting.clear();
        any_failed = false;
        settled = false;
        tally = {};
        rest.reset();
    }
};

// One block's texts, line by line. Like the loop of one job, one function with all it calls.
template <ListStep Step>
KALDEROS_FLATTEN void JudgeLines(JudgedBlock<typename Step::Carry, typename Step::Tally>& block, Step& step,
                                LineReader::LongLines long_lines) {
    LineReader lines = block.list.Lines(long_lines);
    const bool pieces = long_lines == LineReader::LongLines::kPieces;
    const auto outgrown = [&] { return block.out.Contents().size() > kMostBlockOutput; };
    bool settled = false;
    bool in_line = block.list.continues_line;
    while (!settled) {
        const bytes::Readable text = lines.Next();
        if (text.data() == nullptr) break;
        const bool begins_line = !in_line;
        in_line = pieces && IsPiece(text);
        settled = step.Settles(text, begins_line);
        if (!settled) {
            block.waiting.push_back(text);
            continue;
        }
        block.any_failed |= step.CheckLine(text);
        if (outgrown()) {
            block.rest = lines;
            break;
        }
    }
    if (settled && !block.rest) {
        block.any_failed |= lines.CheckEach(step, outgrown);
        if (outgrown()) block.rest = lines;
    }
    block.settled = settled;
    if (settled) block.carry = step.Carried();
    block.tally = step.Tallied();
}

// One block's texts through `step`, on a worker.
template <ListStep Step>
void JudgeBlock(JudgedBlock<typename Step::Carry, typename Step::Tally>& block, Step step, LineReader::LongLines long_lines) {
    if constexpr (ChecksRows<Step>) {
        block.any_failed = step.CheckRows(block.list.Bytes());
        block.settled = true;
        block.carry = step.Carried();
        block.tally = step.Tallied();
    } else {
        JudgeLines(block, step, long_lines);
    }
}

// One job: every block's texts, as soon as it is read, through a step of the loop's own that starts from the
// state `writer` holds and hands back to it the state it ends with and its counts. Made here rather than taken by
// reference, the step stays apart from the bytes it writes: otherwise every byte written could be the step's,
// which would be read back from memory after each. Flattened: the step, its judge, printer and writer and the
// line reader are inlined into the loop whatever the compiler's budget for the file, which the many loops of a
// file would spend (without: 5 % more instructions a line in the SSN text loop, 36 % in tsv records, 106 % in
// JSON, 24 % and 77 % for cards; callgrind).
template <ListStep Step, class MakeStep>
KALDEROS_FLATTEN bool CheckBlocksInTurn(BlockReader& reader, Step& writer, MakeStep& make_step,
                                       LineReader::LongLines long_lines) {
    auto step = make_step(Out());
    step.Resume(writer.Carried());
    ListBlock block;
    bool any_failed = false;
    while (reader.Fill(block, true) == BlockReader::Filled::kBlock) {
        if constexpr (ChecksRows<decltype(step)>) {
            any_failed |= step.CheckRows(block.Bytes());
        } else {
            LineReader lines = block.Lines(long_lines);
            any_failed |= lines.CheckEach(step, [] { return false; });
        }
    }
    writer.Resume(step.Carried());
    writer.AddTally(step.Tallied());
    return any_failed;
}

// `jobs` threads, the writing thread among them, with `writer` printing what the blocks leave to it.
template <ListStep Step, class MakeStep>
bool CheckBlocksByThreads(BlockReader& reader, Step& writer, MakeStep& make_step, int jobs,
                          LineReader::LongLines long_lines) {
    // Two blocks per thread keep each busy while the writer writes; more would only hold more memory.
    std::vector<JudgedBlock<typename Step::Carry, typename Step::Tally>> blocks(2 * static_cast<std::size_t>(jobs) + 2);
    ListWorkers workers(blocks.size(), jobs - 1, [&](std::size_t slot) {
        if (!blocks[slot].outgrown) JudgeBlock(blocks[slot], make_step(blocks[slot].out), long_lines);
    });
    bool any_failed = false;
    std::size_t filled = 0;
    // An outgrown block of lines is read, and its room given back once it is written, before any other is read: a
    // run with threads then holds one long line at a time, with no copy of its output, as one job does.
    bool outgrown_held = false;
    // The room of the blocks read and not yet written: a block that grew for long CSV rows is read only when it
    // stays below the longest row, so that memory does not grow with the jobs.
    constexpr std::size_t kMaxBytesInFlight = BlockReader::kMaxCsvRowBytes;
    std::size_t in_flight = 0;
    for (std::size_t written = 0;; ++written) {
        // From a pipe, the blocks in hand are written before the reader waits for more.
        while (filled - written < blocks.size() && !outgrown_held &&
               (filled == written || in_flight < kMaxBytesInFlight)) {
            auto& block = blocks[filled % blocks.size()];
            const auto got = reader.Fill(block.list, filled == written);
            if (got != BlockReader::Filled::kBlock) break;
            in_flight += block.list.capacity;
            if constexpr (!ChecksRows<Step>) {
                outgrown_held = block.outgrown = reader.Outgrown(block.list);
                if (block.outgrown) block.rest = block.list.Lines(long_lines);
            }
            workers.Publish();
            ++filled;
        }
        if (written == filled) break;
        auto& block = blocks[written % blocks.size()];
        const bool judged = workers.WaitJudged(written);
        CheckInterrupt();
        if (!judged) TerminateRun(kExitOutOfMemory);
        if constexpr (!ChecksRows<Step>) {
            for (const bytes::Readable text : block.waiting) any_failed |= writer.CheckLine(text);
        }
        Out().Write(block.out.Contents());
        any_failed |= block.any_failed;
        writer.AddTally(block.tally);
        if (block.settled) writer.Resume(block.carry);
        if constexpr (!ChecksRows<Step>) {
            if (block.rest) {
                for (bytes::Readable text = block.rest->Next(); text.data() != nullptr; text = block.rest->Next()) {
                    any_failed |= writer.CheckLine(text);
                }
            }
        }
        in_flight -= block.list.capacity;
        if (block.outgrown) {
            block.list = {};
            block.outgrown = outgrown_held = false;
        }
        block.Clear();
    }
    workers.Stop();
    return any_failed;
}

// The texts `reader` hands out, after those `step` has printed, and with the state it ends with: by the thread
// that reads with one job; with more, by as many threads, each with a step of its own made by
// `make_step(OutputStream&)`. A step's whole state from text to text is its Carry; `step` ends with the counts of
// every text.
template <ListStep Step, class MakeStep>
[[nodiscard]] ListChecked CheckBlocks(BlockReader& reader, int jobs, LineReader::LongLines long_lines, Step& step,
                                      MakeStep&& make_step) {
    bool any_failed = false;
    if (jobs <= 1) {
        any_failed = CheckBlocksInTurn(reader, step, make_step, long_lines);
    } else {
        any_failed = CheckBlocksByThreads(reader, step, make_step, jobs, long_lines);
    }
    CheckInterrupt();
    return {any_failed, reader.Failed()};
}

// The lines of the list `fd`, as CheckBlocks checks them.
template <ListStep Step, class MakeStep>
[[nodiscard]] ListChecked CheckList(int fd, int jobs, LineReader::LongLines long_lines, ListMarks marks, Step& step,
                                    MakeStep&& make_step) {
    BlockReader reader(fd, ListBlockBytes(), long_lines, marks);
    return CheckBlocks(reader, jobs, long_lines, step, make_step);
}

}  // namespace kalderos
