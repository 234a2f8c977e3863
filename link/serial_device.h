#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace mensora {

// The gauge's serial line. No call waits for the line. Results are 0 and -1 as the callers
// expect them, and a read also tells a device that went away (kDeviceLost); see SerialPort
// for the exact rules.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    // 8N1 at the given rate, exclusive. 0 when open, -1 when opening failed.
    virtual int open(const std::string& portName, std::int32_t baudRate) = 0;
    // Takes at most 200 queued bytes into the start of buffer and sets receivedCount to their
    // number: 0. An empty queue (or no open port): -1, receivedCount 0, buffer untouched.
    // The device itself gone (unplugged, hung up): kDeviceLost, receivedCount 0, buffer
    // untouched; no read of this port will give bytes again, it is only fit to be closed.
    virtual int readAvailable(std::uint8_t* buffer, std::uint32_t& receivedCount) = 0;
    // 0 when the write completed at once (bytes received and not yet read are then dropped),
    // -1 otherwise.
    virtual int write(const std::uint8_t* bytes, std::size_t count) = 0;
    virtual void raiseDtr() = 0;
    virtual void close() = 0;
};

inline constexpr std::uint32_t kMaxBytesPerRead = 200;
// What readAvailable returns when the port's device is gone, as opposed to merely silent.
inline constexpr int kDeviceLost = -2;

}  // namespace mensora
