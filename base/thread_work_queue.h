#pragma once
// The program's work queue: one thread of its own that runs the submitted jobs in order.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "base/work_queue.h"

namespace mensora {

class ThreadWorkQueue : public WorkQueue {
public:
    ThreadWorkQueue();
    // Runs every job already submitted, then ends the thread: records handed over before the
    // window closed still reach their door.
    ~ThreadWorkQueue() override;
    ThreadWorkQueue(const ThreadWorkQueue&) = delete;
    ThreadWorkQueue& operator=(const ThreadWorkQueue&) = delete;

    void submit(std::function<void()> job) override;

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool ending_ = false;
    std::thread thread_;  // last: it starts once everything it reads exists
};

}  // namespace mensora
