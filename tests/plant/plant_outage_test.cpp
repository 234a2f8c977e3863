// Exactly once through what a plant throws at a bench: 5,000 records recorded over ten seconds
// while the sending program is killed mid-send and started again, and while the server is gone
// for 10 s and comes back. The table ends with each record once, with the journal's values.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/plant/plant_test_support.h"
#include "tests/support/synthetic_journal.h"

namespace mensora::test {
namespace {

using namespace std::chrono_literals;

constexpr int kRecords = 5000;

// This program as a sender on its own (see plant_test_main.cpp), killed with SIGKILL when
// the test says or when the test ends, however it ends.
class SenderProcess {
public:
    SenderProcess(const std::string& journal, const std::string& connection,
                  const std::string& bench) {
        child_ = fork();
        if (child_ == 0) {
            execl("/proc/self/exe", "plant_test", "--send", journal.c_str(), connection.c_str(),
                  bench.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~SenderProcess() { kill9(); }
    SenderProcess(const SenderProcess&) = delete;
    SenderProcess& operator=(const SenderProcess&) = delete;

    void kill9() {
        if (child_ <= 0) return;
        kill(child_, SIGKILL);
        waitpid(child_, nullptr, 0);
        child_ = 0;
    }

private:
    pid_t child_ = 0;
};

long long held(const std::string& connection, const std::string& bench) {
    return plantRowCount(connection, "bench = '" + bench + "'");
}

// Waits on real time, as long as `limit`, until `done` says so.
template <typename Done>
bool waitUntil(Done done, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

bool waitUntilHeld(const std::string& connection, const std::string& bench, long long count,
                   std::chrono::seconds limit) {
    return waitUntil([&] { return held(connection, bench) >= count; }, limit);
}

void server(const char* what) {
    const char* control = std::getenv("MENSORA_PLANT_TEST_SERVER");
    ASSERT_NE(control, nullptr);
    ASSERT_EQ(std::system((std::string(control) + " " + what).c_str()), 0) << what;
}

TEST(PlantOutage, EachRecordOnceThroughAKilledSenderAndAServerGoneFor10Seconds) {
    const std::string connection = testConnection();
    const std::string bench = "bench-outage";
    SyntheticJournal journal(journalPath("outage"), runIdFrom(4));
    std::vector<OutboxRecord> records;
    for (int i = 1; i <= kRecords; ++i) records.push_back(sampleRecord(i));

    // The bench records 500 a second, in fifties, for ten seconds, whatever the plant does.
    std::jthread recording([&] {
        for (int first = 0; first < kRecords; first += 50) {
            std::vector<OutboxRecord> chunk(records.begin() + first, records.begin() + first + 50);
            journal.append(chunk);
            std::copy(chunk.begin(), chunk.end(), records.begin() + first);
            std::this_thread::sleep_for(100ms);
        }
    });

    {
        SenderProcess killed(journal.path(), connection, bench);
        ASSERT_TRUE(waitUntilHeld(connection, bench, 400, 60s));
    }
    SenderProcess sender(journal.path(), connection, bench);
    ASSERT_TRUE(waitUntilHeld(connection, bench, 1500, 60s));
    server("stop");
    std::this_thread::sleep_for(10s);
    server("start");
    recording.join();
    const bool all = waitUntilHeld(connection, bench, kRecords, 90s);
    // The sender marks the journal only after the server's commit, so the last mark may
    // still be on its way when the server already holds everything.
    const bool marked =
        all && waitUntil([&] { return journal.plantSentUpTo() == records.back().sequence; }, 30s);
    sender.kill9();
    ASSERT_TRUE(all) << held(connection, bench) << " of " << kRecords;

    expectServerHolds(connection, bench, runIdFrom(4), records);
    EXPECT_TRUE(marked) << "journal marked up to " << journal.plantSentUpTo().value_or(0) << " of "
                        << records.back().sequence;
}

}  // namespace
}  // namespace mensora::test
