#pragma once
#include <cstdint>

#include "base/acquisition_state.h"
#include "base/alert_sound.h"
#include "base/settings_keys.h"
#include "base/settings_store.h"
#include "base/timers.h"
#include "base/window_port.h"
#include "dialog/data_exchange.h"
#include "measure/recorder.h"

namespace mensora {

// The parameters group: one button opens its fields for editing and, pressed again, checks,
// adopts and stores what was entered.
class ParametersPanel {
public:
    ParametersPanel(AcquisitionState& state, WindowPort& window, DataExchange& exchange,
                    Timers& timers, SettingsStore& settings, AlertSound& sound,
                    Recorder& recorder);
    void onParametersButton();
    // Disconnect while the panel is open: back to closed, nothing read or stored.
    void closeWithoutStoring();

private:
    void openParameters();
    void confirmParameters();
    void enableParameterControls(bool on);
    // Shows why the shown nominal size and tolerances cannot be adopted; false when they can.
    bool refuseShownValues();
    void adoptAndStore(float shown, float& judging, const SettingKey& key);
    std::uint8_t selectedIndexByte(int listId) const;

    AcquisitionState& state_;
    WindowPort& window_;
    DataExchange& exchange_;
    Timers& timers_;
    SettingsStore& settings_;
    AlertSound& sound_;
    Recorder& recorder_;
};

}  // namespace mensora
