#include "dialog/plan_steering.h"

#include "base/control_ids.h"
#include "base/timer_ids.h"
#include "base/number_text.h"
#include "measure/plan_line.h"
#include "measure/running_statistics.h"

namespace mensora {
namespace {

// As long as a record's alert.
constexpr std::uint32_t kPartAlertMs = 200;

}  // namespace

PlanSteering::PlanSteering(const DialogContext& context, ParametersPanel& panel, AlertSound& sound,
                           StationRecords& records)
    : context_(context),
      panel_(panel),
      sound_(sound),
      traces_(records.traces),
      store_(records.store),
      listTexts_(records.listTexts),
      stamps_(records.planStamps) {}

void PlanSteering::putInForce(std::optional<InspectionPlan> plan) {
    ++planNumber_;
    completedPart_.reset();
    if (!plan) {
        walk_.reset();
        figures_.clear();
        context_.state.statistics.shown = shownFigures(context_.state.statistics);
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
    figures_.assign(walk_->plan().characteristics.size(), Statistics{});
    shownTexts_.clear();
    for (const Characteristic& characteristic : walk_->plan().characteristics) {
        shownTexts_.push_back(
            {{formatFloat(characteristic.nominal), formatFloat(characteristic.upperTolerance),
              formatFloat(characteristic.lowerTolerance)},
             characteristicLabel(characteristic)});
    }
    panel_.lockForPlan(true);
    showDue();
}

void PlanSteering::resume(InspectionPlan plan, const PlanWalk::Position& position) {
    putInForce(std::move(plan));
    walk_->resume(position);
    // The figures of each characteristic take in the records put back that were taken for it.
    const PlanParts parts = stamps_.parts();
    for (std::uint32_t i = 0; i < store_.count(); ++i) {
        const PlanStamp stamp = stamps_.of(i);
        if (stamp.part == 0 || stamp.characteristic >= figures_.size()) continue;
        if (*parts.plans[parts.parts[stamp.part - 1].plan] != walk_->plan()) continue;
        if (const auto value = parseFloat(store_.valueField(i))) {
            addToStatistics(figures_[stamp.characteristic], *value, listTexts_.verdict(i));
        }
    }
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
    // The statistics reach the window with the next push, as a record's own do.
    context_.state.statistics.shown = shownFigures(figures_[walk_->due()]);
    const ShownTexts& texts = shownTexts_[walk_->due()];
    context_.exchange.pushSizes(texts.sizes);
    TraceValues values = traces_.inForce();
    values.part = walk_->plan().part;
    values.characteristic = texts.label;
    values.gaugeId = due.gaugeId;
    traces_.setInForce(values);
    changed();
}

void PlanSteering::recorded(float value, std::uint8_t decimalPlaces) {
    if (walk_) {
        const std::string serial = walk_->serial();
        const Verdict verdict = listTexts_.verdict(store_.count() - 1);
        addToStatistics(figures_[walk_->due()], value, verdict);
        completedPart_.reset();
        partCompleted(walk_->recorded(verdict), serial);
    }
    if (next_ != nullptr) next_->recorded(value, decimalPlaces);
}

void PlanSteering::cleared() {
    if (walk_) figures_.assign(figures_.size(), Statistics{});
    if (next_ != nullptr) next_->cleared();
}

void PlanSteering::fixLimits(std::size_t characteristic, const std::optional<FixedLimits>& fixed) {
    if (!walk_ || characteristic >= walk_->plan().characteristics.size()) return;
    walk_->fixLimits(characteristic, fixed);
    if (edited_) edited_(walk_->plan());
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

void PlanSteering::traceConfirmed(const TraceValues& former) {
    if (!walk_) return;
    if (traces_.inForce().lot != former.lot) walk_->lotChanged();
    showDue();
}

std::string PlanSteering::line() const {
    if (!walk_) return {};
    return planLine(*walk_, completedPart_, completedSerial_, context_.state.language());
}

}  // namespace mensora
