#include "tools/gauge/gauge_line.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace mensora::gauge {
namespace {

struct Rate {
    std::uint32_t baud;
    speed_t speed;
};

constexpr std::array<Rate, 6> kRates{
    {{1200, B1200}, {2400, B2400}, {4800, B4800}, {9600, B9600}, {19200, B19200}, {38400, B38400}}};

std::uint32_t baudOf(speed_t speed) {
    for (const Rate& rate : kRates) {
        if (rate.speed == speed) return rate.baud;
    }
    return 0;
}

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

std::optional<speed_t> speedForBaud(std::uint32_t baud) {
    for (const Rate& rate : kRates) {
        if (rate.baud == baud) return rate.speed;
    }
    return std::nullopt;
}

std::optional<GaugeLine> GaugeLine::open(std::uint32_t baud, std::string& error) {
    const std::optional<speed_t> speed = speedForBaud(baud);
    if (!speed) {
        error = "unsupported line rate";
        return std::nullopt;
    }
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        error = systemError("posix_openpt");
        return std::nullopt;
    }
    GaugeLine line(master, {}, *speed);
    if (fcntl(master, F_SETFD, FD_CLOEXEC) != 0 ||
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK) != 0) {
        error = systemError("fcntl");
        return std::nullopt;
    }
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        error = systemError("grantpt/unlockpt");
        return std::nullopt;
    }
    const char* path = ptsname(master);
    if (path == nullptr) {
        error = systemError("ptsname");
        return std::nullopt;
    }
    line.devicePath_ = path;

    // The terminal's settings are shared by both ends: start it out as the gauge's own serial
    // line (raw bytes, 8N1, the gauge's rate), so a reader that changes nothing gets frames.
    termios settings{};
    if (tcgetattr(master, &settings) != 0) {
        error = systemError("tcgetattr");
        return std::nullopt;
    }
    cfmakeraw(&settings);
    settings.c_cflag = (settings.c_cflag & ~(CSIZE | PARENB | CSTOPB)) | CS8 | CLOCAL | CREAD;
    if (cfsetispeed(&settings, *speed) != 0 || cfsetospeed(&settings, *speed) != 0 ||
        tcsetattr(master, TCSANOW, &settings) != 0) {
        error = systemError("tcsetattr");
        return std::nullopt;
    }

    // Until the device has been opened once, this end cannot tell whether anyone holds it and
    // what is written waits there for the first reader. Opening and closing it here puts the
    // line in the hung-up state, which this end sees, until a reader comes.
    const int device = ::open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (device < 0) {
        error = systemError(path);
        return std::nullopt;
    }
    ::close(device);
    return line;
}

GaugeLine::GaugeLine(int master, std::string devicePath, speed_t speed)
    : master_(master), devicePath_(std::move(devicePath)), speed_(speed) {}

GaugeLine::GaugeLine(GaugeLine&& other) noexcept
    : master_(std::exchange(other.master_, -1)),
      devicePath_(std::move(other.devicePath_)),
      speed_(other.speed_) {}

GaugeLine::~GaugeLine() {
    if (master_ >= 0) ::close(master_);
}

LineState GaugeLine::state() const {
    LineState state;
    pollfd hangUp{master_, POLLOUT, 0};
    state.readerPresent = poll(&hangUp, 1, 0) >= 0 && (hangUp.revents & POLLHUP) == 0;
    termios settings{};
    if (tcgetattr(master_, &settings) != 0) return state;
    const speed_t output = cfgetospeed(&settings);
    const speed_t input = cfgetispeed(&settings) == B0 ? output : cfgetispeed(&settings);
    state.readerBaud = input == output ? baudOf(output) : 0;
    state.rateMatches = input == speed_ && output == speed_ && (settings.c_cflag & CSIZE) == CS8 &&
                        (settings.c_cflag & PARENB) == 0;
    state.echoes = (settings.c_lflag & ECHO) != 0;
    return state;
}

bool GaugeLine::send(const std::vector<std::uint8_t>& bytes) {
    const ssize_t written = ::write(master_, bytes.data(), bytes.size());
    return written == static_cast<ssize_t>(bytes.size());
}

std::size_t GaugeLine::receive(std::uint8_t* buffer, std::size_t capacity) {
    const ssize_t count = ::read(master_, buffer, capacity);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

}  // namespace mensora::gauge
