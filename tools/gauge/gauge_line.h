#pragma once
// The gauge's end of a pseudo-terminal. The program under test opens the other end (the
// device path) as if it were a serial port; the line settings it chooses there can be read
// from this end, which is how the gauge knows whether the receiver listens at its rate.

#include <termios.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mensora::gauge {

// The line rates the gauge can be set to, in baud, and their termios codes.
std::optional<speed_t> speedForBaud(std::uint32_t baud);

struct LineState {
    bool readerPresent = false;  // someone has the device open
    bool rateMatches =
        false;            // the reader's line is set to the gauge's rate and 8 data bits, no parity
    bool echoes = false;  // the reader's line echoes what it receives back to the gauge
    std::uint32_t readerBaud = 0;  // the reader's rate, 0 when it is none of the gauge's rates
};

class GaugeLine {
public:
    // Opens a pseudo-terminal whose line starts out raw at the gauge's own settings. nullopt
    // and a reason in error when the system gives none.
    static std::optional<GaugeLine> open(std::uint32_t baud, std::string& error);

    GaugeLine(GaugeLine&& other) noexcept;
    GaugeLine& operator=(GaugeLine&&) = delete;
    GaugeLine(const GaugeLine&) = delete;
    GaugeLine& operator=(const GaugeLine&) = delete;
    ~GaugeLine();

    const std::string& devicePath() const { return devicePath_; }
    int descriptor() const { return master_; }

    LineState state() const;

    // Hands the bytes to the line without waiting. A receiver that does not read leaves no room:
    // the bytes are then dropped (false), so the line never holds a growing backlog of frames.
    bool send(const std::vector<std::uint8_t>& bytes);

    // What the reader wrote to the gauge, at most capacity bytes; 0 when nothing is there.
    std::size_t receive(std::uint8_t* buffer, std::size_t capacity);

private:
    GaugeLine(int master, std::string devicePath, speed_t speed);

    int master_ = -1;
    std::string devicePath_;
    speed_t speed_;
};

}  // namespace mensora::gauge
