#pragma once
// The alarms of the run at the bench. A run rule that fires on a control chart raises an alarm:
// it is logged, the alert sounds and the line under the main window names the newest alarm that
// stands, until the operator acknowledges it with a cause and a note. Recording never waits for
// it. One acknowledgement answers every alarm that stands: the operator has looked at the
// process once, whatever number of rules saw the same drift.
//
// The log only grows: each alarm and each acknowledgement is handed to the journal as it
// happens, and the workbook takes those of the records in the list.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/alert_sound.h"
#include "base/clock.h"
#include "base/language.h"
#include "base/timers.h"
#include "dialog/control_watch.h"
#include "measure/alarm_entry.h"

namespace mensora {

class AlarmBoard {
public:
    struct Parts {
        AlertSound& sound;
        Timers& timers;
        Clock& clock;
        // Where every entry goes as it is made: the journal, when one is open.
        std::function<void(const AlarmEntry&)> keep;
    };

    explicit AlarmBoard(Parts parts);

    // Told whenever the line under the main window must say something else.
    void onLineChange(std::function<void()> changed) { lineChanged_ = std::move(changed); }

    void raise(const RuleEvent& event);
    // Every alarm that stands is acknowledged with this cause and note.
    void acknowledge(const std::string& cause, const std::string& note);

    bool standing() const { return !standing_.empty(); }
    // The newest alarm that stands, and how many more do; empty while none stands.
    std::string line(Language language) const;
    // The newest alarm that stands, as the window that acknowledges it names it.
    std::string newest(Language language) const;

    // The entries about the records in the list: those since the list was last cleared.
    std::vector<AlarmEntry> ofList() const;
    // The list was cleared: its alarms leave the workbook; those standing still stand.
    void listCleared() { listStart_ = log_.size(); }

private:
    const AlarmEntry& entry(std::uint32_t number) const { return log_[number - 1]; }
    AlarmEntry& added(AlarmKind kind);

    Parts parts_;
    std::vector<AlarmEntry> log_;          // entry n at [n - 1]
    std::vector<std::uint32_t> standing_;  // the raised alarms not acknowledged, oldest first
    std::size_t listStart_ = 0;            // the first entry about the list's records
    std::function<void()> lineChanged_;
};

}  // namespace mensora
