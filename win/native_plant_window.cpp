#include "win/native_plant_window.h"

#include "base/control_ids.h"
#include "base/wide_text.h"
#include "plant/plant_door.h"
#include "plant/plant_texts.h"
#include "win/standard_boxes.h"

namespace mensora {

namespace {

constexpr wchar_t kClassName[] = L"MensoraPlant";

// Places in pixels at 96 dpi, scaled by the system's dpi.
struct Place {
    int x, y, width, height;
};
constexpr Place kConnectionLabel{12, 14, 170, 20};
constexpr Place kConnectionPlace{186, 12, 460, 22};
constexpr Place kBenchLabel{12, 46, 170, 20};
constexpr Place kBenchPlace{186, 44, 220, 22};
constexpr Place kTestPlace{12, 84, 90, 26};
constexpr Place kOkPlace{460, 84, 90, 26};
constexpr Place kCancelPlace{556, 84, 90, 26};
constexpr SIZE kClient{658, 122};

std::wstring textOf(const Bilingual& text, Language language) { return wide(pick(text, language)); }

}  // namespace

void NativePlantWindow::run(HWND owner, Language language) {
    language_ = language;
    static const ATOM registered = [] {
        WNDCLASSEXW kind{};
        kind.cbSize = sizeof kind;
        kind.lpfnWndProc = &NativePlantWindow::windowProc;
        kind.hInstance = GetModuleHandleW(nullptr);
        kind.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        kind.lpszClassName = kClassName;
        return RegisterClassExW(&kind);
    }();
    if (registered == 0) return;
    constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const HDC screen = GetDC(owner);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(owner, screen);
    RECT outer{0, 0, MulDiv(kClient.cx, dpi, 96), MulDiv(kClient.cy, dpi, 96)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, WS_EX_DLGMODALFRAME);
    RECT ownerPlace{};
    GetWindowRect(owner, &ownerPlace);
    const std::wstring title = textOf(plant_texts::kWindowTitle, language);
    const HWND window = CreateWindowExW(
        WS_EX_DLGMODALFRAME, kClassName, title.c_str(), kStyle, ownerPlace.left + 40,
        ownerPlace.top + 60, outer.right - outer.left, outer.bottom - outer.top, owner, nullptr,
        GetModuleHandleW(nullptr), this);
    if (window == nullptr) return;
    EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    ++opening_;
    open_ = true;
    MSG message{};
    while (open_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    EnableWindow(owner, TRUE);
    DestroyWindow(window);
    SetActiveWindow(owner);
    window_ = nullptr;
}

LRESULT CALLBACK NativePlantWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<NativePlantWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<NativePlantWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->handle(message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

void NativePlantWindow::create(HWND window) {
    const HDC screen = GetDC(window);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(window, screen);
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    auto make = [&](const wchar_t* kind, const std::wstring& text, DWORD style, const Place& place,
                    int id, DWORD extended = 0) {
        const HWND control = CreateWindowExW(
            extended, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, MulDiv(place.x, dpi, 96),
            MulDiv(place.y, dpi, 96), MulDiv(place.width, dpi, 96), MulDiv(place.height, dpi, 96),
            window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SendMessageW(control, WM_SETFONT, font, FALSE);
        return control;
    };
    make(L"STATIC", textOf(plant_texts::kConnection, language_), SS_LEFT, kConnectionLabel, 0);
    connection_ = make(L"EDIT", wide(door_.connection()), WS_TABSTOP | ES_AUTOHSCROLL,
                       kConnectionPlace, kPlantConnectionField, WS_EX_CLIENTEDGE);
    make(L"STATIC", textOf(plant_texts::kBench, language_), SS_LEFT, kBenchLabel, 0);
    bench_ = make(L"EDIT", wide(door_.bench()), WS_TABSTOP | ES_AUTOHSCROLL, kBenchPlace,
                  kPlantBenchField, WS_EX_CLIENTEDGE);
    testButton_ = make(L"BUTTON", textOf(plant_texts::kTest, language_), WS_TABSTOP, kTestPlace,
                       kPlantTestButton);
    make(L"BUTTON", textOf(plant_texts::kOk, language_), WS_TABSTOP | BS_DEFPUSHBUTTON, kOkPlace,
         IDOK);
    make(L"BUTTON", textOf(plant_texts::kCancel, language_), WS_TABSTOP, kCancelPlace, IDCANCEL);
    SetFocus(connection_);
}

LRESULT NativePlantWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: create(window_); return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    door_.change(fieldText(connection_), fieldText(bench_));
                    open_ = false;
                    return 0;
                case IDCANCEL: open_ = false; return 0;
                case kPlantTestButton: test(); return 0;
                default: return 0;
            }
        case WM_CLOSE: open_ = false; return 0;
        default: return DefWindowProcW(window_, message, wParam, lParam);
    }
}

std::string NativePlantWindow::fieldText(HWND field) const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    const std::size_t first = text.find_first_not_of(L" \t");
    const std::size_t last = text.find_last_not_of(L" \t");
    return first == std::wstring::npos ? std::string() : utf8(text.substr(first, last - first + 1));
}

void NativePlantWindow::test() {
    EnableWindow(testButton_, FALSE);
    SetWindowTextW(testButton_, textOf(plant_texts::kTesting, language_).c_str());
    door_.test(fieldText(connection_), [this, opening = opening_](bool connected, const std::string& said) {
        if (!open_ || opening != opening_) return;  // closed while the server was asked
        SetWindowTextW(testButton_, textOf(plant_texts::kTest, language_).c_str());
        EnableWindow(testButton_, TRUE);
        const Bilingual& lead = connected ? plant_texts::kConnected : plant_texts::kNotConnected;
        showMessageBox(window_, pick(lead, language_) + said,
                       connected ? MessageIcon::Exclamation : MessageIcon::Stop);
    });
}

}  // namespace mensora
