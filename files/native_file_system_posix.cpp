#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <optional>
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

// The temporaries of this program are ".mensora-<process id>-<serial>.tmp" beside their target.
constexpr char kTemporaryPrefix[] = ".mensora-";
constexpr char kTemporarySuffix[] = ".tmp";

// The process id in the name of one of our temporaries; nothing for any other name.
std::optional<pid_t> writerOfTemporary(const std::string& name) {
    const std::size_t prefix = sizeof kTemporaryPrefix - 1;
    const std::size_t suffix = sizeof kTemporarySuffix - 1;
    if (name.size() <= prefix + suffix || name.compare(0, prefix, kTemporaryPrefix) != 0 ||
        name.compare(name.size() - suffix, suffix, kTemporarySuffix) != 0) {
        return std::nullopt;
    }
    // "<process id>-<serial>", both in digits.
    const std::string middle = name.substr(prefix, name.size() - prefix - suffix);
    const auto dash = middle.find('-');
    const auto digits = [](const std::string& text) {
        return !text.empty() && text.size() <= 9 &&
               text.find_first_not_of("0123456789") == std::string::npos;
    };
    if (dash == std::string::npos || !digits(middle.substr(0, dash)) ||
        !digits(middle.substr(dash + 1))) {
        return std::nullopt;
    }
    return static_cast<pid_t>(std::stol(middle.substr(0, dash)));
}

