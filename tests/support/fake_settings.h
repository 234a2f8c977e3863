#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/settings_store.h"

namespace mensora::test {

class FakeSettings : public SettingsStore {
public:
    std::int32_t get(const std::string& key, std::int32_t defaultValue) override {
        const auto it = values.find(key);
        return it == values.end() ? defaultValue : it->second;
    }
    void put(const std::string& key, std::int32_t value) override {
        values[key] = value;
        puts.emplace_back(key, value);
    }
    std::optional<std::string> getText(const std::string& section,
                                       const std::string& key) override {
        const auto it = texts.find(section + "/" + key);
        if (it == texts.end()) return std::nullopt;
        return it->second;
    }
    void putText(const std::string& section, const std::string& key,
                 const std::string& value) override {
        texts[section + "/" + key] = value;
    }
    std::optional<std::string> portOverride(const std::string& portName) override {
        const auto it = overrides.find(portName);
        if (it == overrides.end()) return std::nullopt;
        return it->second;
    }

    std::map<std::string, std::int32_t> values;
    std::vector<std::pair<std::string, std::int32_t>> puts;
    std::map<std::string, std::string> overrides;
    std::map<std::string, std::string> texts;  // by "section/key"
};

}  // namespace mensora::test
