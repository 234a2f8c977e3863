#pragma once
// The operating system's files for record files: files/native_file_system_posix.cpp on Linux,
// files/native_file_system_win32.cpp on Windows.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "files/file_system.h"

namespace mensora {

// The moments of writing a record file between which a process can be killed: the temporary
// made, each block written, its data synced, the temporary closed, the file put in place.
enum class RecordFileStep : std::uint8_t { TemporaryCreated, Written, Synced, Closed, PutInPlace };

class NativeFileSystem final : public FileSystem {
public:
    // Told of every step of writing a record file, as it is taken; a test ends the process
    // there to see what a kill at that moment leaves behind.
    using StepWatch = std::function<void(RecordFileStep)>;

    NativeFileSystem() = default;
    explicit NativeFileSystem(StepWatch watch) : watch_(std::move(watch)) {}

    RecordFileOpening createRecordFile(const std::string& path) override;
    NameClaiming claimName(const std::string& folder, const std::string& name) override;
    std::string executablePath() override;
    std::optional<std::string> userDataDirectory() override;
#ifdef _WIN32
    std::optional<std::string> localDataDirectory() override;
#endif
    bool mayCreateFilesIn(const std::string& directory) override;
    std::variant<std::string, FileFailure> readFile(const std::string& path) override;

private:
    StepWatch watch_;
};

// The platform's error code (errno on POSIX, GetLastError on Windows) as a cause; a code that
// fits no cause is Unknown.
FileFailure failureFromSystemError(long code);

}  // namespace mensora
