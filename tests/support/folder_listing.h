#pragma once
// What a folder holds, as one text the record-file tests compare: the names, sorted, each
// followed by ';', hidden ones included, so that temporaries left behind show up.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace mensora::test {

inline std::string listingOf(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& name : names) joined += name + ";";
    return joined;
}

}  // namespace mensora::test
