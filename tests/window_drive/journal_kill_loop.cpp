// The journal's kill loop on Windows: mensora.exe recording on Auto every 10 ms against the
// virtual gauge on COM1, ended by TerminateProcess at random moments, ROUNDS times. After each
// restart and Yes to the offer of records to put back, the list must hold every record the
// ended run had shown 200 ms before it ended, in order, once. Notes how many rows the list
// showed when, and reads the rows back as any program can read another's list.
//
//   journal_kill_loop EXE ROUNDS
//
// Exit status 0 when every round held; the first failure ends the loop with status 1.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <random>
#include <utility>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "base/wide_text.h"
#include "tests/window_drive/other_process.h"

namespace mensora::drive {
namespace {

PROCESS_INFORMATION program{};
HWND mainWindow = nullptr;

[[noreturn]] void fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    std::fflush(stdout);
    if (program.hProcess != nullptr) TerminateProcess(program.hProcess, 1);
    std::exit(1);
}

template <typename Holds>
bool within(DWORD ms, Holds holds) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!holds()) {
        if (GetTickCount64() > end) return false;
        Sleep(5);
    }
    return true;
}

HWND control(int id) { return GetDlgItem(mainWindow, id); }

int listRows() {
    return static_cast<int>(SendMessageW(control(RecordList), LVM_GETITEMCOUNT, 0, 0));
}

// What a row is known by: its No, value and time.
std::string row(int index) {
    const HWND list = control(RecordList);
    return utf8(listCellText(list, index, 0)) + "|" + utf8(listCellText(list, index, 1)) + "|" +
           utf8(listCellText(list, index, 4));
}

BOOL CALLBACK findBox(HWND window, LPARAM found) {
    wchar_t kind[64] = {};
    GetClassNameW(window, kind, 64);
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == mainWindow &&
        _wcsicmp(kind, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The program's box over its window (the offer to put records back), if one is open.
HWND openBox() {
    HWND found = nullptr;
    EnumWindows(findBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

void start(const std::wstring& exe) {
    STARTUPINFOW info{};
    info.cb = sizeof info;
    std::wstring line = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &info, &program)) {
        fail("the program does not start");
    }
    const std::wstring title = L"Mensora V3.8.0";
    if (!within(60000, [&] {
            mainWindow = FindWindowW(L"#32770", title.c_str());
            return mainWindow != nullptr && IsWindowVisible(mainWindow);
        })) {
        fail("no window");
    }
}

void end() {
    TerminateProcess(program.hProcess, 1);
    WaitForSingleObject(program.hProcess, 15000);
    CloseHandle(program.hProcess);
    CloseHandle(program.hThread);
    program = {};
    mainWindow = nullptr;
}

}  // namespace
}  // namespace mensora::drive

int wmain(int argc, wchar_t** argv) {
    using namespace mensora;
    using namespace mensora::drive;
    if (argc != 3) {
        std::printf("usage: journal_kill_loop EXE ROUNDS\n");
        return 2;
    }
    const std::wstring exe = argv[1];
    const int rounds = std::wcstol(argv[2], nullptr, 10);
    // Auto every 10 ms, as stored: only confirming the parameters panel applies the floor.
    const DWORD period = 10;
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Mensora\\mensora\\Settings", L"m_Text12",
                    REG_DWORD, &period, sizeof period);
    const unsigned seed = std::random_device{}();
    std::printf("seed %u\n", seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> runFor(300, 1500);

    // The list the last run started with, and how many rows it showed when.
    std::vector<std::string> before;
    std::vector<std::pair<ULONGLONG, int>> counts;
    ULONGLONG endedAt = 0;
    for (int round = 0; round <= rounds; ++round) {
        start(exe);
        if (within(1500, [] { return openBox() != nullptr; })) {
            Sleep(100);
            PostMessageW(GetDlgItem(openBox(), IDYES), BM_CLICK, 0, 0);
            if (!within(15000, [] { return listRows() > 0; })) fail("nothing put back after Yes");
        }
        int mustBeBack = static_cast<int>(before.size());
        for (const auto& [at, rows] : counts) {
            if (at + 200 <= endedAt) mustBeBack = std::max(mustBeBack, rows);
        }
        // Each row once and in order: numbered from 1 without a gap, its time never earlier
        // than the row before it, and the rows the last run started with unchanged.
        std::vector<std::string> listed;
        std::string lastTime;
        const int rows = listRows();
        for (int i = 0; i < rows; ++i) {
            listed.push_back(row(i));
            char number[8];
            std::snprintf(number, sizeof number, "%06d", i + 1);
            const std::string& r = listed.back();
            const std::string time = r.substr(r.rfind('|') + 1);
            if (r.rfind(number, 0) != 0 || time < lastTime) fail("row " + r + " out of order");
            if (static_cast<std::size_t>(i) < before.size() && r != before[i]) {
                fail("row " + std::to_string(i) + " is " + r + ", was " + before[i]);
            }
            lastTime = time;
        }
        if (rows < mustBeBack) {
            fail("round " + std::to_string(round) + ": " + std::to_string(rows) + " rows back, " +
                 std::to_string(mustBeBack) + " had been shown 200 ms before the end");
        }
        std::printf("round %d: %d rows back (%d had to be)\n", round, rows, mustBeBack);
        std::fflush(stdout);
        if (round == rounds) {
            end();
            break;
        }

        PostMessageW(control(ConnectButton), BM_CLICK, 0, 0);
        if (!within(15000, [] { return IsWindowEnabled(control(AutoButton)) != FALSE; })) {
            fail("no link to the gauge");
        }
        PostMessageW(control(AutoButton), BM_CLICK, 0, 0);
        before = listed;
        counts.clear();
        const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(runFor(random));
        while (GetTickCount64() < until) {
            counts.emplace_back(GetTickCount64(), listRows());
            Sleep(2);
        }
        endedAt = GetTickCount64();
        end();
    }
    std::printf("ended %d times by TerminateProcess; every record shown 200 ms before came back\n",
                rounds);
    return 0;
}
