#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "base/number_text.h"
#include "link/device_port_names.h"
#include "link/platform_port_names.h"

namespace mensora {

namespace {

namespace fs = std::filesystem;

// n when name is prefix followed by the digits of n and nothing else.
std::optional<unsigned> deviceNumber(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size());
    unsigned number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return number;
}

// The devices of one kind, ttyUSB2 before ttyUSB10.
std::vector<std::string> devicesOfKind(const fs::path& devRoot, std::string_view prefix) {
    std::vector<std::pair<unsigned, std::string>> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(devRoot, error)) {
        const std::string name = entry.path().filename().string();
        if (const auto number = deviceNumber(name, prefix)) found.emplace_back(*number, name);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    names.reserve(found.size());
    for (auto& [number, name] : found) names.push_back(std::move(name));
    return names;
}

// Every ttySn exists whether or not a UART answers at its address; only one with hardware
// behind it is worth a discovery's dwell. The class entry's "type" is the detected UART,
// readable without opening the port; 0 means none was found.
bool hasUart(const fs::path& sysRoot, const std::string& name) {
    const fs::path entry = sysRoot / "class" / "tty" / name;
    std::error_code error;
    if (!fs::exists(entry / "device", error)) return false;
    std::ifstream typeFile(entry / "type");
    if (!typeFile) return true;
    std::string text;
    std::getline(typeFile, text);
    int type = 0;
    const bool read =
        std::from_chars(text.data(), text.data() + text.size(), type).ec == std::errc{};
    return !read || type != 0;
}

}  // namespace

std::vector<std::string> findSerialDevices(const fs::path& devRoot, const fs::path& sysRoot) {
    std::vector<std::string> paths;
    for (const std::string_view prefix : {"ttyUSB", "ttyACM"}) {
        for (const auto& name : devicesOfKind(devRoot, prefix))
            paths.push_back((devRoot / name).string());
    }
    for (const auto& name : devicesOfKind(devRoot, "ttyS")) {
        if (hasUart(sysRoot, name)) paths.push_back((devRoot / name).string());
    }
    return paths;
}

DevicePortNames::DevicePortNames(SettingsStore& settings, fs::path devRoot, fs::path sysRoot)
    : settings_(settings), devRoot_(std::move(devRoot)), sysRoot_(std::move(sysRoot)) {
    refresh();
}

// Mapped names take their numbers and the machine's devices fill the other numbers in their
// order, so that a gauge mapped as COM1 leaves a caliper plugged in later its own number.
void DevicePortNames::refresh() {
    std::array<std::optional<std::string>, kPortNameCount> mapped;
    for (std::uint32_t index = 0; index < kPortNameCount; ++index) {
        mapped[index] = settings_.portOverride("COM" + formatUnsigned(index));
    }
    std::vector<std::string> devices = findSerialDevices(devRoot_, sysRoot_);
    // A device mapped by the user has its number already.
    std::erase_if(devices, [&mapped](const std::string& device) {
        return std::find(mapped.begin(), mapped.end(), device) != mapped.end();
    });
    auto next = devices.begin();
    for (std::uint32_t index = 0; index < kPortNameCount; ++index) {
        std::string& name = names_[index];
        if (mapped[index]) {
            name = std::move(*mapped[index]);
        } else if (index >= 1 && next != devices.end()) {
            name = *next++;
        } else {
            name.clear();
        }
    }
}

std::string DevicePortNames::deviceName(std::uint32_t index) const {
    return index < names_.size() ? names_[index] : std::string{};
}

std::unique_ptr<PortNames> makePlatformPortNames(SettingsStore& settings) {
    return std::make_unique<DevicePortNames>(settings);
}

}  // namespace mensora
