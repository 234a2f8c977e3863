#pragma once
// The Windows program as its parts: the record store reserved whole, the native ports, the
// window and the dialog wired together, as the Qt program wires its own.

#include <windows.h>

#include <memory>

#include "dialog/station.h"
#include "dialog/station_records.h"
#include "files/native_file_system.h"
#include "link/serial_port.h"
#include "win/local_clock.h"
#include "win/native_charts_window.h"
#include "win/native_main_window.h"
#include "win/native_plan_window.h"
#include "win/native_runs_window.h"
#include "win/native_alarm_window.h"
#include "win/native_study_window.h"
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
    StationRecords records_;
    RegistrySettingsStore settings_;
    WindowTimers timers_;
    NativeMainWindow window_;
    WaveAlertSound sound_;
    LocalClock clock_;
    SerialPort serial_;
    std::unique_ptr<PortNames> portNames_;
    NativeFileSystem fileSystem_;
    PostedWindowCalls windowThread_;
    Station station_;
    NativeChartsWindow charts_{station_.dialog().chartSource(), records_.state, settings_};
    NativeTraceWindow trace_{station_.tracePanel()};
    NativePlantWindow plantWindow_{*station_.plantPanel()};
    NativePlanWindow planWindow_{station_.planPanel()};
    NativeRunsWindow runsWindow_{*station_.dialog().earlierRuns()};
    NativeStudyWindow studyWindow_{station_.dialog().study()};
    NativeAlarmWindow alarmWindow_{station_.dialog().alarms()};

    void showTraceLine();
};

}  // namespace mensora
