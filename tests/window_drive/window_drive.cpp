// Works mensora.exe's window as a bench operator would, in another process: starts the
// program, finds its window by title, checks every control's place against the dialog
// template's rectangles as Windows maps them, then clicks, types and answers its boxes by
// control id against the virtual gauge on COM1, and reads back the list, the statistics, the
// stored settings and the saved file.
//
//   window_drive --prepare [DPI]
//   window_drive --time EXE TITLE TIMES
//   window_drive --record EXE SECONDS
//   window_drive --program EXE --out FOLDER --key FIFO --run first|second|third
//   window_drive --program EXE --run layout-chinese|layout-english
//   window_drive --program EXE --out FOLDER --key FIFO --bench NAME --run plant-chinese|plant-english
//   window_drive --program EXE --out FOLDER --run plan-chinese|plan-english
//   window_drive --program EXE --out FOLDER --run control-chinese|control-english
//
// --prepare, in a fresh prefix, names the machine's Chinese fonts for the dialog and display
// fonts and sets the screen's scale (LogPixels: 96, the default, is 100 %; 144 is 150 %); Wine
// reads both when a program starts, so it comes before the runs it is for. It also opens both faces
// once, so that the first start of the program finds them loaded into Wine's font list.
// --time starts a dialog program TIMES times and prints how long each took to show its
// window (benchmarks/windows/startup). --record runs the program linked, idle, then recording
// by Auto every 10 ms for SECONDS, marking each phase (benchmarks/windows/auto_recording).
// The first run starts on fresh settings (Chinese) and ends by choosing English; the second
// run finds the English interface the first one chose; the third stores Chinese again and
// works the window as the second did, so that both languages are seen at one scale. A layout
// run stores the language,
// starts the program, checks its layout at the screen's scale and closes it. Each full run
// leaves FOLDER\window.bmp, FOLDER\trace.bmp and FOLDER\charts.bmp; the first also the picture
// the charts window saved, FOLDER\charts.png, and the later ones the Plant database window,
// FOLDER\plant.bmp.
// A plant run stores the language, the plant database's connection (the environment's
// MENSORA_PLANT_TEST_CONNECTION) and the bench NAME, takes eight records by the gauge's data
// key, and has the server taken away after the third and brought back after the sixth by the
// script that runs it, which watches FOLDER for the files server-stop and server-start and
// removes each once done. No box may interrupt the user meanwhile, and the plant line must
// come to say up to date before the outage and after it; then the program is closed.
// A plan run stores the language, writes a plan's CSV to FOLDER, imports it through the Plan
// window (F5) and walks it by Manual: a part whole, a scanned serial, Page Down; then "No plan"
// again and the program is closed. It leaves FOLDER\plan.bmp (the Plan window with the
// imported plan) and FOLDER\plan-main.bmp (the window in mid-part).
// A control run stores the language and subgroups of five, takes 40 records by Manual, opens
// the charts, fixes the limits there and takes 13 more: FOLDER\control-charts.bmp.
// Exit status 0 when every check held; the first failed check ends the run with status 1.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "base/control_table.h"
#include "base/texts.h"
#include "charts/chart_texts.h"
#include "charts/charts_window_size.h"
#include "charts/run_rule_texts.h"
#include "dialog/alarm_texts.h"
#include "dialog/plan_texts.h"
#include "dialog/runs_texts.h"
#include "dialog/study_texts.h"
#include "files/plan_csv.h"
#include "measure/gauge_study_texts.h"
#include "measure/trace_fields.h"
#include "measure/trace_texts.h"
#include "plant/plant_texts.h"
#include "tests/support/bench_run.h"
#include "tests/support/sample_study.h"
#include "tests/window_drive/other_process.h"

namespace mensora::drive {
namespace {

PROCESS_INFORMATION program{};
HWND mainWindow = nullptr;
bool english = false;

// The screens a window must fit at their scale, above a task bar of 40 pixels at 100 % that
// grows with the scale: the commonest bench panel at 100 %, a full-HD panel at 150 %.
struct Screen {
    int dpi;
    int width;
    int height;
};
constexpr Screen kScreens[] = {{96, 1366, 768}, {144, 1920, 1080}};
constexpr int kTaskBarAt96Dpi = 40;

std::wstring wide(const char* text) {
    if (text == nullptr) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), length);
    out.resize(static_cast<std::size_t>(length > 0 ? length - 1 : 0));
    return out;
}

std::string narrow(const std::wstring& text) {
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), length, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(length > 0 ? length - 1 : 0));
    return out;
}

[[noreturn]] void fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    std::fflush(stdout);
    if (program.hProcess != nullptr) TerminateProcess(program.hProcess, 1);
    std::exit(1);
}

void step(const std::string& what) {
    std::printf("ok: %s\n", what.c_str());
    std::fflush(stdout);
}

// Waits, letting the program work, until the condition holds.
void waitFor(const std::string& what, const std::function<bool()>& holds, DWORD ms = 15000) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!holds()) {
        if (GetTickCount64() > end) fail("timed out waiting for " + what);
        Sleep(50);
    }
}

HWND control(int id) {
    const HWND found = GetDlgItem(mainWindow, id);
    if (found == nullptr) fail("no control " + std::to_string(id));
    return found;
}

std::string text(int id) { return narrow(windowText(control(id))); }

void click(int id) { PostMessageW(control(id), BM_CLICK, 0, 0); }

void type(int id, const wchar_t* value) {
    SendMessageW(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
}

bool enabled(int id) { return IsWindowEnabled(control(id)) != FALSE; }

int listRows() {
    return static_cast<int>(SendMessageW(control(RecordList), LVM_GETITEMCOUNT, 0, 0));
}

std::string caption(const Bilingual& both) { return english ? both.english : both.chinese; }

// A window the run opened beside the main one and works while it waits (the Gauge study, the
// Earlier runs window while it saves): neither a box nor the dialog a wait looks for.
HWND windowBeside = nullptr;

struct OwnedSearch {
    HWND owner;
    const wchar_t* kind;
    HWND found;
};

BOOL CALLBACK findShownOwned(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<OwnedSearch*>(context);
    wchar_t kind[64] = {};
    GetClassNameW(window, kind, 64);
    if (window != windowBeside && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == search->owner && _wcsicmp(kind, search->kind) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A shown window of the class `kind` that `owner` owns, if any.
HWND shownOwned(HWND owner, const wchar_t* kind) {
    OwnedSearch search{owner, kind, nullptr};
    EnumWindows(findShownOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A box or dialog of the program's that is open over `owner`, if any.
HWND ownedDialog(HWND owner) { return shownOwned(owner, L"#32770"); }

// The box that stands over the window while a workbook is written: a dialog with a progress
// bar. It is no answer to anything, so a wait for a box passes over it.
bool isProgressBox(HWND dialog) {
    return FindWindowExW(dialog, nullptr, PROGRESS_CLASSW, nullptr) != nullptr;
}

HWND waitForDialog(const std::string& what, HWND owner = mainWindow) {
    HWND box = nullptr;
    waitFor(what, [&] { return (box = ownedDialog(owner)) != nullptr && !isProgressBox(box); });
    Sleep(200);  // let it finish painting before it is worked
    return box;
}

// Every static text of a box, one after the other.
std::string boxText(HWND box) {
    std::wstring all;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[64] = {};
        GetClassNameW(child, kind, 64);
        if (_wcsicmp(kind, L"Static") == 0) all += windowText(child);
    }
    return narrow(all);
}

// Answers a message box with one of its buttons and waits until it has gone.
void answer(HWND box, int button) {
    PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
    waitFor("the box to close", [box] { return IsWindow(box) == FALSE || !IsWindowVisible(box); });
}

void expectBox(const std::string& what, const std::string& message, int button,
               HWND owner = mainWindow) {
    const HWND box = waitForDialog(what, owner);
    const std::string shown = boxText(box);
    if (shown.find(message) == std::string::npos) {
        fail(what + ": the box says \"" + shown + "\", not \"" + message + "\"");
    }
    wchar_t title[256] = {};
    GetWindowTextW(box, title, 256);
    step(what + ": \"" + shown + "\" (title \"" + narrow(title) + "\")");
    answer(box, button);
}

// A setting as the program stored it; 0xFFFFFFFF while it has none.
DWORD storedSetting(const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Mensora\\mensora\\Settings", name,
                     RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
        return 0xFFFFFFFF;
    }
    return value;
}

INT_PTR CALLBACK probeProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The dialog font's units as Windows maps them: a dialog of its own in the same font.
HWND fontProbe() {
    std::vector<std::uint16_t> t = {1, 0xFFFF, 0, 0, 0, 0, DS_SETFONT, 0, 0, 0, 0, 10, 10, 0, 0};
    t.push_back(0);  // no title
    t.push_back(static_cast<std::uint16_t>(kDialogFontPoints));
    t.push_back(FW_NORMAL);
    t.push_back(DEFAULT_CHARSET << 8);
    for (const wchar_t c : wide(kDialogFontFace)) t.push_back(static_cast<std::uint16_t>(c));
    t.push_back(0);
    const HWND probe = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                                  reinterpret_cast<LPCDLGTEMPLATEW>(t.data()),
                                                  nullptr, probeProc, 0);
    if (probe == nullptr) fail("the font probe dialog cannot be made");
    return probe;
}

std::string rectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

int screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// At a scale with a screen of its own, the whole window, frame included, fits that screen
// above the task bar; at every scale it is no smaller than the minimum tracking size.
void checkScreenFit() {
    const int dpi = screenDpi();
    RECT outer{};
    GetWindowRect(mainWindow, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int leastWidth = MulDiv(kMinimumWidthPixels, dpi, 96);
    const int leastHeight = MulDiv(kMinimumHeightPixels, dpi, 96);
    if (width < leastWidth - 1 || height < leastHeight - 1) {
        fail("the window is " + std::to_string(width) + "x" + std::to_string(height) +
             ", under the minimum tracking size " + std::to_string(leastWidth) + "x" +
             std::to_string(leastHeight) + " at " + std::to_string(dpi) + " DPI");
    }
    for (const Screen& screen : kScreens) {
        if (screen.dpi != dpi) continue;
        const int above = screen.height - MulDiv(kTaskBarAt96Dpi, dpi, 96);
        if (width > screen.width || height > above) {
            fail("the window is " + std::to_string(width) + "x" + std::to_string(height) +
                 ": it does not fit " + std::to_string(screen.width) + "x" + std::to_string(above) +
                 " above the task bar at " + std::to_string(dpi) + " DPI");
        }
        step("the window, " + std::to_string(width) + "x" + std::to_string(height) +
             " with its frame, fits a " + std::to_string(screen.width) + "x" +
             std::to_string(screen.height) + " screen above the task bar at " +
             std::to_string(dpi) + " DPI");
    }
}

// Every control in template order, at MapDialogRect of its rectangle, with its caption.
void checkGeometry() {
    const HWND probe = fontProbe();
    const std::span<const DialogControl> table = controlTable();
    std::size_t index = 0;
    HWND child = GetWindow(mainWindow, GW_CHILD);
    for (; child != nullptr && index < table.size();
         child = GetWindow(child, GW_HWNDNEXT), ++index) {
        const DialogControl& row = table[index];
        const int id = GetDlgCtrlID(child);
        if (id != (row.id != 0 ? row.id : -1) && !(row.id == 0 && id == 0xFFFF)) {
            fail("control " + std::to_string(index) + " has id " + std::to_string(id) +
                 ", the table says " + std::to_string(row.id));
        }
        // The dialog manager maps the place and the size each on its own, so the mapping is
        // of those four numbers, not of the right and bottom edges.
        RECT mapped{row.rect.x, row.rect.y, row.rect.width, row.rect.height};
        MapDialogRect(probe, &mapped);
        const RECT expected{mapped.left, mapped.top, mapped.left + mapped.right,
                            mapped.top + mapped.bottom};
        RECT actual{};
        GetWindowRect(child, &actual);
        MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&actual), 2);
        // A closed drop-down is one line high; the template's height is the room its list
        // drops into.
        const bool dropDown = row.kind == ControlKind::DropDown;
        const bool same =
            actual.left == expected.left && actual.top == expected.top &&
            actual.right == expected.right &&
            (dropDown ? actual.bottom <= expected.bottom : actual.bottom == expected.bottom);
        if (!same) {
            fail("control " + objectNameOf(row) + " is at " + rectText(actual) + ", not " +
                 rectText(expected));
        }
        // Every control's text is its whole caption, however much of it its box shows.
        const char* wanted = captionFor(row, english ? Language::English : Language::Chinese);
        const bool captioned = wanted != nullptr && row.kind != ControlKind::DropDown;
        if (captioned && narrow(windowText(child)) != wanted) {
            fail("control " + objectNameOf(row) + " says \"" + narrow(windowText(child)) +
                 "\", not \"" + wanted + "\"");
        }
    }
    if (index != table.size()) fail("the window has fewer controls than the table");
    // After the template's controls, only the lines below it: the plan's band (its line, the
    // serial's label and field), the part and lot in force, the plant database's line and the
    // alarm's band (its line and button).
    for (; child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id != kPlanLine && id != kPlanSerialField && id != -1 && id != kTraceLine &&
            id != kPlantLine && id != kAlarmLine && id != kAlarmAckButton) {
            fail("the window has a control " + std::to_string(id) + " the table does not");
        }
    }
    RECT unit{0, 0, 4, 8};
    MapDialogRect(probe, &unit);
    DestroyWindow(probe);
    step("all " + std::to_string(index) + " controls at their template rectangles at " +
         std::to_string(screenDpi()) + " DPI (4x8 dialog units = " + std::to_string(unit.right) +
         "x" + std::to_string(unit.bottom) + " pixels), whole captions in " +
         (english ? "English" : "Chinese"));
    checkScreenFit();
}

