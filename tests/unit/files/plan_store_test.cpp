// Saved plans in a real folder: what an engineer saves comes back whole, one file a part that
// a person can read and mend, and a file mended wrongly is passed over, not half-read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/native_file_system.h"
#include "files/plan_store.h"
#include "tests/support/temporary_folder.h"

namespace mensora {
namespace {

std::filesystem::path native(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string contentOf(const std::string& path) {
    std::ifstream in(native(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

InspectionPlan planFor(std::string part, float nominal) {
    return {std::move(part),
            "轴",
            {{"1", "内径", nominal, 0.02f, -0.01f, 0, "G-7", 1, {}},
             {"2", "Length", 40.0f, 0.1f, -0.1f, 1, "", 5, 80}}};
}

TEST(PlanStore, SavedPlansComeBackWholeByTheirPartsAndABadFileIsPassedOver) {
    const test::TemporaryFolder folder;
    NativeFileSystem files;
    PlanStore store(files, folder.path());
    EXPECT_TRUE(store.parts().empty()) << "no folder yet";

    const InspectionPlan shaft = planFor("A-7", 12.5f);
    const InspectionPlan flange = planFor("零件/9", 3.25f);
    ASSERT_FALSE(store.save(shaft));
    ASSERT_FALSE(store.save(flange));
    ASSERT_FALSE(store.save(planFor("A-7", 12.6f))) << "a part's plan is replaced";

    // A copy an engineer left beside it under another name is not a second plan of the part.
    std::ofstream(native(folder.path() + "plans/Copy of A-7.json")) << planJson(shaft);
    EXPECT_EQ(store.parts(), (std::vector<std::string>{"A-7", "零件/9"}));
    EXPECT_EQ(store.load("零件/9"), flange);
    EXPECT_EQ(store.load("A-7"), planFor("A-7", 12.6f));
    EXPECT_NE(store.pathOf("零件/9").find("零件_9.json"), std::string::npos);

    // Sizes as they were typed, so that a person reading the file finds the drawing's numbers.
    const std::string text = contentOf(store.pathOf("A-7"));
    EXPECT_NE(text.find("\"upperTolerance\": 0.02,"), std::string::npos) << text;
    EXPECT_NE(text.find("\"warningPercent\": null"), std::string::npos) << text;

    // Mended by hand into a plan the window would refuse: it is not offered.
    std::ofstream(native(store.pathOf("A-7")))
        << "{\"part\": \"A-7\", \"characteristics\": [{\"name\": \"Bore\", \"nominal\": 1,"
           " \"upperTolerance\": -1, \"lowerTolerance\": 1}]}";
    EXPECT_FALSE(store.load("A-7"));
    EXPECT_EQ(store.parts(), std::vector<std::string>{"零件/9"});

    EXPECT_FALSE(store.remove("零件/9"));
    EXPECT_TRUE(store.parts().empty());
}

}  // namespace
}  // namespace mensora
