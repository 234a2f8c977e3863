#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "base/alert_sound.h"
#include "base/clock.h"
#include "base/dialog_context.h"
#include "measure/record_observer.h"
#include "measure/record_store.h"

namespace mensora {

class RecordStore;
class RecordListTexts;

// The short alert a reading taken sounds, when the sound list says so.
void soundTaken(const Parameters& parameters, AlertSound& sound, Timers& timers);

// Turns the current reading into a record: Manual, each automatic-sampling tick and the
// gauge's data key all come here. Owns Clear and the statistics reset.
class Recorder {
public:
    Recorder(const DialogContext& context, RecordStore& store, RecordListTexts& listTexts,
             AlertSound& sound, Clock& clock);

    void recordMeasurement();
    // A record of an earlier run put back as it was made: into the store, the list and the
    // statistics, stamped and reported, as its recording did; no sound, nothing judged again.
    void putBack(const RecordFields& fields, std::string_view valueText, Verdict verdict,
                 bool warning, Language language, float value, std::uint8_t decimalPlaces);
    void clearRecords();
    void resetStatistics();

    // Where each record and each Clear is reported, or nowhere (nullptr).
    void reportTo(RecordObserver* observer) { observer_ = observer; }
    // What stamps each record with the values in force is told each new record's index as
    // soon as the store holds it, and each Clear.
    void stampWith(std::function<void(std::uint32_t index)> stamp, std::function<void()> cleared) {
        stamp_ = std::move(stamp);
        stampsCleared_ = std::move(cleared);
    }

    // The warning zone in force for the next record, as a share of the tolerance in percent
    // (none: no zone); asked as each reading is judged. Without it no record warns.
    void warnWith(std::function<std::optional<int>()> warningPercent) {
        warningPercent_ = std::move(warningPercent);
    }

private:
    void add(const RecordFields& fields, std::string_view valueText, Verdict verdict, bool warning,
             Language language, float value, std::uint8_t decimalPlaces);
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
    std::function<void(std::uint32_t)> stamp_;
    std::function<void()> stampsCleared_;
    std::function<std::optional<int>()> warningPercent_;
};

}  // namespace mensora
