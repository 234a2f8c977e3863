// The serial port on POSIX systems, through termios.
//
// The line is raw in both directions: the gauge's carriage returns, 0xAA frame starts and
// XON/XOFF-valued bytes must reach the frame decoder as sent, and the zero command must reach
// the gauge as written. The descriptor is non-blocking, so a read takes only what is queued.

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "link/serial_line_settings.h"
#include "link/serial_port.h"

namespace mensora {

namespace {

constexpr int kNoPort = -1;

struct RateSpeed {
    std::int32_t rate;
    speed_t speed;
};

constexpr RateSpeed kRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},
#ifdef B4000000
    {460800, B460800},   {500000, B500000},   {576000, B576000},   {921600, B921600},
    {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000}, {2000000, B2000000},
    {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
#endif
};

std::optional<speed_t> speedFor(std::int32_t baudRate) {
    const auto* found = std::find_if(std::begin(kRates), std::end(kRates),
                                     [baudRate](const RateSpeed& r) { return r.rate == baudRate; });
    if (found == std::end(kRates)) return std::nullopt;
    return found->speed;
}

// Whether someone else already holds the device: another copy of this program (the lock), or
// any program that made the terminal exclusive (a privileged process is let through the
// exclusive flag by the system, so it is asked for explicitly).
bool heldByAnother(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return true;
#ifdef TIOCGEXCL
    int exclusive = 0;
    if (::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0) return true;
#endif
    return false;
}

// The device's settings made right for the gauge; false when it is not a terminal at all.
bool applyLineSettings(int fd, std::int32_t baudRate) {
    termios reported{};
    if (::tcgetattr(fd, &reported) != 0) return false;
    const termios line = gaugeLineSettings(reported, baudRate);
    ::tcsetattr(fd, TCSANOW, &line);
    return true;
}

// The errors of a device that is no longer there, as opposed to one that has nothing to say.
bool deviceGoneError(int error) { return error == EIO || error == ENXIO || error == ENODEV; }

// A hung-up line (a USB adapter pulled, the other end of a pseudo-terminal closed) reports
// the hang-up at once and never again gives bytes.
bool hungUp(int fd) {
    pollfd line{fd, POLLIN, 0};
    return ::poll(&line, 1, 0) > 0 && (line.revents & POLLHUP) != 0;
}

}  // namespace

termios gaugeLineSettings(const termios& reported, std::int32_t baudRate) {
    termios line = reported;
    ::cfmakeraw(&line);
    line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
    line.c_cflag |= CS8 | CLOCAL | CREAD;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    if (const auto speed = speedFor(baudRate)) {
        ::cfsetispeed(&line, *speed);
        ::cfsetospeed(&line, *speed);
    }
    return line;
}

struct SerialPort::Platform {
    int fd = kNoPort;
};

SerialPort::SerialPort() : platform_(std::make_unique<Platform>()) {}

SerialPort::~SerialPort() { close(); }

int SerialPort::open(const std::string& portName, std::int32_t baudRate) {
    close();
    const int fd = ::open(portName.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    if (heldByAnother(fd) || !applyLineSettings(fd, baudRate)) {
        ::close(fd);  // also drops our lock; the other holder's exclusive flag stays as it was
        return -1;
    }
    ::ioctl(fd, TIOCEXCL);
    ::tcflush(fd, TCIOFLUSH);
    platform_->fd = fd;
    return 0;
}

int SerialPort::readAvailable(std::uint8_t* buffer, std::uint32_t& receivedCount) {
    receivedCount = 0;
    const int fd = platform_->fd;
    if (fd == kNoPort) return -1;
    if (hungUp(fd)) return kDeviceLost;
    int queued = 0;
    if (::ioctl(fd, FIONREAD, &queued) != 0) return deviceGoneError(errno) ? kDeviceLost : -1;
    if (queued <= 0) return -1;
    const auto wanted = std::min(static_cast<std::size_t>(queued), std::size_t{kMaxBytesPerRead});
    const ssize_t got = ::read(fd, buffer, wanted);
    if (got < 0 && deviceGoneError(errno)) return kDeviceLost;
    if (got <= 0) return -1;
    receivedCount = static_cast<std::uint32_t>(got);
    return 0;
}

int SerialPort::write(const std::uint8_t* bytes, std::size_t count) {
    const int fd = platform_->fd;
    if (fd == kNoPort) return -1;
    const ssize_t sent = ::write(fd, bytes, count);
    if (sent < 0 || static_cast<std::size_t>(sent) != count) return -1;
    // What the gauge sent before the command is dropped, so the next poll sees only frames
    // sent after it. The output queue is left to drain: here a finished write() only means
    // the bytes were queued, and flushing it would throw the command away unsent.
    ::tcflush(fd, TCIFLUSH);
    return 0;
}

void SerialPort::raiseDtr() {
    if (platform_->fd == kNoPort) return;
    int lines = TIOCM_DTR;
    ::ioctl(platform_->fd, TIOCMBIS, &lines);
}

void SerialPort::close() {
    if (platform_->fd == kNoPort) return;
    // The exclusive flag belongs to the terminal, not to our descriptor: left set, it would
    // outlive us while the other end stays open and lock out the next open.
    ::ioctl(platform_->fd, TIOCNXCL);
    // Closing a terminal waits for unsent output to drain, for up to half a minute; a zero
    // command held back by flow control would freeze the window on Disconnect.
    ::tcflush(platform_->fd, TCOFLUSH);
    ::close(platform_->fd);
    platform_->fd = kNoPort;
}

}  // namespace mensora
