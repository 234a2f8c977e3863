#pragma once
// The quality charts' own texts in both languages (UTF-8).

#include "base/texts.h"

namespace mensora::chart_texts {

inline constexpr Bilingual kWindowTitle{"质量图表", "Quality charts"};
inline constexpr Bilingual kRunChartTitle{"单值运行图", "Run chart (individuals)"};
inline constexpr Bilingual kMovingRangeTitle{"移动极差图", "Moving range chart"};
inline constexpr Bilingual kNoRanges{"至少两条记录", "Two records at least"};
// Subgroups of two or more: the means chart above the ranges chart, each point a subgroup.
inline constexpr Bilingual kMeansChartTitle{"均值图 X̄", "Means chart X̄"};
inline constexpr Bilingual kRangeChartTitle{"极差图 R", "Range chart R"};
inline constexpr Bilingual kNoSubgroups{"至少一个完整子组", "One whole subgroup at least"};
// The subgroup being filled, after the means chart's title: "subgroup 3 of 5 measured".
inline constexpr Bilingual kFillingBefore{"子组已测 ", "subgroup "};
inline constexpr Bilingual kFillingOf{"/", " of "};
inline constexpr Bilingual kFillingAfter{"", " measured"};
// Which control limits the charts draw, under the figures.
inline constexpr Bilingual kLimitsFromAll{"控制限：按全部记录计算", "Limits: from all records"};
inline constexpr Bilingual kLimitsFixedAt{"控制限：固定于 ", "Limits: fixed "};
inline constexpr Bilingual kLimitsFixedFrom{"，", " from "};
inline constexpr Bilingual kLimitsRecords{" 条记录", " records"};
// The control charts' own controls.
inline constexpr Bilingual kSubgroupSize{"子组大小", "Subgroup size"};
inline constexpr Bilingual kRules{"判异规则", "Run rules"};
inline constexpr Bilingual kFixLimits{"固定控制限", "Fix limits from these records"};
inline constexpr Bilingual kUnfixLimits{"按全部记录计算控制限", "Limits from all records"};
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
// The centre line of the means chart, X double bar, by the name a font without combining
// marks can write as well.
inline constexpr const char* kGrandMean = "CL";
inline constexpr const char* kRangeMean = "R̄";
inline constexpr const char* kUndefined = "—";

}  // namespace mensora::chart_texts
