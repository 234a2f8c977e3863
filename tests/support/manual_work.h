#pragma once
// Work on the test's own time: submitted jobs and the calls they post back to the window wait
// until the test runs them, in the order they came, so that a test of a door that writes away
// from the window's thread stays exact.

#include <deque>
#include <functional>
#include <memory>
#include <utility>

#include "base/window_thread.h"
#include "base/work_queue.h"

namespace mensora::test {

class ManualWork : public WorkQueue, public WindowThread {
public:
    // A door's own queue whose jobs wait here with every other door's, in the order they came.
    std::unique_ptr<WorkQueue> lend() {
        class Lent : public WorkQueue {
        public:
            explicit Lent(ManualWork& work) : work_(work) {}
            void submit(std::function<void()> job) override { work_.submit(std::move(job)); }

        private:
            ManualWork& work_;
        };
        return std::make_unique<Lent>(*this);
    }
    void submit(std::function<void()> job) override { jobs.push_back(std::move(job)); }
    void post(std::function<void()> call) override { calls.push_back(std::move(call)); }

    // Runs every waiting job, then every call they posted, until nothing is left.
    void runAll() {
        while (!jobs.empty() || !calls.empty()) {
            auto& next = jobs.empty() ? calls : jobs;
            std::function<void()> f = std::move(next.front());
            next.pop_front();
            f();
        }
    }

    std::deque<std::function<void()>> jobs;
    std::deque<std::function<void()>> calls;
};

}  // namespace mensora::test
