#pragma once
// The workbook's own texts in both interface languages (UTF-8), and the texts of saving one.

#include <array>

#include "base/texts.h"

namespace mensora::workbook_texts {

inline constexpr Bilingual kRecordsSheet{"测量记录", "Records"};
inline constexpr Bilingual kSummarySheet{"汇总", "Summary"};
inline constexpr Bilingual kPartsSheet{"零件", "Parts"};
inline constexpr Bilingual kAlarmsSheet{"报警", "Alarms"};

// The alarms sheet: a raised alarm and its acknowledgement in a row.
inline constexpr std::size_t kAlarmColumns = 10;
inline constexpr std::array<Bilingual, kAlarmColumns> kAlarmHeader{{
    {"序号", "No"},
    {"报警时间", "Raised"},
    {"规则", "Rule"},
    {"图", "Chart"},
    {"特性", "Characteristic"},
    {"首记录", "First record"},
    {"末记录", "Last record"},
    {"确认时间", "Acknowledged"},
    {"原因", "Cause"},
    {"备注", "Note"},
}};
// The chart a rule fired on.
inline constexpr Bilingual kValuesChart{"数值图", "Values"};
inline constexpr Bilingual kRangeChart{"极差图", "Ranges"};

// A gauge study's workbook: its readings, then its setup and result.
inline constexpr Bilingual kStudyReadingsSheet{"读数", "Readings"};
inline constexpr Bilingual kStudyResultsSheet{"结果", "Results"};
inline constexpr std::array<Bilingual, 3> kStudyReadingsHeader{{
    {"序号", "No"},
    {"读数", "Reading"},
    {"与基准值之差", "Minus Xm"},
}};
inline constexpr Bilingual kStudyGauge{"量具编号", "Gauge ID"};
inline constexpr Bilingual kStudyFinished{"完成时间", "Finished"};
inline constexpr Bilingual kStudyReference{"基准值 Xm", "Reference Xm"};
inline constexpr Bilingual kStudyTolerance{"公差 T", "Tolerance T"};
inline constexpr Bilingual kStudyCount{"读数次数 n", "Readings n"};
inline constexpr Bilingual kStudyVerdict{"结论", "Verdict"};
inline constexpr Bilingual kStudyStep{"量具分辨力", "Reading step"};

// The parts sheet's headings besides those of the records: a part's serial.
inline constexpr Bilingual kSerial{"序列号", "Serial"};

inline constexpr std::size_t kRecordColumns = 10;
inline constexpr std::array<Bilingual, kRecordColumns> kRecordHeader{{
    {"序号", "No"},
    {"测量值", "Value"},
    {"误差", "Error"},
    {"结果", "Result"},
    {"时间", "Time"},
    {"零件号", "Part number"},
    {"测量特性", "Characteristic"},
    {"批号", "Lot"},
    {"操作员", "Operator"},
    {"量具编号", "Gauge ID"},
}};

// The summary's labels, in the order the sheet lists them.
inline constexpr Bilingual kParametersHeading{"参数", "Parameters"};
inline constexpr Bilingual kNominal{"标准值", "Nominal"};
inline constexpr Bilingual kUpperTolerance{"上公差", "Upper tolerance"};
inline constexpr Bilingual kLowerTolerance{"下公差", "Lower tolerance"};
inline constexpr Bilingual kUpperLimit{"上限 USL", "USL"};
inline constexpr Bilingual kLowerLimit{"下限 LSL", "LSL"};
inline constexpr Bilingual kUnit{"单位", "Unit"};
inline constexpr Bilingual kStatisticsHeading{"统计", "Statistics"};
inline constexpr Bilingual kCount{"总数", "Total"};
inline constexpr Bilingual kOkCount{"合格数", "OK"};
inline constexpr Bilingual kOverUpperCount{"超上限", "Over upper"};
inline constexpr Bilingual kUnderLowerCount{"超下限", "Under lower"};
inline constexpr Bilingual kAverage{"平均值", "Average"};
inline constexpr Bilingual kMaximum{"最大值", "Maximum"};
inline constexpr Bilingual kMinimum{"最小值", "Minimum"};
inline constexpr Bilingual kCapabilityHeading{"过程能力", "Capability"};
inline constexpr Bilingual kTraceHeading{"零件与批次", "Part and lot"};
inline constexpr Bilingual kCharacteristicsHeading{"各测量特性过程能力",
                                                   "Capability by characteristic"};
inline constexpr Bilingual kBinsHeading{"直方图分组", "Histogram bins"};
inline constexpr Bilingual kBinFrom{"下沿", "From"};
inline constexpr Bilingual kBinTo{"上沿", "To"};
inline constexpr Bilingual kBinCount{"个数", "Count"};

inline constexpr Bilingual kRunChartTitle{"运行图", "Run chart"};
// The run chart's title above kRunChartRows records: the count shown follows.
inline constexpr Bilingual kRunChartLastRecords{"运行图（最后 ", "Run chart (last "};
inline constexpr Bilingual kRunChartLastRecordsEnd{" 条记录）", " records)"};
inline constexpr Bilingual kHistogramTitle{"直方图", "Histogram"};
inline constexpr Bilingual kValuesSeries{"测量值", "Values"};
inline constexpr Bilingual kNominalSeries{"标准值", "Nominal"};

// The progress box of a save and what Clear says while one runs.
inline constexpr Bilingual kSavingWorkbook{"正在保存工作簿…", "Saving the workbook…"};
inline constexpr Bilingual kCancel{"取消", "Cancel"};
inline constexpr Bilingual kSaveRunning{
    "正在保存工作簿，请在保存结束后再保存。",
    "A workbook is being saved. Save again when the save has ended."};
inline constexpr Bilingual kClearWaitsForSave{
    "正在保存工作簿，请在保存结束后再清除记录。",
    "A workbook is being saved. Clear the records when the save has ended."};

}  // namespace mensora::workbook_texts
