#pragma once
// The saved inspection plans: one human-readable JSON file a plan in the folder `plans/` of
// the data folder, named after its part, written whole or not at all as record files are.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "files/file_system.h"
#include "measure/inspection_plan.h"

namespace mensora {

class PlanStore {
public:
    // `dataFolder` ends in a separator; the plans live in its folder "plans". Without a data
    // folder no plan is found and none can be saved.
    PlanStore(FileSystem& files, std::optional<std::string> dataFolder);

    // The parts of the saved plans, in the order of their names.
    std::vector<std::string> parts() const;
    // The saved plan of `part`; none when there is none or it cannot be read.
    std::optional<InspectionPlan> load(const std::string& part) const;
    // Saves the plan under its part, replacing the part's earlier plan; the failure otherwise.
    std::optional<FileFailure> save(const InspectionPlan& plan);
    // Removes the part's plan (one never saved is gone already); the failure otherwise.
    std::optional<FileFailure> remove(const std::string& part);

    // The file a part's plan is kept in: its part, with what a file name may not hold (\ / :
    // * ? " < > | and control characters) as "_".
    std::string pathOf(const std::string& part) const;

private:
    FileSystem& files_;
    std::string folder_;
};

// The plan as its file holds it, and back; none for a file that holds no plan.
std::string planJson(const InspectionPlan& plan);
std::optional<InspectionPlan> planFromJson(const std::string& text);

}  // namespace mensora
