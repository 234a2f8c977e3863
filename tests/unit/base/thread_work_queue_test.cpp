#include "base/thread_work_queue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace mensora {
namespace {

// A record handed to the journal just before the window closes must still be written, and
// records must reach their door in the order they were taken.
TEST(ThreadWorkQueue, RunsEveryJobInOrderOffTheCallersThreadBeforeItEnds) {
    std::vector<int> done;
    std::thread::id ranOn;
    {
        ThreadWorkQueue queue;
        for (int i = 0; i < 1000; ++i) {
            queue.submit([&done, &ranOn, i] {
                ranOn = std::this_thread::get_id();
                done.push_back(i);
            });
        }
    }
    ASSERT_EQ(done.size(), 1000u);
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(done[static_cast<std::size_t>(i)], i);
    EXPECT_NE(ranOn, std::this_thread::get_id());
}

}  // namespace
}  // namespace mensora
