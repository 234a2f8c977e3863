#pragma once
// The record-file suite's platform on Windows (see native_bench.h): paths are UTF-8 turned
// wide, another program is a helper .exe beside the test, holding is an open without sharing,
// as the Win32 back end opens.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/wide_text.h"
#include "tests/support/folder_listing.h"
#include "tests/wine/helper_program.h"
#include "tests/support/relocated_executable.h"

namespace mensora::test {

inline constexpr char kSeparator = '\\';
inline constexpr const char* kThisProgram = "win32_record_files.exe";
// A file opened without sharing is opened by no one else, readers included.
inline constexpr bool kOthersReadAHeldFile = false;

inline std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(wide(utf8));
}

inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(pathOf(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(pathOf(path), std::ios::binary) << content;
}

inline void makeFolderAt(const std::string& path) {
    std::filesystem::create_directories(pathOf(path));
}

inline std::string listing(const std::string& folder) { return listingOf(pathOf(folder)); }

// A fresh folder under the temporary folder, removed with everything in it when it goes.
class ScratchFolder {
public:
    ScratchFolder()
        : path_(utf8Of(std::filesystem::temp_directory_path() /
                       ("mensora-files-" + std::to_string(GetCurrentProcessId())))) {
        makeFolderAt(path_);
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(pathOf(path_), error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Another program that keeps a file open without sharing it until it is let go.
class OtherProgramHolding {
public:
    explicit OtherProgramHolding(const std::string& path) : program_(L"hold_open.exe", {path}) {}
    bool holding() const { return program_.ready; }

private:
    HelperProgram program_;
};

// How an open by anyone else fares right now.
inline std::string openSeenByOthers(const std::string& path) {
    const HANDLE handle = CreateFileW(wide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return "free";
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION ? "held" : "error " + std::to_string(error);
}

}  // namespace mensora::test
