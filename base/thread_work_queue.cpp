#include "base/thread_work_queue.h"

#include <utility>

namespace mensora {

ThreadWorkQueue::ThreadWorkQueue() : thread_([this] { run(); }) {}

ThreadWorkQueue::~ThreadWorkQueue() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void ThreadWorkQueue::submit(std::function<void()> job) {
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void ThreadWorkQueue::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return ending_ || !jobs_.empty(); });
        if (jobs_.empty()) return;  // ending, and nothing left to do
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        job();
        lock.lock();
    }
}

}  // namespace mensora
