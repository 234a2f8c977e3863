#pragma once
// One run of work at a bench, the one every picture of the program shows, in both languages
// and on both platforms: a shaft's outer diameter, 12.345 +0.020/-0.020 mm, measured part by
// part with the scatter of a real process, one part too large and one too small. The Qt
// pictures (tests/integration) and the Windows window's drive (tests/window_drive) take their
// values from here only, so that the pictures cannot come to differ.

#include <cstdint>

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

// A plant's database as its IT would type the connection: Debian's and Windows' name of the
// PostgreSQL ODBC driver, the plant's server, the bench's own login.
inline constexpr const char* kPlantConnection =
    "Driver={PostgreSQL Unicode};Server=qdb01;Port=5432;Database=mensora;Uid=bench;"
    "Pwd=********;";
inline constexpr const char* kPlantBench = "QC-PC7";

}  // namespace mensora::test::bench_run
