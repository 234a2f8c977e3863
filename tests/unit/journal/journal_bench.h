#pragma once
// One run of one window with its journal: the real dialog behind fakes, its journal a real
// SQLite file in a real folder, its writer's work on the test's time. A run ends normally
// (close()) or is cut off: whatever the writer had committed stays in the file, nothing more.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "journal/journal.h"
#include "measure/record_traces.h"
#include "tests/support/dialog_rig.h"
#include "tests/support/manual_work.h"
#include "tests/support/temporary_folder.h"

namespace mensora::test {

// The journal's data folder, fresh for each window of a test.
using JournalFolder = TemporaryFolder;

class JournalBench {
public:
    // A window started with `stored` settings on the PC whose files are `pc`, its data folder
    // `folder`, at local time `start`; it opens its journal as the program does, and answers
    // the offer of records to put back, if one comes, with `putBack`.
    JournalBench(FakeFileSystem& pc, const std::string& folder, StoredSettings stored = {},
                 bool putBack = false, LocalDateTime start = {2026, 12, 7, 9, 0, 0}) {
        pc.userData = folder;
        rig_ = std::make_unique<DialogRig<>>(
            std::move(stored), kRigCapacity,
            RigStart{StationDoors{true, {}}, &work,
                     StationWork{[this](Door) { return work.lend(); }, writerClock}, &pc, start});
        rig().window.yesNoAnswers = {putBack};
        work.runAll();
    }
    ~JournalBench() { cutOff(); }
    JournalBench(const JournalBench&) = delete;
    JournalBench& operator=(const JournalBench&) = delete;

    DialogRig<>& rig() { return *rig_; }
    const DialogRig<>& rig() const { return *rig_; }

    // A record taken one second after the previous one, and written.
    void record(float value, const std::string& text) {
        rig().clock.advance(1000);
        rig().record(value, text, 3);
        work.runAll();
    }
    void click(int id) {
        rig().click(id);
        work.runAll();
    }
    // The window closed normally: the journal notes it as the program ends. What its writer
    // still had to tell the window goes with the window.
    void close() {
        rig_.reset();
        while (!work.jobs.empty()) {
            std::function<void()> job = std::move(work.jobs.front());
            work.jobs.pop_front();
            job();
        }
        work.calls.clear();
    }
    // Killed: nothing more reaches the file.
    void cutOff() {
        work.jobs.clear();
        work.calls.clear();
        rig_.reset();
        work.jobs.clear();
        work.calls.clear();
    }

    Journal::Progress progress() const { return rig_->station.journal()->progress(); }

    std::vector<DialogRig<>::Row> rows() const {
        std::vector<DialogRig<>::Row> all;
        for (std::uint32_t i = 0; i < rig().store.count(); ++i) all.push_back(rig().listRow(i));
        return all;
    }

    // Outlive the window, which hands its journal's last entry to the work as it ends: the
    // writer pauses on its clock then.
    ManualWork work;
    VirtualClock writerClock;

private:
    std::unique_ptr<DialogRig<>> rig_;
};

}  // namespace mensora::test
