// Handing blocks to threads and back, under one lock taken once per block.
#include "lists/list_workers.h"

#include <new>
#include <utility>

#include "io/terminate.h"

namespace kalderos {
namespace {

thread_local bool t_list_worker = false;
ListWorkers* g_running = nullptr;

void StopRunning() {
    if (g_running != nullptr) g_running->Stop();
}

}  // namespace

bool OnListWorker() { return t_list_worker; }

ListWorkers::ListWorkers(std::size_t slots, int count, Judge judge)
    : slots_(slots), judge_(std::move(judge)), judged_as_(slots, 0), no_memory_(slots, 0) {
    g_running = this;
    SetStopBeforeExit(StopRunning);
    threads_.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        platform::ThreadHandle thread;
        // Fewer threads than asked for still check the list; none, and the writing thread does.
        if (!platform::StartThread(WorkOn, this, thread)) break;
        threads_.push_back(thread);
    }
}

void ListWorkers::Stop() {
    if (g_running != this) return;
    g_running = nullptr;
    SetStopBeforeExit(nullptr);
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    work_.notify_all();
    for (const platform::ThreadHandle thread : threads_) platform::JoinThread(thread);
}

void ListWorkers::Publish() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        ++published_;
    }
    work_.notify_one();
}

bool ListWorkers::WaitJudged(std::size_t index) {
    const std::size_t slot = index % slots_;
    std::unique_lock<std::mutex> lock(mutex_);
    while (judged_as_[slot] != index + 1) {
        // Rather than wait idle, the writing thread judges the next block no thread has taken: one thread fewer
        // is started, and none is left without a core while the writing thread copies output into a file.
        if (taken_ < published_) {
            const std::size_t next = taken_++;
            lock.unlock();
            JudgeTaken(next);
            lock.lock();
            continue;
        }
        judged_.wait(lock);
    }
    const bool judged = no_memory_[slot] == 0;
    no_memory_[slot] = 0;
    return judged;
}

void ListWorkers::JudgeTaken(std::size_t index) {
    const std::size_t slot = index % slots_;
    JudgeCaught(slot);
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        judged_as_[slot] = index + 1;
    }
    judged_.notify_all();
}

void ListWorkers::JudgeCaught(std::size_t slot) {
    try {
        judge_(slot);
    } catch (const std::bad_alloc&) {
        // Read by the writing thread only once the slot is marked judged, under the lock.
        no_memory_[slot] = 1;
    }
}

void ListWorkers::WorkOn(void* workers) noexcept { static_cast<ListWorkers*>(workers)->Work(); }

void ListWorkers::Work() {
    t_list_worker = true;
    for (;;) {
        std::size_t index = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            work_.wait(lock, [&] { return stop_ || taken_ < published_; });
            if (stop_) return;
            index = taken_++;
        }
        JudgeTaken(index);
    }
}

}  // namespace kalderos
