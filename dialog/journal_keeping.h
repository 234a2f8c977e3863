#pragma once
// Keeps the journal in step with the records: each record and Clear as it is made, each
// record file that holds every record, and at start the offer to put back what a run that did
// not end normally left unsaved. It stands between the recorder and what else follows the
// records (the quality charts), which it tells of every record, put back ones included.

#include <cstdint>
#include <vector>

#include "base/clock.h"
#include "base/dialog_context.h"
#include "journal/journal.h"
#include "measure/record_list_texts.h"
#include "measure/record_observer.h"
#include "measure/record_store.h"
#include "measure/record_traces.h"
#include "measure/recorder.h"

namespace mensora {

class JournalKeeping : public RecordObserver {
public:
    // `traces` (or none: every record's part and lot are then empty) holds the values each
    // record is stamped with; records put back get theirs again.
    JournalKeeping(Journal& journal, const DialogContext& context, const RecordStore& store,
                   const RecordListTexts& listTexts, Recorder& recorder, Clock& clock,
                   RecordTraces* traces);

    // Opens the journal, keeping files' records keepDays days (0: for ever).
    void start(int keepDays);
    // Where records are reported besides the journal, or nowhere (nullptr).
    void reportTo(RecordObserver* next) { next_ = next; }

    void recorded(float value, std::uint8_t decimalPlaces) override;
    void cleared() override;
    void saved(bool autosave);

private:
    void offerBack(const UnsavedRecords& unsaved);
    void putBack(const std::vector<JournalRecord>& records, std::uint32_t unsaved);

    Journal& journal_;
    DialogContext context_;
    const RecordStore& store_;
    const RecordListTexts& listTexts_;
    Recorder& recorder_;
    Clock& clock_;
    RecordTraces* traces_;
    RecordObserver* next_ = nullptr;
    bool puttingBack_ = false;  // records put back are in the journal already
};

}  // namespace mensora
