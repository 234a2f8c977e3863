#include "protocol/poll_cycle.h"

#include <gtest/gtest.h>

#include "base/control_ids.h"
#include "tests/unit/protocol/frame_bytes.h"
#include "tests/unit/protocol/link_bench.h"

namespace mensora::test {
namespace {

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
        {"a packed-decimal frame on an ASCII link", {0xAA, 0x50, 0x34, 0x12, 0x00}, " 12.345 ",
         2, 0, true},
        {"a nibble above nine", {0xAA, 0x5A, 0x34, 0x12, 0x00}, "1.000", 1, 1, false},
        {"flags 8", {0xAA, 0x50, 0x34, 0x12, 0x08}, "1.000", 1, 1, false},
        {"a packed-decimal start four bytes from the end", {0x31, 0xAA, 0x50, 0x34, 0x12},
         "1.000", 1, 0, false},
        {"no frame start at all", bytes("xyz\r\n"), "1.000", 1, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        LinkBench bench;
        bench.linkWith(bytes("+0001.000\r"));
        bench.nextPoll(c.read);
        const AcquisitionState& state = bench.state;
        EXPECT_EQ(state.reading.valueText, c.text);
        EXPECT_EQ(state.counters.goodFrameCount, c.good);
        EXPECT_EQ(state.counters.badFrameCount, c.bad);
        EXPECT_EQ(bench.clock.dueIn(LinkWatchdogTimer) == 5000, c.watchdogRearmed);
        EXPECT_EQ(state.protocolKind, ProtocolKind::Ascii);
        // Every read with data ends in a push, frame or not.
        EXPECT_EQ(bench.window.text(LiveValue), c.text);
    }
}

// Before the link, the bytes of a port at the wrong rate must neither count nor link.
TEST(PollCycle, BadFramesAndSilenceBeforeTheLinkCountNothingAndLinkNothing) {
    LinkBench bench;
    bench.listenOn("COM3", 3);
    bench.nextPoll("+0012.3A5\r");
    bench.nextPoll(std::vector<std::uint8_t>{0xAA, 0x5A, 0x34, 0x12, 0x00});
    for (int i = 0; i < 12; ++i) bench.nextSilentPoll();
    EXPECT_EQ(bench.state.linkConnected, 0);
    EXPECT_EQ(bench.state.counters.badFrameCount, 0u);
    EXPECT_EQ(bench.state.counters.silentPollCount, 0u);
    EXPECT_EQ(bench.state.counters.goodFrameCount, 0u);
    EXPECT_TRUE(bench.settings.puts.empty());
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
        LinkBench bench;
        bench.state.storedLanguage = c.language;
        bench.state.parameters.beepEnabled = 0;  // the link sound plays all the same
        bench.timers.arm(PortScanTimer, 1500);
        bench.listenOn("COM3", 3);
        bench.nextPoll(c.frame);

        const AcquisitionState& state = bench.state;
        EXPECT_EQ(state.linkConnected, 1);
        EXPECT_EQ(state.protocolKind, c.kind);
        EXPECT_EQ(state.counters.goodFrameCount, 1u);
        EXPECT_FALSE(bench.clock.isArmed(PortScanTimer));
        EXPECT_EQ(bench.window.text(StatusField), c.label);
        EXPECT_EQ(bench.window.text(ConnectButton), c.caption);
        EXPECT_TRUE(bench.window.enabled.at(ZeroButton));
        EXPECT_TRUE(bench.window.enabled.at(AutoButton));
        EXPECT_TRUE(bench.window.enabled.at(ManualButton));
        const std::vector<std::pair<std::string, std::int32_t>> stored{{"ComID", 3},
                                                                       {"Baudrate", c.storedRate}};
        EXPECT_EQ(bench.settings.puts, stored);
        EXPECT_EQ(bench.sound.starts, 1);
        EXPECT_EQ(bench.clock.periodOf(BeepStopTimer), 300u);

        // A second good frame decodes and counts, and does none of this again.
        bench.window.texts.erase(ConnectButton);
        bench.nextPoll(c.frame);
        EXPECT_EQ(state.counters.goodFrameCount, 2u);
        EXPECT_EQ(bench.settings.puts, stored);
        EXPECT_EQ(bench.sound.starts, 1);
        EXPECT_EQ(bench.window.text(ConnectButton), "");

        bench.clock.advance(300);
        EXPECT_FALSE(bench.sound.playing);
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
        LinkBench bench;
        if (c.linkFrame.empty()) {
            bench.listenOn("COM3", 3);
        } else {
            bench.linkWith(c.linkFrame);
        }
        const Reading before = bench.state.reading;
        const std::uint32_t goodBefore = bench.state.counters.goodFrameCount;
        bench.nextPoll("S\r");
        EXPECT_EQ(bench.store.count(), c.records);
        EXPECT_EQ(bench.state.reading.valueText, before.valueText);
        EXPECT_EQ(bench.state.counters.goodFrameCount, goodBefore);
    }
    LinkBench bench;
    bench.linkWith(kAsciiFrame);
    bench.nextPoll("S\r");
    EXPECT_EQ(bench.store.valueField(0), "12.345  ");
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
        LinkBench bench;
        bench.linkWith(bytes("+0001.000\r"));
        bench.nextPoll(c.frame);
        ASSERT_EQ(bench.store.count(), 1u);
        EXPECT_EQ(bench.store.valueField(0), c.valueField);
    }
}

