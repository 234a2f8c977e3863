#include "win/native_plant_window.h"

#include <cstdint>
#include <vector>

#include "base/control_ids.h"
#include "base/wide_text.h"
#include "plant/plant_door.h"
#include "plant/plant_texts.h"
#include "win/dialog_owner.h"
#include "win/standard_boxes.h"
#include "win/template_writer.h"

namespace mensora {

namespace {

// The window in dialog units: a label and a field on each of two rows, Test under them on the
// left, OK and Cancel on the right.
constexpr int kWidthUnits = 376;
constexpr int kHeightUnits = 69;
constexpr int kFieldLeft = 108;
constexpr DialogRect kConnectionLabel{7, 9, 98, 9};
constexpr DialogRect kConnectionPlace{kFieldLeft, 7, kWidthUnits - 7 - kFieldLeft, 12};
constexpr DialogRect kBenchLabel{7, 27, 98, 9};
constexpr DialogRect kBenchPlace{kFieldLeft, 25, 126, 12};
constexpr DialogRect kTestPlace{7, 48, 50, 14};
constexpr DialogRect kOkPlace{kWidthUnits - 7 - 50 - 6 - 50, 48, 50, 14};
constexpr DialogRect kCancelPlace{kWidthUnits - 7 - 50, 48, 50, 14};

std::vector<std::uint16_t> plantTemplate(Language language) {
    TemplateWriter out;
    out.head(0, DS_MODALFRAME | DS_3DLOOK | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 7, kWidthUnits,
             kHeightUnits, pick(plant_texts::kWindowTitle, language));
    out.item(kConnectionLabel, kNoId, kStaticClass, SS_LEFT | SS_NOPREFIX, 0,
             pick(plant_texts::kConnection, language));
    out.item(kConnectionPlace, kPlantConnectionField, kEditClass, WS_TABSTOP | ES_AUTOHSCROLL,
             WS_EX_CLIENTEDGE, "");
    out.item(kBenchLabel, kNoId, kStaticClass, SS_LEFT | SS_NOPREFIX, 0,
             pick(plant_texts::kBench, language));
    out.item(kBenchPlace, kPlantBenchField, kEditClass, WS_TABSTOP | ES_AUTOHSCROLL,
             WS_EX_CLIENTEDGE, "");
    out.item(kTestPlace, kPlantTestButton, kButtonClass, WS_TABSTOP | BS_PUSHBUTTON, 0,
             pick(plant_texts::kTest, language));
    out.item(kOkPlace, IDOK, kButtonClass, WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
             pick(plant_texts::kOk, language));
    out.item(kCancelPlace, IDCANCEL, kButtonClass, WS_TABSTOP | BS_PUSHBUTTON, 0,
             pick(plant_texts::kCancel, language));
    return out.take();
}

}  // namespace

void NativePlantWindow::run(HWND owner, Language language) {
    language_ = language;
    const std::vector<std::uint16_t> layout = plantTemplate(language);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()),
                            owner, &NativePlantWindow::dialogProc, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
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
            self->door_.change(self->fieldText(kPlantConnectionField), self->fieldText(kPlantBenchField));
            EndDialog(window, IDOK);
            return TRUE;
        case IDCANCEL: EndDialog(window, IDCANCEL); return TRUE;
        case kPlantTestButton: self->test(); return TRUE;
        default: return FALSE;
    }
}

void NativePlantWindow::opened(HWND window) {
    window_ = window;
    ++opening_;
    SetDlgItemTextW(window, kPlantConnectionField, wide(door_.connection()).c_str());
    SetDlgItemTextW(window, kPlantBenchField, wide(door_.bench()).c_str());
    SendMessageW(window, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(window, kPlantConnectionField)), TRUE);
}

std::string NativePlantWindow::fieldText(int id) const {
    const HWND field = GetDlgItem(window_, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    const std::size_t first = text.find_first_not_of(L" \t");
    const std::size_t last = text.find_last_not_of(L" \t");
    return first == std::wstring::npos ? std::string() : utf8(text.substr(first, last - first + 1));
}

void NativePlantWindow::test() {
    const HWND button = GetDlgItem(window_, kPlantTestButton);
    EnableWindow(button, FALSE);
    SetWindowTextW(button, wide(pick(plant_texts::kTesting, language_)).c_str());
    door_.test(fieldText(kPlantConnectionField),
               [this, opening = opening_](bool connected, const std::string& said) {
                   if (window_ == nullptr || opening != opening_) return;  // closed while the server was asked
                   const HWND shown = GetDlgItem(window_, kPlantTestButton);
                   SetWindowTextW(shown, wide(pick(plant_texts::kTest, language_)).c_str());
                   EnableWindow(shown, TRUE);
                   const Bilingual& lead = connected ? plant_texts::kConnected : plant_texts::kNotConnected;
                   showMessageBox(window_, pick(lead, language_) + said,
                                  connected ? MessageIcon::Exclamation : MessageIcon::Stop);
               });
}

}  // namespace mensora
