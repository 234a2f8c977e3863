// The Win32 serial port and the program's discovery against virtual gauges, with the
// prefix's serial ports set up by tests/wine/with-gauges before this program starts. Two
// layouts, each for its own tests (see tests/wine/CMakeLists.txt):
//   Win32SerialPort, Win32Discovery:
//     COM3 ASCII frames at 9600 baud, COM4 refusing to open, COM5 and COM6 packed-decimal
//     frames at 4800 baud (COM6 only for the zero command, which changes its reading)
//   Win32DiscoveryPastARefusingPort:
//     COM3 refusing to open, COM5 packed-decimal frames at 4800 baud
// Every gauge sends 20 frames a second reading 12.345. A gauge sends noise to a receiver
// set to a rate other than its own, so a frame read back proves the rate the port was set
// to. A port refusing to open is what Windows makes of a port another program holds.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "dialog/station.h"
#include "dialog/station_records.h"
#include "link/fixed_port_names.h"
#include "link/serial_port.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_settings.h"
#include "tests/support/fake_sound.h"
#include "tests/support/fake_window.h"
#include "tests/support/manual_work.h"
#include "tests/support/virtual_clock.h"

namespace mensora {
namespace {

const std::string kAsciiFrame = "+0012.345\r";
const std::string kBcdFrame = "\xAA\x50\x34\x12\x00";
const std::string kBcdZeroFrame = std::string("\xAA\x00\x00\x00\x00", 5);

// Everything the port delivers over ms milliseconds, taken the way the poll takes it.
struct Received {
    std::string bytes;
    std::uint32_t largestRead = 0;
};

Received receiveFor(SerialPort& port, int ms) {
    Received received;
    std::array<std::uint8_t, 256> buffer{};
    for (int waited = 0; waited < ms; waited += 20) {
        Sleep(20);
        std::uint32_t count = 0;
        while (port.readAvailable(buffer.data(), count) == 0) {
            received.bytes.append(reinterpret_cast<const char*>(buffer.data()), count);
            received.largestRead = std::max(received.largestRead, count);
        }
    }
    return received;
}

// How many times frame occurs in bytes.
int occurrences(const std::string& bytes, const std::string& frame) {
    int found = 0;
    for (auto at = bytes.find(frame); at != std::string::npos; at = bytes.find(frame, at + 1)) {
        ++found;
    }
    return found;
}

TEST(Win32SerialPort, OnlyTheGaugesOwnRateCarriesItsFrames) {
    const struct {
        const char* port;
        std::int32_t baudRate;
        const std::string& frame;
        bool framesExpected;
    } cases[] = {
        {"COM3", 9600, kAsciiFrame, true},
        {"COM3", 4800, kAsciiFrame, false},
        {"COM5", 4800, kBcdFrame, true},
        {"COM5", 9600, kBcdFrame, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.port) + " at " + std::to_string(c.baudRate));
        SerialPort port;
        ASSERT_EQ(port.open(c.port, c.baudRate), 0);
        // The gauge notices the receiver's rate with its next frame.
        receiveFor(port, 200);
        const Received received = receiveFor(port, 500);
        EXPECT_FALSE(received.bytes.empty());
        if (c.framesExpected) {
            EXPECT_GE(occurrences(received.bytes, c.frame), 5);
        } else {
            EXPECT_EQ(occurrences(received.bytes, c.frame), 0);
        }
        port.close();
    }
}

TEST(Win32SerialPort, AReadTakesAtMost200QueuedBytesAndLeavesTheRestQueuedInOrder) {
    SerialPort port;
    ASSERT_EQ(port.open("COM3", 9600), 0);
    // 20 frames of 10 bytes a second: well over 200 bytes queue up.
    Sleep(1500);
    std::array<std::uint8_t, 256> buffer{};
    buffer.fill(0x55);
    std::uint32_t count = 0;
    ASSERT_EQ(port.readAvailable(buffer.data(), count), 0);
    EXPECT_EQ(count, 200u);
    EXPECT_EQ(buffer[200], 0x55);  // nothing past what was counted
    std::string bytes(reinterpret_cast<const char*>(buffer.data()), count);
    ASSERT_EQ(port.readAvailable(buffer.data(), count), 0);
    EXPECT_GT(count, 0u);
    EXPECT_LE(count, 200u);
    bytes.append(reinterpret_cast<const char*>(buffer.data()), count);

    // The two reads together are whole frames one after the other: no byte lost between.
    const auto start = bytes.find('+');
    ASSERT_NE(start, std::string::npos);
    const std::size_t whole = (bytes.size() - start) / kAsciiFrame.size();
    EXPECT_GE(whole, 25u);
    EXPECT_EQ(occurrences(bytes.substr(start), kAsciiFrame), static_cast<int>(whole));
}

TEST(Win32SerialPort, AClosedPortReadsNothingAndLeavesTheBufferAsItWas) {
    SerialPort port;
    ASSERT_EQ(port.open("COM3", 9600), 0);
    Sleep(100);
    port.close();
    std::array<std::uint8_t, 256> buffer{};
    buffer.fill(0x55);
    std::uint32_t count = 77;
    EXPECT_EQ(port.readAvailable(buffer.data(), count), -1);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(buffer[0], 0x55);
    const std::uint8_t zero[] = {0xAA, 0x00};
    EXPECT_EQ(port.write(zero, sizeof zero), -1);
}

TEST(Win32SerialPort, TheZeroCommandReachesTheGaugeAndWhatWasQueuedBeforeIsDropped) {
    SerialPort port;
    ASSERT_EQ(port.open("COM6", 4800), 0);
    receiveFor(port, 200);
    // About a dozen frames of the old reading wait in the queue when the command goes out.
    Sleep(600);
    const std::uint8_t zero[] = {0xAA, 0x00};
    EXPECT_EQ(port.write(zero, sizeof zero), 0);
    const Received after = receiveFor(port, 500);
    // At most a frame or two of the old reading came in before the gauge took the command.
    EXPECT_LE(occurrences(after.bytes, kBcdFrame), 2);
    // The gauge took it: its readings are zero from then on.
    EXPECT_GE(occurrences(after.bytes, kBcdZeroFrame), 5);
    ASSERT_GE(after.bytes.size(), kBcdZeroFrame.size());
    EXPECT_EQ(after.bytes.substr(after.bytes.size() - kBcdZeroFrame.size()), kBcdZeroFrame);
}

TEST(Win32SerialPort, RaisingDtrLeavesTheLineWorking) {
    SerialPort port;
    port.raiseDtr();  // no port: nothing happens
    ASSERT_EQ(port.open("COM5", 4800), 0);
    port.raiseDtr();
    receiveFor(port, 200);
    EXPECT_GE(occurrences(receiveFor(port, 500).bytes, kBcdFrame), 5);
}

TEST(Win32SerialPort, AMissingOrRefusingPortDoesNotOpenAndThenReadsNothing) {
    for (const char* name : {"COM7", "COM4"}) {
        SCOPED_TRACE(name);
        SerialPort port;
        EXPECT_EQ(port.open(name, 9600), -1);
        std::array<std::uint8_t, 16> buffer{};
        std::uint32_t count = 77;
        EXPECT_EQ(port.readAvailable(buffer.data(), count), -1);
        EXPECT_EQ(count, 0u);
    }
}

// ---- Discovery through the program's dialog -----------------------------------------------

// The real serial port, with every open logged as "COM5 4800 ok" or "COM3 9600 -".
class LoggedPort : public SerialDevice {
public:
    int open(const std::string& portName, std::int32_t baudRate) override {
        const int result = port_.open(portName, baudRate);
        opens.push_back(portName + " " + std::to_string(baudRate) + (result == 0 ? " ok" : " -"));
        return result;
    }
    int readAvailable(std::uint8_t* buffer, std::uint32_t& receivedCount) override {
        return port_.readAvailable(buffer, receivedCount);
    }
    int write(const std::uint8_t* bytes, std::size_t count) override {
        return port_.write(bytes, count);
    }
    void raiseDtr() override { port_.raiseDtr(); }
    void close() override { port_.close(); }

