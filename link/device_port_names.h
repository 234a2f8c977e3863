#pragma once
// Port names on a machine whose serial ports are device files: "COM1" to "COM16" stand for
// the serial devices the machine has, so that a bench set up once keeps finding its gauge
// under the same port number.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "base/settings_store.h"
#include "link/port_names.h"

namespace mensora {

// The machine's serial devices in port order: USB adapters (ttyUSBn), then ACM devices
// (ttyACMn), then on-board ports that have a UART behind them (ttySn), each group by its
// number. An on-board port counts when its class entry under sysRoot has a device and its
// "type" is not 0 (no UART); without a "type" entry the device is enough. On a real machine
// devRoot is "/dev" and sysRoot "/sys".
std::vector<std::string> findSerialDevices(const std::filesystem::path& devRoot,
                                           const std::filesystem::path& sysRoot);

// The settings may map "COMn" to a device path of the user's choice; the other names from
// "COM1" on are the devices of findSerialDevices at the last refresh in their order, a device
// mapped already left out. A name with no device resolves to an empty name, which no open
// accepts; "COM0" has a device only when it is mapped.
class DevicePortNames : public PortNames {
public:
    explicit DevicePortNames(SettingsStore& settings, std::filesystem::path devRoot = "/dev",
                             std::filesystem::path sysRoot = "/sys");
    void refresh() override;
    std::string deviceName(std::uint32_t index) const override;

private:
    SettingsStore& settings_;
    std::filesystem::path devRoot_;
    std::filesystem::path sysRoot_;
    std::array<std::string, kPortNameCount> names_;
};

}  // namespace mensora
