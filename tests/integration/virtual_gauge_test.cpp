// The virtual gauge: its frames byte by byte, and the tool itself as a process on a real
// pseudo-terminal, read the way the program reads a serial port.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tools/gauge/gauge_commands.h"
#include "tools/gauge/gauge_frames.h"

extern char** environ;

namespace {

using namespace mensora::gauge;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using SteadyClock = std::chrono::steady_clock;

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

// ---------------------------------------------------------------------------------------------
// Frames and commands

struct FrameCase {
    const char* what;
    FrameFormat format;
    double reading;
    bool dataKey;
    Bytes expected;
};

TEST(GaugeFrames, ReadingsAreEncodedExactlyAsTheDecodersExpectThem) {
    const FrameFormat ascii3{Protocol::Ascii, 3};
    const FrameFormat ascii5{Protocol::Ascii, 5};
    const FrameFormat bcd4{Protocol::Bcd, 4};
    const FrameFormat bcd5{Protocol::Bcd, 5};
    const std::vector<FrameCase> cases{
        {"ascii, three decimals", ascii3, 12.345, false, bytesOf("+0012.345\r")},
        {"ascii, negative", ascii3, -12.345, false, bytesOf("-0012.345\r")},
        {"ascii, zero keeps the zero before the point", ascii3, 0.0, false, bytesOf("+0000.000\r")},
        {"ascii, five decimals", ascii5, 1.23455, false, bytesOf("+01.23455\r")},
        {"ascii, five decimals negative", ascii5, -1.23455, false, bytesOf("-01.23455\r")},
        {"ascii, four integer digits", ascii3, -1234.567, false, bytesOf("-1234.567\r")},
        {"ascii, data key adds S and CR", ascii3, 12.345, true, bytesOf("+0012.345\rS\r")},
        {"ascii, rounds to the last digit", ascii3, 2.0004999, false, bytesOf("+0002.000\r")},
        {"ascii, rounds half up", ascii3, 0.0005, false, bytesOf("+0000.001\r")},
        {"ascii, a tiny negative reading is a positive zero", ascii3, -0.0002, false,
         bytesOf("+0000.000\r")},
        {"ascii, overrange shows the largest reading", ascii3, 12345.6, false,
         bytesOf("+9999.999\r")},
        {"ascii, negative overrange", ascii5, -250.0, false, bytesOf("-99.99999\r")},
        {"bcd, four-decimal layout", bcd4, 12.345, false, {0xAA, 0x50, 0x34, 0x12, 0x00}},
        {"bcd, fourth decimal", bcd4, 12.3455, false, {0xAA, 0x55, 0x34, 0x12, 0x00}},
        {"bcd, negative", bcd4, -2.345, false, {0xAA, 0x50, 0x34, 0x02, 0x02}},
        {"bcd, zero", bcd4, 0.0, false, {0xAA, 0x00, 0x00, 0x00, 0x00}},
        {"bcd, five-decimal layout", bcd5, 1.23455, false, {0xAA, 0x55, 0x34, 0x12, 0x01}},
        {"bcd, data key", bcd5, 1.23455, true, {0xAA, 0x55, 0x34, 0x12, 0x05}},
        {"bcd, all flags", bcd5, -9.87654, true, {0xAA, 0x54, 0x76, 0x98, 0x07}},
        {"bcd, overrange shows the largest reading",
         bcd4,
         123.4,
         false,
         {0xAA, 0x99, 0x99, 0x99, 0x00}},
    };
    for (const FrameCase& c : cases) {
        EXPECT_EQ(encodeFrame(c.format, c.reading, c.dataKey), c.expected) << c.what;
    }
}

TEST(GaugeFrames, OnlyTheDecimalsEachGaugeShowsAreAccepted) {
    const std::vector<std::pair<FrameFormat, bool>> cases{
        {{Protocol::Ascii, 3}, true}, {{Protocol::Ascii, 5}, true}, {{Protocol::Ascii, 4}, false},
        {{Protocol::Bcd, 4}, true},   {{Protocol::Bcd, 5}, true},   {{Protocol::Bcd, 3}, false},
    };
    for (const auto& [format, valid] : cases) {
        EXPECT_EQ(isValidFormat(format), valid) << format.decimals << " decimals";
    }
}

// A receiver at the wrong rate must never find a frame or a data key in what it gets.
TEST(GaugeFrames, LineNoiseHoldsNoFrameStartAndNoDataKey) {
    std::mt19937 random(7);
    const Bytes noise = lineNoise(20000, random);
    ASSERT_EQ(noise.size(), 20000u);
    for (const std::uint8_t byte : noise) {
        ASSERT_TRUE((byte >= '0' && byte <= '9') || (byte >= 0x80 && byte < 0xAA)) << int(byte);
    }
    // Bytes that change: nearly every value of the noise alphabet shows up.
    const std::set<std::uint8_t> distinct(noise.begin(), noise.end());
    EXPECT_GE(distinct.size(), 50u);
}

struct ZeroCase {
    const char* what;
    std::vector<Bytes> reads;
    bool zeroed;
};

TEST(GaugeZeroCommand, IsHeardWholeOrSplitOverReadsAndNothingElseZeroes) {
    const std::vector<ZeroCase> cases{
        {"CLR", {bytesOf("CLR")}, true},
        {"AA 00", {{0xAA, 0x00}}, true},
        {"CLR split after C", {bytesOf("C"), bytesOf("LR")}, true},
        {"CLR split in three", {bytesOf("C"), bytesOf("L"), bytesOf("R")}, true},
        {"AA 00 split", {{0xAA}, {0x00}}, true},
        {"CLR among other bytes", {bytesOf("xyCLRz")}, true},
        {"AA 00 behind other bytes", {{0x41, 0xAA, 0x00, 0x13}}, true},
        {"a near miss", {bytesOf("CLX")}, false},
        {"letters in the wrong order", {bytesOf("LCR"), bytesOf("RLC")}, false},
        {"AA then another byte", {{0xAA, 0x01, 0x00}}, false},
        {"a frame is not a command", {bytesOf("+0012.345\r")}, false},
        {"00 then AA", {{0x00, 0xAA}}, false},
    };
    for (const ZeroCase& c : cases) {
        ZeroCommandListener listener;
        bool zeroed = false;
        for (const Bytes& read : c.reads) {
            zeroed = listener.hear(read.data(), read.size()) || zeroed;
        }
        EXPECT_EQ(zeroed, c.zeroed) << c.what;
    }
}

TEST(GaugeZeroCommand, AHalfHeardCommandIsForgottenWhenTheLineChanges) {
    ZeroCommandListener listener;
    const Bytes start = bytesOf("CL");
    const Bytes end = bytesOf("R");
    listener.hear(start.data(), start.size());
    listener.forget();
    EXPECT_FALSE(listener.hear(end.data(), end.size()));
}

// ---------------------------------------------------------------------------------------------
// The tool as a process

constexpr auto kPatience = 5s;  // the longest any expected event may take on a busy machine

class GaugeProcess {
public:
    explicit GaugeProcess(const std::vector<std::string>& arguments) {
        const char* tool = std::getenv("MENSORA_GAUGE");
        if (tool == nullptr || *tool == '\0') {
            ADD_FAILURE() << "MENSORA_GAUGE must name the mensora-gauge executable";
            return;
        }
        ::signal(SIGPIPE, SIG_IGN);  // a gauge that ended must fail a test, not end it
        std::array<int, 2> input{};
        std::array<int, 2> output{};
        if (pipe2(input.data(), O_CLOEXEC) != 0 || pipe2(output.data(), O_CLOEXEC) != 0) {
            ADD_FAILURE() << "no pipes";
            return;
        }
        std::vector<std::string> argv{tool};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        std::vector<char*> pointers;
        for (std::string& argument : argv) pointers.push_back(argument.data());
        pointers.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        const int spawned = posix_spawn(&pid_, tool, &actions, nullptr, pointers.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(input[0]);
        close(output[1]);
        input_ = input[1];
        output_ = output[0];
        if (spawned != 0) {
            pid_ = -1;
            ADD_FAILURE() << "cannot start " << tool;
        }
    }

    ~GaugeProcess() {
        if (pid_ > 0 && !exitStatus_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (input_ >= 0) close(input_);
        if (output_ >= 0) close(output_);
    }

    GaugeProcess(const GaugeProcess&) = delete;
    GaugeProcess& operator=(const GaugeProcess&) = delete;

    // The first line the gauge prints, without its line feed; empty if none came.
    std::string firstLine() {
        std::string text;
        const auto deadline = SteadyClock::now() + kPatience;
        while (text.find('\n') == std::string::npos && SteadyClock::now() < deadline &&
               output_ >= 0) {
            pollfd ready{output_, POLLIN, 0};
            if (poll(&ready, 1, 50) <= 0) continue;
            std::array<char, 256> chunk{};
            const ssize_t count = read(output_, chunk.data(), chunk.size());
            if (count <= 0) break;
            text.append(chunk.data(), static_cast<std::size_t>(count));
        }
        return text.substr(0, text.find('\n'));
    }

    void type(std::string_view text) {
        ASSERT_EQ(write(input_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }

    void signal(int number) { ASSERT_EQ(kill(pid_, number), 0); }

    // The exit status once the gauge has ended, nullopt if it is still running after patience.
    std::optional<int> exitStatus() {
        const auto deadline = SteadyClock::now() + kPatience;
        while (!exitStatus_ && pid_ > 0 && SteadyClock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            } else {
                std::this_thread::sleep_for(10ms);
            }
        }
        return exitStatus_;
    }

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::optional<int> exitStatus_;
};

// The device end, opened as the program opens a serial port: raw, 8N1, non-blocking.
class DeviceReader {
public:
    DeviceReader(const std::string& path, speed_t speed, bool echo = false) : echo_(echo) {
        fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        EXPECT_GE(fd_, 0) << "cannot open " << path;
        setRate(speed);
    }
    ~DeviceReader() {
        if (fd_ >= 0) close(fd_);
    }
    DeviceReader(const DeviceReader&) = delete;
    DeviceReader& operator=(const DeviceReader&) = delete;

    // Sets the line rate and drops what arrived before.
    void setRate(speed_t speed) {
        termios settings{};
        ASSERT_EQ(tcgetattr(fd_, &settings), 0);
        cfmakeraw(&settings);
        settings.c_cflag |= CLOCAL | CREAD;
        if (echo_) {
            // Every byte goes back as it came, control bytes included.
            settings.c_lflag = (settings.c_lflag | ECHO) & ~ECHOCTL;
        }
        cfsetispeed(&settings, speed);
        cfsetospeed(&settings, speed);
        ASSERT_EQ(tcsetattr(fd_, TCSANOW, &settings), 0);
        tcflush(fd_, TCIFLUSH);
    }

    void send(const Bytes& bytes) {
        ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Everything that arrives until done says so or patience runs out.
    Bytes readUntil(const std::function<bool(const Bytes&)>& done,
                    SteadyClock::duration patience = kPatience) {
        Bytes received;
        const auto deadline = SteadyClock::now() + patience;
        while (!done(received) && SteadyClock::now() < deadline) {
            pollfd ready{fd_, POLLIN, 0};
            if (poll(&ready, 1, 20) <= 0) continue;
            std::array<std::uint8_t, 512> chunk{};
            const ssize_t count = read(fd_, chunk.data(), chunk.size());
            if (count > 0) received.insert(received.end(), chunk.begin(), chunk.begin() + count);
        }
        return received;
    }

    Bytes readFor(SteadyClock::duration time) {
        return readUntil([](const Bytes&) { return false; }, time);
    }

private:
    int fd_ = -1;
    bool echo_ = false;
};

struct AsciiFrame {
    std::string reading;  // sign and eight characters, e.g. "+0012.345"
    bool dataKey = false;
};

// The ASCII frames in a stream. A frame start that does not begin a well-formed frame counts
// as broken, except at the very end, where a frame may still be on its way.
struct AsciiStream {
    std::vector<AsciiFrame> frames;
    int broken = 0;
};

AsciiStream scanAscii(const Bytes& bytes) {
    AsciiStream stream;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] != '+' && bytes[i] != '-') {
            ++i;
            continue;
        }
        if (i + 10 > bytes.size()) break;
        const auto body = bytes.begin() + static_cast<std::ptrdiff_t>(i) + 1;
        const bool digits = std::all_of(
            body, body + 8, [](std::uint8_t b) { return (b >= '0' && b <= '9') || b == '.'; });
        if (!digits || std::count(body, body + 8, '.') != 1 || bytes[i + 9] != '\r') {
            ++stream.broken;
            ++i;
            continue;
        }
        AsciiFrame frame{std::string(bytes.begin() + static_cast<std::ptrdiff_t>(i), body + 8)};
        frame.dataKey = i + 12 <= bytes.size() && bytes[i + 10] == 'S' && bytes[i + 11] == '\r';
        stream.frames.push_back(frame);
        i += frame.dataKey ? 12 : 10;
    }
    return stream;
}

std::function<bool(const Bytes&)> asciiFramesArrived(std::size_t count) {
    return [count](const Bytes& bytes) { return scanAscii(bytes).frames.size() >= count; };
}

std::function<bool(const Bytes&)> contains(const Bytes& wanted) {
    return [wanted](const Bytes& bytes) {
        return std::search(bytes.begin(), bytes.end(), wanted.begin(), wanted.end()) != bytes.end();
    };
}

// Where a sequence of bytes first occurs, or the end.
Bytes::const_iterator find(const Bytes& bytes, const Bytes& wanted) {
    return std::search(bytes.begin(), bytes.end(), wanted.begin(), wanted.end());
}

std::filesystem::path makeTemporaryDirectory() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "mensora-gauge-XXXXXX").string();
    EXPECT_NE(mkdtemp(pattern.data()), nullptr);
    return pattern;
}

