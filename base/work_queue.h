#pragma once
// Where long work runs: one queue a door (the workbook, the journal, the plant database), so
// that a long save never holds up a journal commit. Jobs run one after another, away from the
// window's thread; they read what the record store already holds (it only grows at its end and
// never moves) and report back through WindowThread.

#include <functional>

namespace mensora {

class WorkQueue {
public:
    virtual ~WorkQueue() = default;
    // Runs `job` after every job submitted before it. Called from the window's thread.
    virtual void submit(std::function<void()> job) = 0;
};

}  // namespace mensora
