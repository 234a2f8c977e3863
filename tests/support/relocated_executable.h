#pragma once
// The real file system with the executable placed where a test wants it.

#include <optional>
#include <string>

#include "files/native_file_system.h"

namespace mensora::test {

class RelocatedExecutable : public FileSystem {
public:
    explicit RelocatedExecutable(std::string executable) : executable_(std::move(executable)) {}
    RecordFileOpening createRecordFile(const std::string& path) override {
        return native_.createRecordFile(path);
    }
    NameClaiming claimName(const std::string& folder, const std::string& name) override {
        return native_.claimName(folder, name);
    }
    std::string executablePath() override { return executable_; }
    std::optional<std::string> userDataDirectory() override { return native_.userDataDirectory(); }
    bool mayCreateFilesIn(const std::string& directory) override {
        return native_.mayCreateFilesIn(directory);
    }
    std::variant<std::string, FileFailure> readFile(const std::string& path) override {
        return native_.readFile(path);
    }

private:
    NativeFileSystem native_;
    std::string executable_;
};

}  // namespace mensora::test
