#pragma once
// One run of work at a bench, the one every picture of the program shows, in both languages
// and on both platforms: a shaft's outer diameter, 12.345 +0.020/-0.020 mm, measured part by
// part with the scatter of a real process, one part too large and one too small. The Qt
// pictures (tests/integration) and the Windows window's drive (tests/window_drive) take their
// values from here only, so that the pictures cannot come to differ.

#include <cstdint>

#include "measure/inspection_plan.h"
#include "measure/trace_values.h"

namespace mensora::test::bench_run {

inline constexpr float kNominal = 12.345f;
inline constexpr float kUpperTolerance = 0.020f;
inline constexpr float kLowerTolerance = -0.020f;
// As typed into the parameter fields on Windows.
inline constexpr const wchar_t* kNominalTyped = L"12.345";
inline constexpr const wchar_t* kUpperTyped = L"0.02";
inline constexpr const wchar_t* kLowerTyped = L"-0.02";

// Auto's period at this bench: a part every three seconds.
inline constexpr std::uint32_t kAutoIntervalMs = 3000;

// The readings in the order they were taken, as the gauge shows them; the tenth is NG+, the
// eighteenth NG-.
inline constexpr const char* kReadings[] = {
    "12.347", "12.341", "12.350", "12.344", "12.338", "12.352", "12.346", "12.343",
    "12.349", "12.368", "12.345", "12.340", "12.353", "12.347", "12.336", "12.344",
    "12.350", "12.322", "12.342", "12.348", "12.345", "12.339", "12.351", "12.346"};
inline constexpr int kReadingCount = static_cast<int>(std::size(kReadings));

// What the operator typed into the Part and lot window: the same whatever the interface's
// language.
inline const TraceValues kTrace{"Shaft 12-A", "外径 Ø12", "L2612-07", "王工", "G-7"};

// The shaft's inspection plan as its quality engineer wrote it: the outer diameter above
// first, on the same gauge, then the length, charted in subgroups of five with a warning zone,
// and the groove's width, each on a gauge of its own. The same names whatever the interface's
// language, as the plant's drawings give them.
inline InspectionPlan plan() {
    return {kTrace.part,
            "输出轴",
            {{"1",
              kTrace.characteristic,
              kNominal,
              kUpperTolerance,
              kLowerTolerance,
              0,
              kTrace.gaugeId,
              1,
              {}},
             {"2", "长度 L48", 48.0f, 0.05f, -0.05f, 0, "G-3", 5, 80},
             {"3", "槽宽 1.6", 1.6f, 0.04f, 0.0f, 0, "G-12", 1, {}}}};
}
// The plan walked: three parts whole, then the fourth's diameter, its length due.
inline constexpr const char* kPlanReadings[] = {"12.347", "48.012", "1.618",  "12.341", "47.985",
                                                "1.624",  "12.350", "48.021", "1.609",  "12.344"};

// A plant's database as its IT would type the connection: Debian's and Windows' name of the
// PostgreSQL ODBC driver, the plant's server, the bench's own login.
inline constexpr const char* kPlantConnection =
    "Driver={PostgreSQL Unicode};Server=qdb01;Port=5432;Database=mensora;Uid=bench;"
    "Pwd=********;";
inline constexpr const char* kPlantBench = "QC-PC7";

}  // namespace mensora::test::bench_run
