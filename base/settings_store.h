#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace mensora {

// The per-user store of named 32-bit integers in the section "Settings", and of the texts of
// the doors records leave through. A missing or non-integer value yields the caller's default;
// a put is written at once.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::int32_t get(const std::string& key, std::int32_t defaultValue) = 0;
    virtual void put(const std::string& key, std::int32_t value) = 0;
    // A text setting outside the section "Settings", addressed "Group/Key" ("Plant/Bench");
    // nullopt when none is stored. Put writes it at once.
    virtual std::optional<std::string> text(const std::string& groupKey) = 0;
    virtual void putText(const std::string& groupKey, const std::string& value) = 0;
    // A device path the user mapped to a port name ("COM3") under [Ports], if any.
    virtual std::optional<std::string> portOverride(const std::string& portName) = 0;
};

}  // namespace mensora
