#include "win/window_text.h"
#include "win/native_plan_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <variant>

#include "base/control_ids.h"
#include "base/wide_text.h"
#include "dialog/plan_form.h"
#include "dialog/plan_panel.h"
#include "dialog/plan_texts.h"
#include "win/dialog_owner.h"
#include "win/standard_boxes.h"
#include "win/template_writer.h"

namespace mensora {
namespace {

// Asked of the window by the cell's field, once the key or the focus that ends it has been
// handled: WPARAM whether the text is kept (or, for the next cell, which way), LPARAM the field.
constexpr UINT kEndEdit = WM_APP + 1;
constexpr UINT kEditNext = WM_APP + 2;
// Asked by a click on a cell once the list has finished with the click: WPARAM the row, LPARAM
// the column.
constexpr UINT kBeginEdit = WM_APP + 3;

constexpr int kColumns = static_cast<int>(std::tuple_size_v<CharacteristicTexts>);
// The column that takes the room the headers leave.
constexpr int kNameColumn = 1;

std::vector<std::uint16_t> planTemplate(Language language) {
    using namespace plan_form;
    namespace texts = plan_texts;
    TemplateWriter out;
    out.head(0, DS_MODALFRAME | DS_3DLOOK | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
             kWidthUnits, kHeightUnits, pick(texts::kWindowTitle, language));
    const auto label = [&](const DialogRect& place, const Bilingual& caption) {
        out.item(place, kNoId, kStaticClass, SS_LEFT | SS_NOPREFIX, 0, pick(caption, language));
    };
    const auto button = [&](const DialogRect& place, int id, const Bilingual& caption,
                            std::uint32_t kind = BS_PUSHBUTTON) {
        out.item(place, id, kButtonClass, WS_TABSTOP | kind, 0, pick(caption, language));
    };
    const auto field = [&](const DialogRect& place, int id) {
        out.item(place, id, kEditClass, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, "");
    };
    label(kChoiceLabel, texts::kPlanLabel);
    out.item(kChoice, kPlanChoice, kComboBoxClass, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
             "");
    button(kImportButton, kPlanImportButton, texts::kImport);
    button(kExportButton, kPlanExportButton, texts::kExport);
    label(kPartLabel, texts::kPartLabel);
    field(kPartField, kPlanPartField);
    label(kPartNameLabel, texts::kPartNameLabel);
    field(kPartNameField, kPlanPartNameField);
    // The cells are drawn from the window's rows; the field that edits one is the list's child.
    out.itemPlace(WS_EX_CLIENTEDGE,
                  WS_TABSTOP | WS_CLIPCHILDREN | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                      LVS_OWNERDATA,
                  kTable, kPlanTable);
    out.text(WC_LISTVIEWW);
    out.itemCaption("");
    button(kAddButton, kPlanAddButton, texts::kAdd);
    button(kRemoveButton, kPlanRemoveButton, texts::kRemove);
    button(kUpButton, kPlanUpButton, texts::kUp);
    button(kDownButton, kPlanDownButton, texts::kDown);
    button(kSaveButton, kPlanSaveButton, texts::kSave);
    button(kDeleteButton, kPlanDeleteButton, texts::kDelete);
    button(kOkButton, kPlanOkButton, texts::kOk, BS_DEFPUSHBUTTON);
    button(kCancelButton, kPlanCancelButton, texts::kCancel);
    return out.take();
}

}  // namespace

void NativePlanWindow::run(HWND owner, Language language) {
    language_ = language;
    const std::vector<std::uint16_t> layout = planTemplate(language);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                            reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()), owner,
                            &NativePlanWindow::dialogProc, reinterpret_cast<LPARAM>(this));
    panel_.attach(nullptr, language_);
    window_ = nullptr;
    editor_ = nullptr;
}

INT_PTR CALLBACK NativePlanWindow::dialogProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = dialogOwner<NativePlanWindow>(window, message, lParam);
    if (message == WM_INITDIALOG) {
        self->opened(window);
        return FALSE;  // the focus is set
    }
    if (self == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND: return self->command(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_NOTIFY:
            return self->notified(*reinterpret_cast<const NMHDR*>(lParam), lParam) ? TRUE : FALSE;
        case kEndEdit:
            if (reinterpret_cast<HWND>(lParam) == self->editor_) self->endEdit(wParam != 0);
            return TRUE;
        case kEditNext: {
            if (reinterpret_cast<HWND>(lParam) != self->editor_) return TRUE;
            // Tab goes on to the next cell of the row, Shift+Tab back; past either end of the
            // row to the next or the former row.
            const int at = self->editRow_ * kColumns + self->editColumn_ + (wParam != 0 ? 1 : -1);
            self->endEdit(true);
            const int cells = static_cast<int>(self->rows_.size()) * kColumns;
            if (at >= 0 && at < cells) self->beginEdit(at / kColumns, at % kColumns);
            return TRUE;
        }
        case kBeginEdit:
            self->beginEdit(static_cast<int>(wParam), static_cast<int>(lParam));
            return TRUE;
        default: return FALSE;
    }
}