void screenshot(HWND window, const std::wstring& path) {
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);
    // The whole window, frame and caption bar included, as Wine draws them on its own desktop.
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    const HBITMAP image = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ former = SelectObject(memory, image);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
    const DWORD size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + size;
    const HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info.bmiHeader, sizeof(BITMAPINFOHEADER), &written, nullptr);
    WriteFile(out, bits, size, &written, nullptr);
    CloseHandle(out);
    SelectObject(memory, former);
    DeleteObject(image);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    step("screenshot " + narrow(path) + " (" + std::to_string(width) + "x" +
         std::to_string(height) + ")");
}

// A line typed to the virtual gauge through its pipe: "k" its data key, "v MM" its reading.
void tellGauge(const std::wstring& keyPipe, const std::string& line) {
    const HANDLE pipe = CreateFileW(keyPipe.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) fail("the gauge's key pipe cannot be opened");
    const std::string typed = line + "\n";
    DWORD written = 0;
    WriteFile(pipe, typed.data(), static_cast<DWORD>(typed.size()), &written, nullptr);
    CloseHandle(pipe);
}

void pressKey(const std::wstring& keyPipe) { tellGauge(keyPipe, "k"); }

void setFontReplacements() {
    // The prefix has no 宋体 or 黑体; the Chinese fonts of the machine stand in for them.
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Fonts\\Replacements", 0, nullptr, 0,
                    KEY_SET_VALUE, nullptr, &key, nullptr);
    const auto put = [key](const char* face, const wchar_t* font) {
        RegSetValueExW(key, wide(face).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(font),
                       static_cast<DWORD>((std::wcslen(font) + 1) * sizeof(wchar_t)));
    };
    put(kDialogFontFace, L"AR PL UMing CN");
    put(kDisplayFontFace, L"Noto Sans CJK SC");
    // Wine's own faces (the caption bar's Tahoma) fall back on SimSun for Chinese.
    put("SimSun", L"AR PL UMing CN");
    RegCloseKey(key);
}

// The screen's scale, as Windows keeps it for the user and Wine reads it for every program.
void setScreenDpi(DWORD dpi) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                    nullptr, &key, nullptr);
    RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
    RegCloseKey(key);
}

// Draws a Chinese text once in each of the program's faces, so that Wine has opened them.
void openFaces() {
    const HDC screen = GetDC(nullptr);
    for (const char* face : {kDialogFontFace, kDisplayFontFace}) {
        LOGFONTW font{};
        font.lfHeight = -20;
        font.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(font.lfFaceName, wide(face).c_str(), LF_FACESIZE);
        const HFONT made = CreateFontIndirectW(&font);
        const HGDIOBJ former = SelectObject(screen, made);
        const std::wstring text = wide(texts::kWindowTitle) + wide(kDialogFontFace);
        SIZE size{};
        GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(screen, former);
        DeleteObject(made);
    }
    ReleaseDC(nullptr, screen);
}

// Starts a program and returns how long its window took to show, in milliseconds.
ULONGLONG startAndFind(const std::wstring& exe, const std::wstring& title) {
    STARTUPINFOW info{};
    info.cb = sizeof info;
    std::wstring line = L"\"" + exe + L"\"";
    const ULONGLONG started = GetTickCount64();
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &info, &program)) {
        fail(narrow(exe) + " does not start");
    }
    // A first start in a fresh prefix may take long on a busy machine (Wine starts its own
    // services and loads the fonts): the wait follows the program, which has shown its window
    // when it first waits for input, and fails at once if it ends before that.
    for (;;) {
        const DWORD idle = WaitForInputIdle(program.hProcess, 1000);
        if (idle == 0) break;
        DWORD code = 0;
        if (GetExitCodeProcess(program.hProcess, &code) && code != STILL_ACTIVE) {
            fail(narrow(exe) + " ended with " + std::to_string(code) + " before its window showed");
        }
        if (idle == WAIT_FAILED) fail("cannot follow the start of " + narrow(exe));
        if (GetTickCount64() - started > 600000) fail(narrow(exe) + " did not start in 10 minutes");
    }
    waitFor("the window \"" + narrow(title) + "\"", [&] {
        mainWindow = FindWindowW(L"#32770", title.c_str());
        return mainWindow != nullptr && IsWindowVisible(mainWindow);
    });
    return GetTickCount64() - started;
}

// The start-up time of a dialog program, a number of times over: each start until its window
// shows, then closed by its close box.
void timeStarts(const std::wstring& exe, const std::wstring& title, int times) {
    for (int i = 0; i < times; ++i) {
        const ULONGLONG ms = startAndFind(exe, title);
        std::printf("startup_ms %llu\n", static_cast<unsigned long long>(ms));
        std::fflush(stdout);
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(program.hProcess, 15000) != WAIT_OBJECT_0) fail("no exit");
        CloseHandle(program.hProcess);
        CloseHandle(program.hThread);
        program = {};
    }
}

void start(const std::wstring& exe) {
    const ULONGLONG ms = startAndFind(exe, wide(texts::kWindowTitle));
    step("window found by its title after " + std::to_string(ms) + " ms");
}

void connect() {
    click(ConnectButton);
    const std::string disconnect = caption(texts::kDisconnectAsciiCaption);
    waitFor("the link to the gauge on COM1", [&] { return text(ConnectButton) == disconnect; });
    waitFor("the status ASC", [] { return text(StatusField) == "ASC"; });
    if (!enabled(ManualButton) || !enabled(AutoButton) || !enabled(ZeroButton)) {
        fail("Zero, Auto and Manual stay disabled after the link");
    }
    step("Connect: linked at " + std::to_string(storedSetting(L"Baudrate")) + " baud on COM" +
         std::to_string(storedSetting(L"ComID")) + ", the button says \"" + disconnect +
         "\", status ASC");
    waitFor("a live reading", [] {
        const std::string live = text(LiveValue);
        return !live.empty() && std::strtod(live.c_str(), nullptr) > 12.0;
    });
    step("live value " + text(LiveValue) + " " + text(UnitLabel));
}

// The verdict the list must show for a value against the bench run's size (on a limit is NG).
std::string verdictFor(double value) {
    using namespace test::bench_run;
    const bool ok = value > static_cast<double>(kNominal + kLowerTolerance) &&
                    value < static_cast<double>(kNominal + kUpperTolerance);
    return caption(ok ? texts::kVerdictOk : texts::kVerdictNg);
}

