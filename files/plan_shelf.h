#pragma once
// The saved inspection plans as the Plan window reads them: every one kept in memory, read
// from the plans folder once, away from the window's thread, when they are first asked for,
// and saved and removed there on the same worker, so that the window's thread never waits for
// the disk. A save or removal the disk refuses is taken back on the shelf and reported, so the
// shelf never shows a plan the disk does not hold for longer than the write takes.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/window_thread.h"
#include "base/work_queue.h"
#include "files/file_system.h"
#include "files/plan_store.h"

namespace mensora {

class PlanShelf {
public:
    // `open` makes the store, on the worker: finding the data folder is work for the disk.
    PlanShelf(WorkQueue& work, WindowThread& window, std::function<PlanStore()> open);
    PlanShelf(const PlanShelf&) = delete;
    PlanShelf& operator=(const PlanShelf&) = delete;

    // The parts of the saved plans, in the order of their names. The first look starts the
    // reading; until it is done the shelf holds only what was saved meanwhile.
    std::vector<std::string> parts();
    // The saved plan of `part`; none when there is none.
    std::optional<InspectionPlan> plan(const std::string& part);
    // On the shelf at once, on the disk when the worker comes to it; replaces the part's plan.
    void save(const InspectionPlan& plan);
    void remove(const std::string& part);

    // What the disk refused, for the user: the failure and the file.
    struct Refusal {
        FileFailure failure;
        std::string path;
        bool removal;  // else a save
    };
    // Told on the window's thread when the shelf changed by itself: the saved plans have been
    // read (no refusal), or a save or removal was refused and taken back.
    void onChange(std::function<void(const std::optional<Refusal>&)> changed) {
        changed_ = std::move(changed);
    }

private:
    void read();
    void changed(const std::optional<Refusal>& refusal) const {
        if (changed_) changed_(refusal);
    }
    // The part's plan changed on the shelf, written by `writing` on the worker; refused, the
    // shelf takes what the disk holds of it.
    void write(const std::string& part, bool removal,
               std::function<std::optional<FileFailure>(PlanStore&)> writing);

    WorkQueue& work_;
    WindowThread& window_;
    // On the worker alone: every job runs there, one after another.
    std::optional<PlanStore> store_;
    std::function<PlanStore()> open_;
    // On the window's thread alone.
    std::map<std::string, InspectionPlan> plans_;
    bool asked_ = false;  // the reading has been started
    bool read_ = false;   // and is done
    // Parts saved or removed before the reading was done: the disk's earlier plan of them,
    // read before the change was written, is not taken.
    std::set<std::string> changedMeanwhile_;
    std::map<std::string, unsigned> changes_;  // of each part, so far
    std::function<void(const std::optional<Refusal>&)> changed_;
};

}  // namespace mensora
