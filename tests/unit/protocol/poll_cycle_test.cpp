#include "protocol/poll_cycle.h"

#include <gtest/gtest.h>

#include "base/control_ids.h"
#include "tests/unit/protocol/frame_bytes.h"
#include "tests/support/dialog_rig.h"

namespace mensora::test {
namespace {

using Rig = test::DialogRig<>;
using test::kAsciiFrame;
using test::kBcdFrame;

std::vector<std::uint8_t> bytes(const std::string& text) { return {text.begin(), text.end()}; }

// What one read does on an ASCII link whose last good frame showed "1.000".
TEST(PollCycle, DecodesOnlyTheFirstFrameOfAReadAndCountsWhatFailsValidation) {
    struct Case {
        const char* why;
        std::vector<std::uint8_t> read;
        std::string text;
        std::uint32_t good;
        std::uint32_t bad;
        bool watchdogRearmed;
    };
    const Case cases[] = {
        {"noise in front of the frame is dropped", bytes("AB+0012.345\r"), "12.345", 2, 0, true},
        {"the second frame of a read is lost", bytes("+0012.345\r-0002.000\r"), "12.345", 2, 0,
         true},
        {"nine bytes are no frame", bytes("+0012.345"), "1.000", 1, 0, false},
        {"a letter among the digits", bytes("+0012.3A5\r"), "1.000", 1, 1, false},
        {"a packed-decimal frame on an ASCII link",
         {0xAA, 0x50, 0x34, 0x12, 0x00},
         " 12.345 ",
         2,
         0,
         true},
        {"a nibble above nine", {0xAA, 0x5A, 0x34, 0x12, 0x00}, "1.000", 1, 1, false},
        {"flags 8", {0xAA, 0x50, 0x34, 0x12, 0x08}, "1.000", 1, 1, false},
        {"a packed-decimal start four bytes from the end",
         {0x31, 0xAA, 0x50, 0x34, 0x12},
         "1.000",
         1,
         0,
         false},
        {"no frame start at all", bytes("xyz\r\n"), "1.000", 1, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Rig rig;
        rig.linkWith(bytes("+0001.000\r"));
        rig.nextPoll(c.read);
        const AcquisitionState& state = rig.state;
        EXPECT_EQ(state.reading.valueText, c.text);
        EXPECT_EQ(state.counters.goodFrameCount, c.good);
        EXPECT_EQ(state.counters.badFrameCount, c.bad);
        EXPECT_EQ(rig.clock.dueIn(LinkWatchdogTimer) == 5000, c.watchdogRearmed);
        EXPECT_EQ(state.protocolKind, ProtocolKind::Ascii);
        // Every read with data ends in a push, frame or not.
        EXPECT_EQ(rig.window.text(LiveValue), c.text);
    }
}

// Before the link, the bytes of a port at the wrong rate must neither count nor link.
TEST(PollCycle, BadFramesAndSilenceBeforeTheLinkCountNothingAndLinkNothing) {
    Rig rig;
    rig.connectTo("COM3");
    rig.nextPoll("+0012.3A5\r");
    rig.nextPoll(std::vector<std::uint8_t>{0xAA, 0x5A, 0x34, 0x12, 0x00});
    for (int i = 0; i < 12; ++i) rig.nextSilentPoll();
    EXPECT_FALSE(rig.state.linkConnected);
    EXPECT_EQ(rig.state.counters.badFrameCount, 0u);
    EXPECT_EQ(rig.state.counters.silentPollCount, 0u);
    EXPECT_EQ(rig.state.counters.goodFrameCount, 0u);
    EXPECT_TRUE(rig.settings.puts.empty());
}

TEST(PollCycle, FirstValidFrameEstablishesTheLinkOnceWithItsProtocolsCaptionLabelAndRate) {
    struct Case {
        std::vector<std::uint8_t> frame;
        std::int32_t language;
        ProtocolKind kind;
        std::string caption;
        std::string label;
        std::int32_t storedRate;
    };
    const Case cases[] = {
        {kAsciiFrame, 1, ProtocolKind::Ascii, "关闭设备", "ASC", 9600},
        {kBcdFrame, 1, ProtocolKind::Bcd, "断开设备", "AA", 4800},
        {kAsciiFrame, 2, ProtocolKind::Ascii, "Disconnect", "ASC", 9600},
        {kBcdFrame, 2, ProtocolKind::Bcd, "Disconnect", "AA", 4800},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label + " language " + std::to_string(c.language));
        Rig rig;
        rig.state.storedLanguage = c.language;
        rig.state.parameters.beepEnabled = RecordSound::Off;  // the link sound plays all the same
        rig.clock.arm(PortScanTimer, 1500);
        rig.connectTo("COM3");
        rig.nextPoll(c.frame);

        const AcquisitionState& state = rig.state;
        EXPECT_TRUE(state.linkConnected);
        EXPECT_EQ(state.protocolKind, c.kind);
        EXPECT_EQ(state.counters.goodFrameCount, 1u);
        EXPECT_FALSE(rig.clock.isArmed(PortScanTimer));
        EXPECT_EQ(rig.window.text(StatusField), c.label);
        EXPECT_EQ(rig.window.text(ConnectButton), c.caption);
        EXPECT_TRUE(rig.window.enabled.at(ZeroButton));
        EXPECT_TRUE(rig.window.enabled.at(AutoButton));
        EXPECT_TRUE(rig.window.enabled.at(ManualButton));
        const std::vector<std::pair<std::string, std::int32_t>> stored{{"ComID", 3},
                                                                       {"Baudrate", c.storedRate}};
        EXPECT_EQ(rig.settings.puts, stored);
        EXPECT_EQ(rig.sound.starts, 1);
        EXPECT_EQ(rig.clock.periodOf(BeepStopTimer), 300u);

        // A second good frame decodes and counts, and does none of this again.
        rig.window.texts.erase(ConnectButton);
        rig.nextPoll(c.frame);
        EXPECT_EQ(state.counters.goodFrameCount, 2u);
        EXPECT_EQ(rig.settings.puts, stored);
        EXPECT_EQ(rig.sound.starts, 1);
        EXPECT_EQ(rig.window.text(ConnectButton), "");

        rig.clock.advance(300);
        EXPECT_FALSE(rig.sound.playing);
    }
}

TEST(PollCycle, DataKeyOnItsOwnRecordsTheReadingAsItStoodOnlyOnAnAsciiLink) {
    struct Case {
        const char* why;
        std::vector<std::uint8_t> linkFrame;  // empty: listening, no link yet
        std::uint32_t records;
    };
    const Case cases[] = {
        {"ASCII link", kAsciiFrame, 1},
        {"packed-decimal link", kBcdFrame, 0},
        {"no link yet", {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Rig rig;
        if (c.linkFrame.empty()) {
            rig.connectTo("COM3");
        } else {
            rig.linkWith(c.linkFrame);
        }
        const Reading before = rig.state.reading;
        const std::uint32_t goodBefore = rig.state.counters.goodFrameCount;
        rig.nextPoll("S\r");
        EXPECT_EQ(rig.store.count(), c.records);
        EXPECT_EQ(rig.state.reading.valueText, before.valueText);
        EXPECT_EQ(rig.state.counters.goodFrameCount, goodBefore);
    }
    Rig rig;
    rig.linkWith(kAsciiFrame);
    rig.nextPoll("S\r");
    EXPECT_EQ(rig.store.valueField(0), "12.345  ");
}

// The data key of a frame records the reading that same frame carries.
TEST(PollCycle, FrameWithTheDataKeyRecordsItsOwnReading) {
    struct Case {
        std::vector<std::uint8_t> frame;
        std::string valueField;
    };
    const Case cases[] = {
        {bytes("+0012.345\rS\r"), "12.345  "},
        {{0xAA, 0x55, 0x34, 0x12, 0x05}, " 1.23455"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.valueField);
        Rig rig;
        rig.linkWith(bytes("+0001.000\r"));
        rig.nextPoll(c.frame);
        ASSERT_EQ(rig.store.count(), 1u);
        EXPECT_EQ(rig.store.valueField(0), c.valueField);
    }
}

TEST(PollCycle, TwelveByteFrameSplitAfterItsDataKeyIsBadAndRecordsNothing) {
    Rig rig;
    rig.linkWith(bytes("+0001.000\r"));
    rig.nextPoll("+0012.345\rS");
    EXPECT_EQ(rig.state.counters.badFrameCount, 1u);
    EXPECT_EQ(rig.state.reading.valueText, "1.000");
    rig.nextPoll("\r");
    EXPECT_EQ(rig.store.count(), 0u);
}

TEST(PollCycle, TwelveByteFrameSplitAfterItsTerminatorDecodesThenRecords) {
    Rig rig;
    rig.linkWith(bytes("+0001.000\r"));
    rig.nextPoll("+0012.345\r");
    EXPECT_EQ(rig.state.reading.valueText, "12.345");
    EXPECT_EQ(rig.store.count(), 0u);
    rig.nextPoll("S\r");
    ASSERT_EQ(rig.store.count(), 1u);
    EXPECT_EQ(rig.store.valueField(0), "12.345  ");
}

// M and E are what a technician reads to judge a cable; they must move as the line does.
TEST(PollCycle, SilentGaugeCountsOncePerFivePollsAndShowsItAfterTheNextRead) {
    Rig rig;
    rig.linkWith(kAsciiFrame);
    const std::uint32_t expectedAfterPoll[] = {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 2};
    for (std::uint32_t expected : expectedAfterPoll) {
        rig.nextSilentPoll();
        EXPECT_EQ(rig.state.counters.silentPollCount, expected);
    }
    EXPECT_EQ(rig.clock.periodOf(PollTimer), 88u);
    EXPECT_EQ(rig.window.text(SilentPollField), "0");
    rig.nextPoll("+0012.3A5\r");
    EXPECT_EQ(rig.window.text(SilentPollField), "2");
    EXPECT_EQ(rig.window.text(BadFrameField), "1");
    EXPECT_EQ(rig.window.text(GoodFrameField), "1");
}

TEST(PollCycle, PollsEvery88MsOnceAReadBroughtDataAndKeepsItsPeriodWhileSilent) {
    Rig rig;
    rig.connectTo("COM3");
    rig.nextSilentPoll();
    EXPECT_EQ(rig.clock.periodOf(PollTimer), 50u);
    rig.nextPoll("xyz");
    EXPECT_EQ(rig.clock.periodOf(PollTimer), 88u);
    EXPECT_EQ(rig.clock.dueIn(PollTimer), 88u);
}

TEST(PollCycle, OpenParametersPanelFreezesTheScreenButNotTheReading) {
    Rig rig;
    rig.linkWith(kAsciiFrame);
    rig.state.paramEditMode = true;
    rig.nextPoll("-0002.000\r");
    EXPECT_EQ(rig.state.reading.valueText, "-2.000");
    EXPECT_EQ(rig.state.counters.shownGood, 2);
    EXPECT_EQ(rig.window.text(LiveValue), "12.345");
    EXPECT_EQ(rig.window.text(GoodFrameField), "1");
}

TEST(PollCycle, UnitLabelFollowsTheUnitListWithTheNextGoodFrame) {
    struct Case {
        std::uint8_t unitIndex;
        std::string unitText;
    };
    const Case cases[] = {{0, "mm"}, {1, "in"}, {2, "°"}, {3, "  "}, {255, "  "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.unitIndex));
        Rig rig;
        rig.linkWith(kAsciiFrame);
        rig.state.parameters.unitIndex = c.unitIndex;
        rig.nextPoll("+0012.3A5\r");  // a bad frame does not change it
        EXPECT_EQ(rig.window.text(UnitLabel), "mm");
        rig.nextPoll(kAsciiFrame);
        EXPECT_EQ(rig.window.text(UnitLabel), c.unitText);
    }
}

TEST(PollCycle, FrameWithoutPointTakesNoDecimalPlacesFromThePreviousFrame) {
    Rig rig;
    rig.linkWith(kAsciiFrame);
    rig.nextPoll("+00012345\r");
    EXPECT_EQ(rig.state.reading.decimalPlaces, 0);
    EXPECT_EQ(rig.state.reading.value, 12345.0f);
}

}  // namespace
}  // namespace mensora::test
