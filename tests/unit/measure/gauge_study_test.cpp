// The type-1 gauge study: its figures from the worked examples, the setups it refuses, the
// readings it keeps, and its result line in both languages.
#include "measure/gauge_study.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "measure/gauge_study_result_text.h"
#include "tests/support/sample_study.h"

namespace mensora {
namespace {

const std::vector<double> kWorked = [] {
    std::vector<double> readings;
    for (const char* reading : test::kStudyReadings) readings.push_back(*parseDouble(reading));
    return readings;
}();

const std::vector<double> kAlternating = {10.000, 10.001, 10.000, 10.001, 10.000,
                                          10.001, 10.000, 10.001, 10.000, 10.001};

std::vector<double> shifted(std::vector<double> readings, double by) {
    for (double& reading : readings) reading += by;
    return readings;
}

// A finished study of `readings`, each fed as the program holds a reading: in single precision.
GaugeStudy finishedStudy(double reference, double tolerance, const std::vector<double>& readings,
                         std::uint8_t places) {
    auto study = GaugeStudy::start({reference, tolerance, static_cast<int>(readings.size())});
    for (const double reading : readings) study->add(static_cast<float>(reading), places);
    return *study;
}

struct FiguresCase {
    const char* what;
    double reference;
    double tolerance;
    std::vector<double> readings;
    std::uint8_t places;
    double mean;
    double sigma;
    std::optional<double> cg;  // to two places
    std::optional<double> cgk;
    bool capable;
    bool stepTooCoarse;
};

TEST(GaugeStudy, FiguresMatchTheWorkedExamplesAndJudgeAsShown) {
    const FiguresCase cases[] = {
        {"worked example", 10.0, 0.1, kWorked, 3, 10.00192, 0.000954, 3.49, 2.82, true, false},
        {"biased by 0.007", 10.0, 0.1, shifted(kWorked, 0.007), 3, 10.00892, 0.000954, 3.49, 0.38,
         false, false},
        // Cg 1.3285 shows 1.33 and passes; 1.3244 shows 1.32 and fails.
        {"Cg shown 1.33", 10.00192, 0.03802, kWorked, 3, 10.00192, 0.000954, 1.33, 1.33, true,
         false},
        {"Cg shown 1.32", 10.00192, 0.0379, kWorked, 3, 10.00192, 0.000954, 1.32, 1.32, false,
         false},
        {"no spread", 10.0, 0.1, std::vector<double>(10, 10.002), 3, 10.002, 0.0, std::nullopt,
         std::nullopt, false, false},
        {"step 10 % of T", 10.0, 0.01, kAlternating, 3, 10.0005, 0.000527, 0.63, 0.32, false, true},
        {"step 5 % of T", 10.0, 0.02, kAlternating, 3, 10.0005, 0.000527, 1.26, 0.95, false, false},
    };
    for (const FiguresCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto figures =
            *finishedStudy(c.reference, c.tolerance, c.readings, c.places).figures();
        EXPECT_NEAR(figures.mean, c.mean, 1e-9);
        EXPECT_NEAR(figures.bias, c.mean - c.reference, 1e-9);
        EXPECT_NEAR(figures.sigma, c.sigma, 5e-7);
        ASSERT_EQ(figures.cg.has_value(), c.cg.has_value());
        ASSERT_EQ(figures.cgk.has_value(), c.cg.has_value());
        if (c.cg) {
            EXPECT_NEAR(*figures.cg, *c.cg, 0.005);
            EXPECT_NEAR(*figures.cgk, *c.cgk, 0.005);
        }
        EXPECT_EQ(figures.capable, c.capable);
        EXPECT_EQ(figures.stepTooCoarse, c.stepTooCoarse);
    }
}

TEST(GaugeStudy, RefusesCountsOutside10To100AndAToleranceNotAboveZero) {
    struct Case {
        double tolerance;
        int count;
        std::optional<StudySetupFault> fault;
    };
    const Case cases[] = {
        {0.1, 9, StudySetupFault::CountOutOfRange},
        {0.1, 10, std::nullopt},
        {0.1, 100, std::nullopt},
        {0.1, 101, StudySetupFault::CountOutOfRange},
        {0.0, 25, StudySetupFault::ToleranceNotPositive},
        {-0.1, 25, StudySetupFault::ToleranceNotPositive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "T " << c.tolerance << ", n " << c.count);
        EXPECT_EQ(studySetupFault({10.0, c.tolerance, c.count}), c.fault);
        EXPECT_EQ(GaugeStudy::start({10.0, c.tolerance, c.count}).has_value(), !c.fault);
    }
}

// The tolerance offered first spans the characteristic's limits; the lower one is signed.
TEST(GaugeStudy, DefaultToleranceIsUpperMinusSignedLower) {
    const float tolerances[][3] = {
        {0.05f, -0.05f, 0.1f}, {0.1f, 0.02f, 0.08f}, {0.0f, -0.03f, 0.03f}};
    for (const auto& t : tolerances) {
        Parameters inForce;
        inForce.nominal = 40.0f;
        inForce.upperTolerance = t[0];
        inForce.lowerTolerance = t[1];
        EXPECT_NEAR(defaultStudyTolerance(inForce), t[2], 1e-7) << t[0] << " / " << t[1];
    }
}

// A reading the operator takes back is measured again: it counts neither toward n nor in the
// figures.
TEST(GaugeStudy, UndoTakesBackTheLatestReadingOnly) {
    auto study = GaugeStudy::start({10.0, 0.1, 10});
    study->undoLast();
    for (int i = 0; i < 9; ++i) study->add(10.002, 3);
    study->add(10.5, 3);
    ASSERT_TRUE(study->finished());
    study->undoLast();
    EXPECT_EQ(study->taken(), 9);
    EXPECT_FALSE(study->figures());
    EXPECT_TRUE(study->add(10.002, 3));
    EXPECT_FALSE(study->add(10.003, 3));
    ASSERT_EQ(study->readings().size(), 10u);
    EXPECT_EQ(study->figures()->sigma, 0.0);
}

TEST(GaugeStudy, ResultLineNamesEveryFigureInBothLanguages) {
    struct Case {
        std::vector<double> readings;
        std::uint8_t places;
        Language language;
        const char* text;
    };
    const Case cases[] = {
        {kWorked, 3, Language::English,
         "x̄ 10.00192  s 0.000954  Bias 0.00192  Cg 3.49  Cgk 2.82  capable"},
        {kWorked, 3, Language::Chinese,
         "均值 10.00192  标准差 0.000954  偏倚 0.00192  Cg 3.49  Cgk 2.82  量具能力足够"},
        {std::vector<double>(10, 10.01), 2, Language::English,
         "x̄ 10.0100  s 0.0000  Bias 0.0100  Cg —  Cgk —  all readings equal: the gauge's "
         "resolution is too coarse for this tolerance  Warning: the reading step 0.01 is above "
         "5 % of the tolerance."},
        {std::vector<double>(10, 10.01), 2, Language::Chinese,
         "均值 10.0100  标准差 0.0000  偏倚 0.0100  Cg —  Cgk —  "
         "所有读数相同：量具分辨力不足以判定此公差  警告：量具分辨力 0.01 大于公差的 5%。"},
    };
    for (const Case& c : cases) {
        const auto figures = finishedStudy(10.0, 0.1, c.readings, c.places).figures();
        EXPECT_EQ(gaugeStudyResultText(*figures, c.language), c.text);
    }
}

}  // namespace
}  // namespace mensora
