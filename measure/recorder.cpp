#include "measure/recorder.h"

#include <algorithm>

#include "base/control_ids.h"
#include "base/texts.h"
#include "base/timer_ids.h"
#include "measure/field_format.h"
#include "measure/judgement.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "measure/running_statistics.h"

namespace mensora {
namespace {

// How long a recording's alert sounds; a recording while it sounds starts it over.
constexpr std::uint32_t kRecordAlertMs = 200;

}  // namespace

void soundTaken(const Parameters& parameters, AlertSound& sound, Timers& timers) {
    if (parameters.beepEnabled != RecordSound::On) return;
    sound.playLooped();
    timers.arm(BeepStopTimer, kRecordAlertMs);
}

Recorder::Recorder(const DialogContext& context, RecordStore& store, RecordListTexts& listTexts,
                   AlertSound& sound, Clock& clock)
    : state_(context.state),
      window_(context.window),
      timers_(context.timers),
      store_(store),
      listTexts_(listTexts),
      sound_(sound),
      clock_(clock) {}

void Recorder::recordMeasurement() {
    // The gauge's device is gone: what the window last had is no reading of now.
    if (state_.deviceLost) return;
    if (store_.full()) {
        reportStoreFull();
        return;
    }
    const std::uint32_t index = store_.count();
    const Reading& reading = state_.reading;
    const double value = reading.value;

    RecordFields fields;
    fields.seq = formatSequence(index + 1);
    std::copy_n(reading.valueChars.begin(), fields.value.size(), fields.value.begin());
    const auto deviation = static_cast<float>(value - state_.parameters.nominal);
    fields.error = formatDeviation(deviation, reading.decimalPlaces);
    const ToleranceLimits limits = toleranceLimits(state_.parameters);
    const Verdict verdict = judge(value, limits);
    const bool warning = warningPercent_ && warns(value, limits, warningPercent_());
    fields.result = verdictRecordText(verdict, state_.language());
    fields.time = formatTimeStamp(clock_.localNow());
    add(fields, reading.valueText, verdict, warning, state_.language(), reading.value,
        reading.decimalPlaces);

    window_.scrollRecordListToEnd();
    soundTaken(state_.parameters, sound_, timers_);
    state_.recordsDirty = true;
    ++state_.unsavedRecords;
}

void Recorder::putBack(const RecordFields& fields, std::string_view valueText, Verdict verdict,
                       bool warning, Language language, float value, std::uint8_t decimalPlaces) {
    if (store_.full()) return;
    add(fields, valueText, verdict, warning, language, value, decimalPlaces);
}

void Recorder::add(const RecordFields& fields, std::string_view valueText, Verdict verdict,
                   bool warning, Language language, float value, std::uint8_t decimalPlaces) {
    const std::uint32_t index = store_.count();
    store_.append(fields);
    if (stamp_) stamp_(index);
    listTexts_.set(index, valueText, verdict, warning, language);
    // The figures are those of every record before anyone hears of this one: a plan in force
    // shows its characteristic's own instead.
    Statistics& stats = state_.statistics;
    addToStatistics(stats, value, verdict);
    stats.shown = stats.live;
    window_.recordListAppended();
    if (observer_ != nullptr) observer_->recorded(value, decimalPlaces);
}

// A full store records nothing more, but readings must not vanish unnoticed: the first
// refused recording says why, once per filling. The flag is set before the box opens, since
// timers keep recording while it is open.
void Recorder::reportStoreFull() {
    if (storeFullReported_) return;
    storeFullReported_ = true;
    window_.showMessage(pick(texts::kRecordStoreFull, state_.language()), MessageIcon::Exclamation);
}

// Clear leaves automatic recording as it is: if it runs, it goes on into the empty list and
// the next click on Auto stops it.
void Recorder::clearRecords() {
    window_.recordListCleared();
    store_.empty();
    resetStatistics();
    // All zeros, the minimum too (not the 999999 held inside): no record, nothing to show.
    state_.statistics.shown = StatisticsFigures{};
    state_.unsavedRecords = 0;
    storeFullReported_ = false;
    if (stampsCleared_) stampsCleared_();
    if (observer_ != nullptr) observer_->cleared();
}

// The current reading is left as it is, so a recording before the next frame records the
// reading the screen shows, with value, deviation and verdict in agreement.
void Recorder::resetStatistics() {
    Statistics& stats = state_.statistics;
    stats.sum = 0.0;
    stats.live = StatisticsFigures{.minimum = kMinimumAtReset};
    state_.counters.badFrameCount = 0;
    state_.counters.silentPollCount = 0;
}

}  // namespace mensora
