#pragma once
// The operating system's files for record files: files/native_file_system_posix.cpp on Linux,
// files/native_file_system_win32.cpp on Windows.

#include <optional>
#include <string>

#include "files/file_system.h"

namespace mensora {

class NativeFileSystem final : public FileSystem {
public:
    RecordFileOpening createRecordFile(const std::string& path) override;
    std::string executablePath() override;
    std::optional<std::string> userDataDirectory() override;
    bool mayCreateFilesIn(const std::string& directory) override;
};

// The platform's error code (errno on POSIX, GetLastError on Windows) as a cause; a code that
// fits no cause is Unknown.
FileFailure failureFromSystemError(long code);

}  // namespace mensora
