// The loops over a list with --jobs: the list is read in blocks that end where lines end (or, where long lines
// are checked in pieces, between two pieces), threads check the blocks into output of their own, and the output
// is written in the list's order, the same bytes and exit code as one thread gives. A loop's work is a step, made
// for an output stream:
//   bool Check(std::string_view text)      prints a text given whole (a number given as an argument); true
//                                          when the text fails
//   bool CheckLine(std::string_view text)  the same for a text of the list, which may be a piece of a line
//   bool EndOfLines()                      once the list is exhausted: whether the line it ended in fails
//   bool Settles(std::string_view text, bool begins_line)
//                                          at a block's start: whether the text's output and verdict can be had
//                                          without the state the texts before the block leave (`begins_line`
//                                          false for the pieces of a line begun in the block before); each text
//                                          until one settles is checked by the writing thread, in turn, with
//                                          the state of the blocks before
//   BlockCarry Carried()                   the state a block ends with, once a text of it has settled
//   void Resume(const BlockCarry&)         takes over that state
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "driver/line_reader.h"
#include "driver/list_blocks.h"
#include "driver/list_workers.h"
#include "driver/text_loop.h"
#include "driver/text_source.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "platform/platform.h"

namespace kalderos {

// The part of a step without state from text to text, whose texts are whole lines.
struct CarriesNothing {
    static bool Settles(std::string_view /*text*/, bool begins_line) { return begins_line; }
    static BlockCarry Carried() { return {}; }
    static void Resume(const BlockCarry& /*carried*/) {}
    static bool EndOfLines() { return false; }
};

// The list the run's texts come from when they are to be checked in blocks: with more than one job, the list
// file or standard input read as a list; -1 otherwise (one job, numbers given as arguments only, the console).
[[nodiscard]] inline int ListForJobs(const TextSource& texts, const RunOptions& options) {
    if (options.jobs <= 1 || !texts.ReadsInput()) return -1;
    if (options.list_file >= 0) return options.list_file;
    return options.standard_input_list ? platform::kStandardInput : -1;
}

// One block's texts through `step`, on a worker.
template <class Step>
void JudgeBlock(ListBlock& block, Step step, LineReader::LongLines long_lines) {
    LineReader reader(std::move(block.data), block.size, long_lines);
    const bool pieces = long_lines == LineReader::LongLines::kPieces;
    bool settled = false;
    bool in_line = block.continues_line;
    for (std::string_view text = reader.Next(); text.data() != nullptr; text = reader.Next()) {
        if (!settled) {
            const bool begins_line = !in_line;
            in_line = pieces && IsPiece(text);
            if (!(settled = step.Settles(text, begins_line))) {
                block.waiting.push_back(text);
                continue;
            }
        }
        block.any_failed |= step.CheckLine(text);
    }
    block.data = reader.Release();
    block.settled = settled;
    if (settled) block.carry = step.Carried();
}

// CheckEveryText over the numbers given as arguments and then the list file `fd`, with
// `make_step(OutputStream&)` making each block's step.
template <class MakeStep, class Finish>
[[nodiscard]] int CheckEveryBlock(TextSource& texts, int fd, const RunOptions& options, MakeStep&& make_step,
                                  Finish&& finish) {
    const auto long_lines = options.whole_lines ? LineReader::LongLines::kWhole : LineReader::LongLines::kPieces;
    // Two blocks per thread keep each busy while the writer writes; more would only hold more memory.
    std::vector<ListBlock> blocks(2 * static_cast<std::size_t>(options.jobs) + 2);
    BlockReader reader(fd, ListBlockBytes(), long_lines);
    ListWorkers workers(blocks, options.jobs - 1,
                        [&](ListBlock& block) { JudgeBlock(block, make_step(block.out), long_lines); });
    auto writer = make_step(Out());
    bool any_failed = false;
    // The numbers come first, and the text format's reading carries their fields into the list.
    while (texts.NumbersLeft()) any_failed |= writer.Check(texts.Next());
    std::size_t filled = 0;
    for (std::size_t written = 0;; ++written) {
        // From a pipe, the blocks in hand are written before the reader waits for more.
        while (filled - written < blocks.size()) {
            const auto got = reader.Fill(blocks[filled % blocks.size()], filled == written);
            if (got != BlockReader::Filled::kBlock) break;
            workers.Publish();
            ++filled;
        }
        if (written == filled) break;
        ListBlock& block = blocks[written % blocks.size()];
        workers.WaitJudged(written);
        CheckInterrupt();
        if (block.no_memory) TerminateRun(kExitOutOfMemory);
        for (const std::string_view text : block.waiting) any_failed |= writer.CheckLine(text);
        Out().Write(block.out.Contents());
        any_failed |= block.any_failed;
        if (block.settled) writer.Resume(block.carry);
        block.Clear();
    }
    workers.Stop();
    CheckInterrupt();
    any_failed |= writer.EndOfLines();
    const bool failed = reader.Failed();
    const RunFailure failure = options.standard_input_list ? RunFailure::kConsoleRead : RunFailure::kListFileRead;
    return EndOfTexts(failed ? std::optional<RunFailure>(failure) : std::nullopt, options, any_failed, finish);
}

}  // namespace kalderos
