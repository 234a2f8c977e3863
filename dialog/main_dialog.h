#pragma once
// The main window's controller. It owns the timers' arming and the subsystems, wires them to
// the state the program hands it, and routes every timer tick and button click to the
// operation that owns it.

#include "base/acquisition_state.h"
#include "base/alert_sound.h"
#include "base/clock.h"
#include "base/dialog_context.h"
#include "base/settings_store.h"
#include "base/timer_service.h"
#include "base/timers.h"
#include "base/window_port.h"
#include <optional>

#include "dialog/data_exchange.h"
#include "dialog/journal_keeping.h"
#include "dialog/language_choice.h"
#include "dialog/parameters_panel.h"
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

namespace mensora {

class RecordStore;
class RecordListTexts;

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
};

// How the user asked the window to close.
enum class CloseRequest { CloseBox, Escape, Enter };

class MainDialog {
public:
    // The state, the store and the list texts belong to the program, which outlives the
    // dialog: the window reads the store, the tests set up the state.
    MainDialog(const DialogPorts& ports, AcquisitionState& state, RecordStore& store,
               RecordListTexts& listTexts);

    // The window's initialisation, in the order that fixes which state exists before the
    // first timer can tick.
    void initialise();

    void onTimer(int id);
    void onCommand(int controlId);
    void onSystemCommand(int command);
    // Whether the window may close now.
    bool onCloseRequested(CloseRequest how);

    const AcquisitionState& state() const { return state_; }
    // Where each record and each Clear is reported besides the store, the list and the
    // journal.
    void reportRecordsTo(RecordObserver* observer);
    // Every record is stamped with the part and lot in force when it is taken; Clear empties
    // the stamps with the records.
    void stampRecordsIn(RecordTraces& traces) {
        traces_ = &traces;
        recorder_.stampWith([&traces](std::uint32_t index) { traces.stamp(index); },
                            [&traces] { traces.cleared(); });
    }
    // Keeps every record, record file and Clear in `journal` from now on, with the part and
    // lot each record was stamped with, and offers back what a run of this window that did
    // not end normally left unsaved. Once, after stampRecordsIn and before the window's
    // events run; the journal outlives the dialog.
    void keepJournal(Journal& journal);

private:
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
    GaugeLink link_;
    PollCycle poll_;
    ZeroCommand zero_;
    RecordFiles files_;
    LanguageChoice language_;
    RecordStore& store_;
    RecordListTexts& listTexts_;
    RecordObserver* recordsReportedTo_ = nullptr;
    RecordTraces* traces_ = nullptr;
    std::optional<JournalKeeping> journal_;
};

}  // namespace mensora
