#pragma once
// The Windows program as its parts: the record store reserved whole, the native ports, the
// window and the dialog wired together, as the Qt program wires its own.

#include <windows.h>

#include <memory>

#include "base/thread_work_queue.h"
#include "charts/chart_data.h"
#include "dialog/main_dialog.h"
#include "dialog/plant_panel.h"
#include "dialog/trace_panel.h"
#include "files/native_file_system.h"
#include "journal/journal.h"
#include "link/serial_port.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "measure/record_traces.h"
#include "plant/plant_door.h"
#include "win/local_clock.h"
#include "win/native_charts_window.h"
#include "win/native_main_window.h"
#include "win/native_plant_window.h"
#include "win/native_trace_window.h"
#include "win/posted_window_calls.h"
#include "win/registry_settings_store.h"
#include "win/wave_alert_sound.h"
#include "win/window_timers.h"

namespace mensora {

class NativeProgram {
public:
    NativeProgram();
    NativeProgram(const NativeProgram&) = delete;
    NativeProgram& operator=(const NativeProgram&) = delete;

    // Opens the window and returns when it has closed. Nothing is written at exit.
    void run(HINSTANCE instance);

private:
    // Reserved before the window exists, so that recording never allocates.
    RecordStore store_;
    RecordListTexts listTexts_{store_};
    // The part and lot each record was taken with.
    RecordTraces traces_;
    AcquisitionState state_;
    RegistrySettingsStore settings_;
    // Every record reaches it, whether or not the charts window is open.
    ChartData chartData_;
    WindowTimers timers_;
    NativeMainWindow window_;
    WaveAlertSound sound_;
    LocalClock clock_;
    SerialPort serial_;
    std::unique_ptr<PortNames> portNames_;
    NativeFileSystem fileSystem_;
    // The journal's writer reports through the window thread until its queue has ended, and
    // the journal's last entry (a normal end) is written as the queue ends: in this order.
    PostedWindowCalls windowThread_;
    ThreadWorkQueue journalWork_;
    Journal journal_{fileSystem_, journalWork_, windowThread_, clock_};
    MainDialog dialog_;
    NativeChartsWindow charts_{chartData_, state_, traces_, settings_};
    TracePanel tracePanel_{traces_, settings_};
    NativeTraceWindow trace_{tracePanel_};
    // Goes before the dialog and the parts a save reads: a save still running at the end is
    // cancelled, and its thread has ended before they go. The dialog only keeps a reference
    // to it while it is being made.
    ThreadWorkQueue workbookQueue_;
    PlantDoor plant_;
    PlantPanel plantPanel_{plant_};
    NativePlantWindow plantWindow_{plantPanel_};
    // Last, so that it goes first: a round still on it ends while the door and the window's
    // queue it reports to exist.
    ThreadWorkQueue plantWork_;

    void showTraceLine();
};

}  // namespace mensora
