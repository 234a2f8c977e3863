#pragma once
// What the Plan window does, for both windows: the saved plans to choose from, "No plan"
// first; a plan imported from a spreadsheet's CSV, which is saved and becomes the chosen one;
// export; save and delete; and OK, which puts the chosen plan in force, or none. The window
// only draws the table and hands over what was typed in it. The saved plans are read from the
// shelf, which writes them away from the window's thread, and a spreadsheet's CSV is read and
// written there too; what that work has to tell comes back to the open window.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/acquisition_state.h"
#include "base/language.h"
#include "base/window_port.h"
#include "base/window_thread.h"
#include "base/work_queue.h"
#include "files/file_system.h"
#include "dialog/plan_steering.h"
#include "files/plan_csv.h"
#include "files/plan_shelf.h"

namespace mensora {

// The open Plan window, as the work on the plans tells it what came of it.
class PlanWindowPort {
public:
    virtual ~PlanWindowPort() = default;
    // The saved plans have been read: the list follows.
    virtual void plansRead() = 0;
    // An imported plan was saved: it is the chosen one now.
    virtual void imported(const std::string& part) = 0;
    // What to tell the user: an import refused, an export that failed, or (`writeRefused`) a
    // save or deletion the disk refused, taken back; the window keeps what was typed then, to
    // be saved again.
    virtual void tell(const std::string& text, bool writeRefused) = 0;
};

// Where the panel's work runs and reports, and the main window it tells when no Plan window
// is open.
struct PlanPanelPorts {
    WorkQueue& work;
    WindowThread& windowThread;
    FileSystem& files;
    WindowPort& window;
};

class PlanPanel {
public:
    // The CSV files are read and written on `work`, the plans' own queue. The state is read for
    // the language of what comes when no Plan window is open, which the main window then tells.
    PlanPanel(PlanShelf& shelf, PlanSteering& steering, const AcquisitionState& state,
              const PlanPanelPorts& ports);
    PlanPanel(const PlanPanel&) = delete;
    PlanPanel& operator=(const PlanPanel&) = delete;

    struct Choices {
        std::vector<std::string> parts;  // the saved plans, after "No plan"
        std::size_t inForce = 0;         // 0: "No plan", else 1 + the index in parts
    };
    Choices choices();
    // The part a window opened before the saved plans were read chooses once they have been:
    // the one chosen, else, while nothing was typed, the plan in force, as at an opening.
    std::optional<std::string> choiceOnceRead(const std::optional<std::string>& chosen,
                                              bool edited);
    // A saved plan, to show in the table; none when there is none (any more).
    std::optional<InspectionPlan> planOf(const std::string& part);

    // What the table holds, read by the plan's rules: the plan, or why not, the row named.
    std::variant<InspectionPlan, std::string> planFrom(const std::string& part,
                                                       const std::string& partName,
                                                       const std::vector<CharacteristicTexts>& rows,
                                                       Language language) const;
    // The plan saved (the disk's refusal, if any, comes through onShelfChanged), or why it may
    // not be.
    std::optional<std::string> save(const InspectionPlan& plan, Language language);
    // The CSV at `path`, read away from the window's thread: its plan saved and chosen, or why
    // it was refused (nothing of it is taken), told to the open window.
    void importFile(const std::string& path, Language language);
    // The plan written as CSV to `path`, whole or not at all, away from the window's thread; a
    // failure is told.
    void exportFile(const InspectionPlan& plan, const std::string& path, Language language);
    void remove(const std::string& part);
    // OK: the saved plan of `part` in force, or no plan. False when there is no such plan any
    // more: nothing changes then.
    bool confirm(const std::optional<std::string>& part);

    // The Plan window opened in `language` (nullptr: it closed).
    void attach(PlanWindowPort* window, Language language);

private:
    // Tells the open window, or with none the main window.
    void tell(const std::string& text, bool writeRefused) const;
    Language language() const { return window_ != nullptr ? windowLanguage_ : state_.language(); }

    PlanShelf& shelf_;
    PlanSteering& steering_;
    const AcquisitionState& state_;
    PlanPanelPorts ports_;
    PlanWindowPort* window_ = nullptr;
    Language windowLanguage_ = Language::Chinese;
};

}  // namespace mensora