TEST(VirtualGauge, PrintsItsDeviceAndSendsValidAsciiFramesAtItsOwnRate) {
    const std::filesystem::path directory = makeTemporaryDirectory();
    const std::filesystem::path link = directory / "gauge0";
    GaugeProcess gauge({"--quiet", "--link", link.string()});
    const std::string device = gauge.firstLine();
    ASSERT_TRUE(device.starts_with("/dev/")) << device;
    ASSERT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::read_symlink(link), device);

    DeviceReader reader(link.string(), B9600);
    const AsciiStream stream = scanAscii(reader.readUntil(asciiFramesArrived(5)));
    ASSERT_GE(stream.frames.size(), 5u);
    EXPECT_EQ(stream.broken, 0);
    for (const AsciiFrame& frame : stream.frames) {
        // The default reading wanders a few microns around 12.345.
        EXPECT_TRUE(frame.reading.starts_with("+0012.3")) << frame.reading;
        EXPECT_FALSE(frame.dataKey);
    }
    gauge.signal(SIGTERM);
    EXPECT_EQ(gauge.exitStatus(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)))
        << "the link outlived the gauge";
    std::filesystem::remove_all(directory);
}

TEST(VirtualGauge, SendsOnlyNoiseToAReaderAtAnotherRateAndFramesAgainAtItsOwn) {
    GaugeProcess gauge({"--quiet"});
    const std::string device = gauge.firstLine();
    ASSERT_FALSE(device.empty());
    DeviceReader reader(device, B4800);
    reader.readFor(300ms);  // a frame may have left just before the rate changed
    const Bytes noise = reader.readFor(1s);
    EXPECT_GE(noise.size(), 20u) << "the gauge keeps sending at its pace";
    for (const std::uint8_t byte : noise) {
        ASSERT_TRUE(byte != '+' && byte != '-' && byte != 0xAA)
            << "a frame start reached the wrong rate";
    }
    EXPECT_TRUE(scanAscii(noise).frames.empty());

    reader.setRate(B9600);
    EXPECT_GE(scanAscii(reader.readUntil(asciiFramesArrived(2))).frames.size(), 2u);
}

