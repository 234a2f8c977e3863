#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <cwchar>
#include <string>
#include <vector>

#include "base/wide_text.h"
#include "files/native_file_system.h"

namespace mensora {
namespace {

FileFailure lastFailure() { return failureFromSystemError(static_cast<long>(GetLastError())); }

std::string folderOf(const std::string& path) {
    const auto cut = path.find_last_of(kPathSeparators);
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// The temporaries of this program are "~mensora<process id>-<serial>.tmp" beside their
// target.
constexpr wchar_t kTemporaryStem[] = L"~mensora";
constexpr wchar_t kTemporaryPattern[] = L"~mensora*.tmp";

// A writer keeps its temporary open without sharing while it writes, so Windows refuses to
// delete it; a temporary that can be deleted was left by a program that no longer runs (the
// system closes every handle of a process that ends), holds nothing the user has, and would
// stay forever.
void removeAbandonedTemporaries(const std::string& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((wide(folder) + kTemporaryPattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        // The pattern also meets short names; only our own long names count.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            std::wcsncmp(found.cFileName, kTemporaryStem, std::wcslen(kTemporaryStem)) == 0) {
            DeleteFileW((wide(folder) + found.cFileName).c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// The new content goes to a file of its own beside the target, so that a failed write never
// touches the previous file; only a complete, flushed file is moved over it.
class Win32RecordFile final : public RecordFileSink {
public:
    Win32RecordFile(std::string target, HANDLE targetHandle, std::string temporary,
                    HANDLE temporaryHandle, NativeFileSystem::StepWatch watch)
        : target_(std::move(target)),
          temporary_(std::move(temporary)),
          targetHandle_(targetHandle),
          temporaryHandle_(temporaryHandle),
          watch_(std::move(watch)) {}
    Win32RecordFile(const Win32RecordFile&) = delete;
    Win32RecordFile& operator=(const Win32RecordFile&) = delete;

    ~Win32RecordFile() override {
        if (temporaryHandle_ != INVALID_HANDLE_VALUE) CloseHandle(temporaryHandle_);
        if (!committed_) DeleteFileW(wide(temporary_).c_str());
        releaseTarget();
    }

    std::optional<FileFailure> write(const char* bytes, std::size_t count) override {
        constexpr std::size_t kLargestWrite = 1u << 30;
        while (count > 0) {
            const DWORD asked = static_cast<DWORD>(count < kLargestWrite ? count : kLargestWrite);
            DWORD written = 0;
            if (!WriteFile(temporaryHandle_, bytes, asked, &written, nullptr)) return lastFailure();
            if (written < asked) return FileFailure::DiskFull;
            bytes += written;
            count -= written;
        }
        step(RecordFileStep::Written);
        return std::nullopt;
    }

    std::optional<RecordFileFailure> commit() override {
        if (!FlushFileBuffers(temporaryHandle_)) return RecordFileFailure{lastFailure(), false};
        step(RecordFileStep::Synced);
        const HANDLE handle = temporaryHandle_;
        temporaryHandle_ = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle)) return RecordFileFailure{lastFailure(), true};
        step(RecordFileStep::Closed);
        // Windows cannot replace a file that is open, even by this process.
        releaseTarget();
        if (!MoveFileExW(wide(temporary_).c_str(), wide(target_).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return RecordFileFailure{lastFailure(), false};
        }
        committed_ = true;
        step(RecordFileStep::PutInPlace);
        return std::nullopt;
    }

private:
    void step(RecordFileStep reached) const {
        if (watch_) watch_(reached);
    }

    void releaseTarget() {
        if (targetHandle_ == INVALID_HANDLE_VALUE) return;
        CloseHandle(targetHandle_);
        targetHandle_ = INVALID_HANDLE_VALUE;
    }

    std::string target_;
    std::string temporary_;
    HANDLE targetHandle_;  // INVALID_HANDLE_VALUE when there was no target to hold
    HANDLE temporaryHandle_;
    NativeFileSystem::StepWatch watch_;
    bool committed_ = false;
};

// An existing target opened for writing without sharing: a read-only file stays protected and
// a program that has it open makes this fail with a sharing violation. A target that does not
// exist is not made here: no one can hold what does not exist, and the complete file is the
// first thing to appear under the name. False with the reason in GetLastError when it failed.
bool holdTarget(const std::string& target, HANDLE& held) {
    held = CreateFileW(wide(target).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    return held != INVALID_HANDLE_VALUE || GetLastError() == ERROR_FILE_NOT_FOUND;
}

// A fresh file beside the target, not visible under the target's name, unshared for as long
// as it is being written.
HANDLE createTemporary(const std::string& target, std::string& name) {
    // Record files are started from the window's thread and from the workbook's.
    static std::atomic<unsigned> serial{0};
    const std::string stem =
        folderOf(target) + "~mensora" + std::to_string(GetCurrentProcessId()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + std::to_string(++serial) + ".tmp";
        const HANDLE handle = CreateFileW(wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return handle;
    }
    return INVALID_HANDLE_VALUE;
}

// Held by a hidden file beside the name, open without sharing and deleted when it is closed:
// the system closes it when the process ends, however it ends.
class Win32NameClaim final : public NameClaim {
public:
    explicit Win32NameClaim(HANDLE handle) : handle_(handle) {}
    Win32NameClaim(const Win32NameClaim&) = delete;
    Win32NameClaim& operator=(const Win32NameClaim&) = delete;
    ~Win32NameClaim() override { CloseHandle(handle_); }

private:
    HANDLE handle_;
};

// The user's folder of the kind `folder` (roaming or this PC's), else the variable that
// names it.
std::string applicationDataFolder(int folder, const wchar_t* variable) {
    wchar_t buffer[MAX_PATH];
    if (SUCCEEDED(SHGetFolderPathW(nullptr, folder | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                   buffer))) {
        return utf8(buffer);
    }
    const DWORD length = GetEnvironmentVariableW(variable, buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? utf8({buffer, length}) : std::string();
}

// The program's folder in base, made when missing, with a trailing separator.
std::optional<std::string> mensoraFolderIn(const std::string& base) {
    if (base.empty()) return std::nullopt;
    const std::string folder =
        base + (base.find_last_of(kPathSeparators) == base.size() - 1 ? "" : "\\") + "Mensora";
    if (!CreateDirectoryW(wide(folder).c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
        return std::nullopt;
    }
    return folder + "\\";
}

}  // namespace

RecordFileOpening NativeFileSystem::createRecordFile(const std::string& path) {
    removeAbandonedTemporaries(folderOf(path));
    HANDLE target = INVALID_HANDLE_VALUE;
    if (!holdTarget(path, target)) return {nullptr, lastFailure()};
    std::string temporary;
    const HANDLE temporaryHandle = createTemporary(path, temporary);
    if (temporaryHandle == INVALID_HANDLE_VALUE) {
        const FileFailure failure = lastFailure();
        if (target != INVALID_HANDLE_VALUE) CloseHandle(target);
        return {nullptr, failure};
    }
    if (watch_) watch_(RecordFileStep::TemporaryCreated);
    return {std::make_unique<Win32RecordFile>(path, target, temporary, temporaryHandle, watch_),
            FileFailure::Unknown};
}

NameClaiming NativeFileSystem::claimName(const std::string& folder, const std::string& name) {
    std::string lockPath = folder;
    if (!lockPath.empty() && lockPath.find_last_of(kPathSeparators) != lockPath.size() - 1) {
        lockPath += '\\';
    }
    lockPath += "~mensora-" + name + ".owner";
    const HANDLE handle = CreateFileW(
        wide(lockPath).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return {std::make_unique<Win32NameClaim>(handle), false};
    return {nullptr, GetLastError() == ERROR_SHARING_VIOLATION};
}

std::string NativeFileSystem::executablePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) return utf8({buffer.data(), length});
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<std::string> NativeFileSystem::userDataDirectory() {
    return mensoraFolderIn(applicationDataFolder(CSIDL_APPDATA, L"APPDATA"));
}

std::optional<std::string> NativeFileSystem::localDataDirectory() {
    return mensoraFolderIn(applicationDataFolder(CSIDL_LOCAL_APPDATA, L"LOCALAPPDATA"));
}

std::variant<std::string, FileFailure> NativeFileSystem::readFile(const std::string& path) {
    const HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failureFromSystemError(static_cast<long>(GetLastError()));
    std::string bytes;
    char chunk[65536];
    DWORD read = 0;
    BOOL done = FALSE;
    while ((done = ReadFile(file, chunk, sizeof chunk, &read, nullptr)) != FALSE && read > 0) {
        bytes.append(chunk, read);
    }
    const DWORD error = done ? ERROR_SUCCESS : GetLastError();
    CloseHandle(file);
    if (error != ERROR_SUCCESS) return failureFromSystemError(static_cast<long>(error));
    return bytes;
}

bool NativeFileSystem::mayCreateFilesIn(const std::string& directory) {
    if (directory.empty()) return false;
    // Rights on Windows depend on inherited lists, ownership and policies: the only reliable
    // answer is to create a file there, which disappears when it is closed.
    std::string probe = directory;
    if (probe.find_last_of(kPathSeparators) != probe.size() - 1) probe += '\\';
    probe += "~mensora-probe" + std::to_string(GetCurrentProcessId()) + ".tmp";
    const HANDLE handle =
        CreateFileW(wide(probe).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

FileFailure failureFromSystemError(long code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND: return FileFailure::NotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_DIRECTORY: return FileFailure::InvalidPath;
        case ERROR_TOO_MANY_OPEN_FILES: return FileFailure::TooManyOpenFiles;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_NETWORK_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD: return FileFailure::AccessDenied;
        case ERROR_INVALID_HANDLE: return FileFailure::InvalidHandle;
        case ERROR_CANNOT_MAKE: return FileFailure::DirectoryFull;
        case ERROR_NOT_READY:
        case ERROR_CRC:
        case ERROR_WRITE_FAULT:
        case ERROR_GEN_FAILURE:
        case ERROR_IO_DEVICE: return FileFailure::HardwareIo;
        case ERROR_SHARING_VIOLATION: return FileFailure::SharingViolation;
        case ERROR_LOCK_VIOLATION: return FileFailure::LockViolation;
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_DISK_FULL: return FileFailure::DiskFull;
        case ERROR_SEEK:
        case ERROR_SECTOR_NOT_FOUND:
        case ERROR_READ_FAULT:
        case ERROR_NEGATIVE_SEEK:
        case ERROR_SEEK_ON_DEVICE: return FileFailure::SeekFault;
        default: return FileFailure::Unknown;
    }
}

}  // namespace mensora
