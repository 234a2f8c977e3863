// The window timers' rules under virtual time: periodic ticks, re-arming restarts the
// countdown, killing an unarmed id is harmless, and no timer ticks faster than 10 ms.

#include <gtest/gtest.h>

#include <vector>

#include "base/timers.h"
#include "tests/support/virtual_clock.h"

namespace mensora {
namespace {

struct Tick {
    std::uint64_t atMs;
    int id;
    bool operator==(const Tick&) const = default;
};

class TimersTest : public ::testing::Test {
protected:
    TimersTest() {
        clock.setTickHandler([this](int id) { ticks.push_back({clock.nowMs(), id}); });
    }
    test::VirtualClock clock;
    Timers timers{clock};
    std::vector<Tick> ticks;
};

TEST_F(TimersTest, ArmedTimerTicksEveryPeriodUntilKilled) {
    timers.arm(1, 88);
    clock.advance(300);
    timers.kill(1);
    clock.advance(1000);
    EXPECT_EQ(ticks, (std::vector<Tick>{{88, 1}, {176, 1}, {264, 1}}));
}

TEST_F(TimersTest, RearmingWithinAPeriodRestartsTheCountdownAndTakesTheNewPeriod) {
    // Three clicks on Zero 50 ms apart: one tick, 125 ms after the last.
    timers.arm(2, 125);
    clock.advance(50);
    timers.arm(2, 125);
    clock.advance(50);
    timers.arm(2, 125);
    clock.advance(124);
    EXPECT_TRUE(ticks.empty());
    clock.advance(1);
    EXPECT_EQ(ticks, (std::vector<Tick>{{225, 2}}));

    // A new period replaces the old one from the moment of arming.
    timers.arm(2, 40);
    clock.advance(80);
    EXPECT_EQ(ticks, (std::vector<Tick>{{225, 2}, {265, 2}, {305, 2}}));
}

TEST_F(TimersTest, KillThenArmStartsAFullPeriodAndKillingAnUnarmedIdIsHarmless) {
    timers.kill(4);  // never armed
    timers.arm(4, 5000);
    clock.advance(4000);
    timers.kill(4);
    timers.arm(4, 5000);
    clock.advance(4999);
    EXPECT_TRUE(ticks.empty());
    clock.advance(1);
    EXPECT_EQ(ticks, (std::vector<Tick>{{9000, 4}}));
}

TEST_F(TimersTest, TicksOfDifferentTimersArriveInTimeOrder) {
    timers.arm(5, 30);
    timers.arm(1, 50);
    timers.arm(6, 200);
    clock.advance(200);
    EXPECT_EQ(ticks, (std::vector<Tick>{{30, 5},
                                        {50, 1},
                                        {60, 5},
                                        {90, 5},
                                        {100, 1},
                                        {120, 5},
                                        {150, 1},
                                        {150, 5},
                                        {180, 5},
                                        {200, 1},
                                        {200, 6}}));
}

TEST_F(TimersTest, AHandlerThatRearmsItsOwnTimerGetsTheNewPeriod) {
    clock.setTickHandler([this](int id) {
        ticks.push_back({clock.nowMs(), id});
        timers.arm(1, 88);  // as a poll that read data does
    });
    timers.arm(1, 50);
    clock.advance(230);
    EXPECT_EQ(ticks, (std::vector<Tick>{{50, 1}, {138, 1}, {226, 1}}));
}

TEST_F(TimersTest, PeriodsAreHeldBetweenTenMillisecondsAndTheLongestATimerCanWait) {
    struct Case {
        std::uint32_t requested;
        std::uint32_t effective;
    };
    for (const Case c :
         {Case{0, 10}, Case{1, 10}, Case{9, 10}, Case{10, 10}, Case{11, 11}, Case{100, 100},
          Case{0x7FFFFFFE, 0x7FFFFFFE}, Case{0x7FFFFFFF, 0x7FFFFFFF}, Case{0x80000000u, 0x7FFFFFFF},
          Case{4294967196u, 0x7FFFFFFF}, Case{0xFFFFFFFFu, 0x7FFFFFFF}}) {
        timers.arm(3, c.requested);
        EXPECT_EQ(clock.periodOf(3), c.effective) << "requested " << c.requested;
        timers.kill(3);
    }
    ticks.clear();
    timers.arm(3, 0);
    clock.advance(35);
    EXPECT_EQ(ticks.size(), 3u);
}

}  // namespace
}  // namespace mensora
