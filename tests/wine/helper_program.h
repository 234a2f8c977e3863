#pragma once
// Another program for a test to run beside it: a helper .exe from beside the test program,
// started with the given arguments and then the names of two events, READY (which it sets once
// it is in the state the test wants) and RELEASE (on which it ends). The test either lets it
// go or kills it, as a program is killed at any moment.

#include <windows.h>

#include <string>
#include <vector>

#include "base/wide_text.h"

namespace mensora::test {

class HelperProgram {
public:
    HelperProgram(const std::wstring& program, const std::vector<std::string>& arguments) {
        const std::wstring stem = L"mensora-helper-" + std::to_wstring(GetCurrentProcessId()) +
                                  L"-" + std::to_wstring(++serial_);
        const std::wstring readyName = stem + L"-ready";
        const std::wstring releaseName = stem + L"-release";
        ready_ = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
        release_ = CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str());
        std::wstring command = L"\"" + besideThisProgram(program) + L"\"";
        for (const std::string& argument : arguments) command += L" \"" + wide(argument) + L"\"";
        command += L" " + readyName + L" " + releaseName;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (ready_ == nullptr || release_ == nullptr ||
            !CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process_)) {
            return;
        }
        CloseHandle(process_.hThread);
        // Either the helper is ready, or it ended because it could not get there.
        const HANDLE either[] = {ready_, process_.hProcess};
        ready = WaitForMultipleObjects(2, either, FALSE, 30000) == WAIT_OBJECT_0;
    }
    ~HelperProgram() {
        if (release_ != nullptr) SetEvent(release_);
        if (process_.hProcess != nullptr) {
            WaitForSingleObject(process_.hProcess, 30000);
            CloseHandle(process_.hProcess);
        }
        if (ready_ != nullptr) CloseHandle(ready_);
        if (release_ != nullptr) CloseHandle(release_);
    }
    HelperProgram(const HelperProgram&) = delete;
    HelperProgram& operator=(const HelperProgram&) = delete;

    // Ends the helper at once, as the task manager or a power cut would, and waits until the
    // system has closed everything it held.
    void kill() {
        if (process_.hProcess == nullptr) return;
        TerminateProcess(process_.hProcess, 9);
        WaitForSingleObject(process_.hProcess, 30000);
    }

    bool ready = false;  // whether the helper reached the state the test wants

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
};

}  // namespace mensora::test
