#pragma once
#include <QSettings>

#include "base/settings_store.h"

namespace mensora {

// The per-user settings: organisation "Mensora", application = the executable's base name,
// every key in the group "Settings" (native format: ~/.config/Mensora/<app>.conf on Linux,
// HKCU\Software\Mensora\<app> on Windows). Port mappings live in the group "Ports"; texts
// in groups of their own.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    std::int32_t get(const std::string& key, std::int32_t defaultValue) override;
    void put(const std::string& key, std::int32_t value) override;
    std::optional<std::string> getText(const std::string& section, const std::string& key) override;
    void putText(const std::string& section, const std::string& key,
                 const std::string& value) override;
    std::optional<std::string> portOverride(const std::string& portName) override;

private:
    QSettings settings_;
};

}  // namespace mensora
