#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/native_file_system.h"

namespace mensora {
namespace {

FileFailure lastFailure() { return failureFromSystemError(errno); }

// Closes a descriptor without disturbing errno, which still describes the failure at hand.
void closeKeepingErrno(int fd) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

std::string folderOf(const std::string& path) {
    const auto cut = path.rfind('/');
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// A link to a record file stays a link: the file it names is the one replaced.
std::string followLinks(const std::string& path) {
    char* const real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return path;
    std::string resolved(real);
    std::free(real);
    return resolved;
}

// The new content goes to a file of its own beside the target, so that a failed write never
// touches the previous file; only a complete file is renamed over it.
class PosixRecordFile final : public RecordFileSink {
public:
    PosixRecordFile(std::string target, int targetFd, bool createdTarget, std::string temporary,
                    int temporaryFd)
        : target_(std::move(target)),
          temporary_(std::move(temporary)),
          targetFd_(targetFd),
          temporaryFd_(temporaryFd),
          createdTarget_(createdTarget) {}
    PosixRecordFile(const PosixRecordFile&) = delete;
    PosixRecordFile& operator=(const PosixRecordFile&) = delete;

    ~PosixRecordFile() override {
        if (!committed_) discard();
        ::close(targetFd_);  // releases the lock
    }

    std::optional<FileFailure> write(const char* bytes, std::size_t count) override {
        while (count > 0) {
            const ssize_t written = ::write(temporaryFd_, bytes, count);
            if (written < 0) {
                if (errno == EINTR) continue;
                return lastFailure();
            }
            // Nothing stored and no error: the device has no room left.
            if (written == 0) return FileFailure::DiskFull;
            bytes += written;
            count -= static_cast<std::size_t>(written);
        }
        return std::nullopt;
    }

    std::optional<RecordFileFailure> commit() override {
        if (::fsync(temporaryFd_) != 0) return RecordFileFailure{lastFailure(), false};
        const int fd = temporaryFd_;
        temporaryFd_ = -1;
        if (::close(fd) != 0) return RecordFileFailure{lastFailure(), true};
        if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
            return RecordFileFailure{lastFailure(), false};
        }
        committed_ = true;
        syncFolder();
        return std::nullopt;
    }

private:
    void discard() {
        if (temporaryFd_ >= 0) ::close(temporaryFd_);
        ::unlink(temporary_.c_str());
        // Still the empty file made to hold the lock: no one else could take it meanwhile.
        if (createdTarget_) ::unlink(target_.c_str());
    }

    // So that the new name outlives a power cut. The file is already in place; a folder that
    // cannot be synced (some network file systems) changes nothing about that.
    void syncFolder() const {
        const std::string folder = folderOf(target_);
        const char* name = folder.empty() ? "." : folder.c_str();
        const int fd = ::open(name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return;
        ::fsync(fd);
        ::close(fd);
    }

    std::string target_;
    std::string temporary_;
    int targetFd_;
    int temporaryFd_;
    bool createdTarget_;
    bool committed_ = false;
};

// The target opened for writing and locked against every other writer.
struct HeldTarget {
    int fd = -1;
    bool created = false;
    mode_t mode = 0;
};

// Opening the target for writing, as the file itself is written, keeps a read-only file
// protected; the exclusive lock tells another holder apart as a sharing violation.
std::optional<FileFailure> holdTarget(const std::string& target, HeldTarget& held) {
    // A few attempts cover a target that appears, or is replaced, between two steps.
    constexpr int kAttempts = 4;
    for (int attempt = 1;; ++attempt) {
        held.created = false;
        held.fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (held.fd < 0 && errno == ENOENT) {
            held.fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            held.created = held.fd >= 0;
        }
        if (held.fd < 0) {
            if (errno == EEXIST && attempt < kAttempts) continue;
            return lastFailure();
        }
        struct stat opened {};
        if (::fstat(held.fd, &opened) != 0) {
            closeKeepingErrno(held.fd);
            return lastFailure();
        }
        // Devices and pipes cannot be replaced by a finished file.
        if (!S_ISREG(opened.st_mode)) {
            ::close(held.fd);
            return FileFailure::AccessDenied;
        }
        if (::flock(held.fd, LOCK_EX | LOCK_NB) != 0) {
            closeKeepingErrno(held.fd);
            return lastFailure();
        }
        held.mode = opened.st_mode & 07777;
        // Another writer may have put a new file under the name before the lock was ours.
        struct stat named {};
        if (::stat(target.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
            named.st_ino == opened.st_ino) {
            return std::nullopt;
        }
        ::close(held.fd);
        if (attempt == kAttempts) return FileFailure::SharingViolation;
    }
}

// A fresh file beside the target, not visible under the target's name.
int createTemporary(const std::string& target, std::string& name) {
    static unsigned serial = 0;
    const std::string stem =
        folderOf(target) + ".mensora-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + std::to_string(++serial) + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Creates each missing folder of an absolute path, private to the user.
bool makeFolders(const std::string& folder) {
    for (std::size_t cut = folder.find('/', 1);; cut = folder.find('/', cut + 1)) {
        const std::string part = folder.substr(0, cut);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (cut == std::string::npos) break;
    }
    struct stat made {};
    return ::stat(folder.c_str(), &made) == 0 && S_ISDIR(made.st_mode);
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

RecordFileOpening NativeFileSystem::createRecordFile(const std::string& path) {
    const std::string target = followLinks(path);
    HeldTarget held;
    if (const auto failure = holdTarget(target, held)) return {nullptr, *failure};

    std::string temporary;
    const int temporaryFd = createTemporary(target, temporary);
    if (temporaryFd < 0) {
        const FileFailure failure = lastFailure();
        if (held.created) ::unlink(target.c_str());
        ::close(held.fd);
        return {nullptr, failure};
    }
    // The replaced file keeps its permissions; a new one gets the user's defaults.
    if (!held.created) ::fchmod(temporaryFd, held.mode);
    return {std::make_unique<PosixRecordFile>(target, held.fd, held.created, temporary,
                                              temporaryFd),
            FileFailure::Unknown};
}

std::string NativeFileSystem::executablePath() {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<std::string> NativeFileSystem::userDataDirectory() {
    // The freedesktop rule: $XDG_DATA_HOME when it is an absolute path, else
    // ~/.local/share.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (dataHome != nullptr && dataHome[0] == '/') {
        base = dataHome;
    } else {
        const std::string home = homeFolder();
        if (home.empty()) return std::nullopt;
        base = home + "/.local/share";
    }
    const std::string folder = withoutTrailingSlashes(base) + "/Mensora";
    if (!makeFolders(folder)) return std::nullopt;
    return folder + "/";
}

bool NativeFileSystem::mayCreateFilesIn(const std::string& directory) {
    // The effective user's rights, as creating the file will meet them; a read-only mount
    // says no even to root.
    return !directory.empty() &&
           ::faccessat(AT_FDCWD, directory.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

FileFailure failureFromSystemError(long code) {
    switch (code) {
        case ENOENT:
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP: return FileFailure::InvalidPath;
        case EMFILE:
        case ENFILE: return FileFailure::TooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR: return FileFailure::AccessDenied;
        case EBADF: return FileFailure::InvalidHandle;
        case EMLINK: return FileFailure::DirectoryFull;
        case EIO:
        case ENXIO:
        case ENODEV: return FileFailure::HardwareIo;
        case EWOULDBLOCK:
        case ETXTBSY: return FileFailure::SharingViolation;
        case EDEADLK:
        case ENOLCK: return FileFailure::LockViolation;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return FileFailure::DiskFull;
        case ESPIPE: return FileFailure::SeekFault;
        default: return FileFailure::Unknown;
    }
}

}  // namespace mensora
