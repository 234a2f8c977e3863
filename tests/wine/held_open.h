#pragma once
// A file or serial port that another process (hold_open.exe, beside the test program) holds
// open without sharing for the life of the object.

#include <windows.h>

#include <string>

#include "tests/wine/wide_text.h"

namespace mensora::test {

class HeldOpen {
public:
    explicit HeldOpen(const std::string& path) {
        const std::wstring stem = L"mensora-hold-" + std::to_wstring(GetCurrentProcessId()) +
                                  L"-" + std::to_wstring(++serial_);
        const std::wstring readyName = stem + L"-ready";
        const std::wstring releaseName = stem + L"-release";
        ready_ = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
        release_ = CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str());
        std::wstring command = L"\"" + besideThisProgram(L"hold_open.exe") + L"\" \"" +
                               wide(path) + L"\" " + readyName + L" " + releaseName;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (ready_ == nullptr || release_ == nullptr ||
            !CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process_)) {
            return;
        }
        CloseHandle(process_.hThread);
        // Either the holder has the path, or it ended because it could not open it.
        const HANDLE either[] = {ready_, process_.hProcess};
        held_ = WaitForMultipleObjects(2, either, FALSE, 30000) == WAIT_OBJECT_0;
    }
    ~HeldOpen() {
        if (release_ != nullptr) SetEvent(release_);
        if (process_.hProcess != nullptr) {
            WaitForSingleObject(process_.hProcess, 30000);
            CloseHandle(process_.hProcess);
        }
        if (ready_ != nullptr) CloseHandle(ready_);
        if (release_ != nullptr) CloseHandle(release_);
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;

    // Whether the other process holds the path now.
    bool held() const { return held_; }

private:
    static std::wstring besideThisProgram(const std::wstring& name) {
        wchar_t path[MAX_PATH];
        const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring folder(path, length);
        return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
    }

    static inline int serial_ = 0;
    HANDLE ready_ = nullptr;
    HANDLE release_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool held_ = false;
};

}  // namespace mensora::test
