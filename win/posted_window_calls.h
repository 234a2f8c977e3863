#pragma once
// Calls from the writers of the records brought to the window's thread: queued here and run
// when a message posted to a message-only window of that thread arrives, so that they also run
// inside the modal boxes and the save dialog, as the timers do.

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

#include "base/window_thread.h"

namespace mensora {

class PostedWindowCalls : public WindowThread {
public:
    // Made on the window's thread, before the window's message loop starts.
    PostedWindowCalls();
    // Calls not yet run are dropped.
    ~PostedWindowCalls() override;
    PostedWindowCalls(const PostedWindowCalls&) = delete;
    PostedWindowCalls& operator=(const PostedWindowCalls&) = delete;

    void post(std::function<void()> call) override;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void runWaiting();

    std::mutex mutex_;
    std::deque<std::function<void()>> calls_;
    HWND window_ = nullptr;
};

}  // namespace mensora
