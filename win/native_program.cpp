#include "win/native_program.h"

#include <commctrl.h>

#include "base/control_ids.h"
#include "base/settings_keys.h"
#include "base/wide_text.h"
#include "link/platform_port_names.h"
#include "measure/trace_fields.h"

namespace mensora {

namespace {

std::string computerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &length) ? utf8(std::wstring(name, length)) : std::string("bench");
}

}  // namespace

NativeProgram::NativeProgram()
    : window_(store_, listTexts_, timers_),
      portNames_(makePlatformPortNames(settings_)),
      dialog_(DialogPorts{timers_, settings_, window_, sound_, clock_, serial_, *portNames_,
                          fileSystem_, workbookQueue_, windowThread_, chartData_},
              state_, store_, listTexts_),
      plant_(PlantDoorPorts{settings_, timers_, plantWork_, windowThread_},
             PlantSource{{}, computerName(), 1}) {
    window_.setController(&dialog_);
    dialog_.reportRecordsTo(&chartData_);
    dialog_.stampRecordsIn(traces_);
    tracePanel_.restore();
    dialog_.keepJournal(journal_);
    window_.onOpenCharts([this](HWND owner) { charts_.open(owner); });
    window_.onOpenPlant([this](HWND owner) { plantWindow_.run(owner, dialog_.state().language()); });
    plant_.onStatus([this] {
        const std::optional<PlantStatus>& status = plant_.status();
        window_.showStatusLine(status ? plantStatusText(*status, dialog_.state().language()) : "");
    });
    dialog_.sendToPlant(&plant_);
    window_.onOpenTrace([this](HWND owner) {
        if (trace_.ask(owner, state_.language())) showTraceLine();
    });
}

void NativeProgram::showTraceLine() {
    window_.showTraceLine(traceLine(traces_.inForce(), state_.language()));
}

void NativeProgram::run(HINSTANCE instance) {
    // The platform's own look for the standard controls and the list view.
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                    ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    // The template carries the captions of the language the window will speak.
    const Language language = languageOf(getSetting(settings_, settings::kLanguage));
    window_.showTraceLine(traceLine(traces_.inForce(), language));
    window_.run(instance, language);
    // The program ends in a fixed order: the window has gone with its timers; the gauge's port
    // is let go, nothing reports to the dialog any more, and the sound falls silent.
    dialog_.onCommand(kCancelSaveCommand);
    serial_.close();
    window_.setController(nullptr);
    sound_.stop();
}

}  // namespace mensora