// `counted`: the statistics count all records (with a plan in force they count the
// characteristic due's alone).
void record(const std::string& how, const std::function<void()>& act, bool judged = false,
            bool counted = true) {
    const int before = listRows();
    act();
    waitFor(how + " to add a row", [before] { return listRows() == before + 1; });
    const HWND list = control(RecordList);
    const int row = before;
    const std::string seq = narrow(listCellText(list, row, 0));
    char wanted[8];
    std::snprintf(wanted, sizeof wanted, "%06d", row + 1);
    if (seq != wanted) fail(how + ": the new row is numbered \"" + seq + "\"");
    if (judged) {
        const std::string value = narrow(listCellText(list, row, 1));
        const std::string verdict = narrow(listCellText(list, row, 3));
        if (verdict != verdictFor(std::strtod(value.c_str(), nullptr))) {
            fail(how + ": " + value + " judged " + verdict);
        }
    }
    // The statistics reach the screen with the next push.
    if (counted) {
        waitFor(how + " to be counted",
                [row] { return text(CountField) == std::to_string(row + 1); });
    }
    step(how + ": row " + seq + " value \"" + narrow(listCellText(list, row, 1)) + "\" error \"" +
         narrow(listCellText(list, row, 2)) + "\" " + narrow(listCellText(list, row, 3)) + " " +
         narrow(listCellText(list, row, 4)));
}

void automatic() {
    const int before = listRows();
    const DWORD period = storedSetting(L"m_Text12");
    click(AutoButton);
    waitFor("Auto to start", [] { return text(AutoButton) == caption(texts::kAutoStopCaption); });
    waitFor(
        "Auto to record five rows", [before] { return listRows() >= before + 5; },
        15000 + 5 * period);
    click(AutoButton);
    waitFor("Auto to stop", [] { return text(AutoButton) != caption(texts::kAutoStopCaption); });
    Sleep(600);
    const int stopped = listRows();
    Sleep(600);
    if (listRows() != stopped) fail("Auto keeps recording after Stop");
    step("Auto: " + std::to_string(stopped - before) + " rows at " + std::to_string(period) +
         " ms, then Stop holds");
}

// The window as the user sees it at work: Auto just started, the picture taken before its
// first record; then Auto stopped again.
void screenshotWhileRecording(const std::wstring& path) {
    click(AutoButton);
    waitFor("Auto to start", [] { return text(AutoButton) == caption(texts::kAutoStopCaption); });
    screenshot(mainWindow, path);
    click(AutoButton);
    waitFor("Auto to stop", [] { return text(AutoButton) != caption(texts::kAutoStopCaption); });
    step("screenshot while Auto records: " + std::to_string(listRows()) + " rows");
}

// The bench run's size, and Auto's period.
void parameters(DWORD periodMs) {
    click(ParametersButton);
    waitFor("the parameters panel to open", [] {
        return text(ParametersButton) == caption(texts::kConfirmCaption) && enabled(NominalField);
    });
    type(NominalField, test::bench_run::kNominalTyped);
    type(UpperToleranceField, test::bench_run::kUpperTyped);
    type(LowerToleranceField, test::bench_run::kLowerTyped);
    type(SampleIntervalField, std::to_wstring(periodMs).c_str());
    click(ParametersButton);
    waitFor("the parameters panel to close",
            [] { return text(ParametersButton) == caption(texts::kParametersCaption); });
    if (enabled(NominalField)) fail("the parameter fields stay open after confirming");
    const auto nominal = static_cast<std::int32_t>(storedSetting(L"m_Text9"));
    const auto upper = static_cast<std::int32_t>(storedSetting(L"m_Text10"));
    const auto lower = static_cast<std::int32_t>(storedSetting(L"m_Text11"));
    // The two lists were left as they were: no sound, the unit mm.
    if (storedSetting(L"COMBO1") != 0 || storedSetting(L"COMBO2") != 0) {
        fail("stored lists COMBO1 " + std::to_string(storedSetting(L"COMBO1")) + ", COMBO2 " +
             std::to_string(storedSetting(L"COMBO2")));
    }
    if (nominal != 12345 || upper != 20 || lower != -20 || storedSetting(L"m_Text12") != periodMs) {
        fail("stored parameters " + std::to_string(nominal) + " " + std::to_string(upper) + " " +
             std::to_string(lower) + ", period " + std::to_string(storedSetting(L"m_Text12")));
    }
    step("parameters 12.345 +0.02/-0.02 confirmed and stored as m_Text9 12345, m_Text10 20, "
         "m_Text11 -20, COMBO1 0, COMBO2 0; Auto every " +
         std::to_string(periodMs) + " ms");
}

// The gauge made to show `reading`, and the window showing it.
void gaugeShows(const std::wstring& keyPipe, const char* reading) {
    tellGauge(keyPipe, std::string("v ") + reading);
    const double wanted = std::strtod(reading, nullptr);
    waitFor(std::string("the live value ") + reading, [wanted] {
        return std::abs(std::strtod(text(LiveValue).c_str(), nullptr) - wanted) < 0.0005;
    });
}

// Confirming the parameters pulls every field, the live value's text included, which a record
// would show until the next good frame replaces it with the reading it judges: a record that
// is checked against its verdict waits for that frame, which the good-frame counter shows.
void nextGoodFrame() {
    const long seen = std::strtol(text(GoodFrameField).c_str(), nullptr, 10);
    waitFor("the next good frame",
            [seen] { return std::strtol(text(GoodFrameField).c_str(), nullptr, 10) > seen; });
}

void statistics() {
    const int rows = listRows();
    const int ok = std::atoi(text(OkCountField).c_str());
    const int over = std::atoi(text(OverUpperField).c_str());
    const int under = std::atoi(text(UnderLowerField).c_str());
    if (std::atoi(text(CountField).c_str()) != rows || ok + over + under != rows) {
        fail("statistics " + text(CountField) + " = " + std::to_string(ok) + " OK + " +
             std::to_string(over) + " NG+ + " + std::to_string(under) + " NG- against " +
             std::to_string(rows) + " rows");
    }
    const double average = std::strtod(text(AverageField).c_str(), nullptr);
    const double maximum = std::strtod(text(MaximumField).c_str(), nullptr);
    const double minimum = std::strtod(text(MinimumField).c_str(), nullptr);
    if (!(minimum <= average && average <= maximum)) {
        fail("average " + text(AverageField) + " outside " + text(MinimumField) + ".." +
             text(MaximumField));
    }
    step("statistics: " + std::to_string(rows) + " records, " + std::to_string(ok) + " OK, " +
         std::to_string(over) + " NG+, " + std::to_string(under) + " NG-, average " +
         text(AverageField) + " in " + text(MinimumField) + ".." + text(MaximumField));
}

// Answers the save or open dialog open over `owner`, which must offer `offeredName`, with
// `path`.
void chooseInFileDialog(HWND owner, const std::string& offeredName, const std::wstring& path) {
    const HWND dialog = waitForDialog("the file dialog", owner);
    HWND name = GetDlgItem(dialog, 0x480);  // the file name field
    if (name == nullptr) name = GetDlgItem(dialog, 0x47C);
    if (name == nullptr) fail("the file dialog has no file name field");
    const std::string offered = narrow(windowText(name));
    if (offered != offeredName) fail("the file dialog offers \"" + offered + "\"");
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    waitFor("the file dialog to close", [dialog] { return IsWindow(dialog) == FALSE; });
    step("file dialog offered \"" + offered + "\", chose " + narrow(path));
}

void save(const std::wstring& path) {
    DeleteFileW(path.c_str());
    click(SaveButton);
    chooseInFileDialog(mainWindow, "MensoraRecord.xls", path);
    expectBox("export", caption(texts::kExportSucceeded), IDOK);
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &file)) fail("no saved file");
    const auto expected = static_cast<DWORD>(28 + 52 * listRows());
    if (file.nFileSizeLow != expected) {
        fail("saved file holds " + std::to_string(file.nFileSizeLow) + " bytes, not " +
             std::to_string(expected));
    }
    step("saved file holds 28 + 52 x " + std::to_string(listRows()) + " bytes");
}

// Whether the file at `path` begins as every .xlsx does, as a zip package.
bool isWorkbook(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char head[2] = {};
    DWORD read = 0;
    ReadFile(file, head, sizeof head, &read, nullptr);
    CloseHandle(file);
    return read == 2 && head[0] == 'P' && head[1] == 'K';
}

// A name typed with .xlsx is saved as a workbook, written away from the window; the success
// box follows once the workbook is in place.
void saveWorkbook(const std::wstring& path) {
    DeleteFileW(path.c_str());
    click(SaveButton);
    chooseInFileDialog(mainWindow, "MensoraRecord.xls", path);
    expectBox("workbook", caption(texts::kExportSucceeded), IDOK);
    if (!isWorkbook(path)) fail("no workbook saved");
    step("saved as a workbook (a zip package)");
}

void clear() {
    click(ClearButton);
    waitFor("Clear to empty the list", [] { return listRows() == 0; });
    waitFor("the count to show 0", [] { return text(CountField) == "0"; });
    step("Clear: the list and the count are empty");
}

