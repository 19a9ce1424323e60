// The threads that check the blocks of a list, and how the thread that reads and writes hands blocks to them
// and waits for each in the list's order.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "driver/list_blocks.h"

namespace kalderos {

// True on a thread that checks blocks: memory it cannot get is handed to the writing thread, which ends the run.
[[nodiscard]] bool OnListWorker();

class ListWorkers {
public:
    using Judge = std::function<void(ListBlock&)>;

    // Starts `count` threads that judge the blocks of the ring `blocks` in turn, beside the writing thread, which
    // judges blocks too while it waits (all of them where no thread can be started). Until Stop, Ctrl-C and every
    // other end of the run stop the threads before the process ends.
    ListWorkers(std::vector<ListBlock>& blocks, int count, Judge judge);
    ~ListWorkers() { Stop(); }
    ListWorkers(const ListWorkers&) = delete;
    ListWorkers& operator=(const ListWorkers&) = delete;

    // The next block of the ring, filled, is for the threads.
    void Publish();
    // Waits until the block published as number `index` (from 0) has been judged, judging blocks meanwhile.
    void WaitJudged(std::size_t index);
    // Lets every thread finish the block it judges, and joins them.
    void Stop();

private:
    void Work();
    void JudgeCaught(ListBlock& block);
    // Judges the block taken as number `index` and tells the writing thread.
    void JudgeTaken(std::size_t index);

    std::vector<ListBlock>& blocks_;
    Judge judge_;
    std::mutex mutex_;
    std::condition_variable work_;
    std::condition_variable judged_;
    std::size_t published_ = 0;
    std::size_t taken_ = 0;
    std::vector<std::size_t> judged_as_;  // per block of the ring: 1 + the number it was judged as, 0 for none
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace kalderos
