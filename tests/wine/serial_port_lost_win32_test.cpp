// The Windows serial port when the device behind it goes away: COM9 leads to a line whose
// other end with-vanishing-port closes once the port is open here. A silent line reads as
// empty; the line gone must read as a lost device, on every read, with nothing placed.

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "link/serial_port.h"

namespace mensora {
namespace {

constexpr int kWaitRounds = 600;  // of 50 ms

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(SerialPortLost, LineGoneAfterOpeningReadsAsALostDeviceNotAsASilentOne) {
    const std::string ready = environment("MENSORA_PORT_READY");
    const std::string gone = environment("MENSORA_PORT_GONE");
    ASSERT_FALSE(ready.empty() || gone.empty()) << "run through with-vanishing-port";
    SerialPort port;
    ASSERT_EQ(port.open("\\\\.\\COM9", 9600), 0);
    std::array<std::uint8_t, 256> buffer{};
    std::uint32_t count = 7;
    EXPECT_EQ(port.readAvailable(buffer.data(), count), -1) << "the gauge is there, silent";
    EXPECT_EQ(count, 0u);

    const HANDLE marker = CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(marker, INVALID_HANDLE_VALUE);
    CloseHandle(marker);
    for (int round = 0; round < kWaitRounds && !exists(gone); ++round) Sleep(50);
    ASSERT_TRUE(exists(gone));

    for (int read = 0; read < 3; ++read) {
        buffer.fill(0x5A);
        count = 7;
        EXPECT_EQ(port.readAvailable(buffer.data(), count), kDeviceLost);
        EXPECT_EQ(count, 0u);
        EXPECT_EQ(buffer[0], 0x5A);
    }
}

}  // namespace
}  // namespace mensora
