// The Plan window's flow over real saved plans: an import is saved and chosen, OK puts it in
// force without restarting a walk under way, the table's rows are read by the plan's rules,
// and deleting the plan in force leaves no plan.
#include <gtest/gtest.h>

#include <filesystem>
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
    PlanShelf shelf{rig.work, rig.work, [this] { return PlanStore(files, folder.path()); }};
    PlanPanel panel{shelf, rig.dialog.plan(), rig.state, rig.window};
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

    bench.panel.remove("A-7");
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

// The saved plans are read and written on the worker, never on the window's thread: the first
// look starts the reading, a plan saved meanwhile is not overwritten by the disk's older one,
// and a save the disk refuses is taken back and told, to the open Plan window or, with none
// open, by the main window.
TEST(PlanPanel, SavedPlansAreReadAndWrittenOnTheWorkerAndARefusalIsTakenBackAndTold) {
    Bench bench;
    const InspectionPlan older{"A-7", "Shaft", {{"1", "Bore", 12.0f, 0.02f, -0.02f, 0, "", 1, {}}}};
    InspectionPlan newer = older;
    newer.characteristics[0].nominal = 12.5f;
    InspectionPlan blocked = older;
    blocked.part = "C-3";
    PlanStore disk(bench.files, bench.folder.path());
    ASSERT_FALSE(disk.save(older));
    ASSERT_FALSE(disk.save({"B-2", "", older.characteristics}));
    // A folder, not empty, where C-3's plan would be written.
    std::filesystem::create_directories(std::filesystem::path(disk.pathOf("C-3")) / "in-the-way");
    const auto parts = [&bench] { return bench.panel.choices().parts; };
    std::vector<std::optional<std::string>> told;
    bench.panel.onShelfChanged(
        Language::English,
        [&told](const std::optional<std::string>& refusal) { told.push_back(refusal); });

    EXPECT_TRUE(parts().empty()) << "nothing is read on the window's thread";
    ASSERT_FALSE(bench.panel.save(newer, Language::English));
    bench.rig.work.runAll();
    EXPECT_EQ(parts(), (std::vector<std::string>{"A-7", "B-2"}));
    EXPECT_EQ(bench.panel.planOf("A-7"), newer) << "the disk's older plan is not taken";
    EXPECT_EQ(disk.load("A-7"), newer);
    EXPECT_EQ(told, std::vector<std::optional<std::string>>{std::nullopt});

    ASSERT_FALSE(bench.panel.save(blocked, Language::English));
    EXPECT_EQ(parts(), (std::vector<std::string>{"A-7", "B-2", "C-3"})) << "at once";
    bench.rig.work.runAll();
    EXPECT_EQ(parts(), (std::vector<std::string>{"A-7", "B-2"})) << "taken back";
    ASSERT_EQ(told.size(), 2u);
    ASSERT_TRUE(told[1]);
    EXPECT_TRUE(told[1]->starts_with("The plan could not be saved: ")) << *told[1];
    EXPECT_NE(told[1]->find("C-3"), std::string::npos) << *told[1];

    bench.panel.onShelfChanged(Language::English, {});
    ASSERT_FALSE(bench.panel.save(blocked, Language::English));
    bench.rig.work.runAll();
    ASSERT_EQ(bench.rig.window.messages.size(), 1u);
    EXPECT_TRUE(bench.rig.window.messages[0].text.starts_with("计划未能保存："))
        << "in the main window's language";
    EXPECT_EQ(bench.rig.window.messages[0].icon, MessageIcon::Stop);
}

}  // namespace
}  // namespace mensora
