#pragma once
// The quality charts' own texts in both languages (UTF-8).

#include "base/texts.h"

namespace mensora::chart_texts {

inline constexpr Bilingual kWindowTitle{"质量图表", "Quality charts"};
inline constexpr Bilingual kRunChartTitle{"单值运行图", "Run chart (individuals)"};
inline constexpr Bilingual kMovingRangeTitle{"移动极差图", "Moving range chart"};
inline constexpr Bilingual kNoRanges{"至少两条记录", "Two records at least"};
inline constexpr Bilingual kHistogramTitle{"直方图", "Histogram"};
inline constexpr Bilingual kNoRecords{"无记录", "No records"};
inline constexpr Bilingual kNominal{"标准", "Nominal"};
inline constexpr Bilingual kSavePicture{"保存图片", "Save picture"};
// The first item of the characteristic choice while a plan is in force, before the plan's own.
inline constexpr Bilingual kCharacteristicDue{"待测特性", "Characteristic due"};
inline constexpr Bilingual kPictureFilter{"PNG 图片 (*.png)", "PNG pictures (*.png)"};
inline constexpr const char* kPictureName = "MensoraCharts.png";
inline constexpr Bilingual kPictureNotSaved{"图片无法保存: ", "The picture could not be saved: "};

inline constexpr const char* kUpperLimit = "USL";
inline constexpr const char* kLowerLimit = "LSL";
inline constexpr const char* kUpperControl = "UCL";
inline constexpr const char* kLowerControl = "LCL";
inline constexpr const char* kMean = "x̄";
inline constexpr const char* kMovingRangeMean = "MR̄";
inline constexpr const char* kUndefined = "—";

}  // namespace mensora::chart_texts
