#pragma once
// The main window's controller. It owns the timers' arming and the subsystems, wires them to
// the state the program hands it, and routes every timer tick and button click to the
// operation that owns it.

#include <functional>
#include <optional>

#include "base/acquisition_state.h"
#include "base/alert_sound.h"
#include "base/clock.h"
#include "base/dialog_context.h"
#include "base/settings_store.h"
#include "base/timer_service.h"
#include "base/timers.h"
#include "base/window_port.h"
#include "base/window_thread.h"
#include "base/work_queue.h"
#include "dialog/alarm_board.h"
#include "dialog/characteristic_chart.h"
#include "dialog/control_watch.h"
#include "dialog/data_exchange.h"
#include "dialog/earlier_runs.h"
#include "dialog/journal_keeping.h"
#include "dialog/language_choice.h"
#include "dialog/parameters_panel.h"
#include "dialog/plan_steering.h"
#include "dialog/station_records.h"
#include "dialog/study_panel.h"
#include "files/file_system.h"
#include "files/record_files.h"
#include "journal/journal.h"
#include "link/port_names.h"
#include "link/serial_device.h"
#include "measure/auto_sampling.h"
#include "measure/record_traces.h"
#include "measure/recorder.h"
#include "protocol/gauge_link.h"
#include "protocol/poll_cycle.h"
#include "protocol/zero_command.h"
#include "workbook/workbook_export.h"

namespace mensora {

class PlantDoor;

// Everything outside the core that the dialog talks to.
struct DialogPorts {
    TimerService& timers;
    SettingsStore& settings;
    WindowPort& window;
    AlertSound& sound;
    Clock& clock;
    SerialDevice& serial;
    PortNames& portNames;
    FileSystem& fileSystem;
    // What the doors' work tells the window comes back on the window's thread.
    WindowThread& windowThread;
};

// The doors records go out by, each joined as the dialog is made: workbooks are written on
// their own queue; the journal and the plant database are there when the program opens them
// (a test opens only those it tries).
struct DialogDoors {
    WorkQueue& workbook;
    // Keeps every record, record file and Clear, with the part and lot each record was
    // stamped with, and offers back what a run of this window that did not end normally left
    // unsaved. It outlives the dialog.
    Journal* journal = nullptr;
    // Sends what the journal holds; its timer ticks reach it through the dialog.
    PlantDoor* plant = nullptr;
};

// How the user asked the window to close.
enum class CloseRequest { CloseBox, Escape, Enter };

class MainDialog {
public:
    // The records outlive the dialog: the window reads them, the tests set up the state.
    // Every record is stamped with the part and lot in force when it is taken; Clear empties
    // the stamps with the records. Journal entries and workbooks carry the stamps too.
    MainDialog(const DialogPorts& ports, StationRecords& records, const DialogDoors& doors);

    // The window's initialisation, in the order that fixes which state exists before the
    // first timer can tick.
    void initialise();

    void onTimer(int id);
    void onCommand(int controlId);
    void onSystemCommand(int command);
    // Whether the window may close now.
    bool onCloseRequested(CloseRequest how);

    const AcquisitionState& state() const { return state_; }
    // The inspection plan in force, if any, and the walk through it.
    PlanSteering& plan() { return plan_; }
    const PlanSteering& plan() const { return plan_; }
    // Told of each run rule that fires on a control chart as records are taken, whether or not
    // a charts window is open, after it has raised its alarm; records an earlier run took, put
    // back from the journal, were told in their own run and are not told again.
    void onRuleFired(std::function<void(const RuleEvent&)> fired) { ruleFired_ = std::move(fired); }
    // The alarms the run rules raised, and the line under the window while one stands.
    AlarmBoard& alarms() { return alarms_; }
    const AlarmBoard& alarms() const { return alarms_; }
    // What the quality charts show: every record, or with a plan in force the characteristic
    // due or the one a charts window pinned.
    ChartSource& chartSource() { return charts_; }
    // What the workbook's figures are drawn from: the characteristic due, whatever a charts
    // window pinned, as the parameters and statistics beside them are.
    const ChartData& workbookChart() { return charts_.due(); }
    // The gauge study, which takes the gauge's readings while its window is open and a study
    // runs.
    StudyPanel& study() { return study_; }
    // The line under the window's controls: the part and lot in force, or while a gauge study
    // takes the readings, that they go to it and not to the list.
    std::string traceBandLine() const;
    // The runs the journal keeps; without a journal (a test that opens none) nullptr.
    EarlierRuns* earlierRuns() { return earlierRuns_ ? &*earlierRuns_ : nullptr; }

private:
    // Between the recorder and whoever else follows the records, from the start on.
    void keepJournal(Journal& journal);
    void saveWorkbook(const std::string& path);
    // The gauge's data key, Manual and each Auto tick: a record, or a gauge study's reading
    // while one runs.
    void takeReading();
    void clearRecords();
    // The alert of a link, a confirmed panel or a record has sounded long enough.
    void stopAlertSound();

    AcquisitionState& state_;
    DialogPorts ports_;
    Timers timers_;
    DataExchange exchange_;
    DialogContext context_;
    Recorder recorder_;
    AutoSampling autoSampling_;
    ParametersPanel panel_;
    PlanSteering plan_;
    GaugeLink link_;
    PollCycle poll_;
    ZeroCommand zero_;
    RecordFiles files_;
    WorkbookExport workbook_;
    LanguageChoice language_;
    RecordStore& store_;
    RecordListTexts& listTexts_;
    RecordTraces& traces_;
    PlanStamps& planStamps_;
    ControlChoice control_;
    ControlWatch watch_;
    CharacteristicChart charts_;
    StudyPanel study_;
    AlarmBoard alarms_;
    std::function<void(const RuleEvent&)> ruleFired_;
    std::optional<JournalKeeping> journal_;
    std::optional<EarlierRuns> earlierRuns_;
    PlantDoor* plant_;
};

}  // namespace mensora
