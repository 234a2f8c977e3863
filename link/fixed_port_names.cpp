#include "link/fixed_port_names.h"

#include <array>
#include <string_view>

namespace mensora {

namespace {

constexpr std::array<std::string_view, kPortNameCount> kNames = {
    "COM0",         "COM1",         "COM2",         "COM3",         "COM4",         "COM5",
    "COM6",         "COM7",         "COM8",         "COM9",         "\\\\.\\COM10", "\\\\.\\COM11",
    "\\\\.\\COM12", "\\\\.\\COM13", "\\\\.\\COM14", "\\\\.\\COM15", "\\\\.\\COM16",
};

}  // namespace

std::string fixedPortName(std::uint32_t index) {
    if (index >= kNames.size()) return {};
    return std::string(kNames[index]);
}

}  // namespace mensora
