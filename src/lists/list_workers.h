// The threads that check the blocks of a list, and how the thread that reads and writes hands blocks to them
// and waits for each in the list's order. The blocks are a ring of slots the caller keeps.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/platform.h"

namespace kalderos {

// True on a thread that checks blocks: memory it cannot get is handed to the writing thread, which ends the run.
[[nodiscard]] bool OnListWorker();

class ListWorkers {
public:
    // Judges the block in the ring's slot given.
    using Judge = std::function<void(std::size_t slot)>;

    // Starts `count` threads that judge the blocks of a ring of `slots` in turn, beside the writing thread, which
    // judges blocks too while it waits (all of them where no thread can be started). Until Stop, Ctrl-C and every
    // other end of the run stop the threads before the process ends.
    ListWorkers(std::size_t slots, int count, Judge judge);
    ~ListWorkers() { Stop(); }
    ListWorkers(const ListWorkers&) = delete;
    ListWorkers& operator=(const ListWorkers&) = delete;

    // The next block of the ring, filled, is for the threads.
    void Publish();
    // Waits until the block published as number `index` (from 0) has been judged, judging blocks meanwhile.
    // False when judging it ran out of memory.
    [[nodiscard]] bool WaitJudged(std::size_t index);
    // Lets every thread finish the block it judges, and joins them.
    void Stop();

private:
    static void WorkOn(void* workers) noexcept;
    void Work();
    void JudgeCaught(std::size_t slot);
    // Judges the block taken as number `index` and tells the writing thread.
    void JudgeTaken(std::size_t index);

    std::size_t slots_;
    Judge judge_;
    std::mutex mutex_;
    std::condition_variable work_;
    std::condition_variable judged_;
    std::size_t published_ = 0;
    std::size_t taken_ = 0;
    std::vector<std::size_t> judged_as_;  // per slot: 1 + the number of the block last judged in it, 0 for none
    std::vector<char> no_memory_;         // per slot: judging its block ran out of memory
    bool stop_ = false;
    std::vector<platform::ThreadHandle> threads_;
};

}  // namespace kalderos
