// The gauge's device going away under a link (the cable pulled) and coming back under the
// same name, as opposed to a gauge that is there and says nothing.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "tests/support/dialog_rig.h"

namespace mensora::test {
namespace {

using Rig = DialogRig<>;
using Log = std::vector<std::string>;

// The gauge on COM3, the port and rate remembered from the last link; it sends a frame before
// every read of its port. Returns once the first frame linked.
void linkWithGauge(Rig& rig, std::int32_t baudRate, const std::vector<std::uint8_t>& frame) {
    rig.settings.values = {{"ComID", 3}, {"Baudrate", baudRate}, {"Language", 2}};
    rig.state.storedLanguage = 2;
    rig.serial.openable = {"COM1", "COM3"};
    rig.serial.gauge = FakeSerial::Gauge{"COM3", baudRate, frame};
    rig.connectTo("COM3");
    rig.nextSilentPoll();
    ASSERT_TRUE(rig.state.linkConnected);
}

// The read that finds the device gone.
void unplugAndPoll(Rig& rig) {
    rig.serial.unplugged.insert("COM3");
    rig.nextSilentPoll();
}

Log opensSince(const FakeSerial& serial, std::size_t from) {
    Log log;
    for (std::size_t i = from; i < serial.opens.size(); ++i) {
        const auto& call = serial.opens[i];
        log.push_back(call.name + " " + std::to_string(call.baudRate) +
                      (call.succeeded ? " ok" : " -"));
    }
    return log;
}

TEST(DeviceLost, PortIsLetGoAtOnceTheReadingBlankedAndTheLinkKept) {
    Rig rig;
    linkWithGauge(rig, 4800, kBcdFrame);
    rig.nextSilentPoll();
    const std::string connectCaption = rig.window.text(ConnectButton);
    const std::string status = rig.window.text(StatusField);
    const LinkCounters counters = rig.state.counters;
    const int closes = rig.serial.closes;
    ASSERT_NE(rig.window.text(LiveValue), " ");

    unplugAndPoll(rig);

    EXPECT_FALSE(rig.serial.isOpen);
    EXPECT_FALSE(rig.state.portOpen);
    EXPECT_EQ(rig.serial.closes, closes + 1);
    EXPECT_FALSE(rig.clock.isArmed(PollTimer));
    EXPECT_EQ(rig.clock.periodOf(DeviceReopenTimer), 1000u);
    EXPECT_EQ(rig.window.text(LiveValue), " ");
    // Still linked: Disconnect on the button, the protocol and the counters as they were.
    EXPECT_TRUE(rig.state.linkConnected);
    EXPECT_EQ(rig.window.text(ConnectButton), connectCaption);
    EXPECT_EQ(rig.window.text(StatusField), status);
    EXPECT_EQ(rig.state.protocolKind, ProtocolKind::Bcd);
    EXPECT_EQ(rig.state.counters.goodFrameCount, counters.goodFrameCount);
    EXPECT_EQ(rig.state.counters.badFrameCount, counters.badFrameCount);
    EXPECT_EQ(rig.state.counters.silentPollCount, counters.silentPollCount);
    EXPECT_TRUE(rig.window.enabled.at(ManualButton));
    EXPECT_TRUE(rig.window.messages.empty());
}

// The same port at the rate the link was made on, once a second, nothing else: no scan, no
// other name, no fresh look at the machine's ports.
TEST(DeviceLost, SamePortIsOpenedAgainOnceASecondAndReadingsResumeByThemselves) {
    Rig rig;
    linkWithGauge(rig, 4800, kBcdFrame);
    const std::string reading = rig.window.text(LiveValue);
    const int linkSounds = rig.sound.starts;
    const std::size_t settingsWritten = rig.settings.puts.size();
    const int refreshes = rig.portNames.refreshes;
    unplugAndPoll(rig);
    const std::size_t before = rig.serial.opens.size();

    for (int second = 1; second <= 3; ++second) {
        rig.clock.advance(999);
        EXPECT_EQ(rig.serial.opens.size(), before + static_cast<std::size_t>(second) - 1);
        rig.clock.advance(1);
    }
    EXPECT_EQ(opensSince(rig.serial, before), (Log{"COM3 4800 -", "COM3 4800 -", "COM3 4800 -"}));
    EXPECT_EQ(rig.window.text(LiveValue), " ");

    rig.serial.unplugged.clear();
    const int dtrRaises = rig.serial.dtrRaises;
    rig.clock.advance(1000);
    EXPECT_EQ(opensSince(rig.serial, before + 3), Log{"COM3 4800 ok"});
    EXPECT_FALSE(rig.clock.isArmed(DeviceReopenTimer));
    EXPECT_EQ(rig.serial.dtrRaises, dtrRaises + 1);
    EXPECT_EQ(rig.clock.periodOf(PollTimer), 50u);

    rig.nextSilentPoll();  // the gauge's frame
    EXPECT_EQ(rig.window.text(LiveValue), reading);
    EXPECT_EQ(rig.clock.dueIn(LinkWatchdogTimer), 5000u);
    EXPECT_TRUE(rig.state.linkConnected);
    // Carried on, not linked again: no link-up sound, nothing remembered anew.
    EXPECT_EQ(rig.sound.starts, linkSounds);
    EXPECT_EQ(rig.settings.puts.size(), settingsWritten);
    EXPECT_EQ(rig.portNames.refreshes, refreshes);
    EXPECT_EQ(rig.serial.opens.size(), before + 4);
}

// Manual, an Auto tick and the gauge's data key make no record from the device's going until
// its first frame after it came back; then each records again, Auto without a new start.
TEST(DeviceLost, NothingIsRecordedUntilTheFirstFrameAfterTheDeviceIsBack) {
    struct Case {
        const char* what;
        bool autoRunning;
        std::function<void(Rig&)> ask;  // asks for one record
    };
    const Case cases[] = {
        {"Manual", false, [](Rig& rig) { rig.click(ManualButton); }},
        {"Auto tick", true, [](Rig& rig) { rig.clock.advance(rig.clock.dueIn(AutoSampleTimer)); }},
        {"data key", false,
         [](Rig& rig) {
             if (rig.serial.isOpen) rig.nextPoll("S\r");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        linkWithGauge(rig, 9600, kAsciiFrame);
        if (c.autoRunning) {
            rig.type(SampleIntervalField, "400");
            rig.click(AutoButton);
        }
        unplugAndPoll(rig);
        const std::uint32_t records = rig.store.count();

        c.ask(rig);
        EXPECT_EQ(rig.store.count(), records) << "with the port closed";

        // Open again, the gauge not yet speaking.
        rig.serial.gauge.reset();
        rig.serial.unplugged.clear();
        rig.clock.advance(rig.clock.dueIn(DeviceReopenTimer));
        ASSERT_TRUE(rig.serial.isOpen);
        c.ask(rig);
        EXPECT_EQ(rig.store.count(), records) << "with the port open before any frame";
        EXPECT_EQ(rig.state.autoSampling, c.autoRunning);

        rig.nextPoll(kAsciiFrame);
        const std::uint32_t afterFrame = rig.store.count();
        c.ask(rig);
        EXPECT_EQ(rig.store.count(), afterFrame + 1) << "once a frame came";
    }
}

TEST(DeviceLost, WatchdogTellsOnceWhileTheDeviceStaysAwayAndTheSearchGoesOn) {
    Rig rig;
    linkWithGauge(rig, 9600, kAsciiFrame);
    const std::uint64_t lastFrame = rig.clock.nowMs();
    unplugAndPoll(rig);

    rig.advanceTo(lastFrame + 4999);
    EXPECT_TRUE(rig.window.messages.empty());
    rig.advanceTo(lastFrame + 20000);
    EXPECT_EQ(rig.window.messageTexts(), Log{"Device disconnected!"});
    EXPECT_TRUE(rig.clock.isArmed(DeviceReopenTimer));
    EXPECT_TRUE(rig.state.linkConnected);

    rig.serial.unplugged.clear();
    rig.advanceTo(lastFrame + 30000);
    EXPECT_EQ(rig.window.messageTexts(), Log{"Device disconnected!"});
    EXPECT_EQ(rig.window.text(LiveValue), "12.345");
}

// Disconnect at any moment of the search ends it; the next Connect links as any other.
TEST(DeviceLost, DisconnectEndsTheSearchWhetherOrNotThePortIsOpenAgain) {
    struct Case {
        const char* what;
        bool portBack;
    };
    for (const Case& c : {Case{"port still gone", false}, Case{"port open, no frame yet", true}}) {
        SCOPED_TRACE(c.what);
        Rig rig;
        linkWithGauge(rig, 9600, kAsciiFrame);
        unplugAndPoll(rig);
        if (c.portBack) {
            rig.serial.gauge.reset();
            rig.serial.unplugged.clear();
            rig.clock.advance(1000);
            ASSERT_TRUE(rig.serial.isOpen);
        }
        rig.clock.clearLogs();

        rig.click(ConnectButton);
        EXPECT_EQ(rig.clock.killLog(), (std::vector<int>{1, 2, 3, 4, 5, 8}));
        EXPECT_FALSE(rig.serial.isOpen);
        EXPECT_FALSE(rig.state.linkConnected);
        EXPECT_EQ(rig.window.text(ConnectButton), "Connect");
        rig.serial.unplugged.clear();
        const std::size_t opens = rig.serial.opens.size();
        rig.clock.advance(5000);
        EXPECT_EQ(rig.serial.opens.size(), opens);

        rig.serial.gauge = FakeSerial::Gauge{"COM3", 9600, kAsciiFrame};
        rig.connectTo("COM3");
        rig.nextSilentPoll();
        ASSERT_TRUE(rig.state.linkConnected);
        const std::uint32_t records = rig.store.count();
        rig.click(ManualButton);
        EXPECT_EQ(rig.store.count(), records + 1);
    }
}

// A gauge that stops sending is still there: the port stays open and polled, nothing is
// opened again, and the last reading stays on screen and is recorded.
TEST(DeviceLost, SilentGaugeIsNoLostDevice) {
    Rig rig;
    linkWithGauge(rig, 9600, kAsciiFrame);
    const int closes = rig.serial.closes;
    const std::size_t opens = rig.serial.opens.size();
    rig.serial.gauge.reset();

    rig.clock.advance(12000);

    EXPECT_TRUE(rig.serial.isOpen);
    EXPECT_EQ(rig.serial.closes, closes);
    EXPECT_EQ(rig.serial.opens.size(), opens);
    EXPECT_TRUE(rig.clock.isArmed(PollTimer));
    EXPECT_FALSE(rig.clock.isArmed(DeviceReopenTimer));
    EXPECT_EQ(rig.window.text(LiveValue), "12.345");
    EXPECT_EQ(rig.window.messageTexts(), Log{"Device disconnected!"});
    const std::uint32_t records = rig.store.count();
    rig.click(ManualButton);
    EXPECT_EQ(rig.store.count(), records + 1);
}

// During a discovery a port whose device vanishes holds no gauge: it is closed and the search
// moves on, with no reopening of it.
TEST(DeviceLost, PortGoneDuringADiscoveryIsClosedAndTheSearchMovesOn) {
    Rig rig;
    rig.settings.values = {{"ComID", 1}, {"Baudrate", 9600}};
    rig.serial.openable = {"COM1", "COM2"};
    rig.connectTo("COM1");
    ASSERT_TRUE(rig.serial.isOpen);

    rig.serial.unplugged.insert("COM1");
    rig.nextSilentPoll();

    EXPECT_FALSE(rig.serial.isOpen);
    EXPECT_FALSE(rig.state.portOpen);
    EXPECT_FALSE(rig.clock.isArmed(DeviceReopenTimer));
    EXPECT_FALSE(rig.state.deviceLost);
    rig.clock.advance(rig.clock.dueIn(PortScanTimer));
    rig.clock.advance(rig.clock.dueIn(PortScanTimer));
    EXPECT_EQ(rig.serial.opens.back().name, "COM2");
    EXPECT_TRUE(rig.serial.isOpen);
}

}  // namespace
}  // namespace mensora::test
