#include "measure/plan_walk.h"

#include <algorithm>

namespace mensora {

PlanWalk::PlanWalk(InspectionPlan plan) : plan_(std::move(plan)) { startPart(); }

void PlanWalk::startPart() {
    due_ = 0;
    started_ = false;
    latest_.assign(plan_.characteristics.size(), std::nullopt);
    serialTyped_ = !nextSerial_.empty();
    serial_ = serialTyped_ ? nextSerial_ : std::to_string(partInLot_);
    nextSerial_.clear();
}

std::optional<bool> PlanWalk::completePart() {
    const bool ok = std::all_of(latest_.begin(), latest_.end(), [](const auto& verdict) {
        return verdict && *verdict == Verdict::Ok;
    });
    ++partInLot_;
    startPart();
    return ok;
}

std::optional<bool> PlanWalk::recorded(Verdict verdict) {
    latest_[due_] = verdict;
    started_ = true;
    return next();
}

void PlanWalk::previous() {
    if (due_ > 0) --due_;
}

std::optional<bool> PlanWalk::next() {
    if (due_ + 1 < plan_.characteristics.size()) {
        ++due_;
        return std::nullopt;
    }
    return completePart();
}

void PlanWalk::setSerial(const std::string& typed) {
    if (started_) {
        nextSerial_ = typed;
        return;
    }
    serialTyped_ = !typed.empty();
    serial_ = serialTyped_ ? typed : std::to_string(partInLot_);
}

void PlanWalk::lotChanged() {
    partInLot_ = 1;
    if (!started_ && !serialTyped_) serial_ = "1";
}

PlanWalk::Position PlanWalk::position() const {
    return {due_, serial_, partInLot_, latest_, started_, serialTyped_, nextSerial_};
}

void PlanWalk::resume(const Position& position) {
    if (position.latest.size() != plan_.characteristics.size() ||
        position.due >= plan_.characteristics.size()) {
        return;  // another plan's position: the walk starts afresh
    }
    due_ = position.due;
    serial_ = position.serial;
    partInLot_ = position.partInLot;
    latest_ = position.latest;
    started_ = position.started;
    serialTyped_ = position.serialTyped;
    nextSerial_ = position.nextSerial;
}

}  // namespace mensora
