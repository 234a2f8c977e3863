#pragma once
// The record-file suite's platform on Linux (see native_bench.h): another program is a forked
// child, holding is an exclusive flock, as the POSIX back end takes it.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/unit/files/child_process.h"
#include "tests/unit/files/real_folder.h"

namespace mensora::test {

inline constexpr char kSeparator = '/';
inline constexpr const char* kThisProgram = "unit_files";
// A lock keeps other writers out, not readers.
inline constexpr bool kOthersReadAHeldFile = true;

inline std::filesystem::path pathOf(const std::string& utf8) { return utf8; }

inline void makeFolderAt(const std::string& path) { ::mkdir(path.c_str(), 0755); }

// Another program that keeps a file open and locked until it is let go.
class OtherProgramHolding {
public:
    explicit OtherProgramHolding(const std::string& path) {
        int ready[2];
        if (::pipe(ready) != 0 || ::pipe(release_) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            // Only the test's end may keep the release pipe open, or the holder never hears
            // it close.
            ::close(release_[1]);
            ::close(ready[0]);
            const int fd = ::open(path.c_str(), O_RDWR);
            const char state = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'L' : 'X';
            [[maybe_unused]] const ssize_t told = ::write(ready[1], &state, 1);
            char end;
            [[maybe_unused]] const ssize_t released = ::read(release_[0], &end, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release_[0]);
        char state = 0;
        holding_ = ::read(ready[0], &state, 1) == 1 && state == 'L';
        ::close(ready[0]);
    }
    ~OtherProgramHolding() {
        ::close(release_[1]);
        if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
    }
    OtherProgramHolding(const OtherProgramHolding&) = delete;
    OtherProgramHolding& operator=(const OtherProgramHolding&) = delete;
    bool holding() const { return holding_; }

private:
    int release_[2] = {-1, -1};
    pid_t pid_ = -1;
    bool holding_ = false;
};

// Whether another process could take the lock on the file right now.
inline std::string openSeenByOthers(const std::string& path) {
    return runInChild([&] {
        const int fd = ::open(path.c_str(), O_RDONLY);
        if (fd < 0) return std::string("absent");
        return std::string(::flock(fd, LOCK_EX | LOCK_NB) == 0 ? "free" : "held");
    });
}

}  // namespace mensora::test
