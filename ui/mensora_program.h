#pragma once
// The program as its parts: the record store reserved whole, the real ports, the window and
// the dialog wired together. The application runs it; the end-to-end tests drive it.

#include <QPointer>
#include <memory>

#include "dialog/station.h"
#include "dialog/station_records.h"
#include "files/native_file_system.h"
#include "link/serial_port.h"
#include "ui/charts_window.h"
#include "ui/main_window.h"
#include "ui/qt_alert_sound.h"
#include "ui/qt_settings_store.h"
#include "ui/qt_timer_service.h"
#include "ui/qt_window_thread.h"
#include "ui/standard_dialog_texts.h"
#include "ui/study_window.h"
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
    MainDialog& dialog() { return station_.dialog(); }
    const MainDialog& dialog() const { return station_.dialog(); }
    const RecordStore& store() const { return records_.store; }
    // The part and lot each record was taken with.
    const RecordTraces& traces() const { return records_.traces; }
    SettingsStore& settings() { return settings_; }
    const ChartData& chartData() const { return records_.chartData; }
    // The quality charts window, made at its first opening; nullptr before.
    ChartsWindow* chartsWindow() const { return chartsWindow_; }
    PlantDoor& plant() { return *station_.plant(); }

private:
    StationRecords records_;
    QtSettingsStore settings_;
    MainWindow window_;
    bool running_ = false;  // ticks reach the dialog only while it exists
    QtTimerService timers_;
    QtAlertSound sound_;
    SystemClock clock_;
    SerialPort serial_;
    std::unique_ptr<PortNames> portNames_;
    NativeFileSystem fileSystem_;
    QtWindowThread windowThread_;
    Station station_;
    std::unique_ptr<QTranslator> dialogTexts_;
    ChartsWindow* chartsWindow_ = nullptr;  // owned by the main window, as its child
    // The Gauge study window while it is open; it deletes itself as it closes.
    QPointer<StudyWindow> studyWindow_;

    void openCharts();
    void openPlan();
    void openPlant();
    void openRuns();
    void openStudy();
    void acknowledgeAlarm();
    void openTrace();
    void showTraceLine();
    void showAlarmLine();
};

}  // namespace mensora
