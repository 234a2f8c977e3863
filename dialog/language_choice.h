#pragma once
#include "base/acquisition_state.h"
#include "base/settings_store.h"
#include "base/window_port.h"

namespace mensora {

// The two language radio buttons: the choice is stored at once and takes effect at the next
// start; the window's texts do not change now.
class LanguageChoice {
public:
    LanguageChoice(AcquisitionState& state, WindowPort& window, SettingsStore& settings);
    void onLanguageButton();

private:
    AcquisitionState& state_;
    WindowPort& window_;
    SettingsStore& settings_;
};

}  // namespace mensora