// The question comes in the language the program holds now: after a language choice, that is
// the chosen one, though the captions wait for the next start.
void escapeAsksFirst(Language language) {
    const std::string question =
        texts::unsavedRecordsQuestion(static_cast<std::uint32_t>(listRows()), language);
    PostMessageW(mainWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    expectBox("Escape with an unsaved record", question, IDNO);
    Sleep(300);
    if (!IsWindow(mainWindow)) fail("the window closed although the answer was No");
    step("No: the window stays open");
    PostMessageW(mainWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    expectBox("Escape again", question, IDYES);
    if (WaitForSingleObject(program.hProcess, 15000) != WAIT_OBJECT_0) {
        fail("the program does not end after Yes");
    }
    step("Yes: the window closed and the program ended");
}

// The About item of the window menu opens the About box in the interface language.
void about() {
    PostMessageW(mainWindow, WM_SYSCOMMAND, kAboutCommand, 0);
    const HWND box = waitForDialog("the About box");
    const std::string title = narrow(windowText(box));
    if (title != caption(texts::kAboutTitle) ||
        boxText(box).find(texts::kAboutProduct) == std::string::npos) {
        fail("the About box is \"" + title + "\": \"" + boxText(box) + "\"");
    }
    answer(box, IDOK);
    step("About: \"" + title + "\" names " + texts::kAboutProduct);
}

// Width and height from a PNG file's header; none when the file is not a PNG.
std::optional<SIZE> pngSize(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    unsigned char head[24] = {};
    DWORD read = 0;
    const bool whole = ReadFile(file, head, sizeof head, &read, nullptr) && read == sizeof head;
    CloseHandle(file);
    const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!whole || std::memcmp(head, signature, sizeof signature) != 0 ||
        std::memcmp(head + 12, "IHDR", 4) != 0) {
        return std::nullopt;
    }
    const auto bigEndian = [&](int at) {
        return static_cast<LONG>((head[at] << 24) | (head[at + 1] << 16) | (head[at + 2] << 8) |
                                 head[at + 3]);
    };
    return SIZE{bigEndian(16), bigEndian(20)};
}

// Save picture writes what the window shows above its rows of controls as a PNG of that size.
void saveChartsPicture(HWND window, const std::wstring& path) {
    const HWND button = GetDlgItem(window, kChartsSaveButton);
    if (button == nullptr || !IsWindowVisible(button))
        fail("the charts window has no Save picture button");
    const std::string shown = narrow(windowText(button));
    if (shown != caption(chart_texts::kSavePicture))
        fail("the Save picture button says \"" + shown + "\"");
    RECT client{};
    GetClientRect(window, &client);
    // The drawing ends above the rows of controls, whose top row holds Fix limits; the margin
    // under the Save picture button stands above them too.
    const auto placeOf = [window](int id) {
        RECT place{};
        GetWindowRect(GetDlgItem(window, id), &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        return place;
    };
    const RECT save = placeOf(kChartsSaveButton);
    const RECT controls = placeOf(kChartsFixButton);
    const SIZE expected{client.right, controls.top - (client.bottom - save.bottom)};
    DeleteFileW(path.c_str());
    PostMessageW(button, BM_CLICK, 0, 0);
    // Typed without its extension: the dialog gives it the picture type's.
    chooseInFileDialog(window, chart_texts::kPictureName, path.substr(0, path.rfind(L'.')));
    std::optional<SIZE> saved;
    waitFor("the picture to be written", [&] { return (saved = pngSize(path)).has_value(); });
    if (saved->cx != expected.cx || saved->cy != expected.cy) {
        fail("the picture is " + std::to_string(saved->cx) + "x" + std::to_string(saved->cy) +
             ", not the drawing's " + std::to_string(expected.cx) + "x" +
             std::to_string(expected.cy));
    }
    step("Save picture \"" + shown + "\": " + narrow(path) + ", a PNG of " +
         std::to_string(saved->cx) + "x" + std::to_string(saved->cy) +
         ", the charts above the button row");
}

// Opened for the first time, the charts window stays on the work area and hides neither the
// live reading nor a button: beside the main window where the screen has room, else over the
// record list. Says which, and on what screen.
std::string chartsPlacement(HWND charts) {
    RECT frame{};
    GetWindowRect(charts, &frame);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const std::string where = rectText(frame) + " on a " +
                              std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                              std::to_string(GetSystemMetrics(SM_CYSCREEN)) + " screen";
    if (frame.left < work.left || frame.top < work.top || frame.right > work.right ||
        frame.bottom > work.bottom) {
        fail("the charts window at " + where + " leaves the work area " + rectText(work));
    }
    for (const int id : {LiveGroup, ConnectButton, ZeroButton, ClearButton, SaveButton,
                         ManualButton, AutoButton, ParametersButton}) {
        RECT place{};
        GetWindowRect(control(id), &place);
        RECT both{};
        if (IntersectRect(&both, &frame, &place)) {
            fail("the charts window at " + where + " hides control " + std::to_string(id));
        }
    }
    RECT main{};
    GetWindowRect(mainWindow, &main);
    RECT both{};
    return (IntersectRect(&both, &frame, &main) ? "over the record list, "
                                                : "beside the window, ") +
           where;
}

// The quality charts open beside the window, from the window menu or by F3, drawn in more than
// a background and a colour, save their picture when asked, and close again.
void charts(bool byKey, const std::wstring& picture, const std::wstring& png = {}) {
    if (byKey) {
        PostMessageW(control(RecordList), WM_KEYDOWN, VK_F3, 0);
    } else {
        PostMessageW(mainWindow, WM_SYSCOMMAND, kChartsCommand, 0);
    }
    const std::string title = caption(chart_texts::kWindowTitle);
    HWND window = nullptr;
    waitFor("the charts window \"" + title + "\"", [&] {
        window = FindWindowW(nullptr, wide(title.c_str()).c_str());
        return window != nullptr && IsWindowVisible(window);
    });
    Sleep(500);  // let it finish painting before it is looked at
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    if (r.right - r.left < 100 || r.bottom - r.top < 100) fail("the charts window is too small");
    const std::string placed = chartsPlacement(window);
    const HDC screen = GetDC(nullptr);
    std::set<COLORREF> colours;
    for (int y = r.top; y < r.bottom; y += 3) {
        for (int x = r.left; x < r.right; x += 3) colours.insert(GetPixel(screen, x, y));
    }
    ReleaseDC(nullptr, screen);
    if (colours.size() < 4)
        fail("the charts window shows only " + std::to_string(colours.size()) + " colours");
    screenshot(window, picture);
    if (!png.empty()) saveChartsPicture(window, png);
    PostMessageW(window, WM_CLOSE, 0, 0);
    waitFor("the charts window to close", [window] { return !IsWindowVisible(window); });
    step(std::string("charts by ") + (byKey ? "F3" : "the window menu") + ": \"" + title + "\", " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + " " + placed +
         ", " + std::to_string(colours.size()) + " colours; closed");
}

// A text the program stored in the section of the part and lot; empty while it has none.
std::string storedTrace(const wchar_t* name) {
    wchar_t value[256] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Mensora\\mensora\\Trace", name, RRF_RT_REG_SZ,
                     nullptr, value, &size) != ERROR_SUCCESS) {
        return {};
    }
    return narrow(value);
}

// The plant database's connection string, which holds a password, is kept encrypted for the
// user: a binary value in which the text is found neither as UTF-16 nor as UTF-8.
void connectionKeptProtected(const std::wstring& connection, const char* when) {
    BYTE value[4096] = {};
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Mensora\\mensora\\Plant", L"Connection",
                     RRF_RT_ANY, &type, value, &size) != ERROR_SUCCESS) {
        fail(std::string("no plant connection is kept ") + when);
    }
    const std::string bytes(reinterpret_cast<const char*>(value), size);
    const std::string utf8 = narrow(connection);
    const std::string utf16(reinterpret_cast<const char*>(connection.data()),
                            connection.size() * sizeof(wchar_t));
    if (type != REG_BINARY || bytes.find(utf8) != std::string::npos ||
        bytes.find(utf16) != std::string::npos) {
        fail(std::string("the plant connection is kept in clear ") + when);
    }
    step(std::string("the plant connection is kept protected ") + when + ", " +
         std::to_string(size) + " bytes");
}

// What the fields keep of what the first run types: the bench run's part and lot.
const TraceValues& kTraceKept = test::bench_run::kTrace;

// What the first run types into field `i`: what is kept, the characteristic with blanks around
// it.
std::wstring traceTyped(std::size_t i) {
    const std::wstring kept = wide((kTraceKept.*kTraceFields[i].value).c_str());
    return kTraceFields[i].value == &TraceValues::characteristic ? L" " + kept + L" " : kept;
}

HWND traceField(HWND window, std::size_t i) {
    const HWND field = GetDlgItem(window, kTraceFirstField + static_cast<int>(i));
    if (field == nullptr)
        fail(std::string("the Part and lot window has no field ") + kTraceFields[i].objectName);
    return field;
}

