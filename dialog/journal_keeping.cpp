#include "dialog/journal_keeping.h"

#include <string>

#include "base/control_table.h"
#include "base/timer_ids.h"
#include "journal/journal_texts.h"

namespace mensora {
namespace {

// How often the writer tries again while the journal cannot be written.
constexpr std::uint32_t kJournalRetryMs = 2000;

}  // namespace

JournalKeeping::JournalKeeping(Journal& journal, const DialogContext& context,
                               const RecordStore& store, const RecordListTexts& listTexts,
                               Recorder& recorder, Clock& clock, RecordTraces& traces,
                               PlanLink plan)
    : journal_(journal),
      context_(context),
      store_(store),
      listTexts_(listTexts),
      recorder_(recorder),
      clock_(clock),
      traces_(traces),
      plan_(std::move(plan)) {}

void JournalKeeping::start(int keepDays,
                           std::function<void(const std::string& path, unsigned window)> opened) {
    journal_.open(clock_.localNow(), keepDays,
                  Journal::Reports{[this](const UnsavedRecords& unsaved) { offerBack(unsaved); },
                                   [this](const JournalError& error) { failed(error); },
                                   [this] { recovered(); }, std::move(opened)});
}

// Told once: the records wait in memory meanwhile and the writer tries again every tick.
void JournalKeeping::failed(const JournalError& error) {
    context_.timers.arm(JournalRetryTimer, kJournalRetryMs);
    tellProgress();
    context_.window.showMessage(journalFailureMessage(error, context_.state.language()),
                                MessageIcon::Exclamation);
}

void JournalKeeping::recovered() {
    context_.timers.kill(JournalRetryTimer);
    tellProgress();
    context_.window.showMessage(journalRecoveredMessage(context_.state.language()),
                                MessageIcon::Exclamation);
}

// Kept before the walk moves on: the record was judged against, and stamped with, the
// characteristic due. Where the walk then stands is kept after it.
void JournalKeeping::recorded(float value, std::uint8_t decimalPlaces) {
    if (puttingBack_) {
        if (next_ != nullptr) next_->recorded(value, decimalPlaces);
        return;
    }
    std::shared_ptr<const InspectionPlan> plan = keep(value, decimalPlaces);
    recording_ = true;
    if (next_ != nullptr) next_->recorded(value, decimalPlaces);
    recording_ = false;
    if (plan) {
        planInForce_ = std::move(plan);
        keepPlace();
    }
    tellProgress();
}

std::shared_ptr<const InspectionPlan> JournalKeeping::keep(float value,
                                                           std::uint8_t decimalPlaces) {
    const std::uint32_t row = store_.count() - 1;
    const AcquisitionState& state = context_.state;
    const Parameters& parameters = state.parameters;
    JournalRecord record;
    record.number = row + 1;
    record.valueText = listTexts_.valueText(row);
    std::copy_n(store_.valueField(row).begin(), record.valueField.size(),
                record.valueField.begin());
    record.value = value;
    record.error = static_cast<float>(static_cast<double>(value) - parameters.nominal);
    record.decimalPlaces = decimalPlaces;
    record.verdict = listTexts_.verdict(row);
    record.language = listTexts_.language(row);
    const std::string_view taken = store_.timeField(row);
    std::copy(taken.begin(), taken.end(), record.takenAt.begin());
    record.nominal = parameters.nominal;
    record.upperTolerance = parameters.upperTolerance;
    record.lowerTolerance = parameters.lowerTolerance;
    record.unit = recordUnitName(parameters.unitIndex);
    // The record has just been stamped with the values in force.
    record.trace = traces_.inForce();
    std::shared_ptr<const InspectionPlan> plan;
    if (const PlanStamp stamp = plan_.stamps.of(row); stamp.part != 0) {
        const PlanPart& part = plan_.stamps.part(stamp.part);
        plan = plan_.stamps.planOf(part);
        record.planned = JournalPlanStamp{plan, stamp.part, stamp.characteristic, part.serial};
    }
    journal_.add(std::move(record));
    return plan;
}

// The plan is compared only when the operator steps, never for a record.
void JournalKeeping::planMoved() {
    if (recording_ || puttingBack_) return;
    const PlanWalk* walk = plan_.walk();
    if (walk == nullptr) {
        planInForce_.reset();
    } else if (!planInForce_ || *planInForce_ != walk->plan()) {
        planInForce_ = std::make_shared<const InspectionPlan>(walk->plan());
    }
    keepPlace();
}

void JournalKeeping::keepPlace() {
    JournalPlanPlace place;
    if (const PlanWalk* walk = plan_.walk()) {
        place.plan = planInForce_;
        place.position = walk->position();
    }
    journal_.keepPlace(std::move(place));
}

void JournalKeeping::cleared() {
    if (next_ != nullptr) next_->cleared();
    journal_.mark({JournalMark::Kind::Cleared, 0, clock_.localNow()});
}

void JournalKeeping::saved(bool autosave, std::uint32_t covered) {
    journal_.mark({autosave ? JournalMark::Kind::Autosaved : JournalMark::Kind::Saved, covered,
                   clock_.localNow()});
}

// Asked only while the list is still empty: records put back go where they were, from row 0.
void JournalKeeping::offerBack(const UnsavedRecords& unsaved) {
    if (store_.count() != 0) return;
    const bool restore =
        context_.window.askYesNo(restoreQuestion(unsaved, context_.state.language()));
    journal_.answer(unsaved, restore, clock_.localNow(),
                    [this, unsaved](const std::vector<JournalRecord>& records) {
                        // Recorded meanwhile: the list is no longer theirs.
                        if (store_.count() == 0) putBack(records, unsaved.count, unsaved.place);
                    });
}

void JournalKeeping::restoreRun(std::int64_t list, const std::vector<JournalRecord>& records,
                                std::uint32_t unsaved) {
    recorder_.clearRecords();
    journal_.resume(list, clock_.localNow());
    putBack(records, unsaved, {});
}

void JournalKeeping::putBack(const std::vector<JournalRecord>& records, std::uint32_t unsaved,
                             const JournalPlanPlace& place) {
    puttingBack_ = true;
    const TraceValues inForce = traces_.inForce();
    for (const JournalRecord& r : records) {
        traces_.setInForce(r.trace);
        const std::uint32_t index = store_.count();
        recorder_.putBack(recordFieldsOf(r), r.valueText, r.verdict, recordWarned(r), r.language,
                          r.value, r.decimalPlaces);
        if (store_.count() == index) break;  // the store is full
        putBackPlanStamp(plan_.stamps, index, r);
    }
    traces_.setInForce(inForce);
    puttingBack_ = false;
    // The part under way goes on where it stood, unless a plan was put in force meanwhile.
    if (place.plan && plan_.walk() == nullptr) plan_.resume(*place.plan, place.position);
    AcquisitionState& state = context_.state;
    // Back as unsaved: the autosave writes them, and closing asks about them as usual.
    state.unsavedRecords = unsaved;
    state.recordsDirty = true;
    context_.window.scrollRecordListToEnd();
    context_.exchange.push();
}

}  // namespace mensora
