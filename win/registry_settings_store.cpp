#include "win/registry_settings_store.h"

#include "base/wide_text.h"
#include "win/executable_name.h"

namespace mensora {

RegistrySettingsStore::RegistrySettingsStore() {
    const std::wstring path = L"Software\\Mensora\\" + executableBaseName() + L"\\Settings";
    HKEY section = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &section,
                        nullptr) == ERROR_SUCCESS) {
        section_ = section;
    }
}

RegistrySettingsStore::~RegistrySettingsStore() {
    if (section_ != nullptr) RegCloseKey(section_);
}

std::int32_t RegistrySettingsStore::get(const std::string& key, std::int32_t defaultValue) {
    if (section_ == nullptr) return defaultValue;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status = RegQueryValueExW(section_, wide(key).c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&value), &size);
    // Only a 32-bit number is a value; anything else stored under the name reads as missing.
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return defaultValue;
    return static_cast<std::int32_t>(value);
}

void RegistrySettingsStore::put(const std::string& key, std::int32_t value) {
    if (section_ == nullptr) return;
    const DWORD stored = static_cast<DWORD>(value);
    RegSetValueExW(section_, wide(key).c_str(), 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&stored), sizeof stored);
}

namespace {

// The group's key and the value's name of "Group/Key".
std::pair<std::wstring, std::wstring> groupAndName(const std::string& groupKey) {
    const std::size_t slash = groupKey.find('/');
    return {L"Software\\Mensora\\" + executableBaseName() + L"\\" +
                wide(groupKey.substr(0, slash)),
            wide(slash == std::string::npos ? std::string() : groupKey.substr(slash + 1))};
}

}  // namespace

std::optional<std::string> RegistrySettingsStore::text(const std::string& groupKey) {
    const auto [group, name] = groupAndName(groupKey);
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, group.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     nullptr, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring value(bytes / sizeof(wchar_t), L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, group.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     value.data(), &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(bytes / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return utf8(value);
}

void RegistrySettingsStore::putText(const std::string& groupKey, const std::string& value) {
    const auto [group, name] = groupAndName(groupKey);
    const std::wstring stored = wide(value);
    RegSetKeyValueW(HKEY_CURRENT_USER, group.c_str(), name.c_str(), REG_SZ, stored.c_str(),
                    static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::string> RegistrySettingsStore::portOverride(const std::string&) {
    return std::nullopt;
}

}  // namespace mensora
