#pragma once
// The program as its parts: the record store reserved whole, the real ports, the window and
// the dialog wired together. The application runs it; the end-to-end tests drive it.

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
#include "ui/charts_window.h"
#include "ui/main_window.h"
#include "ui/qt_alert_sound.h"
#include "ui/qt_settings_store.h"
#include "ui/qt_timer_service.h"
#include "ui/qt_window_thread.h"
#include "ui/standard_dialog_texts.h"
#include "ui/system_clock.h"

namespace mensora {

class MensoraProgram {
public:
    // Needs a QApplication. The window is initialised and ready to be shown.
    MensoraProgram();
    // Stops every timer and closes the port before the window and the sound go.
    ~MensoraProgram();
    MensoraProgram(const MensoraProgram&) = delete;
    MensoraProgram& operator=(const MensoraProgram&) = delete;

    MainWindow& window() { return window_; }
    MainDialog& dialog() { return dialog_; }
    const MainDialog& dialog() const { return dialog_; }
    const RecordStore& store() const { return store_; }
    // The part and lot each record was taken with.
    const RecordTraces& traces() const { return traces_; }
    SettingsStore& settings() { return settings_; }
    const ChartData& chartData() const { return chartData_; }
    // The quality charts window, made at its first opening; nullptr before.
    ChartsWindow* chartsWindow() const { return chartsWindow_; }
    PlantDoor& plant() { return plant_; }

private:
    // Reserved before the window exists, so that recording never allocates and the capacity
    // can never be missed for want of memory.
    RecordStore store_;
    RecordListTexts listTexts_{store_};
    RecordTraces traces_;
    ChartData chartData_;
    AcquisitionState state_;
    QtSettingsStore settings_;
    MainWindow window_;
    bool running_ = false;  // ticks reach the dialog only while it exists
    QtTimerService timers_;
    QtAlertSound sound_;
    SystemClock clock_;
    SerialPort serial_;
    std::unique_ptr<PortNames> portNames_;
    NativeFileSystem fileSystem_;
    // The journal's writer reports through the window thread until its queue has ended, and
    // the journal's last entry (a normal end) is written as the queue ends: in this order.
    QtWindowThread windowThread_;
    ThreadWorkQueue journalWork_;
    Journal journal_{fileSystem_, journalWork_, windowThread_, clock_};
    MainDialog dialog_;
    TracePanel tracePanel_{traces_, settings_};
    // Goes before the dialog and the parts a save reads: a save still running at the end is
    // cancelled, and its thread has ended before they go. The dialog only keeps a reference
    // to it while it is being made.
    ThreadWorkQueue workbookQueue_;
    std::unique_ptr<QTranslator> dialogTexts_;
    ChartsWindow* chartsWindow_ = nullptr;  // owned by the main window, as its child
    PlantDoor plant_;
    PlantPanel plantPanel_{plant_};
    // Last, so that it goes first: a round still on it ends while the door and the window's
    // queue it reports to exist.
    ThreadWorkQueue plantWork_;

    void openCharts();
    void openPlant();
    void openTrace();
    void showTraceLine();
};

}  // namespace mensora
