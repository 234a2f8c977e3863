// The POSIX serial port against a real pseudo-terminal: the master side plays the gauge, the
// slave side is the port the program opens. A second descriptor on the slave (the probe)
// watches the port's input queue and its exclusive flag without taking bytes from it.

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "link/serial_port.h"

namespace mensora {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The pty moves bytes to the other side in the background; every wait is bounded.
constexpr int kWaitRounds = 2000;
void shortPause() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

int queuedAt(int fd) {
    int queued = -1;
    ::ioctl(fd, FIONREAD, &queued);
    return queued;
}

bool exclusiveFlag(int fd) {
    int exclusive = 0;
    ::ioctl(fd, TIOCGEXCL, &exclusive);
    return exclusive != 0;
}

class Pty {
public:
    Pty() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        slaveName_ = ::ptsname(master_);
        probe_ = ::open(slaveName_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    }
    ~Pty() {
        if (probe_ >= 0) ::close(probe_);
        if (master_ >= 0) ::close(master_);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    bool ready() const { return master_ >= 0 && probe_ >= 0; }
    const std::string& slaveName() const { return slaveName_; }
    int probe() const { return probe_; }

    // The gauge sends; returns once the port's input queue holds everything sent so far.
    bool gaugeSends(const Bytes& bytes) {
        if (::write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            return false;
        }
        expectedQueued_ += static_cast<int>(bytes.size());
        for (int round = 0; round < kWaitRounds && queuedAt(probe_) < expectedQueued_; ++round) {
            shortPause();
        }
        return queuedAt(probe_) == expectedQueued_;
    }
    void portWasRead() { expectedQueued_ = queuedAt(probe_); }
    // The gauge's end of the line goes away, as a pulled USB adapter's does.
    void gaugeGoesAway() {
        ::close(master_);
        master_ = -1;
    }

    // Bytes put on the line toward the gauge past the port under test.
    bool lineSends(const Bytes& bytes) {
        return ::write(probe_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // What the gauge has received, once `count` bytes have come or the wait ran out.
    Bytes gaugeReceives(std::size_t count) {
        Bytes received;
        std::array<std::uint8_t, 256> chunk{};
        for (int round = 0; round < kWaitRounds && received.size() < count; ++round) {
            const ssize_t got = ::read(master_, chunk.data(), chunk.size());
            if (got > 0) {
                received.insert(received.end(), chunk.begin(), chunk.begin() + got);
            } else {
                shortPause();
            }
        }
        return received;
    }

    // The line settings as the gauge's side sees them (a pty reports the slave's settings).
    termios lineSettings() const {
        termios line{};
        ::tcgetattr(master_, &line);
        return line;
    }
    speed_t lineSpeed() const {
        const termios line = lineSettings();
        return ::cfgetospeed(&line);
    }

private:
    int master_ = -1;
    int probe_ = -1;
    std::string slaveName_;
    int expectedQueued_ = 0;
};

Bytes pattern(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return bytes;
}

class SerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ready()) << "no pseudo-terminal could be made";
        ASSERT_EQ(port.open(pty.slaveName(), 9600), 0);
    }

    // One readAvailable: its result, and the bytes it claims to have placed.
    struct Read {
        int result;
        Bytes bytes;
    };
    Read readOnce() {
        buffer.fill(0xEE);
        std::uint32_t count = 12345;
        const int result = port.readAvailable(buffer.data(), count);
        pty.portWasRead();
        EXPECT_LE(count, kMaxBytesPerRead);
        const auto claimed =
            static_cast<std::ptrdiff_t>(std::min<std::size_t>(count, buffer.size()));
        return {result, Bytes(buffer.begin(), buffer.begin() + claimed)};
    }

