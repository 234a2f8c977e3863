#pragma once
#include "base/alert_sound.h"
#include "base/clock.h"
#include "base/dialog_context.h"
#include "measure/record_observer.h"

namespace mensora {

class RecordStore;
class RecordListTexts;

// Turns the current reading into a record: Manual, each automatic-sampling tick and the
// gauge's data key all come here. Owns Clear and the statistics reset.
class Recorder {
public:
    Recorder(const DialogContext& context, RecordStore& store, RecordListTexts& listTexts,
             AlertSound& sound, Clock& clock);

    void recordMeasurement();
    void clearRecords();
    void resetStatistics();

    // Where each record and each Clear is reported, or nowhere (nullptr).
    void reportTo(RecordObserver* observer) { observer_ = observer; }

private:
    Verdict judgeAndCount(double value);
    void updateExtremes(float value, bool firstSinceReset);
    void reportStoreFull();

    AcquisitionState& state_;
    WindowPort& window_;
    Timers& timers_;
    RecordStore& store_;
    RecordListTexts& listTexts_;
    AlertSound& sound_;
    Clock& clock_;
    // Whether the user has been told that the store is full; a Clear lets it fill again.
    bool storeFullReported_ = false;
    RecordObserver* observer_ = nullptr;
};

}  // namespace mensora