TEST(PollCycle, TwelveByteFrameSplitAfterItsDataKeyIsBadAndRecordsNothing) {
    LinkBench bench;
    bench.linkWith(bytes("+0001.000\r"));
    bench.nextPoll("+0012.345\rS");
    EXPECT_EQ(bench.state.counters.badFrameCount, 1u);
    EXPECT_EQ(bench.state.reading.valueText, "1.000");
    bench.nextPoll("\r");
    EXPECT_EQ(bench.store.count(), 0u);
}

TEST(PollCycle, TwelveByteFrameSplitAfterItsTerminatorDecodesThenRecords) {
    LinkBench bench;
    bench.linkWith(bytes("+0001.000\r"));
    bench.nextPoll("+0012.345\r");
    EXPECT_EQ(bench.state.reading.valueText, "12.345");
    EXPECT_EQ(bench.store.count(), 0u);
    bench.nextPoll("S\r");
    ASSERT_EQ(bench.store.count(), 1u);
    EXPECT_EQ(bench.store.valueField(0), "12.345  ");
}

// M and E are what a technician reads to judge a cable; they must move as the line does.
TEST(PollCycle, SilentGaugeCountsOncePerFivePollsAndShowsItAfterTheNextRead) {
    LinkBench bench;
    bench.linkWith(kAsciiFrame);
    const std::uint32_t expectedAfterPoll[] = {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 2};
    for (std::uint32_t expected : expectedAfterPoll) {
        bench.nextSilentPoll();
        EXPECT_EQ(bench.state.counters.silentPollCount, expected);
    }
    EXPECT_EQ(bench.clock.periodOf(PollTimer), 88u);
    EXPECT_EQ(bench.window.text(SilentPollField), "0");
    bench.nextPoll("+0012.3A5\r");
    EXPECT_EQ(bench.window.text(SilentPollField), "2");
    EXPECT_EQ(bench.window.text(BadFrameField), "1");
    EXPECT_EQ(bench.window.text(GoodFrameField), "1");
}

TEST(PollCycle, PollsEvery88MsOnceAReadBroughtDataAndKeepsItsPeriodWhileSilent) {
    LinkBench bench;
    bench.listenOn("COM3", 3);
    bench.nextSilentPoll();
    EXPECT_EQ(bench.clock.periodOf(PollTimer), 50u);
    bench.nextPoll("xyz");
    EXPECT_EQ(bench.clock.periodOf(PollTimer), 88u);
    EXPECT_EQ(bench.clock.dueIn(PollTimer), 88u);
}

TEST(PollCycle, OpenParametersPanelFreezesTheScreenButNotTheReading) {
    LinkBench bench;
    bench.linkWith(kAsciiFrame);
    bench.state.paramEditMode = true;
    bench.nextPoll("-0002.000\r");
    EXPECT_EQ(bench.state.reading.valueText, "-2.000");
    EXPECT_EQ(bench.state.counters.shownGood, 2);
    EXPECT_EQ(bench.window.text(LiveValue), "12.345");
    EXPECT_EQ(bench.window.text(GoodFrameField), "1");
}

TEST(PollCycle, UnitLabelFollowsTheUnitListWithTheNextGoodFrame) {
    struct Case {
        std::uint8_t unitIndex;
        std::string unitText;
    };
    const Case cases[] = {{0, "mm"}, {1, "in"}, {2, "°"}, {3, "  "}, {255, "  "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.unitIndex));
        LinkBench bench;
        bench.linkWith(kAsciiFrame);
        bench.state.parameters.unitIndex = c.unitIndex;
        bench.nextPoll("+0012.3A5\r");  // a bad frame does not change it
        EXPECT_EQ(bench.window.text(UnitLabel), "mm");
        bench.nextPoll(kAsciiFrame);
        EXPECT_EQ(bench.window.text(UnitLabel), c.unitText);
    }
}

TEST(PollCycle, FrameWithoutPointTakesNoDecimalPlacesFromThePreviousFrame) {
    LinkBench bench;
    bench.linkWith(kAsciiFrame);
    bench.nextPoll("+00012345\r");
    EXPECT_EQ(bench.state.reading.decimalPlaces, 0);
    EXPECT_EQ(bench.state.reading.value, 12345.0f);
}

}  // namespace
}  // namespace mensora::test
