#include "win/posted_window_calls.h"

#include <utility>

namespace mensora {
namespace {

constexpr UINT kRunCalls = WM_APP + 1;
constexpr wchar_t kClassName[] = L"MensoraPostedCalls";

}  // namespace

PostedWindowCalls::PostedWindowCalls() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly when a second instance registers again
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

PostedWindowCalls::~PostedWindowCalls() { DestroyWindow(window_); }

void PostedWindowCalls::post(std::function<void()> call) {
    bool first = false;
    {
        const std::lock_guard lock(mutex_);
        first = calls_.empty();
        calls_.push_back(std::move(call));
    }
    // One message wakes the window's thread for every call queued until it runs them.
    if (first) PostMessageW(window_, kRunCalls, 0, 0);
}

void PostedWindowCalls::runWaiting() {
    std::deque<std::function<void()>> waiting;
    {
        const std::lock_guard lock(mutex_);
        waiting.swap(calls_);
    }
    for (std::function<void()>& call : waiting) call();
}

LRESULT CALLBACK PostedWindowCalls::procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == kRunCalls) {
        auto* self = reinterpret_cast<PostedWindowCalls*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr) self->runWaiting();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace mensora