void NativePlanWindow::opened(HWND window) {
    window_ = window;
    SendMessageW(window, DM_SETDEFID, kPlanOkButton, 0);
    ListView_SetExtendedListViewStyleEx(control(kPlanTable),
                                        LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
                                        LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    setUpColumns();
    const PlanPanel::Choices choices = panel_.choices();
    fillChoices(choices.inForce == 0 ? std::nullopt
                                     : std::optional(choices.parts[choices.inForce - 1]));
    choose();
    SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(kPlanChoice)), TRUE);
    panel_.attach(this, language_);
}

void NativePlanWindow::plansRead() {
    const bool edited = shown() != saved_;
    fillChoices(panel_.choiceOnceRead(chosenPart(), edited));
    if (!edited) choose();
}

void NativePlanWindow::imported(const std::string& part) {
    fillChoices(part);
    choose();
}

// A save or deletion the disk refused was taken back: the list follows, and what the table
// holds stays, to be saved again.
void NativePlanWindow::tell(const std::string& text, bool writeRefused) {
    if (writeRefused) {
        fillChoices(chosenPart());
        saved_ = Shown{};
    }
    say(text);
}

// The headers whole, and the characteristic's name as wide as the room left lets it be.
void NativePlanWindow::setUpColumns() {
    const HWND table = control(kPlanTable);
    const HDC dc = GetDC(table);
    const HGDIOBJ former =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(table, WM_GETFONT, 0, 0)));
    // The header draws its text between margins of three edges on either side.
    const int margins = 6 * GetSystemMetrics(SM_CXEDGE);
    int widths[kColumns] = {};
    std::wstring headers[kColumns];
    int total = 0;
    for (int i = 0; i < kColumns; ++i) {
        headers[i] = wide(pick(tableColumnHeader(static_cast<std::size_t>(i)), language_));
        SIZE text{};
        GetTextExtentPoint32W(dc, headers[i].c_str(), static_cast<int>(headers[i].size()), &text);
        widths[i] = text.cx + margins;
        total += widths[i];
    }
    SelectObject(dc, former);
    ReleaseDC(table, dc);
    RECT client{};
    GetClientRect(table, &client);
    const int room = client.right - GetSystemMetrics(SM_CXVSCROLL) - total;
    if (room > 0) widths[kNameColumn] += room;
    for (int i = 0; i < kColumns; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = widths[i];
        column.pszText = headers[i].data();
        column.iSubItem = i;
        ListView_InsertColumn(table, i, &column);
    }
}

bool NativePlanWindow::command(int id, int notification) {
    if (id == kPlanChoice) {
        if (notification == CBN_SELCHANGE) choose();
        return true;
    }
    if (notification != BN_CLICKED) return false;
    // Enter in the table opens the selected cell's field instead of closing the window.
    if ((id == IDOK || id == kPlanOkButton) && GetFocus() == control(kPlanTable)) {
        beginEdit(std::max(selectedRow(), 0), editColumn_);
        return true;
    }
    endEdit(true);
    switch (id) {
        case IDOK:
        case kPlanOkButton: confirm(); return true;
        case IDCANCEL:
        case kPlanCancelButton: EndDialog(window_, IDCANCEL); return true;
        case kPlanImportButton: importCsv(); return true;
        case kPlanExportButton: exportCsv(); return true;
        case kPlanAddButton: addRow(); return true;
        case kPlanRemoveButton: removeRow(); return true;
        case kPlanUpButton: moveRow(-1); return true;
        case kPlanDownButton: moveRow(1); return true;
        case kPlanSaveButton: save(); return true;
        case kPlanDeleteButton: removePlan(); return true;
        default: return false;
    }
}

bool NativePlanWindow::notified(const NMHDR& header, LPARAM lParam) {
    if (header.idFrom != static_cast<UINT_PTR>(kPlanTable)) return false;
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
            const bool inside = item.iItem >= 0 && item.iItem < static_cast<int>(rows_.size()) &&
                                item.iSubItem >= 0 && item.iSubItem < kColumns;
            if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || !inside) return true;
            const std::wstring cell = wide(rows_[static_cast<std::size_t>(item.iItem)]
                                                [static_cast<std::size_t>(item.iSubItem)]);
            lstrcpynW(item.pszText, cell.c_str(), item.cchTextMax);
            return true;
        }
        case NM_CLICK: {
            LVHITTESTINFO hit{};
            hit.pt = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->ptAction;
            if (ListView_SubItemHitTest(control(kPlanTable), &hit) >= 0 && hit.iItem >= 0) {
                PostMessageW(window_, kBeginEdit, static_cast<WPARAM>(hit.iItem),
                             static_cast<LPARAM>(hit.iSubItem));
            }
            return true;
        }
        case LVN_KEYDOWN:
            if (reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_F2) {
                beginEdit(std::max(selectedRow(), 0), editColumn_);
            }
            return true;
        case LVN_BEGINSCROLL: endEdit(true); return true;
        default: return false;
    }
}

