#pragma once
// The per-user settings in the registry, one DWORD value per key under
// HKEY_CURRENT_USER\Software\Mensora\<application>\Settings, with the key names the
// Linux settings file uses; texts as string values in a key of their section beside it.

#include <windows.h>

#include <string>
#include <vector>

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
    std::optional<std::string> getText(const std::string& section, const std::string& key) override;
    void putText(const std::string& section, const std::string& key,
                 const std::string& value) override;
    // Encrypted for this user by the system's data protection, as a binary value; a text left
    // in clear by an earlier Mensora is read once and replaced by its protected form.
    std::optional<std::string> getSecret(const std::string& section,
                                         const std::string& key) override;
    void putSecret(const std::string& section, const std::string& key,
                   const std::string& value) override;
    // Windows' own port names need no mapping.
    std::optional<std::string> portOverride(const std::string& portName) override;

private:
    std::wstring sectionPath(const std::string& section) const;
    // A value of the section as stored, of any type; none when there is none.
    struct StoredValue {
        DWORD type;
        std::vector<BYTE> bytes;
    };
    std::optional<StoredValue> readValue(const std::string& section, const std::string& key) const;
    // Creates the section when it is missing; a refusing registry keeps nothing.
    void writeValue(const std::string& section, const std::string& key, DWORD type,
                    const BYTE* bytes, DWORD size);

    std::wstring application_;
    HKEY section_ = nullptr;  // nullptr when the registry refused: every read is a default
};

}  // namespace mensora
