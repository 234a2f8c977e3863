#pragma once
// Keeps the journal in step with the records: each record and Clear as it is made, each
// record file that holds every record, and at start the offer to put back what a run that did
// not end normally left unsaved. It stands between the recorder and what else follows the
// records (the plan's walk, the quality charts), which it tells of every record, put back ones
// included. With a plan in force it keeps each record's part and characteristic, and where the
// walk stands after each record and each step the operator takes, so that records put back
// resume the part they belong to.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/dialog_context.h"
#include "journal/journal.h"
#include "measure/plan_stamps.h"
#include "measure/plan_walk.h"
#include "measure/record_list_texts.h"
#include "measure/record_observer.h"
#include "measure/record_store.h"
#include "measure/record_traces.h"
#include "measure/recorder.h"

namespace mensora {

class JournalKeeping : public RecordObserver {
public:
    // The plan's side: the records' stamps, the walk in force (nullptr: none) and how a walk
    // cut short resumes.
    struct PlanLink {
        PlanStamps& stamps;
        std::function<const PlanWalk*()> walk;
        std::function<void(InspectionPlan, const PlanWalk::Position&)> resume;
    };

    // `traces` holds the values each record is stamped with; records put back get theirs
    // again.
    JournalKeeping(Journal& journal, const DialogContext& context, const RecordStore& store,
                   const RecordListTexts& listTexts, Recorder& recorder, Clock& clock,
                   RecordTraces& traces, PlanLink plan);

    // Opens the journal, keeping files' records keepDays days (0: for ever).
    // `opened` hears of the journal's file once it is open.
    void start(int keepDays, std::function<void(const std::string& path, unsigned window)> opened);
    // Where records are reported besides the journal, or nowhere (nullptr).
    void reportTo(RecordObserver* next) { next_ = next; }
    // Who follows how far the journal has got (the plant database's line): told after each
    // record handed over, and when the journal fails and works again.
    void onProgress(std::function<void()> changed) { progressChanged_ = std::move(changed); }
    // The retry timer ticked while the journal fails.
    void retryTick() { journal_.retry(); }

    void recorded(float value, std::uint8_t decimalPlaces) override;
    void cleared() override;
    // A record file now holds the first `covered` records.
    void saved(bool autosave, std::uint32_t covered);
    // The plan in force or the walk's place in it changed.
    void planMoved();
    // An earlier run's records, all that the journal holds of it, put back in place of the
    // list's (all saved): the list goes on as that run, `unsaved` of them still in no file.
    void restoreRun(std::int64_t list, const std::vector<JournalRecord>& records,
                    std::uint32_t unsaved);
    // Records being put back carry their own plan stamps.
    bool puttingBack() const { return puttingBack_; }

private:
    void offerBack(const UnsavedRecords& unsaved);
    void failed(const JournalError& error);
    void recovered();
    void tellProgress() const {
        if (progressChanged_) progressChanged_();
    }
    // Into the empty list; a walk cut short at `place` resumes unless a plan is in force.
    void putBack(const std::vector<JournalRecord>& records, std::uint32_t unsaved,
                 const JournalPlanPlace& place);
    // Hands the record over; the plan its part follows, if any.
    std::shared_ptr<const InspectionPlan> keep(float value, std::uint8_t decimalPlaces);
    void keepPlace();

    Journal& journal_;
    DialogContext context_;
    const RecordStore& store_;
    const RecordListTexts& listTexts_;
    Recorder& recorder_;
    Clock& clock_;
    RecordTraces& traces_;
    PlanLink plan_;
    // The plan in force as last handed over: handed again as the same object, so that the
    // journal keeps it once.
    std::shared_ptr<const InspectionPlan> planInForce_;
    RecordObserver* next_ = nullptr;
    std::function<void()> progressChanged_;
    bool puttingBack_ = false;  // records put back are in the journal already
    bool recording_ = false;    // the walk steps for the record: its place follows the record
};

}  // namespace mensora
