#pragma once
// The size the user last gave the charts window, kept in the settings store beside the
// program's other settings, so that it opens as it was left.

#include "base/settings_store.h"

namespace mensora {

struct WindowSize {
    int width;
    int height;
    friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

inline constexpr WindowSize kChartsDefaultSize{760, 760};
inline constexpr WindowSize kChartsLeastSize{480, 420};

// The stored size, held to at least kChartsLeastSize; the default until one is stored.
WindowSize loadChartsWindowSize(SettingsStore& settings);
void storeChartsWindowSize(SettingsStore& settings, WindowSize size);

}  // namespace mensora
