#include "protocol/gauge_link.h"

#include <gtest/gtest.h>

#include "base/control_ids.h"
#include "tests/support/dialog_rig.h"

namespace mensora::test {
namespace {

using Rig = test::DialogRig<>;
using test::kAsciiFrame;
using test::kBcdFrame;

using Log = std::vector<std::string>;

// "COM7 9600 -" for a failed open, "COM1 9600 ok" for one that succeeded.
Log openLog(const FakeSerial& serial) {
    Log log;
    for (const auto& call : serial.opens) {
        log.push_back(call.name + " " + std::to_string(call.baudRate) +
                      (call.succeeded ? " ok" : " -"));
    }
    return log;
}

Log tail(const Log& log, std::size_t from) {
    return Log(log.begin() + static_cast<std::ptrdiff_t>(from), log.end());
}

// The bench example: "ComID" 7 remembered but COM7 gone, COM1 there with nothing on it, no
// COM2, and the gauge on COM3 sending packed-decimal frames at 4800 baud.
TEST(GaugeLink, FindsTheGaugeOnCom3At4800StepByStepWhenTheRememberedCom7IsGone) {
    Rig rig;
    rig.settings.values = {{"ComID", 7}, {"Baudrate", 9600}};
    rig.serial.openable = {"COM1", "COM3"};
    rig.serial.gauge = FakeSerial::Gauge{"COM3", 4800, kBcdFrame};
    const FakeSerial& serial = rig.serial;

    rig.click(ConnectButton);
    rig.clock.advance(29);
    EXPECT_TRUE(serial.opens.empty());

    // 30 ms: the remembered port fails, the scan opens COM1 in the same tick.
    rig.clock.advance(1);
    EXPECT_EQ(openLog(serial), (Log{"COM7 9600 -", "COM1 9600 ok"}));
    EXPECT_EQ(rig.window.text(StatusField), "com1");
    EXPECT_EQ(rig.clock.periodOf(PortScanTimer), 1500u);
    EXPECT_EQ(rig.clock.periodOf(PollTimer), 50u);
    EXPECT_EQ(serial.dtrRaises, 1);

    // 1530 ms: COM1 again at 4800.
    rig.clock.advance(1499);
    EXPECT_EQ(serial.opens.size(), 2u);
    rig.clock.advance(1);
    EXPECT_EQ(tail(openLog(serial), 2), (Log{"COM1 4800 ok"}));
    EXPECT_EQ(serial.closes, 1);
    EXPECT_EQ(rig.clock.periodOf(PortScanTimer), 360u);
    EXPECT_EQ(serial.dtrRaises, 2);

    // 1890 ms: on from index 2; COM2 is missing, COM3 opens at 9600.
    rig.clock.advance(359);
    EXPECT_EQ(serial.opens.size(), 3u);
    rig.clock.advance(1);
    EXPECT_EQ(tail(openLog(serial), 3), (Log{"COM2 9600 -", "COM3 9600 ok"}));
    EXPECT_EQ(serial.closes, 2);
    EXPECT_EQ(rig.window.text(StatusField), "com3");
    EXPECT_EQ(rig.clock.periodOf(PortScanTimer), 1500u);
    EXPECT_EQ(serial.dtrRaises, 3);

    // The gauge's bytes at the wrong rate fail validation, uncounted, for the whole dwell.
    rig.clock.advance(1499);
    EXPECT_FALSE(rig.state.linkConnected);
    EXPECT_EQ(rig.state.counters.badFrameCount, 0u);
    EXPECT_EQ(rig.state.counters.goodFrameCount, 0u);

    // 3390 ms: COM3 at 4800; the first poll 50 ms later links.
    rig.clock.advance(1);
    EXPECT_EQ(tail(openLog(serial), 5), (Log{"COM3 4800 ok"}));
    EXPECT_EQ(rig.clock.periodOf(PortScanTimer), 360u);
    rig.clock.advance(50);
    EXPECT_TRUE(rig.state.linkConnected);
    EXPECT_FALSE(rig.clock.isArmed(PortScanTimer));
    EXPECT_EQ(rig.window.text(StatusField), "AA");
    EXPECT_EQ(rig.settings.values.at("ComID"), 3);
    EXPECT_EQ(rig.settings.values.at("Baudrate"), 4800);

    // The next discovery goes to COM3 at 4800 at once.
    rig.click(ConnectButton);
    rig.click(ConnectButton);
    rig.clock.advance(30);
    EXPECT_EQ(tail(openLog(serial), 6), (Log{"COM3 4800 ok"}));
    rig.clock.advance(50);
    EXPECT_TRUE(rig.state.linkConnected);
}

TEST(GaugeLink, GivesUpInTheFirstStepWhenNoPortOpens) {
    struct Case {
        std::int32_t language;
        std::string message;
    };
    const Case cases[] = {{1, "找不到可用设备!"}, {2, "No available devices found!"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Rig rig;
        rig.state.storedLanguage = c.language;
        // The box is modal and timers tick behind it: the scan must already be stopped.
        bool scanArmedDuringMessage = true;
        rig.window.onMessage = [&] { scanArmedDuringMessage = rig.clock.isArmed(PortScanTimer); };
        rig.click(ConnectButton);
        rig.clock.advance(30);
        const Log expected{"COM1 9600 -",         "COM1 9600 -",         "COM2 9600 -",
                           "COM3 9600 -",         "COM4 9600 -",         "COM5 9600 -",
                           "COM6 9600 -",         "COM7 9600 -",         "COM8 9600 -",
                           "COM9 9600 -",         R"(\\.\COM10 9600 -)", R"(\\.\COM11 9600 -)",
                           R"(\\.\COM12 9600 -)", R"(\\.\COM13 9600 -)", R"(\\.\COM14 9600 -)",
                           R"(\\.\COM15 9600 -)"};
        EXPECT_EQ(openLog(rig.serial), expected);
        EXPECT_EQ(rig.window.messageTexts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(scanArmedDuringMessage);
        EXPECT_FALSE(rig.state.portOpen);
        rig.clock.advance(10000);
        EXPECT_EQ(rig.serial.opens.size(), expected.size());
    }
}

// Each port that opens without a gauge costs 1500 ms at 9600 and 360 ms at 4800; the last
// one the scan may try is index 15.
TEST(GaugeLink, GivesUpAfterTheDwellOfTheLastPortThatOpened) {
    struct Case {
        std::string port;
        Log lastOpens;
    };
    const Case cases[] = {
        {R"(\\.\COM14)", {R"(\\.\COM14 4800 ok)", R"(\\.\COM15 9600 -)"}},
        {R"(\\.\COM15)", {R"(\\.\COM15 9600 ok)", R"(\\.\COM15 4800 ok)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.port);
        Rig rig;
        rig.serial.openable = {c.port};
        rig.click(ConnectButton);
        rig.clock.advance(30 + 1500 + 359);
        EXPECT_TRUE(rig.window.messages.empty());
        rig.clock.advance(1);
        EXPECT_EQ(rig.window.messageTexts(), std::vector<std::string>{"找不到可用设备!"});
        const Log log = openLog(rig.serial);
        EXPECT_EQ(tail(log, log.size() - 2), c.lastOpens);
        EXPECT_FALSE(rig.serial.isOpen);
        EXPECT_FALSE(rig.state.portOpen);
        // A poll armed by an earlier step goes on and finds nothing.
        EXPECT_TRUE(rig.clock.isArmed(PollTimer));
    }
}

TEST(GaugeLink, FirstStepOpensTheRememberedPortOrCom1WhenItIsOutOfRange) {
    struct Case {
        std::int32_t storedPort;
        std::int32_t storedRate;
        std::string opened;
    };
    const Case cases[] = {
        {7, 9600, "COM7 9600 ok"},
        {0, 9600, "COM1 9600 ok"},
        {17, 4800, "COM1 4800 ok"},
        {-1, 9600, "COM1 9600 ok"},
        {16, 9600, R"(\\.\COM16 9600 ok)"},
        {3, 1234, "COM3 1234 ok"},  // the stored rate is used unchecked
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opened);
        Rig rig;
        rig.settings.values = {{"ComID", c.storedPort}, {"Baudrate", c.storedRate}};
        rig.serial.openable = {"COM1", "COM3", "COM7", R"(\\.\COM16)"};
        rig.click(ConnectButton);
        rig.clock.advance(30);
        EXPECT_EQ(openLog(rig.serial), Log{c.opened});
        EXPECT_EQ(rig.clock.periodOf(PortScanTimer), 1500u);
    }
}

// An adapter plugged in since the last discovery must be found: the first step of every
// discovery, and only that one, looks at the machine's ports again.
TEST(GaugeLink, LooksAtTheMachinesPortsAgainAtTheFirstStepOfEachDiscovery) {
    Rig rig;
    rig.serial.openable = {"COM2"};
    rig.click(ConnectButton);
    rig.clock.advance(29);
    EXPECT_EQ(rig.portNames.refreshes, 0);
    rig.clock.advance(1 + 1500 + 360);
    EXPECT_EQ(rig.portNames.refreshes, 1);
    rig.click(ConnectButton);
    rig.clock.advance(30);
    EXPECT_EQ(rig.portNames.refreshes, 2);
}

TEST(GaugeLink, PortFoundAtIndex10ShowsCom10) {
    Rig rig;
    rig.serial.openable = {R"(\\.\COM10)"};
    rig.click(ConnectButton);
    rig.clock.advance(30);
    EXPECT_EQ(rig.window.text(StatusField), "com10");
    EXPECT_EQ(rig.state.portIndex, 10u);
}

TEST(GaugeLink, GaugeOnTheRememberedPortLinksWithoutAnyScan) {
    Rig rig;
    rig.settings.values = {{"ComID", 3}, {"Baudrate", 4800}};
    rig.serial.openable = {"COM1", "COM3"};
    rig.serial.gauge = FakeSerial::Gauge{"COM3", 4800, kBcdFrame};
    rig.state.statusLabel = "ASC";
    rig.click(ConnectButton);
    rig.clock.advance(30);
    EXPECT_EQ(rig.state.statusLabel, "ASC");
    rig.clock.advance(50);
    EXPECT_TRUE(rig.state.linkConnected);
    EXPECT_EQ(rig.window.text(StatusField), "AA");
    EXPECT_EQ(openLog(rig.serial), Log{"COM3 4800 ok"});
}

// The remembered port is not tried at the other rate: the scan reaches it again in order.
TEST(GaugeLink, GaugeAtTheOtherRateOnTheRememberedPortIsFoundByTheScan) {
    Rig rig;
    rig.settings.values = {{"ComID", 3}, {"Baudrate", 9600}};
    rig.serial.openable = {"COM3"};
    rig.serial.gauge = FakeSerial::Gauge{"COM3", 4800, kAsciiFrame};
    rig.click(ConnectButton);
    rig.clock.advance(30 + 1500 + 1500 + 50);
    EXPECT_EQ(openLog(rig.serial),
              (Log{"COM3 9600 ok", "COM1 9600 -", "COM2 9600 -", "COM3 9600 ok", "COM3 4800 ok"}));
    EXPECT_TRUE(rig.state.linkConnected);
    EXPECT_EQ(rig.settings.values.at("Baudrate"), 9600);  // the ASCII protocol's rate
}

TEST(GaugeLink, SecondClickDuringADiscoveryStartsAgainFromTheRememberedPort) {
    Rig rig;
    rig.settings.values = {{"ComID", 5}};
    rig.serial.openable = {"COM1"};
    rig.click(ConnectButton);
    rig.clock.advance(100);
    EXPECT_EQ(rig.serial.closes, 0);
    rig.click(ConnectButton);
    rig.clock.advance(29);
    EXPECT_EQ(rig.serial.closes, 0);  // the port is closed by the step, not the click
    rig.clock.advance(1);
    EXPECT_EQ(rig.serial.closes, 1);
    EXPECT_EQ(tail(openLog(rig.serial), 2), (Log{"COM5 9600 -", "COM1 9600 ok"}));
}

TEST(GaugeLink, SilentLinkIsReportedAfter5000MsAndStaysUp) {
    struct Case {
        std::int32_t language;
        std::string message;
    };
    const Case cases[] = {{1, "设备已断开!"}, {2, "Device disconnected!"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Rig rig;
        rig.state.storedLanguage = c.language;
        rig.linkWith(kAsciiFrame);
        const std::uint64_t lastFrame = rig.clock.nowMs();
        bool watchdogArmedDuringMessage = true;
        rig.window.onMessage = [&] {
            watchdogArmedDuringMessage = rig.clock.isArmed(LinkWatchdogTimer);
        };
        rig.advanceTo(lastFrame + 4999);
        EXPECT_TRUE(rig.window.messages.empty());
        rig.advanceTo(lastFrame + 5000);
        EXPECT_EQ(rig.window.messageTexts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(watchdogArmedDuringMessage);
        EXPECT_TRUE(rig.state.linkConnected);
        EXPECT_TRUE(rig.serial.isOpen);
        EXPECT_TRUE(rig.clock.isArmed(PollTimer));

        // Frames that come back carry on without a second link-up.
        rig.nextPoll(kAsciiFrame);
        EXPECT_EQ(rig.clock.dueIn(LinkWatchdogTimer), 5000u);
        EXPECT_EQ(rig.sound.starts, 1);
        EXPECT_EQ(rig.settings.puts.size(), 2u);

        rig.click(ConnectButton);
        EXPECT_FALSE(rig.state.linkConnected);
    }
}

TEST(GaugeLink, DisconnectStopsTheLinkTimersClosesThePortAndOffersConnectAgain) {
    struct Case {
        std::int32_t language;
        std::string connectCaption;
        std::string autoCaption;
    };
    const Case cases[] = {{1, "打开设备", "自动采集"}, {2, "Connect", "Auto"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.connectCaption);
        Rig rig;
        rig.state.storedLanguage = c.language;
        rig.linkWith(kAsciiFrame);
        rig.nextPoll("+0012.3A5\r");
        rig.state.autoSampling = true;
        rig.clock.arm(AutosaveTimer, 60000);
        rig.clock.clearLogs();

        rig.click(ConnectButton);
        EXPECT_EQ(rig.clock.killLog(), (std::vector<int>{1, 2, 3, 4, 5, 8}));
        EXPECT_TRUE(rig.clock.isArmed(BeepStopTimer));
        EXPECT_TRUE(rig.clock.isArmed(AutosaveTimer));
        EXPECT_FALSE(rig.serial.isOpen);
        EXPECT_FALSE(rig.state.portOpen);
        EXPECT_FALSE(rig.state.linkConnected);
        EXPECT_FALSE(rig.state.autoSampling);
        EXPECT_EQ(rig.window.text(ConnectButton), c.connectCaption);
        EXPECT_EQ(rig.window.text(AutoButton), c.autoCaption);
        EXPECT_FALSE(rig.window.enabled.at(ZeroButton));
        EXPECT_FALSE(rig.window.enabled.at(AutoButton));
        EXPECT_FALSE(rig.window.enabled.at(ManualButton));
        EXPECT_EQ(rig.window.text(LiveValue), " ");
        // Kept until the next Connect: the label, the protocol and the counters.
        EXPECT_EQ(rig.window.text(StatusField), "ASC");
        EXPECT_EQ(rig.state.protocolKind, ProtocolKind::Ascii);
        EXPECT_EQ(rig.state.counters.badFrameCount, 1u);
        EXPECT_EQ(rig.state.counters.goodFrameCount, 1u);

        // Connect resets them without a push: the screen shows the zeros at the next one.
        rig.click(ConnectButton);
        EXPECT_EQ(rig.state.counters.badFrameCount, 0u);
        EXPECT_EQ(rig.state.counters.goodFrameCount, 0u);
        EXPECT_EQ(rig.state.protocolKind, ProtocolKind::None);
        EXPECT_EQ(rig.window.text(BadFrameField), "1");
    }
}

// Values typed into an open panel must not become judging values or settings by a
// disconnect: the panel closes as if never opened.
TEST(GaugeLink, DisconnectWhileTheParametersPanelIsOpenClosesItWithoutStoring) {
    Rig rig;
    rig.state.parameters.nominal = 2.0f;
    rig.state.parameters.shownNominal = 2.0f;
    rig.linkWith(kAsciiFrame);
    rig.click(ParametersButton);
    ASSERT_TRUE(rig.state.paramEditMode);
    rig.window.setText(NominalField, "9.5");
    const std::size_t putsBefore = rig.settings.puts.size();

    rig.click(ConnectButton);
    EXPECT_FALSE(rig.state.paramEditMode);
    EXPECT_EQ(rig.window.text(NominalField), "2");
    EXPECT_TRUE(rig.window.enabled.at(LiveValue));
    EXPECT_FALSE(rig.window.enabled.at(NominalField));
    EXPECT_EQ(rig.window.text(ParametersButton), "参数设置");
    EXPECT_EQ(rig.state.parameters.nominal, 2.0f);
    EXPECT_EQ(rig.settings.puts.size(), putsBefore);
}

}  // namespace
}  // namespace mensora::test
