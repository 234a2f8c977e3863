#include "files/plan_shelf.h"

#include <utility>

namespace mensora {

PlanShelf::PlanShelf(WorkQueue& work, WindowThread& window, std::function<PlanStore()> open)
    : work_(work), window_(window), open_(std::move(open)) {}

void PlanShelf::read() {
    if (asked_) return;
    asked_ = true;
    work_.submit([this] {
        store_.emplace(open_());
        std::map<std::string, InspectionPlan> found;
        for (const std::string& part : store_->parts()) {
            if (auto plan = store_->load(part)) found.emplace(part, std::move(*plan));
        }
        window_.post([this, found = std::move(found)]() mutable {
            for (auto& [part, plan] : found) {
                if (!changedMeanwhile_.contains(part)) plans_.emplace(part, std::move(plan));
            }
            changedMeanwhile_.clear();
            read_ = true;
            changed(std::nullopt);
        });
    });
}

std::vector<std::string> PlanShelf::parts() {
    read();
    std::vector<std::string> parts;
    for (const auto& entry : plans_) parts.push_back(entry.first);
    return parts;
}

std::optional<InspectionPlan> PlanShelf::plan(const std::string& part) {
    read();
    const auto found = plans_.find(part);
    if (found == plans_.end()) return std::nullopt;
    return found->second;
}

void PlanShelf::save(const InspectionPlan& plan) {
    plans_.insert_or_assign(plan.part, plan);
    write(plan.part, false, [plan](PlanStore& store) { return store.save(plan); });
}

void PlanShelf::remove(const std::string& part) {
    plans_.erase(part);
    write(part, true, [part](PlanStore& store) { return store.remove(part); });
}

void PlanShelf::write(const std::string& part, bool removal,
                      std::function<std::optional<FileFailure>(PlanStore&)> writing) {
    read();
    if (!read_) changedMeanwhile_.insert(part);
    const unsigned change = ++changes_[part];
    work_.submit([this, part, change, removal, writing = std::move(writing)] {
        const auto failure = writing(*store_);
        if (!failure) return;
        // What the disk holds of the part after the refusal.
        window_.post([this, part, change, held = store_->load(part),
                      refusal = Refusal{*failure, store_->pathOf(part), removal}]() mutable {
            // A later change of the part is on its way and tells its own outcome.
            if (changes_[part] == change) {
                if (held) {
                    plans_.insert_or_assign(part, std::move(*held));
                } else {
                    plans_.erase(part);
                }
            }
            changed(refusal);
        });
    });
}

}  // namespace mensora
