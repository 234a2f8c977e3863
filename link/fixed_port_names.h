#pragma once
// The port names of the Windows bench PCs: the system's serial ports COM0 to COM16 by the
// names the system opens them under.

#include <cstdint>
#include <string>

#include "link/port_names.h"

namespace mensora {

// "COM0" to "COM9", then from 10 on the device-namespace form "\\.\COM10" to "\\.\COM16",
// which the system needs for port numbers above 9. An index past 16 has no name (empty).
std::string fixedPortName(std::uint32_t index);

class FixedPortNames : public PortNames {
public:
    void refresh() override {}  // the table never changes
    std::string deviceName(std::uint32_t index) const override { return fixedPortName(index); }
};

}  // namespace mensora
