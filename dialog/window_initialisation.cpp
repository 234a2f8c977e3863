// The main window's initialisation. The order matters: it fixes which state exists before
// the first timer can tick, and the fields show the loaded parameters before anyone can
// press a button.

#include <cstdint>

#include "base/control_ids.h"
#include "base/control_table.h"
#include "base/settings_keys.h"
#include "dialog/main_dialog.h"
#include "plant/plant_door.h"

namespace mensora {
namespace {

void putEnglishCaptions(WindowPort& window) {
    for (const DialogControl& control : controlTable()) {
        if (control.id != 0 && control.english != nullptr) {
            window.setText(control.id, control.english);
        }
    }
    const auto items = soundItems(Language::English);
    window.setListItems(SoundList, items.data(), static_cast<int>(items.size()));
}

// Until the parameters panel opens them, the operator cannot type into the parameters, and
// Zero, Auto and Manual wait for a gauge.
constexpr int kLockedAtStart[] = {ZeroButton,          AutoButton,          ManualButton,
                                  NominalField,        UpperToleranceField, LowerToleranceField,
                                  SampleIntervalField, SoundList,           UnitList};

}  // namespace

void MainDialog::initialise() {
    WindowPort& window = ports_.window;
    SettingsStore& settings = ports_.settings;

    recorder_.resetStatistics();
    state_.portOpen = false;

    window.setChecked(ChineseRadio, true);
    state_.storedLanguage = getSetting(settings, settings::kLanguage);
    if (state_.language() == Language::English) {
        window.setChecked(EnglishRadio, true);
        window.setChecked(ChineseRadio, false);
        putEnglishCaptions(window);
    }

    for (const int id : kLockedAtStart) window.enable(id, false);

    Parameters& parameters = state_.parameters;
    // As stored, even below the 100 ms floor: only confirming the panel applies the floor.
    parameters.sampleIntervalMs =
        static_cast<std::uint32_t>(getSetting(settings, settings::kSampleInterval));

    parameters.beepEnabled =
        static_cast<RecordSound>(static_cast<std::uint8_t>(getSetting(settings, settings::kBeep)));
    window.selectListItem(SoundList, static_cast<int>(parameters.beepEnabled));
    panel_.putBackStoredSizes();
    window.setUpRecordList(state_.language());
    state_.linkConnected = false;
    // Sending to the plant database starts with the window: its timer needs the window.
    if (plant_ != nullptr) plant_->start();
}

}  // namespace mensora
