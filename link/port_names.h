#pragma once
#include <cstdint>
#include <string>

namespace mensora {

inline constexpr std::uint32_t kPortNameCount = 17;  // indexes 0..16

// The device name that discovery opens for a port index 0..16.
class PortNames {
public:
    virtual ~PortNames() = default;
    // Looks again at which devices the machine has; discovery calls it at its first step.
    virtual void refresh() = 0;
    virtual std::string deviceName(std::uint32_t index) const = 0;
};

}  // namespace mensora