// The saved plans after "No plan", `chosen` the one selected (none: "No plan").
void NativePlanWindow::fillChoices(const std::optional<std::string>& chosen) {
    parts_ = panel_.choices().parts;
    const HWND choice = control(kPlanChoice);
    SendMessageW(choice, CB_RESETCONTENT, 0, 0);
    const std::wstring none = wide(pick(plan_texts::kNoPlan, language_));
    SendMessageW(choice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(none.c_str()));
    for (const std::string& part : parts_) {
        SendMessageW(choice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(part).c_str()));
    }
    const auto found = chosen ? std::find(parts_.begin(), parts_.end(), *chosen) : parts_.end();
    const std::size_t index =
        found == parts_.end() ? 0 : 1 + static_cast<std::size_t>(found - parts_.begin());
    SendMessageW(choice, CB_SETCURSEL, index, 0);
    EnableWindow(control(kPlanDeleteButton), index != 0 ? TRUE : FALSE);
}

std::optional<std::string> NativePlanWindow::chosenPart() const {
    const LRESULT index = SendMessageW(control(kPlanChoice), CB_GETCURSEL, 0, 0);
    if (index <= 0 || static_cast<std::size_t>(index) > parts_.size()) return std::nullopt;
    return parts_[static_cast<std::size_t>(index - 1)];
}

NativePlanWindow::Shown NativePlanWindow::shownOf(const InspectionPlan& plan) {
    Shown shown{plan.part, plan.partName, {}};
    for (const Characteristic& c : plan.characteristics) shown.rows.push_back(textsOf(c));
    return shown;
}

// The chosen plan in the fields and the table; "No plan" empties them.
void NativePlanWindow::choose() {
    const std::optional<std::string> part = chosenPart();
    EnableWindow(control(kPlanDeleteButton), part ? TRUE : FALSE);
    Shown chosen;
    if (part) {
        const std::optional<InspectionPlan> plan = panel_.planOf(*part);
        if (plan) {
            chosen = shownOf(*plan);
        } else {
            say(pick(plan_texts::kNotReadable, language_));
        }
    }
    show(chosen);
    saved_ = chosen;
}

void NativePlanWindow::show(const Shown& shown) {
    SetDlgItemTextW(window_, kPlanPartField, wide(shown.part).c_str());
    SetDlgItemTextW(window_, kPlanPartNameField, wide(shown.partName).c_str());
    rows_ = shown.rows;
    showRows();
}

NativePlanWindow::Shown NativePlanWindow::shown() const {
    return {fieldText(kPlanPartField), fieldText(kPlanPartNameField), rows_};
}

void NativePlanWindow::showRows() {
    const HWND table = control(kPlanTable);
    ListView_SetItemCountEx(table, static_cast<int>(rows_.size()), 0);
    InvalidateRect(table, nullptr, TRUE);
}

