#include "win/native_program.h"

#include <commctrl.h>

#include "base/control_ids.h"
#include "base/settings_keys.h"
#include "base/thread_work_queue.h"
#include "base/wide_text.h"
#include "link/platform_port_names.h"
#include "measure/trace_fields.h"

namespace mensora {

namespace {

std::string computerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &length) ? utf8(std::wstring(name, length))
                                           : std::string("bench");
}

}  // namespace

NativeProgram::NativeProgram()
    : window_(records_.store, records_.listTexts, records_.traces, timers_),
      portNames_(makePlatformPortNames(settings_)),
      station_(records_,
               DialogPorts{timers_, settings_, window_, sound_, clock_, serial_, *portNames_,
                           fileSystem_, windowThread_},
               StationWork{[](Door) { return std::make_unique<ThreadWorkQueue>(); }, clock_},
               StationDoors{true, computerName()}) {
    MainDialog& dialog = station_.dialog();
    window_.setController(&dialog);
    window_.onOpen(FurtherWindow::Charts, [this](HWND owner) { charts_.open(owner); });
    window_.onOpen(FurtherWindow::Plant,
                   [this](HWND owner) { plantWindow_.run(owner, records_.state.language()); });
    PlantDoor& plant = *station_.plant();
    plant.onStatus([this, &plant] {
        const std::optional<PlantStatus>& status = plant.status();
        window_.showStatusLine(status ? plantStatusText(*status, records_.state.language()) : "");
    });
    window_.onOpen(FurtherWindow::Trace, [this](HWND owner) {
        if (trace_.ask(owner, records_.state.language())) showTraceLine();
    });
    window_.onOpen(FurtherWindow::Plan,
                   [this](HWND owner) { planWindow_.run(owner, records_.state.language()); });
    window_.onOpen(FurtherWindow::Runs,
                   [this](HWND owner) { runsWindow_.run(owner, records_.state.language()); });
    window_.onOpen(FurtherWindow::Study,
                   [this](HWND owner) { studyWindow_.open(owner, records_.state.language()); });
    dialog.study().onBandChange([this] { showTraceLine(); });
    dialog.alarms().onLineChange([this, &dialog] {
        window_.showAlarmLine(dialog.alarms().line(records_.state.language()));
    });
    window_.onAlarmAcknowledge(
        [this](HWND owner) { alarmWindow_.ask(owner, records_.state.language()); });
    // The walk of the plan in force sets the characteristic and the gauge of the part and lot
    // in force: both lines follow it.
    dialog.plan().onChange([this, &dialog] {
        window_.showPlanLine(dialog.plan().line());
        showTraceLine();
    });
}

void NativeProgram::showTraceLine() { window_.showTraceLine(station_.dialog().traceBandLine()); }

void NativeProgram::run(HINSTANCE instance) {
    // The platform's own look for the standard controls and the list view.
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES |
                                                                         ICC_LISTVIEW_CLASSES |
                                                                         ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    // The template carries the captions of the language the window will speak.
    const Language language = languageOf(getSetting(settings_, settings::kLanguage));
    window_.showTraceLine(traceLine(records_.traces.inForce(), language));
    window_.run(instance, language);
    // The program ends in a fixed order: the window has gone with its timers; the gauge's port
    // is let go, nothing reports to the dialog any more, and the sound falls silent. The
    // station then ends its doors as it goes.
    serial_.close();
    window_.setController(nullptr);
    sound_.stop();
}

}  // namespace mensora
