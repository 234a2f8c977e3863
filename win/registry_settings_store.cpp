#include "win/registry_settings_store.h"

#include <dpapi.h>

#include <cstring>
#include <vector>

#include "base/wide_text.h"
#include "win/executable_name.h"

namespace mensora {

RegistrySettingsStore::RegistrySettingsStore() : application_(executableBaseName()) {
    const std::wstring path = sectionPath("Settings");
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

std::wstring RegistrySettingsStore::sectionPath(const std::string& section) const {
    return L"Software\\Mensora\\" + application_ + L"\\" + wide(section);
}

std::optional<RegistrySettingsStore::StoredValue> RegistrySettingsStore::readValue(
    const std::string& section, const std::string& key) const {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, sectionPath(section).c_str(), 0, KEY_QUERY_VALUE,
                      &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring name = wide(key);
    std::optional<StoredValue> stored;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(opened, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<BYTE> bytes(size);
        if (RegQueryValueExW(opened, name.c_str(), nullptr, &type, bytes.data(), &size) ==
            ERROR_SUCCESS) {
            bytes.resize(size);
            stored = StoredValue{type, std::move(bytes)};
        }
    }
    RegCloseKey(opened);
    return stored;
}

void RegistrySettingsStore::writeValue(const std::string& section, const std::string& key,
                                       DWORD type, const BYTE* bytes, DWORD size) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, sectionPath(section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(opened, wide(key).c_str(), 0, type, bytes, size);
    RegCloseKey(opened);
}

namespace {

// A text value's bytes as UTF-8: the stored text may or may not end in its terminating zero.
std::string textOf(const std::vector<BYTE>& bytes) {
    std::wstring value(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(value.data(), bytes.data(), value.size() * sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return utf8(value);
}

}  // namespace

std::optional<std::string> RegistrySettingsStore::getText(const std::string& section,
                                                          const std::string& key) {
    const std::optional<StoredValue> stored = readValue(section, key);
    if (!stored || stored->type != REG_SZ) return std::nullopt;
    return textOf(stored->bytes);
}

void RegistrySettingsStore::putText(const std::string& section, const std::string& key,
                                    const std::string& value) {
    const std::wstring text = wide(value);
    writeValue(section, key, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

namespace {

// The text as only this user on this PC can read it back; empty when the system refuses.
std::vector<BYTE> protectedForUser(const std::string& text) {
    DATA_BLOB plain{static_cast<DWORD>(text.size()),
                    reinterpret_cast<BYTE*>(const_cast<char*>(text.data()))};
    DATA_BLOB sealed{};
    if (!CryptProtectData(&plain, L"Mensora", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                          &sealed)) {
        return {};
    }
    std::vector<BYTE> bytes(sealed.pbData, sealed.pbData + sealed.cbData);
    LocalFree(sealed.pbData);
    return bytes;
}

std::optional<std::string> unprotected(std::vector<BYTE> bytes) {
    DATA_BLOB sealed{static_cast<DWORD>(bytes.size()), bytes.data()};
    DATA_BLOB plain{};
    if (!CryptUnprotectData(&sealed, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                            &plain)) {
        return std::nullopt;
    }
    std::string text(reinterpret_cast<const char*>(plain.pbData), plain.cbData);
    SecureZeroMemory(plain.pbData, plain.cbData);
    LocalFree(plain.pbData);
    return text;
}

}  // namespace

std::optional<std::string> RegistrySettingsStore::getSecret(const std::string& section,
                                                            const std::string& key) {
    std::optional<StoredValue> stored = readValue(section, key);
    if (!stored) return std::nullopt;
    if (stored->type == REG_BINARY) return unprotected(std::move(stored->bytes));
    if (stored->type != REG_SZ) return std::nullopt;
    // Kept in clear by an earlier Mensora: protected from now on.
    std::string clear = textOf(stored->bytes);
    putSecret(section, key, clear);
    return clear;
}

void RegistrySettingsStore::putSecret(const std::string& section, const std::string& key,
                                      const std::string& value) {
    const std::vector<BYTE> sealed = protectedForUser(value);
    // Never kept in clear: a text the system would not protect is not kept.
    if (sealed.empty()) return;
    writeValue(section, key, REG_BINARY, sealed.data(), static_cast<DWORD>(sealed.size()));
}

std::optional<std::string> RegistrySettingsStore::portOverride(const std::string&) {
    return std::nullopt;
}

}  // namespace mensora
