#pragma once
// With an inspection plan in force, each record is taken for the characteristic due: the
// parameters group shows that characteristic's sizes and its button is disabled, the record
// is judged against them and stamped with the plan's part, the characteristic and its gauge
// (lot and operator as set), and the walk moves on. A part found NG sounds the alert once.
// The statistics group shows the figures of the characteristic due.
// "No plan" puts back the single-part sizes the settings hold, which a plan never changes.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/alert_sound.h"
#include "base/dialog_context.h"
#include "base/field_exchange.h"
#include "dialog/parameters_panel.h"
#include "dialog/station_records.h"
#include "measure/plan_walk.h"
#include "measure/record_list_texts.h"
#include "measure/record_observer.h"
#include "measure/record_store.h"
#include "measure/record_traces.h"

namespace mensora {

class PlanSteering : public RecordObserver {
public:
    PlanSteering(const DialogContext& context, ParametersPanel& panel, AlertSound& sound,
                 StationRecords& records);

    // The plan walked from now on, from its first characteristic of part 1; none: no plan.
    void putInForce(std::optional<InspectionPlan> plan);
    // The plan in force again where its walk stood when a run was cut off mid-part.
    void resume(InspectionPlan plan, const PlanWalk::Position& position);
    // Nullptr while no plan is in force.
    const PlanWalk* walk() const { return walk_ ? &*walk_ : nullptr; }
    // Moves on each time a plan, or none, is put in force: whoever keeps something for each
    // characteristic knows by it when to start over, without comparing plans.
    std::uint64_t planNumber() const { return planNumber_; }
    void previous();
    void next();
    void setSerial(const std::string& typed);
    // The Part and lot window's OK, `former` the values before it: a new lot numbers its parts
    // from 1 again, and the plan's part, characteristic and gauge stay in force over what was
    // typed for them.
    void traceConfirmed(const TraceValues& former);
    // The line under the window; empty while no plan is in force.
    std::string line() const;
    // Told when the line changes.
    void onChange(std::function<void()> changed) { changed_ = std::move(changed); }
    // Told when the plan in force or the walk's place in it changes, a record's step included.
    void onMoved(std::function<void()> moved) { moved_ = std::move(moved); }
    // Where records are reported after the walk has taken them.
    void reportTo(RecordObserver* next) { next_ = next; }
    // A characteristic's charts fixed their control limits (none: from all records again): the
    // plan in force keeps them, and is told to be saved with them.
    void fixLimits(std::size_t characteristic, const std::optional<FixedLimits>& fixed);
    void onEdited(std::function<void(const InspectionPlan&)> edited) {
        edited_ = std::move(edited);
    }

    void recorded(float value, std::uint8_t decimalPlaces) override;
    void cleared() override;

private:
    void showDue();
    void partCompleted(std::optional<bool> verdict, const std::string& serial);
    void changed() const {
        if (changed_) changed_();
        if (moved_) moved_();
    }

    DialogContext context_;
    ParametersPanel& panel_;
    AlertSound& sound_;
    RecordTraces& traces_;
    const RecordStore& store_;
    const RecordListTexts& listTexts_;
    const PlanStamps& stamps_;
    std::function<void()> changed_;
    std::function<void()> moved_;
    std::function<void(const InspectionPlan&)> edited_;
    RecordObserver* next_ = nullptr;
    std::optional<PlanWalk> walk_;
    std::uint64_t planNumber_ = 0;
    // The statistics group's figures of each characteristic of the plan in force: the group
    // shows those of the characteristic due, never a bore averaged with a length.
    std::vector<Statistics> figures_;
    // What shows and stamps each characteristic, written once when the plan is put in force:
    // formatting them anew with every record would cost more than the record.
    struct ShownTexts {
        SizeTexts sizes;
        std::string label;
    };
    std::vector<ShownTexts> shownTexts_;
    std::optional<bool> completedPart_;  // shown until the next record
    std::string completedSerial_;
};

}  // namespace mensora
