#pragma once
// The gauge study's own texts in both languages (UTF-8).

#include "base/texts.h"
#include "measure/gauge_study.h"

namespace mensora::gauge_study_texts {

inline constexpr Bilingual kToleranceNotPositive{"公差必须大于 0。",
                                                 "The tolerance must be greater than 0."};
inline constexpr Bilingual kCountOutOfRange{"测量次数须为 10 到 100。",
                                            "The number of readings must be 10 to 100."};

inline const char* setupFaultText(StudySetupFault fault, Language language) {
    return pick(
        fault == StudySetupFault::ToleranceNotPositive ? kToleranceNotPositive : kCountOutOfRange,
        language);
}

inline constexpr Bilingual kWindowTitle{"量具能力", "Gauge study"};
// The study's run chart, and what it says before the first reading.
inline constexpr Bilingual kChartTitle{"基准件读数", "Readings of the reference part"};
inline constexpr Bilingual kNoReadings{"按“开始”后，用量具的数据键、“手动”或“自动”测量基准件",
                                       "After Start, measure the reference part with the "
                                       "gauge's data key, Manual or Auto"};

// The result line: each figure's name, a blank, its value; two blanks between figures.
inline constexpr Bilingual kMean{"均值", "x̄"};
inline constexpr Bilingual kSigma{"标准差", "s"};
inline constexpr Bilingual kBias{"偏倚", "Bias"};
inline constexpr const char* kCg = "Cg";
inline constexpr const char* kCgk = "Cgk";
inline constexpr const char* kNoIndex = "—";
// Chinese MSA reports say what is or is not capable, the gauge: a bare 有能力 reads as
// "is able" and names no measure of it.
inline constexpr Bilingual kCapable{"量具能力足够", "capable"};
inline constexpr Bilingual kNotCapable{"量具能力不足", "not capable"};
inline constexpr Bilingual kAllEqual{
    "所有读数相同：量具分辨力不足以判定此公差",
    "all readings equal: the gauge's resolution is too coarse for this tolerance"};
// Around the gauge's reading step: before + step + after.
inline constexpr Bilingual kStepBefore{"警告：量具分辨力 ", "Warning: the reading step "};
inline constexpr Bilingual kStepAfter{" 大于公差的 5%。", " is above 5 % of the tolerance."};

}  // namespace mensora::gauge_study_texts
