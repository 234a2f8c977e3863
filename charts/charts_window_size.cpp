#include "charts/charts_window_size.h"

#include <algorithm>

namespace mensora {
namespace {

constexpr const char* kWidthKey = "ChartsWidth";
constexpr const char* kHeightKey = "ChartsHeight";

}  // namespace

WindowSize loadChartsWindowSize(SettingsStore& settings) {
    return {std::max(settings.get(kWidthKey, kChartsDefaultSize.width), kChartsLeastSize.width),
            std::max(settings.get(kHeightKey, kChartsDefaultSize.height), kChartsLeastSize.height)};
}

void storeChartsWindowSize(SettingsStore& settings, WindowSize size) {
    settings.put(kWidthKey, size.width);
    settings.put(kHeightKey, size.height);
}

}  // namespace mensora
