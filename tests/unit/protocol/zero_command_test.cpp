#include "protocol/zero_command.h"

#include <gtest/gtest.h>

#include "tests/support/dialog_rig.h"

namespace mensora::test {
namespace {

using Rig = test::DialogRig<>;
using test::kAsciiFrame;
using test::kBcdFrame;

const std::vector<std::uint8_t> kBcdZero{0xAA, 0x00};
const std::vector<std::uint8_t> kAsciiZero{'C', 'L', 'R'};

// One zero per burst of clicks: the gauge must be zeroed once, where the user left it.
TEST(ZeroCommand, ThreeClicks50MsApartSendOneCommand125MsAfterTheLast) {
    Rig rig;
    rig.linkWith(kAsciiFrame);
    rig.click(ZeroButton);
    rig.clock.advance(50);
    rig.click(ZeroButton);
    rig.clock.advance(50);
    rig.click(ZeroButton);
    rig.clock.advance(124);
    EXPECT_TRUE(rig.serial.writes.empty());
    rig.clock.advance(1);
    ASSERT_EQ(rig.serial.writes.size(), 1u);
    rig.clock.advance(1000);
    EXPECT_EQ(rig.serial.writes.size(), 1u);
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
        Rig rig;
        rig.linkWith(c.linkFrame);
        if (c.lastRead) {
            rig.nextPoll(*c.lastRead);
        } else {
            rig.nextSilentPoll();
        }
        rig.dialog.onTimer(ZeroTimer);
        ASSERT_EQ(rig.serial.writes.size(), 1u);
        EXPECT_EQ(rig.serial.writes[0], c.command);
        EXPECT_TRUE(
            std::equal(c.command.begin(), c.command.end(), rig.state.transmitBuffer.begin()));
    }
}

// The gauge needs the time to zero: the line is left alone for 2 ms and the next poll comes
// 225 ms after that; from the first read with data on, polls are 88 ms apart again.
TEST(ZeroCommand, PausesTwoMsAndPutsTheNextPollOffTo225Ms) {
    Rig rig;
    rig.linkWith(kAsciiFrame);
    const std::uint64_t clicked = rig.clock.nowMs();
    rig.click(ZeroButton);
    rig.clock.advance(125);
    EXPECT_FALSE(rig.clock.isArmed(ZeroTimer));
    EXPECT_EQ(rig.clock.pausedMs(), 2u);
    EXPECT_EQ(rig.clock.periodOf(PollTimer), 225u);

    rig.serial.feed(kAsciiFrame);
    const int readsBefore = rig.serial.reads;
    rig.advanceTo(clicked + 125 + 2 + 224);
    EXPECT_EQ(rig.serial.reads, readsBefore);
    rig.advanceTo(clicked + 125 + 2 + 225);
    EXPECT_EQ(rig.serial.reads, readsBefore + 1);
    EXPECT_EQ(rig.clock.periodOf(PollTimer), 88u);
}

TEST(ZeroCommand, GaugeSilentAfterTheCommandIsReportedDisconnected5000MsLater) {
    Rig rig;
    rig.linkWith(kAsciiFrame);
    rig.clock.advance(3000);  // the frame's own watchdog is 2000 ms from expiring
    const std::uint64_t clicked = rig.clock.nowMs();
    rig.click(ZeroButton);
    rig.advanceTo(clicked + 125 + 2 + 4999);
    EXPECT_TRUE(rig.window.messages.empty());
    rig.advanceTo(clicked + 125 + 2 + 5000);
    EXPECT_EQ(rig.window.messageTexts(), std::vector<std::string>{"设备已断开!"});
}

}  // namespace
}  // namespace mensora::test
