#include "dialog/plan_panel.h"

#include <algorithm>

#include "base/texts.h"
#include "files/file_failure_text.h"

namespace mensora {
namespace {

constexpr Bilingual kNotSaved{"计划未能保存：", "The plan could not be saved: "};

}  // namespace

PlanPanel::PlanPanel(std::function<PlanStore&()> store, PlanSteering& steering)
    : store_(std::move(store)), steering_(steering) {}

PlanPanel::Choices PlanPanel::choices() const {
    Choices choices{store_().parts(), 0};
    if (const PlanWalk* walk = steering_.walk()) {
        const auto found = std::find(choices.parts.begin(), choices.parts.end(), walk->plan().part);
        if (found != choices.parts.end()) {
            choices.inForce = 1 + static_cast<std::size_t>(found - choices.parts.begin());
        }
    }
    return choices;
}

std::optional<InspectionPlan> PlanPanel::planOf(const std::string& part) const {
    return store_().load(part);
}

std::variant<InspectionPlan, std::string> PlanPanel::planFrom(
    const std::string& part, const std::string& partName,
    const std::vector<CharacteristicTexts>& rows, Language language) const {
    InspectionPlan plan{part, partName, {}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto read = characteristicFromTexts(rows[i], i + 1, language);
        if (auto* refusal = std::get_if<std::string>(&read)) return std::move(*refusal);
        plan.characteristics.push_back(std::get<Characteristic>(std::move(read)));
    }
    if (auto fault = planFault(plan, language)) return *fault;
    return plan;
}

std::optional<std::string> PlanPanel::save(const InspectionPlan& plan, Language language) {
    if (auto fault = planFault(plan, language)) return fault;
    PlanStore& store = store_();
    if (const auto failure = store.save(plan)) {
        return pick(kNotSaved, language) + fileFailureMessage(*failure, store.pathOf(plan.part));
    }
    return std::nullopt;
}

std::variant<InspectionPlan, std::string> PlanPanel::import(std::string_view bytes,
                                                            Language language) {
    auto read = readPlanCsv(bytes, language);
    if (auto* refusal = std::get_if<PlanCsvRefusal>(&read)) return std::move(refusal->text);
    InspectionPlan plan = std::get<InspectionPlan>(std::move(read));
    if (auto failure = save(plan, language)) return *failure;
    return plan;
}

std::string PlanPanel::exportCsv(const InspectionPlan& plan, Language language) const {
    return writePlanCsv(plan, language);
}

bool PlanPanel::remove(const std::string& part) {
    if (const PlanWalk* walk = steering_.walk(); walk != nullptr && walk->plan().part == part) {
        steering_.putInForce(std::nullopt);
    }
    return store_().remove(part);
}

bool PlanPanel::confirm(const std::optional<std::string>& part) {
    if (!part) {
        steering_.putInForce(std::nullopt);
        return true;
    }
    auto plan = store_().load(*part);
    if (!plan) return false;
    // The plan walked already goes on where it stands, unless it was changed meanwhile.
    const PlanWalk* walk = steering_.walk();
    if (walk == nullptr || walk->plan() != *plan) steering_.putInForce(std::move(*plan));
    return true;
}

}  // namespace mensora
