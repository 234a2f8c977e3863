#pragma once
// The per-user settings in the registry, one DWORD value per key under
// HKEY_CURRENT_USER\Software\Mensora\<application>\Settings, with the key names the
// Linux settings file uses.

#include <windows.h>

#include "base/settings_store.h"

namespace mensora {

class RegistrySettingsStore final : public SettingsStore {
public:
    // Opens (and creates) the section once, for the life of the program.
    RegistrySettingsStore();
    ~RegistrySettingsStore() override;
    RegistrySettingsStore(const RegistrySettingsStore&) = delete;
    RegistrySettingsStore& operator=(const RegistrySettingsStore&) = delete;

    std::int32_t get(const std::string& key, std::int32_t defaultValue) override;
    void put(const std::string& key, std::int32_t value) override;
    // Under HKEY_CURRENT_USER\Software\Mensora\<application>\<Group>, as a string value.
    std::optional<std::string> text(const std::string& groupKey) override;
    void putText(const std::string& groupKey, const std::string& value) override;
    // Windows' own port names need no mapping.
    std::optional<std::string> portOverride(const std::string& portName) override;

private:
    HKEY section_ = nullptr;  // nullptr when the registry refused: every read is a default
};

}  // namespace mensora