    Pty pty;
    SerialPort port;
    std::array<std::uint8_t, 1024> buffer{};
};

// The poll takes at most 200 bytes each tick; the rest must wait in the queue, in order.
TEST_F(SerialPortOnPty, TakesAtMost200BytesPerReadAndLeavesTheRestQueuedInOrder) {
    const Bytes sent = pattern(450);
    ASSERT_TRUE(pty.gaugeSends(sent));

    const Read first = readOnce();
    const Read second = readOnce();
    const Read third = readOnce();
    const Read fourth = readOnce();

    EXPECT_EQ(first.result, 0);
    EXPECT_EQ(first.bytes, Bytes(sent.begin(), sent.begin() + 200));
    EXPECT_EQ(second.result, 0);
    EXPECT_EQ(second.bytes, Bytes(sent.begin() + 200, sent.begin() + 400));
    EXPECT_EQ(third.result, 0);
    EXPECT_EQ(third.bytes, Bytes(sent.begin() + 400, sent.end()));
    EXPECT_EQ(fourth.result, -1);
    EXPECT_TRUE(fourth.bytes.empty());
}

TEST_F(SerialPortOnPty, ExactlyTwoHundredQueuedBytesAreTakenInOneRead) {
    const Bytes sent = pattern(200);
    ASSERT_TRUE(pty.gaugeSends(sent));

    const Read read = readOnce();

    EXPECT_EQ(read.result, 0);
    EXPECT_EQ(read.bytes, sent);
    EXPECT_EQ(queuedAt(pty.probe()), 0);
}

// The poll parses only what the count says; a silent line must not leave it a stale count.
TEST_F(SerialPortOnPty, EmptyQueueReportsNoDataAndLeavesTheBufferUntouched) {
    buffer.fill(0x5A);
    std::uint32_t count = 99;

    EXPECT_EQ(port.readAvailable(buffer.data(), count), -1);

    EXPECT_EQ(count, 0u);
    for (const std::uint8_t byte : buffer) ASSERT_EQ(byte, 0x5A);
}

// A device that went away is told apart from a silent one, whatever it had sent before, and
// for as long as the port stays open; nothing of it is placed in the buffer.
TEST_F(SerialPortOnPty, GaugeSideClosingReportsTheDeviceLostOnEveryRead) {
    struct Case {
        const char* what;
        Bytes sentBefore;
    };
    for (const Case& c :
         {Case{"nothing queued", {}}, Case{"bytes still queued", {'+', '1', '\r'}}}) {
        SCOPED_TRACE(c.what);
        Pty gone;
        ASSERT_TRUE(gone.ready());
        SerialPort lost;
        ASSERT_EQ(lost.open(gone.slaveName(), 9600), 0);
        ASSERT_TRUE(gone.gaugeSends(c.sentBefore));

        gone.gaugeGoesAway();

        for (int read = 0; read < 3; ++read) {
            buffer.fill(0x5A);
            std::uint32_t count = 99;
            EXPECT_EQ(lost.readAvailable(buffer.data(), count), kDeviceLost);
            EXPECT_EQ(count, 0u);
            EXPECT_EQ(buffer[0], 0x5A);
        }
        lost.close();
        std::uint32_t count = 99;
        EXPECT_EQ(lost.readAvailable(buffer.data(), count), -1) << "a closed port is no lost one";
    }
    // The port of the fixture, whose gauge is still there, is only silent.
    std::uint32_t count = 99;
    EXPECT_EQ(port.readAvailable(buffer.data(), count), -1);
}

// The frames carry CR terminators, 0xAA starts and packed digits: a terminal layer that
// translated, swallowed or signalled on any of them would corrupt readings.
TEST_F(SerialPortOnPty, PassesEveryByteFromTheGaugeThroughUnchanged) {
    struct Case {
        const char* what;
        std::uint8_t byte;
    };
    const Case cases[] = {
        {"carriage return", 0x0D},
        {"line feed", 0x0A},
        {"packed-decimal frame start", 0xAA},
        {"XON", 0x11},
        {"XOFF", 0x13},
        {"interrupt (Ctrl-C)", 0x03},
        {"end of file (Ctrl-D)", 0x04},
        {"suspend (Ctrl-Z)", 0x1A},
        {"quit", 0x1C},
        {"delete", 0x7F},
        {"all bits set", 0xFF},
        {"zero", 0x00},
    };
    port.raiseDtr();  // as discovery does before listening; a pty has no DTR line
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(pty.gaugeSends({c.byte, c.byte}));
        const Read read = readOnce();
        EXPECT_EQ(read.result, 0);
        EXPECT_EQ(read.bytes, Bytes({c.byte, c.byte}));
    }
}

TEST_F(SerialPortOnPty, WritesCommandBytesToTheGaugeUnchanged) {
    const Bytes commands[] = {
        {0xAA, 0x00},                                // packed-decimal zero command
        {'C', 'L', 'R'},                             // ASCII zero command
        {0x0A, 0x0D, 0x09, 0x11, 0x13, 0x7F, 0xFF},  // no CR/LF or tab expansion, no flow control
    };
    for (const Bytes& command : commands) {
        EXPECT_EQ(port.write(command.data(), command.size()), 0);
        EXPECT_EQ(pty.gaugeReceives(command.size()), command);
    }
}

