#include "link/discovery.h"

#include <gtest/gtest.h>

#include "base/control_ids.h"
#include "tests/unit/protocol/link_bench.h"

namespace mensora::test {
namespace {

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
TEST(Discovery, FindsTheGaugeOnCom3At4800StepByStepWhenTheRememberedCom7IsGone) {
    LinkBench bench;
    bench.settings.values = {{"ComID", 7}, {"Baudrate", 9600}};
    bench.serial.openable = {"COM1", "COM3"};
    bench.serial.gauge = GaugeSerial::Gauge{"COM3", 4800, kBcdFrame};
    const FakeSerial& serial = bench.serial;

    bench.discovery.onConnectButton();
    bench.clock.advance(29);
    EXPECT_TRUE(serial.opens.empty());

    // 30 ms: the remembered port fails, the scan opens COM1 in the same tick.
    bench.clock.advance(1);
    EXPECT_EQ(openLog(serial), (Log{"COM7 9600 -", "COM1 9600 ok"}));
    EXPECT_EQ(bench.window.text(StatusField), "com1");
    EXPECT_EQ(bench.clock.periodOf(PortScanTimer), 1500u);
    EXPECT_EQ(bench.clock.periodOf(PollTimer), 50u);
    EXPECT_EQ(serial.dtrRaises, 1);

    // 1530 ms: COM1 again at 4800.
    bench.clock.advance(1499);
    EXPECT_EQ(serial.opens.size(), 2u);
    bench.clock.advance(1);
    EXPECT_EQ(tail(openLog(serial), 2), (Log{"COM1 4800 ok"}));
    EXPECT_EQ(serial.closes, 1);
    EXPECT_EQ(bench.clock.periodOf(PortScanTimer), 360u);
    EXPECT_EQ(serial.dtrRaises, 2);

    // 1890 ms: on from index 2; COM2 is missing, COM3 opens at 9600.
    bench.clock.advance(359);
    EXPECT_EQ(serial.opens.size(), 3u);
    bench.clock.advance(1);
    EXPECT_EQ(tail(openLog(serial), 3), (Log{"COM2 9600 -", "COM3 9600 ok"}));
    EXPECT_EQ(serial.closes, 2);
    EXPECT_EQ(bench.window.text(StatusField), "com3");
    EXPECT_EQ(bench.clock.periodOf(PortScanTimer), 1500u);
    EXPECT_EQ(serial.dtrRaises, 3);

    // The gauge's bytes at the wrong rate fail validation, uncounted, for the whole dwell.
    bench.clock.advance(1499);
    EXPECT_EQ(bench.state.linkConnected, 0);
    EXPECT_EQ(bench.state.counters.badFrameCount, 0u);
    EXPECT_EQ(bench.state.counters.goodFrameCount, 0u);

    // 3390 ms: COM3 at 4800; the first poll 50 ms later links.
    bench.clock.advance(1);
    EXPECT_EQ(tail(openLog(serial), 5), (Log{"COM3 4800 ok"}));
    EXPECT_EQ(bench.clock.periodOf(PortScanTimer), 360u);
    bench.clock.advance(50);
    EXPECT_EQ(bench.state.linkConnected, 1);
    EXPECT_FALSE(bench.clock.isArmed(PortScanTimer));
    EXPECT_EQ(bench.window.text(StatusField), "AA");
    EXPECT_EQ(bench.settings.values.at("ComID"), 3);
    EXPECT_EQ(bench.settings.values.at("Baudrate"), 4800);

    // The next discovery goes to COM3 at 4800 at once.
    bench.discovery.onConnectButton();
    bench.discovery.onConnectButton();
    bench.clock.advance(30);
    EXPECT_EQ(tail(openLog(serial), 6), (Log{"COM3 4800 ok"}));
    bench.clock.advance(50);
    EXPECT_EQ(bench.state.linkConnected, 1);
}

TEST(Discovery, GivesUpInTheFirstStepWhenNoPortOpens) {
    struct Case {
        std::int32_t language;
        std::string message;
    };
    const Case cases[] = {{1, "找不到可用设备!"}, {2, "No available devices found!"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        LinkBench bench;
        bench.state.storedLanguage = c.language;
        // The box is modal and timers tick behind it: the scan must already be stopped.
        bool scanArmedDuringMessage = true;
        bench.window.onMessage = [&] {
            scanArmedDuringMessage = bench.clock.isArmed(PortScanTimer);
        };
        bench.discovery.onConnectButton();
        bench.clock.advance(30);
        const Log expected{"COM1 9600 -",        "COM1 9600 -",        "COM2 9600 -",
                           "COM3 9600 -",        "COM4 9600 -",        "COM5 9600 -",
                           "COM6 9600 -",        "COM7 9600 -",        "COM8 9600 -",
                           "COM9 9600 -",        R"(\\.\COM10 9600 -)", R"(\\.\COM11 9600 -)",
                           R"(\\.\COM12 9600 -)", R"(\\.\COM13 9600 -)", R"(\\.\COM14 9600 -)",
                           R"(\\.\COM15 9600 -)"};
        EXPECT_EQ(openLog(bench.serial), expected);
        EXPECT_EQ(bench.window.messageTexts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(scanArmedDuringMessage);
        EXPECT_FALSE(bench.state.portOpen);
        bench.clock.advance(10000);
        EXPECT_EQ(bench.serial.opens.size(), expected.size());
    }
}

// Each port that opens without a gauge costs 1500 ms at 9600 and 360 ms at 4800; the last
// one the scan may try is index 15.
TEST(Discovery, GivesUpAfterTheDwellOfTheLastPortThatOpened) {
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
        LinkBench bench;
        bench.serial.openable = {c.port};
        bench.discovery.onConnectButton();
        bench.clock.advance(30 + 1500 + 359);
        EXPECT_TRUE(bench.window.messages.empty());
        bench.clock.advance(1);
        EXPECT_EQ(bench.window.messageTexts(), std::vector<std::string>{"找不到可用设备!"});
        const Log log = openLog(bench.serial);
        EXPECT_EQ(tail(log, log.size() - 2), c.lastOpens);
        EXPECT_FALSE(bench.serial.isOpen);
        EXPECT_FALSE(bench.state.portOpen);
        // A poll armed by an earlier step goes on and finds nothing.
        EXPECT_TRUE(bench.clock.isArmed(PollTimer));
    }
}

TEST(Discovery, FirstStepOpensTheRememberedPortOrCom1WhenItIsOutOfRange) {
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
        LinkBench bench;
        bench.settings.values = {{"ComID", c.storedPort}, {"Baudrate", c.storedRate}};
        bench.serial.openable = {"COM1", "COM3", "COM7", R"(\\.\COM16)"};
        bench.discovery.onConnectButton();
        bench.clock.advance(30);
        EXPECT_EQ(openLog(bench.serial), Log{c.opened});
        EXPECT_EQ(bench.clock.periodOf(PortScanTimer), 1500u);
    }
}

// An adapter plugged in since the last discovery must be found: the first step of every
// discovery, and only that one, looks at the machine's ports again.
TEST(Discovery, LooksAtTheMachinesPortsAgainAtTheFirstStepOfEachDiscovery) {
    LinkBench bench;
    bench.serial.openable = {"COM2"};
    bench.discovery.onConnectButton();
    bench.clock.advance(29);
    EXPECT_EQ(bench.portNames.refreshes, 0);
    bench.clock.advance(1 + 1500 + 360);
    EXPECT_EQ(bench.portNames.refreshes, 1);
    bench.discovery.onConnectButton();
    bench.clock.advance(30);
    EXPECT_EQ(bench.portNames.refreshes, 2);
}

TEST(Discovery, PortFoundAtIndex10ShowsCom10) {
    LinkBench bench;
    bench.serial.openable = {R"(\\.\COM10)"};
    bench.discovery.onConnectButton();
    bench.clock.advance(30);
    EXPECT_EQ(bench.window.text(StatusField), "com10");
    EXPECT_EQ(bench.state.portIndex, 10u);
}

TEST(Discovery, GaugeOnTheRememberedPortLinksWithoutAnyScan) {
    LinkBench bench;
    bench.settings.values = {{"ComID", 3}, {"Baudrate", 4800}};
    bench.serial.openable = {"COM1", "COM3"};
    bench.serial.gauge = GaugeSerial::Gauge{"COM3", 4800, kBcdFrame};
    bench.state.statusLabel = "ASC";
    bench.discovery.onConnectButton();
    bench.clock.advance(30);
    EXPECT_EQ(bench.state.statusLabel, "ASC");
    bench.clock.advance(50);
    EXPECT_EQ(bench.state.linkConnected, 1);
    EXPECT_EQ(bench.window.text(StatusField), "AA");
    EXPECT_EQ(openLog(bench.serial), Log{"COM3 4800 ok"});
}

// The remembered port is not tried at the other rate: the scan reaches it again in order.
TEST(Discovery, GaugeAtTheOtherRateOnTheRememberedPortIsFoundByTheScan) {
    LinkBench bench;
    bench.settings.values = {{"ComID", 3}, {"Baudrate", 9600}};
    bench.serial.openable = {"COM3"};
    bench.serial.gauge = GaugeSerial::Gauge{"COM3", 4800, kAsciiFrame};
    bench.discovery.onConnectButton();
    bench.clock.advance(30 + 1500 + 1500 + 50);
    EXPECT_EQ(openLog(bench.serial), (Log{"COM3 9600 ok", "COM1 9600 -", "COM2 9600 -",
                                          "COM3 9600 ok", "COM3 4800 ok"}));
    EXPECT_EQ(bench.state.linkConnected, 1);
    EXPECT_EQ(bench.settings.values.at("Baudrate"), 9600);  // the ASCII protocol's rate
}

TEST(Discovery, SecondClickDuringADiscoveryStartsAgainFromTheRememberedPort) {
    LinkBench bench;
    bench.settings.values = {{"ComID", 5}};
    bench.serial.openable = {"COM1"};
    bench.discovery.onConnectButton();
    bench.clock.advance(100);
    EXPECT_EQ(bench.serial.closes, 0);
    bench.discovery.onConnectButton();
    bench.clock.advance(29);
    EXPECT_EQ(bench.serial.closes, 0);  // the port is closed by the step, not the click
    bench.clock.advance(1);
    EXPECT_EQ(bench.serial.closes, 1);
    EXPECT_EQ(tail(openLog(bench.serial), 2), (Log{"COM5 9600 -", "COM1 9600 ok"}));
}

TEST(Discovery, SilentLinkIsReportedAfter5000MsAndStaysUp) {
    struct Case {
        std::int32_t language;
        std::string message;
    };
    const Case cases[] = {{1, "设备已断开!"}, {2, "Device disconnected!"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        LinkBench bench;
        bench.state.storedLanguage = c.language;
        bench.linkWith(kAsciiFrame);
        const std::uint64_t lastFrame = bench.clock.nowMs();
        bool watchdogArmedDuringMessage = true;
        bench.window.onMessage = [&] {
            watchdogArmedDuringMessage = bench.clock.isArmed(LinkWatchdogTimer);
        };
        bench.advanceTo(lastFrame + 4999);
        EXPECT_TRUE(bench.window.messages.empty());
        bench.advanceTo(lastFrame + 5000);
        EXPECT_EQ(bench.window.messageTexts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(watchdogArmedDuringMessage);
        EXPECT_EQ(bench.state.linkConnected, 1);
        EXPECT_TRUE(bench.serial.isOpen);
        EXPECT_TRUE(bench.clock.isArmed(PollTimer));

        // Frames that come back carry on without a second link-up.
        bench.nextPoll(kAsciiFrame);
        EXPECT_EQ(bench.clock.dueIn(LinkWatchdogTimer), 5000u);
        EXPECT_EQ(bench.sound.starts, 1);
        EXPECT_EQ(bench.settings.puts.size(), 2u);

        bench.discovery.onConnectButton();
        EXPECT_EQ(bench.state.linkConnected, 0);
    }
}

TEST(Discovery, DisconnectStopsTheLinkTimersClosesThePortAndOffersConnectAgain) {
    struct Case {
        std::int32_t language;
        std::string connectCaption;
        std::string autoCaption;
    };
    const Case cases[] = {{1, "打开设备", "自动采集"}, {2, "Connect", "Auto"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.connectCaption);
        LinkBench bench;
        bench.state.storedLanguage = c.language;
        bench.linkWith(kAsciiFrame);
        bench.nextPoll("+0012.3A5\r");
        bench.state.autoSampling = true;
        bench.timers.arm(AutosaveTimer, 60000);
        bench.clock.clearLogs();

        bench.discovery.onConnectButton();
        EXPECT_EQ(bench.clock.killLog(), (std::vector<int>{1, 2, 3, 4, 5}));
        EXPECT_TRUE(bench.clock.isArmed(BeepStopTimer));
        EXPECT_TRUE(bench.clock.isArmed(AutosaveTimer));
        EXPECT_FALSE(bench.serial.isOpen);
        EXPECT_FALSE(bench.state.portOpen);
        EXPECT_EQ(bench.state.linkConnected, 0);
        EXPECT_FALSE(bench.state.autoSampling);
        EXPECT_EQ(bench.window.text(ConnectButton), c.connectCaption);
        EXPECT_EQ(bench.window.text(AutoButton), c.autoCaption);
        EXPECT_FALSE(bench.window.enabled.at(ZeroButton));
        EXPECT_FALSE(bench.window.enabled.at(AutoButton));
        EXPECT_FALSE(bench.window.enabled.at(ManualButton));
        EXPECT_EQ(bench.window.text(LiveValue), " ");
        // Kept until the next Connect: the label, the protocol and the counters.
        EXPECT_EQ(bench.window.text(StatusField), "ASC");
        EXPECT_EQ(bench.state.protocolKind, ProtocolKind::Ascii);
        EXPECT_EQ(bench.state.counters.badFrameCount, 1u);
        EXPECT_EQ(bench.state.counters.goodFrameCount, 1u);

        // Connect resets them without a push: the screen shows the zeros at the next one.
        bench.discovery.onConnectButton();
        EXPECT_EQ(bench.state.counters.badFrameCount, 0u);
        EXPECT_EQ(bench.state.counters.goodFrameCount, 0u);
        EXPECT_EQ(bench.state.protocolKind, ProtocolKind::None);
        EXPECT_EQ(bench.window.text(BadFrameField), "1");
    }
}

// Values typed into an open panel must not become judging values or settings by a
// disconnect: the panel closes as if never opened.
TEST(Discovery, DisconnectWhileTheParametersPanelIsOpenClosesItWithoutStoring) {
    LinkBench bench;
    bench.state.parameters.nominal = 2.0f;
    bench.state.parameters.shownNominal = 2.0f;
    bench.linkWith(kAsciiFrame);
    bench.panel.onParametersButton();
    ASSERT_TRUE(bench.state.paramEditMode);
    bench.window.setText(NominalField, "9.5");
    const std::size_t putsBefore = bench.settings.puts.size();

    bench.discovery.onConnectButton();
    EXPECT_FALSE(bench.state.paramEditMode);
    EXPECT_EQ(bench.window.text(NominalField), "2");
    EXPECT_TRUE(bench.window.enabled.at(LiveValue));
    EXPECT_FALSE(bench.window.enabled.at(NominalField));
    EXPECT_EQ(bench.window.text(ParametersButton), "参数设置");
    EXPECT_EQ(bench.state.parameters.nominal, 2.0f);
    EXPECT_EQ(bench.settings.puts.size(), putsBefore);
}

}  // namespace
}  // namespace mensora::test
