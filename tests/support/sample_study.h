#pragma once
// The worked example of a type-1 gauge study: a reference part of 10.000 mm, T 0.100, read 25
// times by a gauge at 0.001 mm. It gives x̄ 10.00192, s 0.000954, Cg 3.49, Cgk 2.82: capable.

#include <array>

namespace mensora::test {

inline constexpr double kStudyReference = 10.0;
inline constexpr double kStudyTolerance = 0.1;
inline constexpr std::array<const char*, 25> kStudyReadings = {
    "10.002", "10.001", "10.003", "10.002", "10.000", "10.002", "10.003", "10.001", "10.002",
    "10.004", "10.002", "10.001", "10.002", "10.003", "10.002", "10.000", "10.002", "10.001",
    "10.003", "10.002", "10.002", "10.001", "10.003", "10.002", "10.002"};

}  // namespace mensora::test
