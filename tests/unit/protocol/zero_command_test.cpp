#include "protocol/zero_command.h"

#include <gtest/gtest.h>

#include "tests/unit/protocol/link_bench.h"

namespace mensora::test {
namespace {

const std::vector<std::uint8_t> kBcdZero{0xAA, 0x00};
const std::vector<std::uint8_t> kAsciiZero{'C', 'L', 'R'};

// One zero per burst of clicks: the gauge must be zeroed once, where the user left it.
TEST(ZeroCommand, ThreeClicks50MsApartSendOneCommand125MsAfterTheLast) {
    LinkBench bench;
    bench.linkWith(kAsciiFrame);
    bench.zero.onZeroButton();
    bench.clock.advance(50);
    bench.zero.onZeroButton();
    bench.clock.advance(50);
    bench.zero.onZeroButton();
    bench.clock.advance(124);
    EXPECT_TRUE(bench.serial.writes.empty());
    bench.clock.advance(1);
    ASSERT_EQ(bench.serial.writes.size(), 1u);
    bench.clock.advance(1000);
    EXPECT_EQ(bench.serial.writes.size(), 1u);
}

// The command follows the last poll's buffer, not the protocol the link was made with.
TEST(ZeroCommand, ChoosesTheCommandByTheFirstByteTheLastPollLeft) {
    struct Case {
        const char* why;
        std::vector<std::uint8_t> linkFrame;
        std::optional<std::vector<std::uint8_t>> lastRead;  // nothing: a silent poll
        std::vector<std::uint8_t> command;
    };
    const Case cases[] = {
        {"after a packed-decimal frame", kBcdFrame, kBcdFrame, kBcdZero},
        {"after an ASCII frame", kAsciiFrame, kAsciiFrame, kAsciiZero},
        {"after a silent poll on a packed-decimal link", kBcdFrame, std::nullopt, kAsciiZero},
        {"after noise and a packed-decimal frame", kAsciiFrame,
         std::vector<std::uint8_t>{'x', 'y', 0xAA, 0x50, 0x34, 0x12, 0x00}, kBcdZero},
        {"after noise without a frame start", kBcdFrame, std::vector<std::uint8_t>{'x', 'y'},
         kAsciiZero},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        LinkBench bench;
        bench.linkWith(c.linkFrame);
        if (c.lastRead) {
            bench.nextPoll(*c.lastRead);
        } else {
            bench.nextSilentPoll();
        }
        bench.zero.sendZeroCommand();
        ASSERT_EQ(bench.serial.writes.size(), 1u);
        EXPECT_EQ(bench.serial.writes[0], c.command);
        EXPECT_TRUE(std::equal(c.command.begin(), c.command.end(),
                               bench.state.transmitBuffer.begin()));
    }
}

// The gauge needs the time to zero: the line is left alone for 2 ms and the next poll comes
// 225 ms after that; from the first read with data on, polls are 88 ms apart again.
TEST(ZeroCommand, PausesTwoMsAndPutsTheNextPollOffTo225Ms) {
    LinkBench bench;
    bench.linkWith(kAsciiFrame);
    const std::uint64_t clicked = bench.clock.nowMs();
    bench.zero.onZeroButton();
    bench.clock.advance(125);
    EXPECT_FALSE(bench.clock.isArmed(ZeroTimer));
    EXPECT_EQ(bench.clock.pausedMs(), 2u);
    EXPECT_EQ(bench.clock.periodOf(PollTimer), 225u);

    bench.serial.feed(kAsciiFrame);
    const int readsBefore = bench.serial.reads;
    bench.advanceTo(clicked + 125 + 2 + 224);
    EXPECT_EQ(bench.serial.reads, readsBefore);
    bench.advanceTo(clicked + 125 + 2 + 225);
    EXPECT_EQ(bench.serial.reads, readsBefore + 1);
    EXPECT_EQ(bench.clock.periodOf(PollTimer), 88u);
}

TEST(ZeroCommand, GaugeSilentAfterTheCommandIsReportedDisconnected5000MsLater) {
    LinkBench bench;
    bench.linkWith(kAsciiFrame);
    bench.clock.advance(3000);  // the frame's own watchdog is 2000 ms from expiring
    const std::uint64_t clicked = bench.clock.nowMs();
    bench.zero.onZeroButton();
    bench.advanceTo(clicked + 125 + 2 + 4999);
    EXPECT_TRUE(bench.window.messages.empty());
    bench.advanceTo(clicked + 125 + 2 + 5000);
    EXPECT_EQ(bench.window.messageTexts(), std::vector<std::string>{"设备已断开!"});
}

}  // namespace
}  // namespace mensora::test
