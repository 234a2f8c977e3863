#pragma once
// The gauge's line as terminal settings (POSIX): raw 8N1, so that every byte passes unchanged
// in both directions and a read never waits.

#include <termios.h>

#include <cstdint>

namespace mensora {

// `reported` (the device's settings as found) made raw 8N1 with the receiver on and modem
// lines ignored, at baudRate; a rate the system has no setting for leaves the rate as found.
// Flow control is left as found.
termios gaugeLineSettings(const termios& reported, std::int32_t baudRate);

}  // namespace mensora