// The Part and lot window, from the window menu on fresh settings or by F4 after a restart.
// The first time a tab is refused with a message naming the field, then OK puts the typed
// values in force, shows them under the window and stores them; the second time the fields
// show what was stored and Escape leaves everything as it was.
void partAndLot(bool byKey, const std::wstring& picture) {
    if (byKey) {
        PostMessageW(control(RecordList), WM_KEYDOWN, VK_F4, 0);
    } else {
        PostMessageW(mainWindow, WM_SYSCOMMAND, kTraceCommand, 0);
    }
    const HWND window = waitForDialog("the Part and lot window");
    const std::string title = narrow(windowText(window));
    if (title != caption(trace_texts::kWindowTitle))
        fail("the Part and lot window is \"" + title + "\"");
    const Language language = english ? Language::English : Language::Chinese;
    for (std::size_t i = 0; i < kTraceFieldCount; ++i) {
        const std::string shown = narrow(windowText(traceField(window, i)));
        const std::string expected = byKey ? kTraceKept.*kTraceFields[i].value : std::string();
        if (shown != expected)
            fail(std::string(kTraceFields[i].objectName) + " shows \"" + shown + "\"");
    }
    if (byKey) {
        screenshot(window, picture);
        PostMessageW(traceField(window, 0), WM_KEYDOWN, VK_ESCAPE, 0);
        waitFor("the Part and lot window to close", [window] { return IsWindow(window) == FALSE; });
        if (text(kTraceLine) != traceLine(kTraceKept, language))
            fail("the line says \"" + text(kTraceLine) + "\"");
        step("Part and lot by F4: \"" + title +
             "\" shows the stored values; Escape; the line says \"" + text(kTraceLine) + "\"");
        return;
    }
    SendMessageW(traceField(window, 2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"L\t42"));
    PostMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    expectBox("a tab in the lot",
              traceFieldFaultText(kTraceFields[2], TraceFieldFault::ControlCharacter, language),
              IDOK, window);
    for (std::size_t i = 0; i < kTraceFieldCount; ++i) {
        const std::wstring typed = traceTyped(i);
        SendMessageW(traceField(window, i), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    }
    screenshot(window, picture);
    PostMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    waitFor("the Part and lot window to close", [window] { return IsWindow(window) == FALSE; });
    if (text(kTraceLine) != traceLine(kTraceKept, language))
        fail("the line says \"" + text(kTraceLine) + "\"");
    if (storedTrace(L"Characteristic") != kTraceKept.characteristic ||
        storedTrace(L"Lot") != kTraceKept.lot) {
        fail("stored Trace: Characteristic \"" + storedTrace(L"Characteristic") + "\", Lot \"" +
             storedTrace(L"Lot") + "\"");
    }
    step("Part and lot from the window menu: OK; the line says \"" + text(kTraceLine) +
         "\"; stored under Trace");
}

HWND openPlantWindow() {
    PostMessageW(mainWindow, WM_SYSCOMMAND, kPlantCommand, 0);
    const std::string title = caption(plant_texts::kWindowTitle);
    HWND window = nullptr;
    waitFor("the Plant database window \"" + title + "\"", [&] {
        window = FindWindowW(L"#32770", wide(title.c_str()).c_str());
        return window != nullptr && IsWindowVisible(window);
    });
    if (GetDlgItem(window, kPlantConnectionField) == nullptr ||
        GetDlgItem(window, kPlantBenchField) == nullptr) {
        fail("the Plant database window has no connection or bench field");
    }
    return window;
}

void closeWith(HWND window, int button) {
    PostMessageW(GetDlgItem(window, button), BM_CLICK, 0, 0);
    waitFor("the Plant database window to close", [window] { return IsWindow(window) == FALSE; });
}

int windowHeight() {
    RECT outer{};
    GetWindowRect(mainWindow, &outer);
    return outer.bottom - outer.top;
}

RECT placeInWindow(int id) {
    RECT place{};
    GetWindowRect(control(id), &place);
    MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// The Plant database window, from the window menu, with a driver the machine lacks: Test
// answers in a box that it cannot connect, and the window is still there to be worked. OK keeps
// the connection: the window grows by the status line, which sits under the line of the part
// and lot and names the plant database. Emptied again, the line goes and the window shrinks
// back.
void plantDatabase(const std::wstring& picture) {
    const int before = windowHeight();
    HWND window = openPlantWindow();
    // The picture shows a plant's connection and bench as they would be typed; the bench is
    // given back its own name and the connection a driver the machine lacks before OK.
    const HWND connectionField = GetDlgItem(window, kPlantConnectionField);
    const HWND benchField = GetDlgItem(window, kPlantBenchField);
    const std::wstring ownBench = windowText(benchField);
    const std::wstring plantConnection = wide(test::bench_run::kPlantConnection);
    const std::wstring plantBench = wide(test::bench_run::kPlantBench);
    SendMessageW(connectionField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(plantConnection.c_str()));
    SendMessageW(benchField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(plantBench.c_str()));
    screenshot(window, picture);
    const wchar_t* lacking = L"Driver={Mensora No Such Driver};Server=127.0.0.1";
    SendMessageW(connectionField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lacking));
    SendMessageW(benchField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ownBench.c_str()));
    PostMessageW(GetDlgItem(window, kPlantTestButton), BM_CLICK, 0, 0);
    expectBox("Test with a driver the machine lacks", caption(plant_texts::kNotConnected), IDOK,
              window);
    closeWith(window, IDOK);
    connectionKeptProtected(lacking, "after OK");
    const std::string prefix = caption(plant_texts::kStatusPrefix);
    waitFor("the plant database's line", [&] {
        return IsWindowVisible(control(kPlantLine)) && text(kPlantLine).rfind(prefix, 0) == 0;
    });
    const RECT line = placeInWindow(kPlantLine);
    const RECT trace = placeInWindow(kTraceLine);
    const int grown = windowHeight() - before;
    if (grown != line.bottom - line.top || trace.bottom > line.top) {
        fail("the window grew by " + std::to_string(grown) + " for the line at " + rectText(line) +
             ", the part and lot's at " + rectText(trace));
    }
    step("OK: the window grew by " + std::to_string(grown) + " pixels for \"" + text(kPlantLine) +
         "\"");
    window = openPlantWindow();
    const HWND connection = GetDlgItem(window, kPlantConnectionField);
    if (windowText(connection) != lacking)
        fail("the connection kept is \"" + narrow(windowText(connection)) + "\"");
    SendMessageW(connection, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    closeWith(window, IDOK);
    waitFor("the plant database's line to go",
            [] { return !IsWindowVisible(control(kPlantLine)); });
    if (windowHeight() != before)
        fail("the window is " + std::to_string(windowHeight()) + " high, not " +
             std::to_string(before));
    step("emptied: the line went and the window is " + std::to_string(before) +
         " pixels high again");
}

// Moves the pointer to a point of the screen as a mouse would, so that windows see it move.
void movePointer(POINT to) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(to.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(to.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
}

// A label that shows only part of its caption tells the whole of it under the resting pointer.
// The tip that shows while the pointer rests at `at`, a point of control `id`.
std::string tipAt(int id, POINT at) {
    SetForegroundWindow(mainWindow);
    HWND shownTip = nullptr;
    waitFor("the tip of control " + std::to_string(id), [&] {
        // The pointer comes to rest there, from a little to its left each time.
        movePointer({at.x - 20, at.y});
        movePointer(at);
        Sleep(900);
        return (shownTip = shownOwned(mainWindow, TOOLTIPS_CLASSW)) != nullptr;
    });
    const std::string tip = narrow(windowText(shownTip));
    movePointer({0, 0});
    return tip;
}

void wholeCaptionOnHover(int id) {
    const DialogControl* row = findControl(id);
    const std::string whole = captionFor(*row, english ? Language::English : Language::Chinese);
    // Its text is the whole caption; the tip shows only while the box cuts it.
    if (text(id) != whole) fail("label " + std::to_string(id) + " holds \"" + text(id) + "\"");
    RECT place{};
    GetWindowRect(control(id), &place);
    const std::string tip = tipAt(id, {place.left + 2, (place.top + place.bottom) / 2});
    if (tip != whole) fail("the tip of label " + std::to_string(id) + " says \"" + tip + "\"");
    movePointer({0, 0});
    step("label " + std::to_string(id) + " holds \"" + text(id) + "\", drawn cut, its tip \"" +
         tip + "\"");
}

// The record list and the statistics tell where the charts and the Part and lot window are,
// without a button more.
void furtherWindowsNamedByTips() {
    const std::string charts = caption(chart_texts::kWindowTitle) + " (F3)";
    const std::string trace = caption(trace_texts::kWindowTitle) + " (F4)";
    for (const int id : {RecordList, StatisticsGroup}) {
        RECT place{};
        GetWindowRect(control(id), &place);
        // An empty corner: below the list's rows, beside the statistics' last row.
        const std::string tip = tipAt(id, {place.right - 12, place.bottom - 12});
        if (tip.find(charts) == std::string::npos || tip.find(trace) == std::string::npos) {
            fail("the tip of control " + std::to_string(id) + " says \"" + tip + "\"");
        }
        step("control " + std::to_string(id) + " tips \"" + tip + "\"");
    }
}

// A value of the program's own settings in the registry, where the program keeps them.
void storeValue(const wchar_t* section, const wchar_t* name, DWORD type, const void* data,
                DWORD size) {
    const std::wstring path = std::wstring(L"Software\\Mensora\\mensora\\") + section;
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                    nullptr);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void storeSetting(const wchar_t* name, DWORD value) {
    storeValue(L"Settings", name, REG_DWORD, &value, sizeof value);
}

void mark(const char* phase) {
    std::printf("%s\n", phase);
    std::fflush(stdout);
}

// Linked and left alone for half the time, then recording by Auto every 10 ms for the whole
// time. Each phase begins with a line naming it, so that whoever watches the processes can
// take their CPU time there; the records are counted on the list once Auto has stopped.
void recordAtFullPace(const std::wstring& exe, int seconds) {
    storeSetting(L"m_Text12", 10);  // as stored, below the panel's 100 ms floor
    start(exe);
    connect();
    mark("idle");
    Sleep(static_cast<DWORD>(seconds) * 500);
    const int before = listRows();
    mark("recording");
    const ULONGLONG started = GetTickCount64();
    click(AutoButton);
    Sleep(static_cast<DWORD>(seconds) * 1000);
    click(AutoButton);
    waitFor("Auto to stop", [] { return text(AutoButton) != caption(texts::kAutoStopCaption); });
    const double elapsed = static_cast<double>(GetTickCount64() - started) / 1000.0;
    mark("stopped");
    std::printf("records_per_s %.1f\n", (listRows() - before) / elapsed);
    std::fflush(stdout);
    TerminateProcess(program.hProcess, 0);
}

void firstRun(const std::wstring& out, const std::wstring& keyPipe) {
    checkGeometry();
    about();
    connect();
    // The part's size first, as at a bench: every record is judged against it. Auto's first
    // period is the one of fresh settings, so that it records quickly.
    parameters(200);
    nextGoodFrame();
    // The bench run's NG readings, one each way.
    gaugeShows(keyPipe, test::bench_run::kReadings[9]);
    record(
        "Manual", [] { click(ManualButton); }, true);
    gaugeShows(keyPipe, test::bench_run::kReadings[17]);
    record(
        "the gauge's data key", [&] { pressKey(keyPipe); }, true);
    automatic();
    record(
        "Manual after Auto", [] { click(ManualButton); }, true);
    statistics();
    partAndLot(false, out + L"\\trace.bmp");
    charts(false, out + L"\\charts.bmp", out + L"\\charts.png");
    save(out + L"\\records.xls");
    saveWorkbook(out + L"\\records.xlsx");
    screenshotWhileRecording(out + L"\\window.bmp");
    clear();
    click(EnglishRadio);
    expectBox("choosing English", texts::kLanguageChanged.english, IDOK);
    // The choice is stored once the box is answered.
    waitFor("Language stored as 2", [] { return storedSetting(L"Language") == 2; });
    if (text(ConnectButton) != texts::kDisconnectAsciiCaption.chinese) {
        fail("the captions changed before the next start");
    }
    step("Language stored as 2; the captions stay Chinese until the next start");
    record("Manual after Clear", [] { click(ManualButton); });
    escapeAsksFirst(Language::English);
}

// The window at the screen's scale: every control in place, the window on the screen, closed
// again by Escape (nothing recorded, so nothing to ask).
void layoutRun() {
    checkGeometry();
    PostMessageW(mainWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    if (WaitForSingleObject(program.hProcess, 15000) != WAIT_OBJECT_0) fail("no exit on Escape");
    step("Escape: closed");
}

// The bench run on an emptied list: its size and Auto's period confirmed, then each of its
// readings shown by the gauge and recorded by Manual at Auto's period, as a bench takes a part
// after the last, judged as the list must judge it.
void benchRun(const std::wstring& keyPipe) {
    clear();
    parameters(test::bench_run::kAutoIntervalMs);
    nextGoodFrame();
    ULONGLONG last = 0;
    for (const char* reading : test::bench_run::kReadings) {
        gaugeShows(keyPipe, reading);
        const ULONGLONG due = last + test::bench_run::kAutoIntervalMs;
        if (last != 0 && GetTickCount64() < due) Sleep(static_cast<DWORD>(due - GetTickCount64()));
        last = GetTickCount64();
        record(
            std::string("the bench run's ") + reading, [] { click(ManualButton); }, true);
    }
}

// On the settings an earlier run left: the part, the lot and the charts' place are kept. The
// pictures are of the bench run.
void laterRun(const std::wstring& out, const std::wstring& keyPipe) {
    checkGeometry();
    // The English caption of this label is the one too long for its box.
    if (english) wholeCaptionOnHover(1039);
    furtherWindowsNamedByTips();
    about();
    connect();
    record(
        "Manual", [] { click(ManualButton); }, true);
    automatic();
    statistics();
    benchRun(keyPipe);
    statistics();
    partAndLot(true, out + L"\\trace.bmp");
    charts(true, out + L"\\charts.bmp");
    plantDatabase(out + L"\\plant.bmp");
    screenshotWhileRecording(out + L"\\window.bmp");
    if (listRows() != test::bench_run::kReadingCount) {
        fail("the picture's list holds " + std::to_string(listRows()) + " records, not the " +
             "bench run's " + std::to_string(test::bench_run::kReadingCount));
    }
    escapeAsksFirst(english ? Language::English : Language::Chinese);
}

void storeText(const wchar_t* section, const wchar_t* name, const std::wstring& value) {
    storeValue(section, name, REG_SZ, value.c_str(),
               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// The bench run's part and lot, in force from the start as an earlier OK left them.
void storeBenchTrace() {
    for (const TraceField& field : kTraceFields) {
        storeText(L"Trace", wide(field.settingKey).c_str(),
                  wide((kTraceKept.*field.value).c_str()));
    }
}

struct ProgramBoxSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findProgramBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ProgramBoxSearch*>(context);
    wchar_t kind[64] = {};
    GetClassNameW(window, kind, 64);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (window != mainWindow && window != windowBeside && process == search->process &&
        IsWindowVisible(window) && _wcsicmp(kind, L"#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A box or dialog of the program's that is shown, whatever it owns, if any.
HWND programBox() {
    ProgramBoxSearch search{program.dwProcessId, nullptr};
    EnumWindows(findProgramBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits, letting the program work, until the condition holds or `ms` have passed. A box of the
// program's ends the run at once: sending to the plant, an outage included, goes on without
// interrupting the user.
bool holdsWithoutBox(const std::function<bool()>& holds, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        if (const HWND box = programBox()) {
            fail("a box appeared: \"" + narrow(windowText(box)) + "\": \"" + boxText(box) + "\"");
        }
        if (holds()) return true;
        if (GetTickCount64() > end) return false;
        Sleep(50);
    }
}

// Presses the gauge's data key until the list holds `rows` records, each the bench run's
// reading of its place: a press whose frame a poll passed over is pressed again, one that was
// taken is not.
void recordByKeyUpTo(int rows, const std::wstring& keyPipe) {
    int presses = 0;
    for (; presses < 12 && listRows() < rows; ++presses) {
        const int before = listRows();
        gaugeShows(keyPipe, test::bench_run::kReadings[before % test::bench_run::kReadingCount]);
        pressKey(keyPipe);
        holdsWithoutBox([before] { return listRows() != before; }, 3000);
    }
    if (listRows() != rows) {
        fail(std::to_string(presses) + " presses of the data key left " +
             std::to_string(listRows()) + " records, not " + std::to_string(rows));
    }
    step("the data key: " + std::to_string(rows) + " records, the last " +
         narrow(listCellText(control(RecordList), rows - 1, 1)) + " (" + std::to_string(presses) +
         " presses)");
}

// The server is taken away and brought back by the script, a Unix command: asked for by a
// file in the shared folder, which the script removes once the command has run.
void askServer(const std::wstring& folder, const std::wstring& what) {
    const std::wstring request = folder + L"\\server-" + what;
    const HANDLE file = CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("cannot ask for the server's " + narrow(what));
    CloseHandle(file);
    const bool done = holdsWithoutBox(
        [&] { return GetFileAttributesW(request.c_str()) == INVALID_FILE_ATTRIBUTES; }, 30000);
    if (!done) fail("the server's " + narrow(what) + " was not done");
    step("the server: " + narrow(what));
}

void plantLineComesToSay(const std::string& what, const std::function<bool()>& holds, DWORD ms) {
    if (!holdsWithoutBox(holds, ms)) {
        fail("the plant line says \"" + text(kPlantLine) + "\", not " + what);
    }
    step("the plant line says \"" + text(kPlantLine) + "\"");
}

// Records taken by the data key go to the journal and on to the plant's server, through an
// outage of the server, without a box; the line says up to date once the server has them.
// The Earlier runs window, from the window menu while the plant's sender reads the journal: the
// journal's runs come back to it, the list's own first with its records counted.
void earlierRuns(int records, const std::wstring& picture, const std::wstring& workbook) {
    PostMessageW(mainWindow, WM_SYSCOMMAND, kRunsCommand, 0);
    const std::string title = caption(runs_texts::kWindowTitle);
    HWND window = nullptr;
    waitFor("the Earlier runs window \"" + title + "\"", [&] {
        window = FindWindowW(L"#32770", wide(title.c_str()).c_str());
        return window != nullptr && IsWindowVisible(window);
    });
    const HWND list = GetDlgItem(window, kRunsList);
    waitFor("the journal's runs in the list", [list] { return IsWindowEnabled(list) != FALSE; });
    std::wstring first(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, 0, 0)), L'\0');
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first.data()));
    const std::string line = narrow(first);
    const std::string counted = std::to_string(records) + caption(runs_texts::kRecords);
    if (line.find(counted) == std::string::npos ||
        line.find(caption(runs_texts::kInList)) == std::string::npos) {
        fail("the first run reads \"" + line + "\"");
    }
    screenshot(window, picture);
    // The run saved as a workbook through Save's own dialog, writer and message.
    windowBeside = window;
    DeleteFileW(workbook.c_str());
    PostMessageW(GetDlgItem(window, kRunsSaveButton), BM_CLICK, 0, 0);
    chooseInFileDialog(mainWindow, "MensoraRecord.xls", workbook);
    expectBox("the run's workbook", caption(texts::kExportSucceeded), IDOK);
    windowBeside = nullptr;
    if (!isWorkbook(workbook)) fail("no workbook of the earlier run");
    PostMessageW(GetDlgItem(window, kRunsCloseButton), BM_CLICK, 0, 0);
    waitFor("the Earlier runs window to close", [window] { return IsWindow(window) == FALSE; });
    step("Earlier runs from the window menu: \"" + line + "\"");
}

// The Gauge study from the window menu while the plant's sender reads the journal: the worked
// example's 25 readings, each sent by the data key, go to the study and none to the list, the
// line under the window says so meanwhile, and the result names Cg 3.49 and Cgk 2.82.
void gaugeStudy(const std::wstring& keyPipe, const std::wstring& picture) {
    const int rows = listRows();
    PostMessageW(mainWindow, WM_SYSCOMMAND, kStudyCommand, 0);
    const std::string title = caption(gauge_study_texts::kWindowTitle);
    HWND window = nullptr;
    waitFor("the Gauge study window \"" + title + "\"", [&] {
        window = FindWindowW(L"#32770", wide(title.c_str()).c_str());
        return window != nullptr && IsWindowVisible(window);
    });
    windowBeside = window;
    const auto item = [window](int id) { return GetDlgItem(window, id); };
    SetWindowTextW(item(kStudyReferenceField), L"10.000");
    SetWindowTextW(item(kStudyToleranceField), L"0.100");
    PostMessageW(item(kStudyStartButton), BM_CLICK, 0, 0);
    const std::string band = caption(study_texts::kBandBefore);
    waitFor("the line to say a study runs",
            [&band] { return text(kTraceLine).find(band) != std::string::npos; });
    int taken = 0;
    for (const char* reading : test::kStudyReadings) {
        gaugeShows(keyPipe, reading);
        const std::string next = caption(study_texts::kProgressBefore) + std::to_string(++taken) +
                                 caption(study_texts::kProgressBetween) + "25";
        const auto shown = [&] { return narrow(windowText(item(kStudyProgressLabel))) == next; };
        for (int press = 0; press < 5 && !shown(); ++press) {
            pressKey(keyPipe);
            holdsWithoutBox(shown, 3000);
        }
        if (!shown())
            fail("the study shows \"" + narrow(windowText(item(kStudyProgressLabel))) +
                 "\", not \"" + next + "\"");
    }
    const std::string result = narrow(windowText(item(kStudyResultLabel)));
    if (result.find("Cg 3.49  Cgk 2.82") == std::string::npos ||
        result.find(caption(gauge_study_texts::kCapable)) == std::string::npos) {
        fail("the study's result reads \"" + result + "\"");
    }
    if (listRows() != rows) fail("the study's readings reached the list");
    if (text(kTraceLine).find(band) != std::string::npos) fail("the line still says a study runs");
    screenshot(window, picture);
    PostMessageW(item(kStudyCloseButton), BM_CLICK, 0, 0);
    waitFor("the Gauge study window to close", [window] { return IsWindow(window) == FALSE; });
    windowBeside = nullptr;
    // The gauge back on the part, as the next run expects to find it.
    gaugeShows(keyPipe, "12.345");
    step("the gauge study: \"" + result + "\"");
}

// Nine records by the data key above the centre the plant run fixed raise the alarm line on the
// ninth and not before, while the plant's sender reads the journal; the acknowledgement, a
// common cause and a note, clears it.
void alarm(const std::wstring& keyPipe, const std::wstring& picture) {
    const int rows = listRows();
    gaugeShows(keyPipe, "12.349");
    for (int record = 1; record <= 9; ++record) {
        if (IsWindowVisible(control(kAlarmLine))) {
            fail("the alarm line stands before record " + std::to_string(record) + ": \"" +
                 text(kAlarmLine) + "\"");
        }
        for (int press = 0; press < 5 && listRows() < rows + record; ++press) {
            pressKey(keyPipe);
            holdsWithoutBox([&] { return listRows() >= rows + record; }, 3000);
        }
        if (listRows() != rows + record)
            fail("the data key did not take record " + std::to_string(record));
    }
    waitFor("the alarm line", [] { return IsWindowVisible(control(kAlarmLine)) != FALSE; });
    const std::string expected =
        caption(alarm_texts::kLineBefore) + caption(run_rule_texts::kRuleNames[1]) + " – " +
        caption(alarm_texts::kRecords) + std::to_string(rows + 1) + "–" + std::to_string(rows + 9);
    if (text(kAlarmLine) != expected) {
        fail("the alarm line reads \"" + text(kAlarmLine) + "\", not \"" + expected + "\"");
    }
    screenshot(mainWindow, picture);
    click(kAlarmAckButton);
    const HWND window = waitForDialog("the window that acknowledges the alarm");
    SendMessageW(GetDlgItem(window, kAlarmCauseField), CB_SETCURSEL, 0, 0);
    SetDlgItemTextW(window, kAlarmNoteField, L"insert changed");
    answer(window, IDOK);
    waitFor("the alarm line to go", [] { return IsWindowVisible(control(kAlarmLine)) == FALSE; });
    gaugeShows(keyPipe, "12.345");
    step("the alarm: \"" + expected + "\", acknowledged");
}

void plantJournal(const std::wstring& out, const std::wstring& keyPipe,
                  const std::wstring& connection) {
    const std::string upToDate =
        caption(plant_texts::kStatusPrefix) + caption(plant_texts::kUpToDate);
    const auto sayUpToDate = [&upToDate] { return text(kPlantLine) == upToDate; };
    connect();
    recordByKeyUpTo(3, keyPipe);
    plantLineComesToSay("up to date", sayUpToDate, 30000);
    // Stored in clear as an earlier Mensora kept it: protected once the program has read it.
    connectionKeptProtected(connection, "once an earlier clear text was read");
    askServer(out, L"stop");
    recordByKeyUpTo(6, keyPipe);
    const std::string error = caption(plant_texts::kErrorBefore);
    const auto sayTheError = [&error] { return text(kPlantLine).find(error) != std::string::npos; };
    plantLineComesToSay("the last error", sayTheError, 30000);
    askServer(out, L"start");
    recordByKeyUpTo(8, keyPipe);
    plantLineComesToSay("up to date", sayUpToDate, 60000);
    if (listRows() != 8) fail("the list holds " + std::to_string(listRows()) + " records, not 8");
    earlierRuns(8, out + (english ? L"\\runs-english.bmp" : L"\\runs-chinese.bmp"),
                out + (english ? L"\\earlier-run-english.xlsx" : L"\\earlier-run-chinese.xlsx"));
    gaugeStudy(keyPipe, out + (english ? L"\\study-english.bmp" : L"\\study-chinese.bmp"));
    alarm(keyPipe, out + (english ? L"\\alarm-english.bmp" : L"\\alarm-chinese.bmp"));
    // The alarm's records, the alarm and its acknowledgement reach the server before the end.
    plantLineComesToSay("up to date", sayUpToDate, 60000);
    const std::string question =
        texts::unsavedRecordsQuestion(17, english ? Language::English : Language::Chinese);
    PostMessageW(mainWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    // The first box of the run, and the watch for boxes sees it as it would have seen any other.
    HWND seen = nullptr;
    waitFor("a box of the program's", [&seen] { return (seen = programBox()) != nullptr; });
    if (seen != waitForDialog("the question on closing")) {
        fail("the watch for boxes saw another window than the question");
    }
    expectBox("Escape with the records unsaved", question, IDYES);
    if (WaitForSingleObject(program.hProcess, 15000) != WAIT_OBJECT_0) {
        fail("the program does not end after Yes");
    }
    step("Yes: the program ended");
}

// The plan the plan runs import: semicolons and decimal commas, as Excel writes a CSV under a
// German locale, UTF-8 without a byte-order mark. Against the gauge's 12.345 every
// characteristic is OK.
constexpr char kPlanCsv[] =
    "Part;Part name;No;Characteristic;Nominal;Upper tolerance;Lower tolerance;Unit;Gauge ID;"
    "Subgroup;Warning %\r\n"
    "P-100;Welle;1;Length;12,345;0,02;-0,02;mm;G-1;1;\r\n"
    "P-100;Welle;2;Diameter Ø;12,35;0,05;-0,05;mm;G-2;1;80\r\n"
    "P-100;Welle;3;宽度;12,34;0,03;-0,03;mm;G-1;1;\r\n";

void writeFile(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool whole =
        file != INVALID_HANDLE_VALUE &&
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!whole) fail("cannot write " + narrow(path));
}

// No caption of the window is cut: every label's and button's text fits its box in the dialog
// font, and every header of the table its column.
void nothingCutIn(HWND window, HWND table) {
    const HWND probe = fontProbe();
    const HDC dc = GetDC(probe);
    const HGDIOBJ former =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(probe, WM_GETFONT, 0, 0)));
    const auto widthOf = [dc](const std::wstring& text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    int checked = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[64] = {};
        GetClassNameW(child, kind, 64);
        const bool button = _wcsicmp(kind, L"Button") == 0;
        if (!button && _wcsicmp(kind, L"Static") != 0) continue;
        const std::wstring shown = windowText(child);
        RECT box{};
        GetClientRect(child, &box);
        // A push button draws its text inside its frame.
        const int room = box.right - (button ? 6 : 0);
        if (widthOf(shown) > room) {
            fail("\"" + narrow(shown) + "\" is " + std::to_string(widthOf(shown)) +
                 " pixels wide in a box of " + std::to_string(room));
        }
        ++checked;
    }
    for (int column = 0; column < 9; ++column) {
        const std::string header = caption(tableColumnHeader(static_cast<std::size_t>(column)));
        const auto width = static_cast<int>(
            SendMessageW(table, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
        // The header draws its text between margins of three edges on either side.
        if (widthOf(wide(header.c_str())) + 6 * GetSystemMetrics(SM_CXEDGE) > width) {
            fail("the header \"" + header + "\" is cut in its column of " + std::to_string(width));
        }
    }
    SelectObject(dc, former);
    ReleaseDC(probe, dc);
    DestroyWindow(probe);
    step("the Plan window: " + std::to_string(checked) +
         " labels and buttons and 9 column headers whole");
}

HWND openPlanWindow() {
    PostMessageW(control(RecordList), WM_KEYDOWN, VK_F5, 0);
    const HWND window = waitForDialog("the Plan window");
    if (narrow(windowText(window)) != caption(plan_texts::kWindowTitle)) {
        fail("the Plan window is \"" + narrow(windowText(window)) + "\"");
    }
    return window;
}

void closePlanWindow(HWND window) {
    PostMessageW(GetDlgItem(window, kPlanOkButton), BM_CLICK, 0, 0);
    waitFor("the Plan window to close", [window] { return IsWindow(window) == FALSE; });
}

// The Plan window by F5 on "No plan": the CSV imported is saved and chosen, its part and its
// characteristics shown. OK puts it in force: the window grows by the plan's band.
void importPlan(const std::wstring& out) {
    const int before = windowHeight();
    const std::wstring csv = out + L"\\plan.csv";
    writeFile(csv, kPlanCsv);
    const HWND window = openPlanWindow();
    const HWND choice = GetDlgItem(window, kPlanChoice);
    const HWND table = GetDlgItem(window, kPlanTable);
    if (SendMessageW(choice, CB_GETCURSEL, 0, 0) != 0 || ListView_GetItemCount(table) != 0) {
        fail("the Plan window does not open on \"No plan\" and an empty table");
    }
    PostMessageW(GetDlgItem(window, kPlanImportButton), BM_CLICK, 0, 0);
    chooseInFileDialog(window, "", csv);
    waitFor("the imported plan's three rows",
            [table] { return ListView_GetItemCount(table) == 3; });
    const std::string part = narrow(windowText(GetDlgItem(window, kPlanPartField)));
    const std::string name = narrow(listCellText(table, 1, 1));
    const std::string nominal = narrow(listCellText(table, 1, 2));
    if (SendMessageW(choice, CB_GETCURSEL, 0, 0) != 1 || part != "P-100" || name != "Diameter Ø" ||
        nominal != "12.35") {
        fail("after the import the Plan window shows part \"" + part + "\", row 2 \"" + name +
             "\" \"" + nominal + "\"");
    }
    step("Import: P-100 chosen, row 2 \"" + name + "\" nominal " + nominal);
    nothingCutIn(window, table);
    screenshot(window, out + L"\\plan.bmp");
    // A cell edited in place: F2 opens the first cell's field and Enter keeps what was typed;
    // OK asks before the unsaved change is let go.
    PostMessageW(table, WM_KEYDOWN, VK_F2, 0);
    HWND cell = nullptr;
    waitFor("the cell's field", [&] {
        cell = FindWindowExW(table, nullptr, L"Edit", nullptr);
        return cell != nullptr && IsWindowVisible(cell);
    });
    SendMessageW(cell, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1a"));
    PostMessageW(cell, WM_KEYDOWN, VK_RETURN, 0);
    waitFor("the cell to take \"1a\"",
            [&] { return IsWindow(cell) == FALSE && narrow(listCellText(table, 0, 0)) == "1a"; });
    step("F2 and Enter: the first cell says \"1a\"");
    PostMessageW(GetDlgItem(window, kPlanOkButton), BM_CLICK, 0, 0);
    expectBox("OK with the table changed", caption(plan_texts::kUnsavedChanges), IDYES, window);
    waitFor("the Plan window to close", [window] { return IsWindow(window) == FALSE; });
    waitFor("the plan's band", [] { return IsWindowVisible(control(kPlanLine)) != FALSE; });
    const RECT band = placeInWindow(kPlanSerialField);
    const RECT trace = placeInWindow(kTraceLine);
    if (windowHeight() <= before || band.bottom > trace.top) {
        fail("the window is " + std::to_string(windowHeight()) + " high (was " +
             std::to_string(before) + "), the serial field at " + rectText(band) +
             ", the part and lot's line at " + rectText(trace));
    }
    step("OK: the window grew by " + std::to_string(windowHeight() - before) +
         " pixels for the plan's band above the part and lot's line");
}

void planLineSays(const std::vector<std::string>& parts) {
    waitFor("the plan's line to name what is due", [&parts] {
        const std::string line = text(kPlanLine);
        return std::all_of(parts.begin(), parts.end(), [&line](const std::string& p) {
            return line.find(p) != std::string::npos;
        });
    });
    step("the plan's line says \"" + text(kPlanLine) + "\"");
}

void planLineEndsWith(const std::string& verdict) {
    waitFor("the part's verdict " + verdict, [&verdict] {
        const std::string line = text(kPlanLine);
        return line.size() >= verdict.size() &&
               line.compare(line.size() - verdict.size(), verdict.size(), verdict) == 0 &&
               line.find("/3") == std::string::npos;
    });
    step("the plan's line says \"" + text(kPlanLine) + "\"");
}

void manual() {
    record(
        "Manual", [] { click(ManualButton); }, false, false);
}

// The charts window, opened by F3 from the record list.
HWND openChartsByKey() {
    PostMessageW(control(RecordList), WM_KEYDOWN, VK_F3, 0);
    const std::string title = caption(chart_texts::kWindowTitle);
    HWND window = nullptr;
    waitFor("the charts window \"" + title + "\"", [&] {
        window = FindWindowW(nullptr, wide(title.c_str()).c_str());
        return window != nullptr && IsWindowVisible(window);
    });
    return window;
}

// Beside a plan the charts window offers the characteristic due and each of the plan's, and
// draws the one picked.
void planCharts(const std::wstring& picture) {
    const HWND window = openChartsByKey();
    const HWND choice = GetDlgItem(window, kChartsCharacteristicChoice);
    waitFor("the charts' characteristic choice", [choice] {
        return IsWindowVisible(choice) && SendMessageW(choice, CB_GETCOUNT, 0, 0) == 4;
    });
    SendMessageW(choice, CB_SETCURSEL, 3, 0);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kChartsCharacteristicChoice, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(choice));
    Sleep(500);  // the picked characteristic drawn
    if (SendMessageW(choice, CB_GETCURSEL, 0, 0) != 3) fail("the pick did not hold");
    screenshot(window, picture);
    PostMessageW(window, WM_CLOSE, 0, 0);
    waitFor("the charts window to close", [window] { return !IsWindowVisible(window); });
    step("the charts offer the characteristic due and the plan's three; the third is drawn");
}

// An inspection plan imported through the Plan window and walked by Manual: one part whole
// (OK), a serial scanned for the next, Page Down skipping a characteristic, which leaves that
// part NG; "No plan" takes the band away again.
void planRun(const std::wstring& out) {
    checkGeometry();
    const int before = windowHeight();
    connect();
    importPlan(out);
    planLineSays({"P-100 (Welle)", "1/3 Length"});
    manual();
    // The record names its characteristic in the list's column after the others.
    const HWND list = control(RecordList);
    const std::string first = narrow(listCellText(list, 0, 5));
    if (Header_GetItemCount(ListView_GetHeader(list)) != 6 ||
        first.find("Length") == std::string::npos) {
        fail("the list's characteristic column says \"" + first + "\"");
    }
    step("the list's sixth column names the record's characteristic: \"" + first + "\"");
    planLineSays({"2/3 Diameter Ø"});
    screenshot(mainWindow, out + L"\\plan-main.bmp");
    manual();
    planLineSays({"3/3 宽度"});
    manual();
    planLineEndsWith(caption(texts::kVerdictOk));
    // The first characteristic is due again: the statistics count its one record, not three.
    waitFor("the statistics of the characteristic due", [] { return text(CountField) == "1"; });
    step("the statistics count the characteristic due's one record");
    planCharts(out + L"\\plan-charts.bmp");
    // A scanner types into the field and ends with Enter.
    const HWND field = control(kPlanSerialField);
    SendMessageW(mainWindow, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    type(kPlanSerialField, L"SN-2");
    PostMessageW(field, WM_KEYDOWN, VK_RETURN, 0);
    waitFor("the serial field to empty", [] { return text(kPlanSerialField).empty(); });
    manual();
    planLineSays({"SN-2", "2/3"});
    PostMessageW(control(RecordList), WM_KEYDOWN, VK_NEXT, 0);
    planLineSays({"SN-2", "3/3"});
    manual();
    planLineEndsWith(caption(texts::kVerdictNg));
    const HWND window = openPlanWindow();
    const HWND choice = GetDlgItem(window, kPlanChoice);
    if (SendMessageW(choice, CB_GETCURSEL, 0, 0) != 1) fail("the plan in force is not the chosen");
    SendMessageW(choice, CB_SETCURSEL, 0, 0);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kPlanChoice, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(choice));
    waitFor("the table to empty",
            [window] { return ListView_GetItemCount(GetDlgItem(window, kPlanTable)) == 0; });
    closePlanWindow(window);
    waitFor("the plan's band to go", [] { return !IsWindowVisible(control(kPlanLine)); });
    if (windowHeight() != before) {
        fail("without a plan the window is " + std::to_string(windowHeight()) + " high, not " +
             std::to_string(before));
    }
    step("\"No plan\": the band went and the window is " + std::to_string(before) +
         " pixels high again");
    escapeAsksFirst(english ? Language::English : Language::Chinese);
}

// The control charts of subgroups of five (stored before the start): a batch of records, the
// limits fixed from it with the charts window open, then more records judged against them.
void controlRun(const std::wstring& out) {
    connect();
    // Each record a new reading of the gauge, which sends five a second.
    const auto records = [](int count) {
        for (int i = 0; i < count; ++i) {
            manual();
            Sleep(250);
        }
    };
    records(40);
    const HWND window = openChartsByKey();
    const HWND subgroup = GetDlgItem(window, kChartsSubgroupChoice);
    if (SendMessageW(subgroup, CB_GETCURSEL, 0, 0) != 4) fail("the subgroup size is not 5");
    const HWND unfix = GetDlgItem(window, kChartsUnfixButton);
    waitFor("limits from all records to be in use", [unfix] { return !IsWindowEnabled(unfix); });
    PostMessageW(GetDlgItem(window, kChartsFixButton), BM_CLICK, 0, 0);
    waitFor("the limits to be fixed", [unfix] { return IsWindowEnabled(unfix) != FALSE; });
    records(13);
    Sleep(500);  // the charts drawn with the newest records
    screenshot(window, out + L"\\control-charts.bmp");
    PostMessageW(window, WM_CLOSE, 0, 0);
    waitFor("the charts window to close", [window] { return !IsWindowVisible(window); });
    step("subgroups of five: limits fixed from 40 records, 13 more drawn against them");
    escapeAsksFirst(english ? Language::English : Language::Chinese);
}

}  // namespace
}  // namespace mensora::drive

int wmain(int argc, wchar_t** argv) {
    using namespace mensora::drive;
    // The driver sees the screen at its real scale, as the program does: its places are the
    // program's pixels.
    SetProcessDPIAware();
    if ((argc == 2 || argc == 3) && std::wstring(argv[1]) == L"--prepare") {
        setFontReplacements();
        setScreenDpi(argc == 3 ? static_cast<DWORD>(_wtoi(argv[2])) : 96);
        openFaces();
        return 0;
    }
    if (argc == 5 && std::wstring(argv[1]) == L"--time") {
        timeStarts(argv[2], argv[3], _wtoi(argv[4]));
        return 0;
    }
    if (argc == 4 && std::wstring(argv[1]) == L"--record") {
        recordAtFullPace(argv[2], _wtoi(argv[3]));
        return 0;
    }
    std::wstring exe, out, key, run, bench;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        if (name == L"--program") exe = argv[i + 1];
        if (name == L"--out") out = argv[i + 1];
        if (name == L"--key") key = argv[i + 1];
        if (name == L"--run") run = argv[i + 1];
        if (name == L"--bench") bench = argv[i + 1];
    }
    const bool layout = run == L"layout-chinese" || run == L"layout-english";
    const bool later = run == L"second" || run == L"third";
    const bool plant = run == L"plant-chinese" || run == L"plant-english";
    const bool plan = run == L"plan-chinese" || run == L"plan-english";
    const bool controlCharts = run == L"control-chinese" || run == L"control-english";
    const wchar_t* connection = _wgetenv(L"MENSORA_PLANT_TEST_CONNECTION");
    const bool full = run == L"first" || later || plan || controlCharts ||
                      (plant && !bench.empty() && connection != nullptr);
    if (exe.empty() ||
        (!layout && (out.empty() || (key.empty() && !plan && !controlCharts) || !full))) {
        std::printf(
            "usage: window_drive --program EXE --out FOLDER --key FIFO --run first|second|third\n"
            "       window_drive --program EXE --run layout-chinese|layout-english\n"
            "       window_drive --program EXE --out FOLDER --key FIFO --bench NAME "
            "--run plant-chinese|plant-english\n"
            "       (a plant run with MENSORA_PLANT_TEST_CONNECTION set)\n"
            "       window_drive --program EXE --out FOLDER --run plan-chinese|plan-english\n"
            "       window_drive --program EXE --out FOLDER --run "
            "control-chinese|control-english\n");
        return 2;
    }
    english = run == L"second" || run == L"layout-english" || run == L"plant-english" ||
              run == L"plan-english" || run == L"control-english";
    // The second run finds the language the first one chose; the others choose their own.
    if (layout || plant || plan || controlCharts || run == L"third") {
        storeSetting(L"Language", english ? 2 : 1);
    }
    if (controlCharts) {
        storeSetting(L"ChartsSubgroup", 5);
        // Limits an earlier run fixed (the registry keeps them) are freed.
        storeText(L"Control", L"Limits", L"all");
        // The size the gauge reads, 12.345 ± 0.02, in thousandths.
        storeSetting(L"m_Text9", 12345);
        storeSetting(L"m_Text10", 20);
        storeSetting(L"m_Text11", -20);
    }
    if (plant) {
        // Limits fixed from an earlier run at the bench, centre 12.345 and σ 0.005, with the run
        // rules a bench starts with.
        storeSetting(L"ChartsSubgroup", 1);
        const std::pair<const wchar_t*, const wchar_t*> fixed[] = {
            {L"Rules", L"1,2,5,6"},
            {L"Centre", L"12.345"},
            {L"Sigma", L"0.005"},
            {L"SubgroupSize", L"1"},
            {L"FixedAt", L"2026-12-01 08:00:00"},
            {L"Records", L"25"},
            {L"Limits", L"fixed"}};
        for (const auto& [name, value] : fixed) storeText(L"Control", name, value);
        // The size the bench run measures, 12.345 ± 0.02, in thousandths.
        storeSetting(L"m_Text9", 12345);
        storeSetting(L"m_Text10", 20);
        storeSetting(L"m_Text11", -20);
        storeText(L"Plant", L"Connection", connection);
        storeText(L"Plant", L"Bench", bench);
        storeBenchTrace();
    }
    start(exe);
    if (layout) {
        layoutRun();
    } else if (plant) {
        plantJournal(out, key, connection);
    } else if (plan) {
        planRun(out);
    } else if (controlCharts) {
        controlRun(out);
    } else if (later) {
        laterRun(out, key);
    } else {
        firstRun(out, key);
    }
    std::printf("all checks held\n");
    return 0;
}
