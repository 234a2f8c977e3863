#pragma once
// What the Plan window does, for both windows: the saved plans to choose from, "No plan"
// first; a plan imported from a spreadsheet's CSV, which is saved and becomes the chosen one;
// export; save and delete; and OK, which puts the chosen plan in force, or none. The window
// only draws the table and hands over what was typed in it. The saved plans are read from the
// shelf, which writes them away from the window's thread.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/acquisition_state.h"
#include "base/language.h"
#include "base/window_port.h"
#include "dialog/plan_steering.h"
#include "files/plan_csv.h"
#include "files/plan_shelf.h"

namespace mensora {

class PlanPanel {
public:
    // The state is read for the language of a refusal that comes when no Plan window is open,
    // which the main window then shows.
    PlanPanel(PlanShelf& shelf, PlanSteering& steering, const AcquisitionState& state,
              WindowPort& window);
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
    // A CSV's bytes: its plan saved, or why it was refused (nothing of it is taken).
    std::variant<InspectionPlan, std::string> import(std::string_view bytes, Language language);
    std::string exportCsv(const InspectionPlan& plan, Language language) const;
    void remove(const std::string& part);
    // OK: the saved plan of `part` in force, or no plan. False when there is no such plan any
    // more: nothing changes then.
    bool confirm(const std::optional<std::string>& part);

    // The open Plan window, told when the saved plans changed by themselves (they were read, or
    // the disk refused a save or a deletion, which was taken back), with the refusal's text in
    // `language`; an empty function when it closes.
    void onShelfChanged(Language language,
                        std::function<void(const std::optional<std::string>& refusal)> changed);

private:
    PlanShelf& shelf_;
    PlanSteering& steering_;
    const AcquisitionState& state_;
    WindowPort& window_;
    Language windowLanguage_ = Language::Chinese;
    std::function<void(const std::optional<std::string>&)> shelfChanged_;
};

}  // namespace mensora