TEST(VirtualGauge, DataKeySignalSendsExactlyOneTwelveByteFrame) {
    GaugeProcess gauge({"--quiet"});
    const std::string device = gauge.firstLine();
    ASSERT_FALSE(device.empty());
    DeviceReader reader(device, B9600);
    ASSERT_GE(scanAscii(reader.readUntil(asciiFramesArrived(1))).frames.size(),
              1u);  // the gauge sees the reader
    gauge.signal(SIGUSR1);
    const Bytes received = reader.readUntil([](const Bytes& bytes) {
        const AsciiStream stream = scanAscii(bytes);
        const auto key = std::find_if(stream.frames.begin(), stream.frames.end(),
                                      [](const AsciiFrame& frame) { return frame.dataKey; });
        return key != stream.frames.end() &&
               stream.frames.end() - key >= 4;  // and a few frames after it
    });
    const AsciiStream stream = scanAscii(received);
    EXPECT_EQ(stream.broken, 0);
    EXPECT_EQ(std::count_if(stream.frames.begin(), stream.frames.end(),
                            [](const AsciiFrame& f) { return f.dataKey; }),
              1);
}

struct ZeroOnLineCase {
    const char* what;
    std::vector<std::string> arguments;
    speed_t rate;
    Bytes command;
    Bytes frameBefore;
    Bytes frameAfter;
};