// After a zero command the next poll must see only frames the gauge sent after it. The
// command itself must still reach the gauge although the line has not sent it yet when the
// write returns: here the gauge's side still holds more unread bytes than it can take in, so
// the command waits in the output queue that the write must not discard.
TEST_F(SerialPortOnPty, CompletedWriteDropsUnreadInputButDeliversTheCommand) {
    ASSERT_TRUE(pty.gaugeSends(pattern(37)));
    const Bytes backlog(8192, 'b');
    ASSERT_TRUE(pty.lineSends(backlog));
    const Bytes command = {'C', 'L', 'R'};

    EXPECT_EQ(port.write(command.data(), command.size()), 0);

    EXPECT_EQ(queuedAt(pty.probe()), 0);
    EXPECT_EQ(readOnce().result, -1);
    Bytes expected = backlog;
    expected.insert(expected.end(), command.begin(), command.end());
    EXPECT_EQ(pty.gaugeReceives(expected.size()), expected);
}

// The virtual gauge reads the rate from its side of the pty to decide whether to answer.
TEST(SerialPortRate, OpenSetsTheRequestedRateOnTheLine) {
    struct Case {
        std::int32_t baudRate;
        speed_t speed;
    };
    const Case cases[] = {
        {9600, B9600}, {4800, B4800}, {1200, B1200}, {19200, B19200}, {115200, B115200}};
    Pty pty;
    ASSERT_TRUE(pty.ready());
    SerialPort port;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.baudRate);
        ASSERT_EQ(port.open(pty.slaveName(), c.baudRate), 0);
        EXPECT_EQ(pty.lineSpeed(), c.speed);
        port.close();
    }
}

