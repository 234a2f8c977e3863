#pragma once
// A fresh folder for a test's real files, removed with what it holds.

#include <atomic>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace mensora::test {

// A fresh folder under the system's temporary folder, removed with what it holds. Other test
// programs share that folder (under Wine every program of the run shares the prefix's one), so
// the name carries this process's id and a count of the folders it made, and the folder is
// made here, never found: a folder that is already there belongs to someone else (Wine hands a
// finished program's id to the next one at once, and a killed one leaves its folder behind)
// and is passed over, so that no test writes into it or removes it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        static std::atomic<unsigned> made{0};
        const auto temp = std::filesystem::temp_directory_path();
        const std::string named = "mensora-test-" + std::to_string(processId()) + "-";
        do {
            path_ = temp / (named + std::to_string(made++));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TemporaryFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // With a trailing separator, as the data folder is given.
    std::string path() const { return (path_ / "").string(); }

private:
    static long processId() {
#ifdef _WIN32
        return _getpid();
#else
        return static_cast<long>(::getpid());
#endif
    }

    std::filesystem::path path_;
};

}  // namespace mensora::test
