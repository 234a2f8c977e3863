#include "dialog/station.h"

#include "base/control_ids.h"

namespace mensora {
namespace {

std::unique_ptr<Journal> openedJournal(const StationDoors& doors, const DialogPorts& ports,
                                       const StationWork& work, WorkQueue* queue) {
    if (!doors.journal) return nullptr;
    return std::make_unique<Journal>(ports.fileSystem, *queue, ports.windowThread, work.clock);
}

std::unique_ptr<PlantDoor> openedPlant(const StationDoors& doors, const DialogPorts& ports,
                                       WorkQueue* queue) {
    if (!doors.plantComputer) return nullptr;
    return std::make_unique<PlantDoor>(
        PlantDoorPorts{ports.settings, ports.timers, *queue, ports.windowThread},
        PlantSource{{}, *doors.plantComputer, 1});
}

}  // namespace

Station::Station(StationRecords& records, const DialogPorts& ports, const StationWork& work,
                 const StationDoors& doors)
    : journalQueue_(doors.journal ? work.makeQueue(Door::Journal) : nullptr),
      journal_(openedJournal(doors, ports, work, journalQueue_.get())),
      plantQueue_(doors.plantComputer ? work.makeQueue(Door::Plant) : nullptr),
      plant_(openedPlant(doors, ports, plantQueue_.get())),
      plantPanel_(plant_ ? std::make_unique<PlantPanel>(*plant_) : nullptr),
      workbookQueue_(work.makeQueue(Door::Workbook)),
      dialog_(ports, records, DialogDoors{*workbookQueue_, journal_.get(), plant_.get()}),
      tracePanel_(records.traces, ports.settings,
                  [this](const TraceValues& former) { dialog_.plan().traceConfirmed(former); }),
      plansQueue_(work.makeQueue(Door::Plans)),
      planShelf_(
          *plansQueue_, ports.windowThread,
          [&files = ports.fileSystem] { return PlanStore(files, files.localDataDirectory()); }),
      planPanel_(planShelf_, dialog_.plan(), records.state,
                 PlanPanelPorts{*plansQueue_, ports.windowThread, ports.fileSystem, ports.window}) {
    // Limits a characteristic's charts fixed are kept with its plan, as the Plan window keeps
    // what it saves.
    dialog_.plan().onEdited([this](const InspectionPlan& plan) { planShelf_.save(plan); });
    tracePanel_.restore();
}

Station::~Station() {
    dialog_.onCommand(kCancelSaveCommand);
    workbookQueue_.reset();
    plantQueue_.reset();
    plansQueue_.reset();
}

}  // namespace mensora
