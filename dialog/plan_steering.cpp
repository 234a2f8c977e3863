#include "dialog/plan_steering.h"

#include "base/control_ids.h"
#include "base/timer_ids.h"
#include "measure/plan_line.h"

namespace mensora {
namespace {

// As long as a record's alert.
constexpr std::uint32_t kPartAlertMs = 200;

}  // namespace

PlanSteering::PlanSteering(const DialogContext& context, ParametersPanel& panel, AlertSound& sound,
                           RecordTraces& traces, const RecordStore& store,
                           const RecordListTexts& listTexts)
    : context_(context),
      panel_(panel),
      sound_(sound),
      traces_(traces),
      store_(store),
      listTexts_(listTexts) {}

void PlanSteering::putInForce(std::optional<InspectionPlan> plan) {
    completedPart_.reset();
    if (!plan) {
        walk_.reset();
        panel_.lockForPlan(false);
        panel_.putBackStoredSizes();
        TraceValues values = traces_.inForce();
        values.characteristic.clear();
        values.gaugeId.clear();
        traces_.setInForce(values);
        changed();
        return;
    }
    walk_.emplace(std::move(*plan));
    panel_.lockForPlan(true);
    showDue();
}

// The sizes of the characteristic due are the ones judged and shown, and the next record is
// stamped with it.
void PlanSteering::showDue() {
    const Characteristic& due = walk_->dueCharacteristic();
    Parameters& parameters = context_.state.parameters;
    parameters.nominal = parameters.shownNominal = due.nominal;
    parameters.upperTolerance = parameters.shownUpperTolerance = due.upperTolerance;
    parameters.lowerTolerance = parameters.shownLowerTolerance = due.lowerTolerance;
    parameters.unitIndex = due.unitIndex;
    context_.window.selectListItem(UnitList, due.unitIndex);
    context_.exchange.pushSizes();
    TraceValues values = traces_.inForce();
    values.part = walk_->plan().part;
    values.characteristic = characteristicLabel(due);
    values.gaugeId = due.gaugeId;
    traces_.setInForce(values);
    changed();
}

void PlanSteering::recorded(float value, std::uint8_t decimalPlaces) {
    if (walk_) {
        const std::string serial = walk_->serial();
        const Verdict verdict = listTexts_.verdict(store_.count() - 1);
        completedPart_.reset();
        partCompleted(walk_->recorded(verdict), serial);
    }
    if (next_ != nullptr) next_->recorded(value, decimalPlaces);
}

void PlanSteering::cleared() {
    if (next_ != nullptr) next_->cleared();
}

void PlanSteering::previous() {
    if (!walk_) return;
    completedPart_.reset();
    walk_->previous();
    showDue();
}

void PlanSteering::next() {
    if (!walk_) return;
    const std::string serial = walk_->serial();
    completedPart_.reset();
    partCompleted(walk_->next(), serial);
}

void PlanSteering::partCompleted(std::optional<bool> verdict, const std::string& serial) {
    if (verdict) {
        completedPart_ = verdict;
        completedSerial_ = serial;
        if (!*verdict) {
            sound_.playLooped();
            context_.timers.arm(BeepStopTimer, kPartAlertMs);
        }
    }
    showDue();
}

void PlanSteering::setSerial(const std::string& typed) {
    if (!walk_) return;
    walk_->setSerial(typed);
    changed();
}

std::string PlanSteering::line() const {
    if (!walk_) return {};
    return planLine(*walk_, completedPart_, completedSerial_, context_.state.language());
}

}  // namespace mensora
