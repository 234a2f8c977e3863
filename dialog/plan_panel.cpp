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
                     const PlanPanelPorts& ports)
    : shelf_(shelf), steering_(steering), state_(state), ports_(ports) {
    shelf_.onChange([this](const std::optional<PlanShelf::Refusal>& refusal) {
        if (refusal) {
            tell(pick(refusal->removal ? kNotDeleted : kNotSaved, language()) +
                     fileFailureMessage(refusal->failure, refusal->path),
                 true);
        } else if (window_ != nullptr) {
            window_->plansRead();
        }
    });
}

void PlanPanel::attach(PlanWindowPort* window, Language language) {
    window_ = window;
    windowLanguage_ = language;
}

void PlanPanel::tell(const std::string& text, bool writeRefused) const {
    if (window_ != nullptr) {
        window_->tell(text, writeRefused);
    } else {
        ports_.window.showMessage(text,
                                  writeRefused ? MessageIcon::Stop : MessageIcon::Exclamation);
    }
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

void PlanPanel::importFile(const std::string& path, Language language) {
    ports_.work.submit([this, path, language] {
        std::variant<InspectionPlan, std::string> read;
        auto bytes = ports_.files.readFile(path);
        if (const auto* failure = std::get_if<FileFailure>(&bytes)) {
            read = fileFailureMessage(*failure, path);
        } else if (auto csv = readPlanCsv(std::get<std::string>(bytes), language);
                   auto* refusal = std::get_if<PlanCsvRefusal>(&csv)) {
            read = std::move(refusal->text);
        } else {
            read = std::get<InspectionPlan>(std::move(csv));
        }
        ports_.windowThread.post([this, language, read = std::move(read)] {
            if (const auto* refusal = std::get_if<std::string>(&read)) {
                tell(*refusal, false);
                return;
            }
            const InspectionPlan& plan = std::get<InspectionPlan>(read);
            if (auto fault = save(plan, language)) {
                tell(*fault, false);
            } else if (window_ != nullptr) {
                window_->imported(plan.part);
            }
        });
    });
}

void PlanPanel::exportFile(const InspectionPlan& plan, const std::string& path, Language language) {
    ports_.work.submit([this, path, bytes = writePlanCsv(plan, language)] {
        std::optional<std::string> failed;
        RecordFileOpening opening = ports_.files.createRecordFile(path);
        if (!opening.file) {
            failed = fileFailureMessage(opening.failure, path);
        } else if (const auto failure = opening.file->write(bytes.data(), bytes.size())) {
            failed = fileFailureMessage(*failure, path);
        } else if (const auto closing = opening.file->commit()) {
            failed = fileFailureMessage(closing->cause, closing->atClose ? kUnnamedFile : path);
        }
        if (failed) ports_.windowThread.post([this, text = *failed] { tell(text, false); });
    });
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
