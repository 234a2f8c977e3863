#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace mensora {

// The per-user store of named 32-bit integers in the section "Settings", and of texts in
// sections of their own beside it. A missing or non-integer value yields the caller's
// default; a put is written at once.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::int32_t get(const std::string& key, std::int32_t defaultValue) = 0;
    virtual void put(const std::string& key, std::int32_t value) = 0;
    // A UTF-8 text under `key` in the section `section` (never "Settings"); nothing when none
    // is stored there.
    virtual std::optional<std::string> getText(const std::string& section,
                                               const std::string& key) = 0;
    virtual void putText(const std::string& section, const std::string& key,
                         const std::string& value) = 0;
    // A text that holds a password (a connection string): kept where only this user can read
    // it. The settings file of a user alone is such a place already; the registry keeps it
    // encrypted for the user.
    virtual std::optional<std::string> getSecret(const std::string& section,
                                                 const std::string& key) {
        return getText(section, key);
    }
    virtual void putSecret(const std::string& section, const std::string& key,
                           const std::string& value) {
        putText(section, key, value);
    }
    // A device path the user mapped to a port name ("COM3") under [Ports], if any.
    virtual std::optional<std::string> portOverride(const std::string& portName) = 0;
};

}  // namespace mensora
