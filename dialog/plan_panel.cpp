#include "dialog/plan_panel.h"

#include <algorithm>

#include "base/texts.h"
#include "files/file_failure_text.h"

namespace mensora {
namespace {

constexpr Bilingual kNotSaved{"计划未能保存：", "The plan could not be saved: "};
constexpr Bilingual kNotDeleted{"计划未能删除：", "The plan could not be deleted: "};

}  // namespace

PlanPanel::PlanPanel(PlanShelf& shelf, PlanSteering& steering, const AcquisitionState& state,
                     WindowPort& window)
    : shelf_(shelf), steering_(steering), state_(state), window_(window) {
    shelf_.onChange([this](const std::optional<PlanShelf::Refusal>& refusal) {
        const Language language = shelfChanged_ ? windowLanguage_ : state_.language();
        std::optional<std::string> text;
        if (refusal) {
            text = pick(refusal->removal ? kNotDeleted : kNotSaved, language) +
                   fileFailureMessage(refusal->failure, refusal->path);
        }
        if (shelfChanged_) {
            shelfChanged_(text);
        } else if (text) {
            window_.showMessage(*text, MessageIcon::Stop);
        }
    });
}

void PlanPanel::onShelfChanged(
    Language language, std::function<void(const std::optional<std::string>& refusal)> changed) {
    windowLanguage_ = language;
    shelfChanged_ = std::move(changed);
}

PlanPanel::Choices PlanPanel::choices() {
    Choices choices{shelf_.parts(), 0};
    if (const PlanWalk* walk = steering_.walk()) {
        const auto found = std::find(choices.parts.begin(), choices.parts.end(), walk->plan().part);
        if (found != choices.parts.end()) {
            choices.inForce = 1 + static_cast<std::size_t>(found - choices.parts.begin());
        }
    }
    return choices;
}

std::optional<std::string> PlanPanel::choiceOnceRead(const std::optional<std::string>& chosen,
                                                     bool edited) {
    if (chosen || edited) return chosen;
    const Choices now = choices();
    if (now.inForce == 0) return std::nullopt;
    return now.parts[now.inForce - 1];
}

std::optional<InspectionPlan> PlanPanel::planOf(const std::string& part) {
    return shelf_.plan(part);
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
    shelf_.save(plan);
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

void PlanPanel::remove(const std::string& part) {
    if (const PlanWalk* walk = steering_.walk(); walk != nullptr && walk->plan().part == part) {
        steering_.putInForce(std::nullopt);
    }
    shelf_.remove(part);
}

bool PlanPanel::confirm(const std::optional<std::string>& part) {
    if (!part) {
        steering_.putInForce(std::nullopt);
        return true;
    }
    auto plan = shelf_.plan(*part);
    if (!plan) return false;
    // The plan walked already goes on where it stands, unless it was changed meanwhile.
    const PlanWalk* walk = steering_.walk();
    if (walk == nullptr || walk->plan() != *plan) steering_.putInForce(std::move(*plan));
    return true;
}

}  // namespace mensora
