#pragma once
// What the Plan window does, for both windows: the saved plans to choose from, "No plan"
// first; a plan imported from a spreadsheet's CSV, which is saved and becomes the chosen one;
// export; save and delete; and OK, which puts the chosen plan in force, or none. The window
// only draws the table and hands over what was typed in it.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/language.h"
#include "dialog/plan_steering.h"
#include "files/plan_csv.h"
#include "files/plan_store.h"

namespace mensora {

class PlanPanel {
public:
    // `store` gives the saved plans, made when the window first needs them: finding the data
    // folder is work for the disk.
    PlanPanel(std::function<PlanStore&()> store, PlanSteering& steering);

    struct Choices {
        std::vector<std::string> parts;  // the saved plans, after "No plan"
        std::size_t inForce = 0;         // 0: "No plan", else 1 + the index in parts
    };
    Choices choices() const;
    // A saved plan, to show in the table; none when it can no longer be read.
    std::optional<InspectionPlan> planOf(const std::string& part) const;

    // What the table holds, read by the plan's rules: the plan, or why not, the row named.
    std::variant<InspectionPlan, std::string> planFrom(const std::string& part,
                                                       const std::string& partName,
                                                       const std::vector<CharacteristicTexts>& rows,
                                                       Language language) const;
    // The plan saved, or why not.
    std::optional<std::string> save(const InspectionPlan& plan, Language language);
    // A CSV's bytes: its plan saved, or why it was refused (nothing of it is taken).
    std::variant<InspectionPlan, std::string> import(std::string_view bytes, Language language);
    std::string exportCsv(const InspectionPlan& plan, Language language) const;
    bool remove(const std::string& part);
    // OK: the saved plan of `part` in force, or no plan. False when the plan can no longer be
    // read (removed or spoiled meanwhile): nothing changes then.
    bool confirm(const std::optional<std::string>& part);

private:
    std::function<PlanStore&()> store_;
    PlanSteering& steering_;
};

}  // namespace mensora
