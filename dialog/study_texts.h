#pragma once
// What the Gauge study window and the main window's line band say while a study runs.

#include "base/texts.h"

namespace mensora::study_texts {

inline constexpr Bilingual kReference{"基准值 Xm：", "Reference Xm:"};
inline constexpr Bilingual kTolerance{"公差 T：", "Tolerance T:"};
inline constexpr Bilingual kCount{"读数次数：", "Readings:"};
inline constexpr Bilingual kGauge{"量具编号：", "Gauge ID: "};
inline constexpr Bilingual kStart{"开始", "Start"};
inline constexpr Bilingual kUndo{"撤销上一读数", "Undo last"};
inline constexpr Bilingual kCancel{"取消研究", "Cancel study"};
inline constexpr Bilingual kSavePicture{"保存图片…", "Save picture…"};
inline constexpr Bilingual kSaveWorkbook{"保存工作簿…", "Save workbook…"};
inline constexpr Bilingual kClose{"关闭", "Close"};
inline constexpr Bilingual kReferenceNotNumber{"基准值必须是数字。",
                                               "The reference value must be a number."};
inline constexpr Bilingual kToleranceNotNumber{"公差必须是数字。",
                                               "The tolerance must be a number."};
// "读数 3 / 25" / "Reading 3 of 25", before + taken + between + count.
inline constexpr Bilingual kProgressBefore{"读数 ", "Reading "};
inline constexpr Bilingual kProgressBetween{" / ", " of "};
inline constexpr Bilingual kNotStarted{"未开始", "Not started"};
inline constexpr Bilingual kCancelled{"已取消：未保留任何读数", "Cancelled: no reading kept"};
// The main window's line band while the study takes the readings.
inline constexpr Bilingual kBandBefore{"量具能力研究进行中：", "Gauge study running: "};
inline constexpr Bilingual kBandAfter{"，读数不进入记录列表",
                                      " – readings do not go to the record list"};
// The files a study is saved as; their filters are those of the charts' picture and of Save's
// workbook.
inline constexpr const char* kPictureName = "MensoraGaugeStudy.png";
inline constexpr const char* kWorkbookName = "MensoraGaugeStudy.xlsx";
inline constexpr Bilingual kWorkbookSaved{"量具能力研究已保存：", "The gauge study was saved: "};

}  // namespace mensora::study_texts