TEST(VirtualGauge, ZeroCommandOnTheLineMakesTheReadingZero) {
    const std::vector<ZeroOnLineCase> cases{
        {"ascii gauge, CLR",
         {"--wander", "0"},
         B9600,
         bytesOf("CLR"),
         bytesOf("+0012.345\r"),
         bytesOf("+0000.000\r")},
        {"bcd gauge, AA 00",
         {"--protocol", "bcd", "--wander", "0"},
         B4800,
         {0xAA, 0x00},
         {0xAA, 0x50, 0x34, 0x12, 0x00},
         {0xAA, 0x00, 0x00, 0x00, 0x00}},
        {"bcd gauge, CLR",
         {"--protocol", "bcd", "--wander", "0"},
         B4800,
         bytesOf("CLR"),
         {0xAA, 0x50, 0x34, 0x12, 0x00},
         {0xAA, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const ZeroOnLineCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> arguments = c.arguments;
        arguments.push_back("--quiet");
        GaugeProcess gauge(arguments);
        const std::string device = gauge.firstLine();
        ASSERT_FALSE(device.empty());
        DeviceReader reader(device, c.rate);
        ASSERT_TRUE(contains(c.frameBefore)(reader.readUntil(contains(c.frameBefore))));
        reader.send(c.command);
        // After the first zero frame, every later frame stays at zero.
        const Bytes after = reader.readUntil([&c](const Bytes& bytes) {
            const auto zero = find(bytes, c.frameAfter);
            return bytes.end() - zero >= static_cast<std::ptrdiff_t>(4 * c.frameAfter.size());
        });
        const auto zero = find(after, c.frameAfter);
        ASSERT_NE(zero, after.end()) << "no zero reading arrived";
        for (auto frame = zero;
             after.end() - frame >= static_cast<std::ptrdiff_t>(c.frameAfter.size());
             frame += static_cast<std::ptrdiff_t>(c.frameAfter.size())) {
            EXPECT_TRUE(std::equal(c.frameAfter.begin(), c.frameAfter.end(), frame));
        }
    }
}

TEST(VirtualGauge, ZeroCommandAtTheWrongRateIsNotHeard) {
    GaugeProcess gauge({"--quiet", "--wander", "0"});
    const std::string device = gauge.firstLine();
    ASSERT_FALSE(device.empty());
    DeviceReader reader(device, B4800);
    reader.readFor(300ms);
    reader.send(bytesOf("CLR"));
    reader.readFor(300ms);
    reader.setRate(B9600);
    const AsciiStream stream = scanAscii(reader.readUntil(asciiFramesArrived(3)));
    ASSERT_GE(stream.frames.size(), 3u);
    for (const AsciiFrame& frame : stream.frames) EXPECT_EQ(frame.reading, "+0012.345");
}

// 12.34 in the four-decimal layout is AA 00 34 12 00, which holds the zero command AA 00: a
// line that echoes must not make the gauge zero itself.
TEST(VirtualGauge, ItsOwnFramesEchoedBackAreNotTakenForAZeroCommand) {
    GaugeProcess gauge({"--quiet", "--protocol", "bcd", "--value", "12.34", "--wander", "0"});
    const std::string device = gauge.firstLine();
    ASSERT_FALSE(device.empty());
    DeviceReader reader(device, B4800, true);
    const Bytes frame{0xAA, 0x00, 0x34, 0x12, 0x00};
    ASSERT_TRUE(contains(frame)(reader.readUntil(contains(frame))));
    const Bytes later = reader.readFor(700ms);
    ASSERT_GE(later.size(), 10u);
    const auto first = find(later, frame);
    ASSERT_NE(first, later.end());
    for (auto at = first; later.end() - at >= 5; at += 5) {
        EXPECT_TRUE(std::equal(frame.begin(), frame.end(), at));
    }
}

TEST(VirtualGauge, PackedDecimalGaugeSendsFiveByteFramesInTheChosenLayout) {
    GaugeProcess gauge({"--quiet", "--protocol", "bcd", "--decimals", "5", "--value", "-1.23455",
                        "--wander", "0"});
    const std::string device = gauge.firstLine();
    ASSERT_FALSE(device.empty());
    DeviceReader reader(device,
                        B4800);  // a packed-decimal gauge runs at 4800 unless told otherwise
    const Bytes frame{0xAA, 0x55, 0x34, 0x12, 0x03};
    const Bytes received = reader.readUntil([&frame](const Bytes& bytes) {
        return std::search(bytes.begin(), bytes.end(), frame.begin(), frame.end()) + 15 <=
               bytes.end();
    });
    const auto first = find(received, frame);
    ASSERT_NE(first, received.end());
    for (auto at = first; received.end() - at >= 5; at += 5) {
        EXPECT_TRUE(std::equal(frame.begin(), frame.end(), at));
    }
}

TEST(VirtualGauge, FollowsAScriptAndSendsTheDataKeyWithEveryNthFrame) {
    const std::filesystem::path directory = makeTemporaryDirectory();
    const std::filesystem::path script = directory / "readings.txt";
    std::ofstream(script) << "# a part, then a step\n1.5\n\n-2.25 2  # held for two frames\n";
    GaugeProcess gauge(
        {"--quiet", "--script", script.string(), "--key-every", "3", "--rate", "25"});
    const std::string device = gauge.firstLine();
    ASSERT_FALSE(device.empty());
    DeviceReader reader(device, B9600);
    const AsciiStream stream = scanAscii(reader.readUntil(asciiFramesArrived(12)));
    ASSERT_GE(stream.frames.size(), 12u);
    EXPECT_EQ(stream.broken, 0);
    // The script repeats every three frames: 1.5, -2.25, -2.25. Both it and the key count start
    // with the gauge's first frame, so the key always goes with the second -2.25.
    const std::array<std::string, 3> cycle{"+0001.500", "-0002.250", "-0002.250"};
    const auto start = std::find_if(stream.frames.begin(), stream.frames.end(),
                                    [](const AsciiFrame& f) { return f.reading == "+0001.500"; });
    ASSERT_NE(start, stream.frames.end());
    int keys = 0;
    for (auto frame = start; frame != stream.frames.end(); ++frame) {
        const auto index = static_cast<std::size_t>(frame - start);
        EXPECT_EQ(frame->reading, cycle[index % 3]) << "frame " << index;
        EXPECT_EQ(frame->dataKey, index % 3 == 2) << "frame " << index;
        keys += frame->dataKey ? 1 : 0;
    }
    EXPECT_GE(keys, 3);
    std::filesystem::remove_all(directory);
}

TEST(VirtualGauge, ConsoleSetsTheReadingZeroesItAndQuits) {
    GaugeProcess gauge({"--quiet", "--wander", "0"});
    const std::string device = gauge.firstLine();
    ASSERT_FALSE(device.empty());
    DeviceReader reader(device, B9600);
    gauge.type("v 3.21\n");
    EXPECT_TRUE(
        contains(bytesOf("+0003.210\r"))(reader.readUntil(contains(bytesOf("+0003.210\r")))));
    gauge.type("z\n");
    EXPECT_TRUE(
        contains(bytesOf("+0000.000\r"))(reader.readUntil(contains(bytesOf("+0000.000\r")))));
    gauge.type("v -1.5\nk\n");
    EXPECT_TRUE(
        contains(bytesOf("-0001.500\rS\r"))(reader.readUntil(contains(bytesOf("-0001.500\rS\r")))));
    gauge.type("q\n");
    EXPECT_EQ(gauge.exitStatus(), 0);
}

TEST(VirtualGauge, KeepsSendingWhenTheReaderClosesAndReopens) {
    GaugeProcess gauge({"--quiet"});
    const std::string device = gauge.firstLine();
    ASSERT_FALSE(device.empty());
    for (int opening = 0; opening < 3; ++opening) {
        DeviceReader reader(device, B9600);
        const AsciiStream stream = scanAscii(reader.readUntil(asciiFramesArrived(2)));
        EXPECT_GE(stream.frames.size(), 2u) << "opening " << opening;
        EXPECT_EQ(stream.broken, 0);
    }
    gauge.signal(SIGINT);
    EXPECT_EQ(gauge.exitStatus(), 0);
}

TEST(VirtualGauge, NoReaderForAWhileLeavesNoBacklogOfOldFrames) {
    GaugeProcess gauge({"--quiet", "--rate", "50"});
    const std::string device = gauge.firstLine();
    ASSERT_FALSE(device.empty());
    {
        DeviceReader first(device, B9600);
        first.readUntil(asciiFramesArrived(1));
    }
    std::this_thread::sleep_for(1s);  // 50 frames that nobody could read
    // Opened without flushing, as a careless reader would: what waits is at most what the gauge
    // sent while it could not yet know the reader was gone.
    const int fd = open(device.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    std::array<std::uint8_t, 4096> waiting{};
    const ssize_t count = read(fd, waiting.data(), waiting.size());
    close(fd);
    EXPECT_LE(count, 30);
}

struct RefusalCase {
    const char* what;
    std::vector<std::string> arguments;
};

TEST(VirtualGauge, RefusesACommandLineItCannotFollow) {
    const std::vector<RefusalCase> cases{
        {"unknown protocol", {"--protocol", "morse"}},
        {"ascii gauges show 3 or 5 decimals", {"--decimals", "4"}},
        {"bcd gauges show 4 or 5 decimals", {"--protocol", "bcd", "--decimals", "3"}},
        {"more frames than the line carries", {"--rate", "200"}},
        {"unsupported line rate", {"--baud", "1234"}},
        {"no reading", {"--value", "abc"}},
        {"a reading that is not a number", {"--value", "nan"}},
        {"negative wander", {"--wander", "-1"}},
        {"a data key every zero frames", {"--key-every", "0"}},
        {"a script that does not exist", {"--script", "/nonexistent/readings.txt"}},
        {"a script and a reading at once", {"--script", "/dev/null", "--value", "1"}},
        {"an empty script", {"--script", "/dev/null"}},
        {"an option without its value", {"--rate"}},
        {"an unknown option", {"--colour", "red"}},
    };
    for (const RefusalCase& c : cases) {
        GaugeProcess gauge(c.arguments);
        EXPECT_EQ(gauge.firstLine(), "") << c.what;
        EXPECT_EQ(gauge.exitStatus(), 2) << c.what;
    }
}

}  // namespace
