#pragma once
// Runs part of a test in a forked child: as another process (a second program holding a
// file), as an unprivileged user (so that file permissions apply even when the tests run as
// root), or in a mount namespace of its own (a tiny file system that fills up). The child
// answers with a text; the test checks it.

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

namespace mensora::test {

// What the child said, or why it said nothing useful.
inline std::string runInChild(const std::function<std::string()>& body) {
    int channel[2];
    if (::pipe(channel) != 0) return "pipe failed";
    const pid_t child = ::fork();
    if (child < 0) return "fork failed";
    if (child == 0) {
        ::close(channel[0]);
        const std::string answer = body();
        std::size_t sent = 0;
        while (sent < answer.size()) {
            const ssize_t n = ::write(channel[1], answer.data() + sent, answer.size() - sent);
            if (n <= 0) break;
            sent += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string answer;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
        answer.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "child died: " + answer;
    return answer;
}

inline constexpr uid_t kNobody = 65534;

// In the child: become the unprivileged user when running as root; otherwise the tests'
// own user already meets file permissions. Empty on success, else the reason.
inline std::string dropPrivileges() {
    if (::geteuid() != 0) return {};
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
        return std::string("cannot drop privileges: ") + std::strerror(errno);
    }
    return {};
}

inline bool writeText(const char* path, const std::string& text) {
    std::ofstream out(path);
    out << text;
    return static_cast<bool>(out.flush());
}

// In the child: a private mount namespace with a tmpfs of `size` mounted on folder. As root
// this needs only a new mount namespace; otherwise a user namespace brings the right to
// mount. Empty on success, else the reason.
inline std::string mountSmallFileSystem(const std::string& folder, const char* size) {
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (uid != 0) {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            return std::string("unshare(user, mount) failed: ") + std::strerror(errno);
        }
        if (!writeText("/proc/self/setgroups", "deny") ||
            !writeText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !writeText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
            return "cannot map the user into the new namespace";
        }
    } else if (::unshare(CLONE_NEWNS) != 0) {
        return std::string("unshare(mount) failed: ") + std::strerror(errno);
    }
    // Nothing mounted here may leak back into the machine's own mount table.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return std::string("cannot make mounts private: ") + std::strerror(errno);
    }
    const std::string options = std::string("size=") + size + ",mode=0777";
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        return std::string("cannot mount a tmpfs: ") + std::strerror(errno);
    }
    return {};
}

}  // namespace mensora::test