    std::vector<std::string> opens;

private:
    SerialPort port_;
};

// The program's dialog with the real serial port and the fixed COM names; the window,
// settings, sound and files are fakes, and its timers run on a virtual clock kept in step
// with real time, which the gauges' bytes follow.
struct RealPortDialog {
    RealPortDialog() {
        clock.setTickHandler([this](int id) { dialog.onTimer(id); });
    }

    // Lets up to limitMs of real time pass, 10 ms at a time, until done() holds.
    bool runUntil(const std::function<bool()>& done, int limitMs) {
        for (int elapsed = 0; elapsed < limitMs; elapsed += 10) {
            if (done()) return true;
            Sleep(10);
            clock.advance(10);
        }
        return done();
    }
    bool linked() const { return dialog.state().linkConnected; }

    test::VirtualClock clock;
    test::FakeSettings settings;
    test::FakeWindow window;
    test::FakeSound sound;
    LoggedPort serial;
    FixedPortNames portNames;
    test::FakeFileSystem fileSystem;
    test::ManualWork work;
    StationRecords records{1000};
    Station station{
        records,
        DialogPorts{clock, settings, window, sound, clock, serial, portNames, fileSystem, work},
        StationWork{[this](Door) { return work.lend(); }, clock}, StationDoors{}};
    MainDialog& dialog = station.dialog();
};

std::vector<std::string> lastOf(const std::vector<std::string>& log, std::size_t n) {
    return std::vector<std::string>(
        log.end() - static_cast<std::ptrdiff_t>(std::min(n, log.size())), log.end());
}

TEST(Win32Discovery, MovesOnFromARememberedPortThatRefusesAndFindsTheAsciiGaugeOnCom3At9600) {
    auto bench = std::make_unique<RealPortDialog>();
    bench->settings.values = {{"ComID", 4}, {"Baudrate", 9600}};
    bench->dialog.initialise();
    bench->dialog.onCommand(ConnectButton);
    ASSERT_TRUE(bench->runUntil([&] { return bench->linked(); }, 20000));
    const auto& opens = bench->serial.opens;
    EXPECT_EQ(opens.front(), "COM4 9600 -");
    EXPECT_EQ(lastOf(opens, 1), std::vector<std::string>{"COM3 9600 ok"});
    EXPECT_EQ(bench->settings.values.at("ComID"), 3);
    EXPECT_EQ(bench->settings.values.at("Baudrate"), 9600);
    EXPECT_TRUE(bench->runUntil([&] { return bench->window.text(LiveValue) == "12.345"; }, 2000))
        << bench->window.text(LiveValue);
}

TEST(Win32DiscoveryPastARefusingPort, FindsThePackedDecimalGaugeOnCom5At4800) {
    auto bench = std::make_unique<RealPortDialog>();
    bench->settings.values = {{"ComID", 7}, {"Baudrate", 9600}};  // a port that is not there
    bench->dialog.initialise();
    bench->dialog.onCommand(ConnectButton);
    ASSERT_TRUE(bench->runUntil([&] { return bench->linked(); }, 20000));
    const auto& opens = bench->serial.opens;
    EXPECT_NE(std::find(opens.begin(), opens.end(), "COM3 9600 -"), opens.end());
    EXPECT_EQ(lastOf(opens, 2), (std::vector<std::string>{"COM5 9600 ok", "COM5 4800 ok"}));
    EXPECT_EQ(bench->settings.values.at("ComID"), 5);
    EXPECT_EQ(bench->settings.values.at("Baudrate"), 4800);
    EXPECT_EQ(bench->window.text(StatusField), "AA");
}

}  // namespace
}  // namespace mensora
