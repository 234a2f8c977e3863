// The Plan window's flow over real saved plans: an import is saved and chosen, OK puts it in
// force without restarting a walk under way, the table's rows are read by the plan's rules,
// and deleting the plan in force leaves no plan.
#include <gtest/gtest.h>

#include <variant>

#include "dialog/plan_panel.h"
#include "files/native_file_system.h"
#include "tests/support/dialog_rig.h"
#include "tests/support/temporary_folder.h"

namespace mensora {
namespace {

constexpr const char* kCsv =
    "Part;Part name;Characteristic;Nominal;Upper tolerance;Lower tolerance\r\n"
    "A-7;Shaft;Bore;12,5;0,02;-0,01\r\n"
    "A-7;;Length;40;0,1;-0,1\r\n";

struct Bench {
    test::DialogRig<> rig;
    test::TemporaryFolder folder;
    NativeFileSystem files;
    PlanStore store{files, folder.path()};
    PlanPanel panel{[this]() -> PlanStore& { return store; }, rig.dialog.plan()};
};

TEST(PlanPanel, AnImportIsSavedAndChosenAndOkKeepsAWalkUnderWay) {
    Bench bench;
    const auto imported = bench.panel.import(kCsv, Language::English);
    ASSERT_TRUE(std::holds_alternative<InspectionPlan>(imported));
    EXPECT_EQ(bench.panel.choices().parts, std::vector<std::string>{"A-7"});
    EXPECT_EQ(bench.panel.choices().inForce, 0u);

    ASSERT_TRUE(bench.panel.confirm("A-7"));
    EXPECT_EQ(bench.panel.choices().inForce, 1u);
    bench.rig.record(12.5f);
    ASSERT_TRUE(bench.panel.confirm("A-7"));
    EXPECT_EQ(bench.rig.dialog.plan().walk()->due(), 1u) << "OK again changes nothing";

    // Edited and saved: the walk starts the changed plan afresh.
    InspectionPlan changed = std::get<InspectionPlan>(imported);
    changed.characteristics[1].nominal = 41.0f;
    ASSERT_FALSE(bench.panel.save(changed, Language::English));
    ASSERT_TRUE(bench.panel.confirm("A-7"));
    EXPECT_EQ(bench.rig.dialog.plan().walk()->due(), 0u);

    EXPECT_TRUE(bench.panel.remove("A-7"));
    EXPECT_EQ(bench.rig.dialog.plan().walk(), nullptr);
    EXPECT_FALSE(bench.panel.confirm("A-7")) << "gone";
    EXPECT_TRUE(bench.panel.choices().parts.empty());
}

TEST(PlanPanel, TheTablesRowsAreReadByThePlansRulesWithTheRowNamed) {
    Bench bench;
    const std::vector<CharacteristicTexts> rows = {
        {"1", "Bore", "12,5", "0.02", "-0.01", "mm", "G-1", "", ""},
        {"2", "Length", "40", "-0.1", "0.1", "inch", "", "5", "80"},
    };
    const auto refused = bench.panel.planFrom("A-7", "", rows, Language::English);
    EXPECT_EQ(std::get<std::string>(refused),
              "Characteristic 2: the upper tolerance is below the lower one.");
    const auto chinese = bench.panel.planFrom("", "", {rows[0]}, Language::Chinese);
    EXPECT_EQ(std::get<std::string>(chinese), "计划没有零件号。");

    auto fixed = rows;
    std::swap(fixed[1][3], fixed[1][4]);
    const auto plan = bench.panel.planFrom("A-7", "Shaft", fixed, Language::English);
    ASSERT_TRUE(std::holds_alternative<InspectionPlan>(plan));
    EXPECT_EQ(textsOf(std::get<InspectionPlan>(plan).characteristics[1]), fixed[1]);
    EXPECT_EQ(std::get<InspectionPlan>(plan).characteristics[0].nominal, 12.5f);
}

}  // namespace
}  // namespace mensora
