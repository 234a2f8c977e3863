#pragma once
// The core of the program as one whole, for both front ends and the tests: the dialog, the
// doors records go out by (workbook, journal, plant database) and the saved plans, with the
// queues their work runs on, and the panels of the windows beside the main one, made and ended
// in the one order in which nothing can call into a part already gone. Each front end brings
// its ports, its window and the records the window reads; the tests bring fakes.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/clock.h"
#include "base/work_queue.h"
#include "dialog/main_dialog.h"
#include "dialog/plan_panel.h"
#include "dialog/plant_panel.h"
#include "dialog/station_records.h"
#include "dialog/trace_panel.h"
#include "journal/journal.h"
#include "plant/plant_door.h"

namespace mensora {

enum class Door { Workbook, Journal, Plant, Plans };

// Where the doors' work runs, away from the window's thread.
struct StationWork {
    // A queue for one door: a thread of its own in the programs, the test's hand in the tests.
    std::function<std::unique_ptr<WorkQueue>(Door)> makeQueue;
    // What the journal's writer pauses on while it gathers records.
    Clock& clock;
};

// The doors opened besides the workbook: the programs open both, a test only those it tries.
struct StationDoors {
    bool journal = false;
    // The plant database's door, its bench named after this computer unless a name is stored.
    std::optional<std::string> plantComputer;
};

class Station {
public:
    // The doors are joined and the journal is opened; the window's initialisation is the
    // dialog's, when the window is ready for it.
    Station(StationRecords& records, const DialogPorts& ports, const StationWork& work,
            const StationDoors& doors);
    // A save still running is cancelled and its thread ended before the records it reads go,
    // a plant round still running ends while the door and the window's thread exist, a plan
    // being saved is written whole, and the journal writes its normal end as its queue ends,
    // after the dialog has gone.
    ~Station();
    Station(const Station&) = delete;
    Station& operator=(const Station&) = delete;

    MainDialog& dialog() { return dialog_; }
    const MainDialog& dialog() const { return dialog_; }
    TracePanel& tracePanel() { return tracePanel_; }
    // Without a journal (a test that does not open one): nullptr.
    const Journal* journal() const { return journal_.get(); }
    // Without a plant door (a test that does not open one): nullptr.
    PlantDoor* plant() { return plant_.get(); }
    PlantPanel* plantPanel() { return plantPanel_.get(); }
    PlanPanel& planPanel() { return planPanel_; }

private:
    std::unique_ptr<WorkQueue> journalQueue_;
    std::unique_ptr<Journal> journal_;
    std::unique_ptr<WorkQueue> plantQueue_;
    std::unique_ptr<PlantDoor> plant_;
    std::unique_ptr<PlantPanel> plantPanel_;
    std::unique_ptr<WorkQueue> workbookQueue_;
    MainDialog dialog_;
    TracePanel tracePanel_;
    std::unique_ptr<WorkQueue> plansQueue_;
    PlanShelf planShelf_;
    PlanPanel planPanel_;
};

}  // namespace mensora
