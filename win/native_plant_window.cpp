#include "win/window_text.h"
#include "win/native_plant_window.h"

#include <cstdint>
#include <vector>

#include "base/control_ids.h"
#include "base/wide_text.h"
#include "dialog/plant_form.h"
#include "dialog/plant_panel.h"
#include "plant/plant_texts.h"
#include "win/dialog_owner.h"
#include "win/standard_boxes.h"
#include "win/template_writer.h"

namespace mensora {

namespace {

std::vector<std::uint16_t> plantTemplate(Language language) {
    using namespace plant_form;
    TemplateWriter out;
    out.head(0, DS_MODALFRAME | DS_3DLOOK | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
             kWidthUnits, kHeightUnits, pick(plant_texts::kWindowTitle, language));
    out.item(kConnectionLabel, kNoId, kStaticClass, SS_LEFT | SS_NOPREFIX, 0,
             pick(plant_texts::kConnection, language));
    out.item(kConnectionField, kPlantConnectionField, kEditClass, WS_TABSTOP | ES_AUTOHSCROLL,
             WS_EX_CLIENTEDGE, "");
    out.item(kBenchLabel, kNoId, kStaticClass, SS_LEFT | SS_NOPREFIX, 0,
             pick(plant_texts::kBench, language));
    out.item(kBenchField, kPlantBenchField, kEditClass, WS_TABSTOP | ES_AUTOHSCROLL,
             WS_EX_CLIENTEDGE, "");
    out.item(kTestButton, kPlantTestButton, kButtonClass, WS_TABSTOP | BS_PUSHBUTTON, 0,
             pick(plant_texts::kTest, language));
    out.item(kOkButton, IDOK, kButtonClass, WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
             pick(plant_texts::kOk, language));
    out.item(kCancelButton, IDCANCEL, kButtonClass, WS_TABSTOP | BS_PUSHBUTTON, 0,
             pick(plant_texts::kCancel, language));
    return out.take();
}

}  // namespace

void NativePlantWindow::run(HWND owner, Language language) {
    language_ = language;
    const std::vector<std::uint16_t> layout = plantTemplate(language);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                            reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()), owner,
                            &NativePlantWindow::dialogProc, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    panel_.closed();
}

INT_PTR CALLBACK NativePlantWindow::dialogProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    auto* self = dialogOwner<NativePlantWindow>(window, message, lParam);
    if (message == WM_INITDIALOG) {
        self->opened(window);
        return FALSE;  // the focus is set
    }
    if (self == nullptr || message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
    // Escape arrives as Cancel, Enter as OK.
    switch (LOWORD(wParam)) {
        case IDOK:
            self->panel_.confirm(
                {self->fieldText(kPlantConnectionField), self->fieldText(kPlantBenchField)});
            EndDialog(window, IDOK);
            return TRUE;
        case IDCANCEL: EndDialog(window, IDCANCEL); return TRUE;
        case kPlantTestButton: self->test(); return TRUE;
        default: return FALSE;
    }
}

void NativePlantWindow::opened(HWND window) {
    window_ = window;
    const PlantPanel::Fields shown = panel_.opened();
    SetDlgItemTextW(window, kPlantConnectionField, wide(shown.connection).c_str());
    SetDlgItemTextW(window, kPlantBenchField, wide(shown.bench).c_str());
    SendMessageW(window, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(window, kPlantConnectionField)), TRUE);
}

std::string NativePlantWindow::fieldText(int id) const {
    return utf8(windowText(GetDlgItem(window_, id)));
}

void NativePlantWindow::test() {
    panel_.test(
        fieldText(kPlantConnectionField), language_,
        [this](const PlantPanel::TestButton& button) {
            const HWND shown = GetDlgItem(window_, kPlantTestButton);
            SetWindowTextW(shown, wide(button.caption).c_str());
            EnableWindow(shown, button.enabled ? TRUE : FALSE);
        },
        [this](const PlantPanel::Answer& answer) {
            showMessageBox(window_, answer.text, answer.icon);
        });
}

}  // namespace mensora
