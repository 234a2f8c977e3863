#pragma once
// The window 检验计划 / Inspection plan on Linux: it draws what the plan panel decides, placed
// by the plan form in the dialog font, and hands over what was typed in its table.

#include <QDialog>
#include <optional>

#include "base/language.h"
#include "dialog/plan_panel.h"
#include "measure/inspection_plan.h"

class QComboBox;
class QLineEdit;
class QTableWidget;

namespace mensora {

class PlanWindow : public QDialog, private PlanWindowPort {
    Q_OBJECT
public:
    PlanWindow(PlanPanel& panel, Language language, QWidget* parent);
    ~PlanWindow() override;
    PlanWindow(const PlanWindow&) = delete;
    PlanWindow& operator=(const PlanWindow&) = delete;

    void accept() override;

private:
    void plansRead() override;
    void imported(const std::string& part) override;
    void tell(const std::string& text, bool writeRefused) override;

    // The saved plans, "No plan" first; `chosen`: the part to choose, none (or one no longer
    // saved) for "No plan". The fields and the table stay as they are.
    void fillChoices(const std::optional<std::string>& chosen);
    void showChosen();
    void show(const InspectionPlan& plan);
    std::optional<std::string> chosenPart() const;
    // The plan the table holds, or a message naming what is wrong; nullopt after the message.
    std::optional<InspectionPlan> planTyped();
    void importCsv();
    void exportCsv();
    void save();
    void remove();
    void addRow();
    void moveRow(int by);
    // Unsaved edits are given up only when the user agrees.
    bool mayDiscardEdits();
    void edited() { edited_ = true; }
    void say(const std::string& text);

    PlanPanel& panel_;
    Language language_;
    QComboBox* choice_;
    QLineEdit* part_;
    QLineEdit* partName_;
    QTableWidget* table_;
    bool edited_ = false;
    int shownIndex_ = 0;    // the choice the fields and the table show
    bool filling_ = false;  // the window itself is changing the fields, not the user
};

}  // namespace mensora
