// The Plan window's flow over real saved plans and files, its work run on the test's hand: an
// import is saved and chosen, OK puts it in force without restarting a walk under way, the
// table's rows are read by the plan's rules, deleting the plan in force leaves no plan, and
// what the disk refuses is told.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

// The open Plan window, as the work on the plans tells it.
struct ToldWindow : PlanWindowPort {
    void plansRead() override { told.push_back("read"); }
    void imported(const std::string& part) override { told.push_back("imported " + part); }
    void tell(const std::string& text, bool writeRefused) override {
        told.push_back((writeRefused ? "refused: " : "told: ") + text);
    }
    std::vector<std::string> told;
};

struct Bench {
    Bench() { panel.attach(&window, Language::English); }
    std::string file(const std::string& name, const std::string& bytes) const {
        const std::string path = folder.path() + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    test::DialogRig<> rig;
    test::TemporaryFolder folder;
    NativeFileSystem files;
    PlanShelf shelf{rig.work, rig.work, [this] { return PlanStore(files, folder.path()); }};
    PlanPanel panel{shelf, rig.dialog.plan(), rig.state,
                    PlanPanelPorts{rig.work, rig.work, files, rig.window}};
    ToldWindow window;
};

TEST(PlanPanel, AnImportIsSavedAndChosenAndOkKeepsAWalkUnderWay) {
    Bench bench;
    bench.panel.importFile(bench.file("A-7.csv", kCsv), Language::English);
    EXPECT_TRUE(bench.window.told.empty()) << "read away from the window's thread";
    bench.rig.work.runAll();
    EXPECT_EQ(bench.window.told, (std::vector<std::string>{"imported A-7", "read"}));
    EXPECT_EQ(bench.panel.choices().parts, std::vector<std::string>{"A-7"});
    EXPECT_EQ(bench.panel.choices().inForce, 0u);

    ASSERT_TRUE(bench.panel.confirm("A-7"));
    EXPECT_EQ(bench.panel.choices().inForce, 1u);
    bench.rig.record(12.5f);
    ASSERT_TRUE(bench.panel.confirm("A-7"));
    EXPECT_EQ(bench.rig.dialog.plan().walk()->due(), 1u) << "OK again changes nothing";

    // Edited and saved: the walk starts the changed plan afresh.
    InspectionPlan changed = *bench.panel.planOf("A-7");
    changed.characteristics[1].nominal = 41.0f;
    ASSERT_FALSE(bench.panel.save(changed, Language::English));
    ASSERT_TRUE(bench.panel.confirm("A-7"));
    EXPECT_EQ(bench.rig.dialog.plan().walk()->due(), 0u);

    bench.panel.remove("A-7");
    EXPECT_EQ(bench.rig.dialog.plan().walk(), nullptr);
    EXPECT_FALSE(bench.panel.confirm("A-7")) << "gone";
    EXPECT_TRUE(bench.panel.choices().parts.empty());
}

// Exported, a plan comes back whole from its file; a file that cannot be read or written, and
// a refused row, are told and take nothing.
TEST(PlanPanel, ExportedPlansImportAgainAndWhatCannotBeReadOrWrittenIsTold) {
    Bench bench;
    const InspectionPlan plan{"B-2", "Ring", {{"1", "Ø", 20.0f, 0.05f, -0.05f, 0, "G-4", 5, 80}}};
    const std::string exported = bench.folder.path() + "B-2 out.csv";
    bench.panel.exportFile(plan, exported, Language::Chinese);
    bench.panel.exportFile(plan, bench.folder.path() + "no folder/B-2.csv", Language::English);
    bench.panel.importFile(exported, Language::English);
    bench.panel.importFile(bench.folder.path() + "missing.csv", Language::English);
    bench.panel.importFile(bench.file("bad.csv", "Part,Characteristic,Nominal,Upper tolerance,"
                                                 "Lower tolerance\nC-3,Bore,x,0.1,-0.1\n"),
                           Language::English);
    bench.rig.work.runAll();
    ASSERT_EQ(bench.window.told.size(), 5u);
    EXPECT_TRUE(bench.window.told[0].starts_with("told: ")) << "the export to no folder";
    EXPECT_NE(bench.window.told[0].find("no folder"), std::string::npos) << bench.window.told[0];
    EXPECT_EQ(bench.window.told[1], "imported B-2");
    EXPECT_NE(bench.window.told[2].find("missing.csv"), std::string::npos) << bench.window.told[2];
    EXPECT_TRUE(bench.window.told[3].starts_with("told: Line 2")) << bench.window.told[3];
    EXPECT_EQ(bench.window.told[4], "read");
    EXPECT_EQ(bench.panel.planOf("B-2"), plan);
    EXPECT_EQ(bench.panel.choices().parts, std::vector<std::string>{"B-2"});
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
    const std::vector<std::string>& told = bench.window.told;

    EXPECT_TRUE(parts().empty()) << "nothing is read on the window's thread";
    ASSERT_FALSE(bench.panel.save(newer, Language::English));
    bench.rig.work.runAll();
    EXPECT_EQ(parts(), (std::vector<std::string>{"A-7", "B-2"}));
    EXPECT_EQ(bench.panel.planOf("A-7"), newer) << "the disk's older plan is not taken";
    EXPECT_EQ(disk.load("A-7"), newer);
    EXPECT_EQ(told, std::vector<std::string>{"read"});

    ASSERT_FALSE(bench.panel.save(blocked, Language::English));
    EXPECT_EQ(parts(), (std::vector<std::string>{"A-7", "B-2", "C-3"})) << "at once";
    bench.rig.work.runAll();
    EXPECT_EQ(parts(), (std::vector<std::string>{"A-7", "B-2"})) << "taken back";
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[1].starts_with("refused: The plan could not be saved: ")) << told[1];
    EXPECT_NE(told[1].find("C-3"), std::string::npos) << told[1];

    bench.panel.attach(nullptr, Language::English);
    ASSERT_FALSE(bench.panel.save(blocked, Language::English));
    bench.rig.work.runAll();
    ASSERT_EQ(bench.rig.window.messages.size(), 1u);
    EXPECT_TRUE(bench.rig.window.messages[0].text.starts_with("计划未能保存："))
        << "in the main window's language";
    EXPECT_EQ(bench.rig.window.messages[0].icon, MessageIcon::Stop);
}

}  // namespace
}  // namespace mensora
