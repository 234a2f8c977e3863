#pragma once
#include <cstdint>
#include <functional>

#include "base/alert_sound.h"
#include "base/dialog_context.h"
#include "base/settings_keys.h"
#include "base/settings_store.h"

namespace mensora {

// The parameters group: one button opens its fields for editing and, pressed again, checks,
// adopts and stores what was entered.
class ParametersPanel {
public:
    // stopAutoSampling: ends automatic recording, which must not run while values are typed.
    ParametersPanel(const DialogContext& context, SettingsStore& settings, AlertSound& sound,
                    std::function<void()> stopAutoSampling);
    void onParametersButton();
    // Disconnect while the panel is open: back to closed, nothing read or stored.
    void closeWithoutStoring();
    // The sizes and the unit the settings hold, judged and shown again: at start, and when a
    // plan, which never stores its own, goes out of force.
    void putBackStoredSizes();
    // A plan in force gives the sizes: the button cannot open the panel meanwhile.
    void lockForPlan(bool locked);

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
    Timers& timers_;
    FieldExchange& exchange_;
    SettingsStore& settings_;
    AlertSound& sound_;
    std::function<void()> stopAutoSampling_;
};

}  // namespace mensora
