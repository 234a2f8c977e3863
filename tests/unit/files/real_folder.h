#pragma once
// Files on the real file system for the record file tests: a private folder that goes away
// with the test, what it holds, and the real file system with the executable placed where a
// test wants it.

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "files/native_file_system.h"
#include "tests/support/relocated_executable.h"
#include "tests/support/folder_listing.h"

namespace mensora::test {

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void writeFile(const std::string& path, const std::string& content, mode_t mode = 0644) {
    std::ofstream(path, std::ios::binary) << content;
    ::chmod(path.c_str(), mode);
}

inline std::string listing(const std::string& folder) { return listingOf(folder); }

// A fresh folder under /tmp, removed with everything in it when the object goes.
class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/mensora-files-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        path_ = made != nullptr ? made : "";
        // An unprivileged child must be able to walk in.
        ::chmod(path_.c_str(), 0755);
    }
    ~ScratchFolder() {
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
            if (entry.is_directory()) ::chmod(entry.path().c_str(), 0755);
        }
        std::filesystem::remove_all(path_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string at(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace mensora::test