// The line settings must reach the device itself, replacing what an earlier user left there.
// (A pty always carries 8 data bits without parity, so those are checked on the settings
// alone, in the line settings tests.)
TEST(SerialPortLine, OpenPutsRawLineSettingsOnTheDevice) {
    Pty pty;
    ASSERT_TRUE(pty.ready());
    termios cooked{};
    ASSERT_EQ(::tcgetattr(pty.probe(), &cooked), 0);
    cooked.c_cflag = (cooked.c_cflag | CSTOPB) & ~static_cast<tcflag_t>(CLOCAL);
    cooked.c_iflag |= ICRNL | IXON;
    cooked.c_oflag |= OPOST | ONLCR;
    cooked.c_lflag |= ICANON | ECHO | ISIG;
    ASSERT_EQ(::tcsetattr(pty.probe(), TCSANOW, &cooked), 0);
    SerialPort port;

    ASSERT_EQ(port.open(pty.slaveName(), 9600), 0);

    const termios line = pty.lineSettings();
    EXPECT_EQ(line.c_cflag & (CSTOPB | CLOCAL), static_cast<tcflag_t>(CLOCAL));
    EXPECT_EQ(line.c_iflag & (ICRNL | IXON), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
}

// A remembered rate the line cannot take is not an open failure: the port is usable and the
// gauge's frames will simply not decode.
TEST(SerialPortRate, UnsupportedRateStillOpensAndLeavesTheRateAsItWas) {
    Pty pty;
    ASSERT_TRUE(pty.ready());
    SerialPort port;
    ASSERT_EQ(port.open(pty.slaveName(), 4800), 0);
    port.close();

    for (const std::int32_t rate : {12345, 0, -9600}) {
        SCOPED_TRACE(rate);
        ASSERT_EQ(port.open(pty.slaveName(), rate), 0);
        EXPECT_EQ(pty.lineSpeed(), B4800);
        ASSERT_TRUE(pty.gaugeSends({'+', '1'}));
        std::array<std::uint8_t, 200> buffer{};
        std::uint32_t count = 0;
        EXPECT_EQ(port.readAvailable(buffer.data(), count), 0);
        EXPECT_EQ(count, 2u);
        pty.portWasRead();
        port.close();
    }
}

// Discovery skips a port that fails to open; a port left half-open would be polled forever.
TEST(SerialPortOpen, NamesThatAreNoSerialPortFailToOpenAndLeaveNoPortOpen) {
    char fileTemplate[] = "/tmp/mensora-serial-test-XXXXXX";
    const int file = ::mkstemp(fileTemplate);
    ASSERT_GE(file, 0);
    ASSERT_EQ(::write(file, "+0012.345\r", 10), 10);
    ::close(file);
    const std::string plainFile = fileTemplate;

    for (const std::string& name : {std::string("/dev/mensora-no-such-port"), std::string(),
                                    plainFile, std::string("/tmp")}) {
        SCOPED_TRACE(name);
        SerialPort port;
        EXPECT_EQ(port.open(name, 9600), -1);
        std::array<std::uint8_t, 200> buffer{};
        std::uint32_t count = 7;
        EXPECT_EQ(port.readAvailable(buffer.data(), count), -1);
        EXPECT_EQ(count, 0u);
        const std::uint8_t zero[] = {0xAA, 0x00};
        EXPECT_EQ(port.write(zero, sizeof zero), -1);
    }
    ::unlink(fileTemplate);
}

TEST(SerialPortOpen, PortNeverOpenedOrClosedReportsNoDataAndIgnoresTheRest) {
    Pty pty;
    ASSERT_TRUE(pty.ready());
    SerialPort neverOpened;
    SerialPort closed;
    ASSERT_EQ(closed.open(pty.slaveName(), 9600), 0);
    closed.close();
    ASSERT_TRUE(pty.gaugeSends({'+', '1', '\r'}));  // queued, but no port of ours is open

    for (SerialPort* port : {&neverOpened, &closed}) {
        std::array<std::uint8_t, 200> buffer{};
        buffer.fill(0x33);
        std::uint32_t count = 5;
        EXPECT_EQ(port->readAvailable(buffer.data(), count), -1);
        EXPECT_EQ(count, 0u);
        EXPECT_EQ(buffer[0], 0x33);
        const std::uint8_t zero[] = {0xAA, 0x00};
        EXPECT_EQ(port->write(zero, sizeof zero), -1);
        port->raiseDtr();
        port->close();
    }
    EXPECT_EQ(queuedAt(pty.probe()), 3);
}

// Two programs polling one gauge would each get half of its frames.
TEST(SerialPortExclusive, SecondOpenOfAPortInUseFailsAndSucceedsAfterClose) {
    Pty pty;
    ASSERT_TRUE(pty.ready());
    SerialPort first;
    SerialPort second;
    ASSERT_EQ(first.open(pty.slaveName(), 9600), 0);
    EXPECT_TRUE(exclusiveFlag(pty.probe()));

    EXPECT_EQ(second.open(pty.slaveName(), 9600), -1);

    first.close();
    EXPECT_FALSE(exclusiveFlag(pty.probe())) << "the claim must not outlive the close";
    EXPECT_EQ(second.open(pty.slaveName(), 4800), 0);
    EXPECT_EQ(first.open(pty.slaveName(), 9600), -1);
    second.close();
    EXPECT_EQ(first.open(pty.slaveName(), 9600), 0) << "a port closed by its holder reopens";
}

TEST(SerialPortExclusive, PortHeldExclusivelyByAnotherProgramIsNotOpenedNorReleased) {
    Pty pty;
    ASSERT_TRUE(pty.ready());
    ASSERT_EQ(::ioctl(pty.probe(), TIOCEXCL), 0);  // the other program's claim

    SerialPort port;
    EXPECT_EQ(port.open(pty.slaveName(), 9600), -1);
    EXPECT_TRUE(exclusiveFlag(pty.probe())) << "a failed open must leave the other claim alone";
    ::ioctl(pty.probe(), TIOCNXCL);
}

// Discovery re-opens ports again and again; a lost descriptor would keep its device claimed.
TEST(SerialPortExclusive, OpeningAnotherPortReleasesThePortStillOpen) {
    Pty first;
    Pty second;
    ASSERT_TRUE(first.ready() && second.ready());
    SerialPort port;
    ASSERT_EQ(port.open(first.slaveName(), 9600), 0);

    ASSERT_EQ(port.open(second.slaveName(), 9600), 0);

    EXPECT_FALSE(exclusiveFlag(first.probe()));
    EXPECT_TRUE(exclusiveFlag(second.probe()));
    SerialPort other;
    EXPECT_EQ(other.open(first.slaveName(), 9600), 0);
}

}  // namespace
}  // namespace mensora