bool processRuns(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

// A writer holds a lock on its temporary while it writes. A temporary whose writer no longer
// runs here (or whose process id this very program now has) and whose lock is free (no writer on another machine sharing the folder) was left
// by a killed program: it holds nothing the user has and would stay forever.
void removeAbandonedTemporaries(const std::string& folder) {
    const std::string where = folder.empty() ? "." : folder;
    DIR* const listing = ::opendir(where.c_str());
    if (listing == nullptr) return;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        const std::optional<pid_t> writer = writerOfTemporary(name);
        if (!writer || (*writer != ::getpid() && processRuns(*writer))) continue;
        const std::string path = folder + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(listing);
}

// The new content goes to a file of its own beside the target, so that a failed write never
// touches the previous file; only a complete, synced file is renamed over it.
class PosixRecordFile final : public RecordFileSink {
public:
    PosixRecordFile(std::string target, int targetFd, std::string temporary, int temporaryFd,
                    NativeFileSystem::StepWatch watch)
        : target_(std::move(target)),
          temporary_(std::move(temporary)),
          targetFd_(targetFd),
          temporaryFd_(temporaryFd),
          watch_(std::move(watch)) {}
    PosixRecordFile(const PosixRecordFile&) = delete;
    PosixRecordFile& operator=(const PosixRecordFile&) = delete;

    ~PosixRecordFile() override {
        if (!committed_) discard();
        if (targetFd_ >= 0) ::close(targetFd_);  // releases the lock
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
        step(RecordFileStep::Written);
        return std::nullopt;
    }

    std::optional<RecordFileFailure> commit() override {
        if (::fsync(temporaryFd_) != 0) return RecordFileFailure{lastFailure(), false};
        step(RecordFileStep::Synced);
        const int fd = temporaryFd_;
        temporaryFd_ = -1;
        if (::close(fd) != 0) return RecordFileFailure{lastFailure(), true};
        step(RecordFileStep::Closed);
        if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
            return RecordFileFailure{lastFailure(), false};
        }
        committed_ = true;
        step(RecordFileStep::PutInPlace);
        syncFolder();
        return std::nullopt;
    }

private:
    void step(RecordFileStep reached) const {
        if (watch_) watch_(reached);
    }

    void discard() {
        if (temporaryFd_ >= 0) ::close(temporaryFd_);
        ::unlink(temporary_.c_str());
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
    int targetFd_;  // -1 when there was no target to hold
    int temporaryFd_;
    NativeFileSystem::StepWatch watch_;
    bool committed_ = false;
};

// An existing target opened for writing and locked against every other writer.
struct HeldTarget {
    int fd = -1;  // -1: there is no target yet
    mode_t mode = 0;
};

// Opening an existing target for writing, as the file itself is written, keeps a read-only
// file protected; the exclusive lock tells another holder apart as a sharing violation. A
// target that does not exist is not made here: no one can hold what does not exist, and the
// complete file is the first thing to appear under the name.
std::optional<FileFailure> holdTarget(const std::string& target, HeldTarget& held) {
    // A few attempts cover a target that is replaced between two steps.
    constexpr int kAttempts = 4;
    for (int attempt = 1;; ++attempt) {
        held.fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (held.fd < 0) return errno == ENOENT ? std::nullopt : std::optional(lastFailure());
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
        held.fd = -1;
        if (attempt == kAttempts) return FileFailure::SharingViolation;
    }
}

// A fresh file beside the target, not visible under the target's name, locked for as long as
// it is being written.
int createTemporary(const std::string& target, std::string& name) {
    // Record files are started from the window's thread and from the workbook's.
    static std::atomic<unsigned> serial{0};
    const std::string stem = folderOf(target) + kTemporaryPrefix + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + std::to_string(++serial) + kTemporarySuffix;
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

// Held by an exclusive lock on a hidden file beside the name, which the system lets go when
// the process ends, however it ends.
class PosixNameClaim final : public NameClaim {
public:
    PosixNameClaim(std::string lockPath, int fd) : lockPath_(std::move(lockPath)), fd_(fd) {}
    PosixNameClaim(const PosixNameClaim&) = delete;
    PosixNameClaim& operator=(const PosixNameClaim&) = delete;
    // Removed while still locked: a program that opened it meanwhile sees that the name now
    // leads elsewhere and tries again.
    ~PosixNameClaim() override {
        ::unlink(lockPath_.c_str());
        ::close(fd_);
    }

private:
    std::string lockPath_;
    int fd_;
};

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
    removeAbandonedTemporaries(folderOf(target));
    HeldTarget held;
    if (const auto failure = holdTarget(target, held)) return {nullptr, *failure};

    std::string temporary;
    const int temporaryFd = createTemporary(target, temporary);
    if (temporaryFd < 0) {
        const FileFailure failure = lastFailure();
        if (held.fd >= 0) ::close(held.fd);
        return {nullptr, failure};
    }
    // The replaced file keeps its permissions; a new one gets the user's defaults.
    if (held.fd >= 0) ::fchmod(temporaryFd, held.mode);
    if (watch_) watch_(RecordFileStep::TemporaryCreated);
    return {std::make_unique<PosixRecordFile>(target, held.fd, temporary, temporaryFd, watch_),
            FileFailure::Unknown};
}

NameClaiming NativeFileSystem::claimName(const std::string& folder, const std::string& name) {
    std::string lockPath = folder;
    if (!lockPath.empty() && lockPath.back() != '/') lockPath += '/';
    lockPath += ".mensora-" + name + ".owner";
    // A few attempts cover a lock file that its last holder removes between two steps.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) return {};
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool taken = errno == EWOULDBLOCK;
            ::close(fd);
            if (taken) return {nullptr, true};
            return {};
        }
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && ::stat(lockPath.c_str(), &named) == 0 &&
            opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
            return {std::make_unique<PosixNameClaim>(std::move(lockPath), fd), false};
        }
        ::close(fd);
    }
    return {};
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

std::variant<std::string, FileFailure> NativeFileSystem::readFile(const std::string& path) {
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return failureFromSystemError(errno);
    std::string bytes;
    char chunk[65536];
    ssize_t read = 0;
    while ((read = ::read(file, chunk, sizeof chunk)) > 0 || (read < 0 && errno == EINTR)) {
        if (read > 0) bytes.append(chunk, static_cast<std::size_t>(read));
    }
    const int error = read < 0 ? errno : 0;
    ::close(file);
    if (error != 0) return failureFromSystemError(error);
    return bytes;
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
