// Plans as spreadsheets write them: the CSV dialects Excel saves, read into the plan they
// hold, or refused whole with the line and the reason; and an export read back.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "files/plan_csv.h"

namespace mensora {
namespace {

Characteristic characteristic(std::string number, std::string name, float nominal, float upper,
                              float lower, std::uint8_t unit = 0, std::string gauge = {},
                              int subgroup = 1, std::optional<int> warning = {}) {
    return {std::move(number), std::move(name), nominal, upper, lower, unit,
            std::move(gauge),  subgroup,        warning};
}

const InspectionPlan kShaft{"A-7",
                            "Shaft",
                            {characteristic("1", "Bore", 12.5f, 0.02f, -0.01f),
                             characteristic("2", "Length", 40.0f, 0.1f, -0.1f, 1, "C-12")}};

TEST(PlanCsv, EachDialectGivesItsPlanAndABadFileIsRefusedWhole) {
    const struct {
        const char* dialect;
        std::string bytes;
        std::optional<InspectionPlan> plan;
        const char* refusal;
    } cases[] = {
        {"comma, English headers, a unit and a gauge",
         "Part,Part name,No,Characteristic,Nominal,Upper tolerance,Lower tolerance,Unit,Gauge ID\n"
         "A-7,Shaft,1,Bore,12.5,+0.02,-0.01,,\n"
         "A-7,,2,Length,40,0.1,-0.1,inch,C-12\n",
         kShaft, nullptr},
        {"semicolon and decimal commas under a BOM, Chinese headers in another order",
         "\xEF\xBB\xBF预警;子组;测量特性;零件号;上公差;下公差;标准尺寸;单位\r\n"
         "80%;5;\"Bore; deep\";A-7;0,02;-0,01;12,5;°\r\n"
         ";;;;;;;\r\n",
         InspectionPlan{
             "A-7", "", {characteristic("", "Bore; deep", 12.5f, 0.02f, -0.01f, 2, "", 5, 80)}},
         nullptr},
        {"tabs with decimal commas, a quote inside a quoted name",
         "Part\tCharacteristic\tNominal\tUpper tolerance\tLower tolerance\n"
         "A-7\t\"Bore \"\"A\"\"\"\t12,5\t0,02\t-0,01\n",
         InspectionPlan{"A-7", "", {characteristic("", "Bore \"A\"", 12.5f, 0.02f, -0.01f)}},
         nullptr},
        {"GBK from a Chinese Windows",
         "\xC1\xE3\xBC\xFE\xBA\xC5,\xB2\xE2\xC1\xBF\xCC\xD8\xD0\xD4,\xB1\xEA\xD7\xBC\xB3\xDF\xB4"
         "\xE7,\xC9\xCF\xB9\xAB\xB2\xEE,\xCF\xC2\xB9\xAB\xB2\xEE\r\n"
         "A-7,\xC4\xDA\xBE\xB6,12.5,0.02,-0.01\r\n",
         InspectionPlan{"A-7", "", {characteristic("", "内径", 12.5f, 0.02f, -0.01f)}}, nullptr},
        {"tolerances the wrong way round",
         "Part,Characteristic,Nominal,Upper tolerance,Lower tolerance\n"
         "A-7,Bore,12.5,0.02,-0.01\n"
         "A-7,Length,40,-0.1,0.1\n",
         {},
         "Line 3: the upper tolerance is below the lower one."},
        {"a missing column",
         "Part,Characteristic,Upper tolerance,Lower tolerance\nA-7,Bore,0.02,-0.01\n",
         {},
         "Line 1: the column \"Nominal / 标准尺寸\" is missing."},
        {"a number with a typing slip, after a quoted line break",
         "Part,Characteristic,Nominal,Upper tolerance,Lower tolerance\n"
         "A-7,\"Bore\nfront\",12.5,0.02,-0.01\n"
         "A-7,Length,40.0x,0.1,-0.1\n",
         {},
         "Line 4: Nominal \"40.0x\" is not a number."},
        {"a decimal comma where commas separate",
         "Part,Characteristic,Nominal,Upper tolerance,Lower tolerance\n"
         "A-7,Bore,\"12,5\",0.02,-0.01\n",
         {},
         "Line 2: Nominal \"12,5\" is not a number."},
        {"two parts in one plan",
         "Part,Characteristic,Nominal,Upper tolerance,Lower tolerance\n"
         "A-7,Bore,12.5,0.02,-0.01\nB-9,Length,40,0.1,-0.1\n",
         {},
         "Line 3: the part \"B-9\" differs from the rows above: a plan is for one part."},
        {"a subgroup too large and a warning below half",
         "Part,Characteristic,Nominal,Upper tolerance,Lower tolerance,Subgroup,Warning %\n"
         "A-7,Bore,12.5,0.02,-0.01,11,\n",
         {},
         "Line 2: the subgroup size must be 1 to 10."},
        {"an unknown unit",
         "Part,Characteristic,Nominal,Upper tolerance,Lower tolerance,Unit\n"
         "A-7,Bore,12.5,0.02,-0.01,cm\n",
         {},
         "Line 2: the unit \"cm\" is not mm, inch or °."},
        {"a quote never closed",
         "Part,Characteristic,Nominal,Upper tolerance,Lower tolerance\nA-7,\"Bore,12.5,0.02\n",
         {},
         "Line 2: a quoted field is not closed."},
        {"bytes that are no text",
         "Part\xFF\xFE,\x81\n",
         {},
         "The file is neither UTF-8 nor GBK text."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dialect);
        const auto read = readPlanCsv(c.bytes, Language::English);
        if (c.plan) {
            ASSERT_TRUE(std::holds_alternative<InspectionPlan>(read))
                << std::get<PlanCsvRefusal>(read).text;
            EXPECT_EQ(std::get<InspectionPlan>(read), *c.plan);
        } else {
            ASSERT_TRUE(std::holds_alternative<PlanCsvRefusal>(read));
            EXPECT_EQ(std::get<PlanCsvRefusal>(read).text, c.refusal);
        }
    }
}

TEST(PlanCsv, AnExportReadsBackAsThePlanInEitherLanguage) {
    InspectionPlan plan = kShaft;
    plan.characteristics[0].name = "Bore, \"deep\"";
    plan.characteristics[1].warningPercent = 75;
    plan.characteristics[1].subgroupSize = 4;
    for (const Language language : {Language::Chinese, Language::English}) {
        const auto read = readPlanCsv(writePlanCsv(plan, language), language);
        ASSERT_TRUE(std::holds_alternative<InspectionPlan>(read));
        EXPECT_EQ(std::get<InspectionPlan>(read), plan);
    }
    EXPECT_EQ(
        std::get<PlanCsvRefusal>(readPlanCsv("零件号,测量特性\nA,B\n", Language::Chinese)).text,
        "第 1 行：缺少列“Nominal / 标准尺寸”。");
}

}  // namespace
}  // namespace mensora
