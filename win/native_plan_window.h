#pragma once
// The Plan window on Windows: a modal dialog built in memory from the plan form, drawing what
// the plan panel decides. The saved plans to choose from, import and export of a spreadsheet's
// CSV, the part and its characteristics in a table whose cells are edited in place (a field
// laid over the cell: a click, F2 or Enter opens it, Enter or Tab takes it, Escape drops it),
// save and delete; OK puts the chosen plan in force. Modal as the program's message boxes are:
// the main window's timers keep ticking inside its loop.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "base/language.h"
#include "dialog/plan_panel.h"
#include "files/plan_csv.h"

namespace mensora {

class NativePlanWindow : private PlanWindowPort {
public:
    explicit NativePlanWindow(PlanPanel& panel) : panel_(panel) {}
    // Runs the window until it is closed.
    void run(HWND owner, Language language);

private:
    // What the window shows of a plan: the part, its name and the table.
    struct Shown {
        std::string part;
        std::string partName;
        std::vector<CharacteristicTexts> rows;
        bool operator==(const Shown&) const = default;
    };

    static Shown shownOf(const InspectionPlan& plan);
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK editorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    void opened(HWND window);
    void plansRead() override;
    void imported(const std::string& part) override;
    void tell(const std::string& text, bool writeRefused) override;
    bool command(int id, int notification);
    bool notified(const NMHDR& header, LPARAM lParam);

    void fillChoices(const std::optional<std::string>& chosen);
    std::optional<std::string> chosenPart() const;
    void choose();
    void show(const Shown& shown);
    Shown shown() const;
    void showRows();
    void selectRow(int row);
    int selectedRow() const;
    void setUpColumns();

    void beginEdit(int row, int column);
    void endEdit(bool keep);

    void addRow();
    void removeRow();
    void moveRow(int by);
    std::optional<InspectionPlan> tablePlan();
    void save();
    void removePlan();
    void importCsv();
    void exportCsv();
    void confirm();

    void say(const std::string& text) const;
    std::string fieldText(int id) const;
    HWND control(int id) const { return GetDlgItem(window_, id); }

    PlanPanel& panel_;
    Language language_ = Language::Chinese;
    HWND window_ = nullptr;           // while it is open
    std::vector<std::string> parts_;  // the saved plans, as the choice lists them after "No plan"
    std::vector<CharacteristicTexts> rows_;  // what the table shows
    Shown saved_;                            // as last chosen, imported or saved
    HWND editor_ = nullptr;                  // over the cell being edited
    int editRow_ = 0;
    int editColumn_ = 0;
};

}  // namespace mensora
