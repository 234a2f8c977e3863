#pragma once
// The program's one serial port: the gauge's line, held exclusively at 8N1 while open, and
// never waited on, because every call comes from a timer or button handler of the window.
// Each platform has its own back end (serial_port_posix.cpp, serial_port_win32.cpp).

#include <memory>

#include "link/serial_device.h"

namespace mensora {

class SerialPort : public SerialDevice {
public:
    SerialPort();
    ~SerialPort() override;  // releases a port still open
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // A port still open is closed first, so that it never stays claimed by a lost handle.
    // Succeeds once the device is ours; a line setting the device refuses (an unusual rate)
    // is not detected: the gauge's frames then simply do not decode.
    int open(const std::string& portName, std::int32_t baudRate) override;
    // receivedCount is only ever the number of bytes really placed in buffer, so the poll
    // never parses what an earlier poll left there.
    int readAvailable(std::uint8_t* buffer, std::uint32_t& receivedCount) override;
    int write(const std::uint8_t* bytes, std::size_t count) override;
    // A device without a DTR line (a pseudo-terminal) ignores this.
    void raiseDtr() override;
    void close() override;

private:
    struct Platform;  // the platform's handle and what its operations need
    std::unique_ptr<Platform> platform_;
};

}  // namespace mensora