void NativePlanWindow::selectRow(int row) {
    const HWND table = control(kPlanTable);
    ListView_SetItemState(table, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    ListView_SetItemState(table, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(table, row, FALSE);
}

int NativePlanWindow::selectedRow() const {
    return ListView_GetNextItem(control(kPlanTable), -1, LVNI_SELECTED);
}

LRESULT CALLBACK NativePlanWindow::editorProc(HWND editor, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR owner) {
    auto* self = reinterpret_cast<NativePlanWindow*>(owner);
    const auto ask = [&](UINT what, WPARAM how) {
        PostMessageW(self->window_, what, how, reinterpret_cast<LPARAM>(editor));
    };
    switch (message) {
        // Enter, Escape and Tab end the cell, not the window.
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DefSubclassProc(editor, message, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
                ask(kEndEdit, wParam == VK_RETURN ? 1 : 0);
                return 0;
            }
            if (wParam == VK_TAB) {
                ask(kEditNext, GetKeyState(VK_SHIFT) < 0 ? 0 : 1);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r' || wParam == L'\t' || wParam == 0x1B) return 0;
            break;
        // Clicked away: what was typed is kept.
        case WM_KILLFOCUS: ask(kEndEdit, 1); break;
        default: break;
    }
    return DefSubclassProc(editor, message, wParam, lParam);
}

void NativePlanWindow::beginEdit(int row, int column) {
    endEdit(true);
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column >= kColumns) {
        return;
    }
    const HWND table = control(kPlanTable);
    selectRow(row);
    RECT cell{};
    ListView_GetSubItemRect(table, row, column, column == 0 ? LVIR_LABEL : LVIR_BOUNDS, &cell);
    editRow_ = row;
    editColumn_ = column;
    const std::wstring text =
        wide(rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
    editor_ = CreateWindowExW(0, L"EDIT", text.c_str(),
                              WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, cell.left,
                              cell.top, cell.right - cell.left, cell.bottom - cell.top, table,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(editor_, WM_SETFONT, SendMessageW(table, WM_GETFONT, 0, 0), FALSE);
    SetWindowSubclass(editor_, &NativePlanWindow::editorProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SetFocus(editor_);
    SendMessageW(editor_, EM_SETSEL, 0, -1);
}

void NativePlanWindow::endEdit(bool keep) {
    if (editor_ == nullptr) return;
    const HWND editor = editor_;
    editor_ = nullptr;
    if (keep) {
        rows_[static_cast<std::size_t>(editRow_)][static_cast<std::size_t>(editColumn_)] =
            utf8(windowText(editor));
    }
    RemoveWindowSubclass(editor, &NativePlanWindow::editorProc, 1);
    const HWND table = control(kPlanTable);
    if (GetFocus() == editor) SetFocus(table);
    DestroyWindow(editor);
    ListView_RedrawItems(table, editRow_, editRow_);
}

// A new row as a new characteristic stands, its first cell open.
void NativePlanWindow::addRow() {
    rows_.push_back(textsOf(Characteristic{}));
    showRows();
    beginEdit(static_cast<int>(rows_.size()) - 1, 0);
}

void NativePlanWindow::removeRow() {
    const int row = selectedRow();
    if (row < 0) return;
    rows_.erase(rows_.begin() + row);
    showRows();
    selectRow(std::min(row, static_cast<int>(rows_.size()) - 1));
}

void NativePlanWindow::moveRow(int by) {
    const int row = selectedRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= static_cast<int>(rows_.size())) return;
    std::swap(rows_[static_cast<std::size_t>(row)], rows_[static_cast<std::size_t>(to)]);
    showRows();
    selectRow(to);
}

// What the table holds, read by the plan's rules; none after telling why not.
std::optional<InspectionPlan> NativePlanWindow::tablePlan() {
    auto read =
        panel_.planFrom(fieldText(kPlanPartField), fieldText(kPlanPartNameField), rows_, language_);
    if (const auto* fault = std::get_if<std::string>(&read)) {
        say(*fault);
        return std::nullopt;
    }
    return std::get<InspectionPlan>(std::move(read));
}

void NativePlanWindow::save() {
    const std::optional<InspectionPlan> plan = tablePlan();
    if (!plan) return;
    if (const std::optional<std::string> failure = panel_.save(*plan, language_)) {
        say(*failure);
        return;
    }
    // The saved plan is the chosen one, shown as it was kept.
    fillChoices(plan->part);
    choose();
}

void NativePlanWindow::removePlan() {
    const std::optional<std::string> part = chosenPart();
    if (!part || !askYesNo(window_, pick(plan_texts::kDeleteQuestion, language_))) return;
    panel_.remove(*part);
    fillChoices(std::nullopt);
    choose();
}

void NativePlanWindow::importCsv() {
    const std::optional<std::string> path =
        askOpenPath(window_, pick(plan_texts::kCsvFiles, language_));
    if (!path) return;
    panel_.importFile(*path, language_);
}

void NativePlanWindow::exportCsv() {
    const std::optional<InspectionPlan> plan = tablePlan();
    if (!plan) return;
    const std::optional<SaveChoice> choice =
        askSavePath(window_, plan->part + ".csv", {pick(plan_texts::kCsvFiles, language_)});
    if (!choice) return;
    panel_.exportFile(*plan, choice->path, language_);
}

// OK: the chosen plan in force, or none; the table's changes are let go only when the user
// says so.
void NativePlanWindow::confirm() {
    if (shown() != saved_ && !askYesNo(window_, pick(plan_texts::kUnsavedChanges, language_))) {
        return;
    }
    if (!panel_.confirm(chosenPart())) {
        say(pick(plan_texts::kNotReadable, language_));
        fillChoices(std::nullopt);
        choose();
        return;
    }
    EndDialog(window_, IDOK);
}

void NativePlanWindow::say(const std::string& text) const {
    showMessageBox(window_, text, MessageIcon::Exclamation);
}

std::string NativePlanWindow::fieldText(int id) const { return utf8(windowText(control(id))); }

}  // namespace mensora
