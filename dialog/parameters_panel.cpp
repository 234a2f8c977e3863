#include "dialog/parameters_panel.h"

#include <string>
#include <utility>

#include "base/control_ids.h"
#include "base/settings_keys.h"
#include "base/stored_thousandths.h"
#include "base/texts.h"
#include "base/timer_ids.h"

namespace mensora {
namespace {

// Always handled in this order: the three sizes, the sampling period, sound, unit.
constexpr int kParameterControls[] = {NominalField,        UpperToleranceField, LowerToleranceField,
                                      SampleIntervalField, SoundList,           UnitList};

constexpr std::uint32_t kShortestSamplePeriodMs = 100;
constexpr std::uint32_t kConfirmAlertMs = 300;
constexpr std::uint8_t kNoSelection = 255;

}  // namespace

ParametersPanel::ParametersPanel(const DialogContext& context, SettingsStore& settings,
                                 AlertSound& sound, std::function<void()> stopAutoSampling)
    : state_(context.state),
      window_(context.window),
      timers_(context.timers),
      exchange_(context.exchange),
      settings_(settings),
      sound_(sound),
      stopAutoSampling_(std::move(stopAutoSampling)) {}

void ParametersPanel::onParametersButton() {
    // Automatic recording must not go on with values half typed, nor pick up a new period
    // in the middle of a run: every click on the button stops it.
    if (state_.autoSampling) stopAutoSampling_();
    if (state_.paramEditMode) {
        confirmParameters();
    } else {
        openParameters();
    }
}

void ParametersPanel::closeWithoutStoring() {
    window_.setText(ParametersButton, pick(texts::kParametersCaption, state_.language()));
    enableParameterControls(false);
    window_.enable(LiveValue, true);
    state_.paramEditMode = false;
}

void ParametersPanel::openParameters() {
    enableParameterControls(true);
    state_.paramEditMode = true;
    window_.setText(ParametersButton, pick(texts::kConfirmCaption, state_.language()));
    window_.enable(LiveValue, false);
    exchange_.push();
}

void ParametersPanel::confirmParameters() {
    window_.enable(LiveValue, true);
    window_.setText(ParametersButton, pick(texts::kParametersCaption, state_.language()));
    // A field that does not parse has shown its message; the values read so far are used.
    exchange_.pull();
    // Refused: the panel stays open with what was typed, although the button already offers
    // "Parameters" again; the next click confirms once more.
    if (refuseShownValues()) return;

    enableParameterControls(false);
    state_.paramEditMode = false;
    exchange_.pull();

    Parameters& params = state_.parameters;
    adoptAndStore(params.shownNominal, params.nominal, settings::kNominal);
    adoptAndStore(params.shownUpperTolerance, params.upperTolerance, settings::kUpperTolerance);
    adoptAndStore(params.shownLowerTolerance, params.lowerTolerance, settings::kLowerTolerance);

    params.beepEnabled = static_cast<RecordSound>(selectedIndexByte(SoundList));
    params.unitIndex = selectedIndexByte(UnitList);
    putSetting(settings_, settings::kBeep, static_cast<std::int32_t>(params.beepEnabled));
    putSetting(settings_, settings::kUnit, params.unitIndex);

    // The bench hears that the values were taken, changed or not.
    if (params.beepEnabled == RecordSound::On) {
        sound_.playLooped();
        timers_.arm(BeepStopTimer, kConfirmAlertMs);
    }

    if (params.sampleIntervalMs < kShortestSamplePeriodMs) {
        params.sampleIntervalMs = kShortestSamplePeriodMs;
        exchange_.push();
        window_.showMessage(texts::kSamplePeriodFloor, MessageIcon::Exclamation);
    }
    putSetting(settings_, settings::kSampleInterval,
               static_cast<std::int32_t>(params.sampleIntervalMs));
    exchange_.push();
}

void ParametersPanel::enableParameterControls(bool on) {
    for (const int id : kParameterControls) window_.enable(id, on);
}

bool ParametersPanel::refuseShownValues() {
    const Parameters& params = state_.parameters;
    if (params.shownUpperTolerance < params.shownLowerTolerance) {
        window_.showMessage(texts::kUpperBelowLower, MessageIcon::Exclamation);
        return true;
    }
    // A size beyond the stored form would come back as a different number at the next start:
    // refuse it rather than store a wrapped value, before anything at all is stored.
    const float shown[3] = {params.shownNominal, params.shownUpperTolerance,
                            params.shownLowerTolerance};
    for (int i = 0; i < 3; ++i) {
        if (fitsStoredThousandths(shown[i])) continue;
        window_.showMessage(std::string(pick(texts::kParameterLabels[i], state_.language())) +
                                pick(texts::kOutOfStorableRange, state_.language()),
                            MessageIcon::Exclamation);
        return true;
    }
    return false;
}

void ParametersPanel::adoptAndStore(float shown, float& judging, const SettingKey& key) {
    judging = shown;
    putSetting(settings_, key, toStoredThousandths(shown));
}

std::uint8_t ParametersPanel::selectedIndexByte(int listId) const {
    const int index = window_.selectedListItem(listId);
    return index < 0 || index >= kNoSelection ? kNoSelection : static_cast<std::uint8_t>(index);
}

void ParametersPanel::putBackStoredSizes() {
    Parameters& parameters = state_.parameters;
    parameters.nominal = parameters.shownNominal =
        fromStoredThousandths(getSetting(settings_, settings::kNominal));
    parameters.upperTolerance = parameters.shownUpperTolerance =
        fromStoredThousandths(getSetting(settings_, settings::kUpperTolerance));
    parameters.lowerTolerance = parameters.shownLowerTolerance =
        fromStoredThousandths(getSetting(settings_, settings::kLowerTolerance));
    parameters.unitIndex = static_cast<std::uint8_t>(getSetting(settings_, settings::kUnit));
    window_.selectListItem(UnitList, parameters.unitIndex);
    exchange_.push();
}

void ParametersPanel::lockForPlan(bool locked) {
    if (locked && state_.paramEditMode) closeWithoutStoring();
    window_.enable(ParametersButton, !locked);
}

}  // namespace mensora
