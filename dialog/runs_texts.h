#pragma once
// What the Earlier runs window says.

#include "base/texts.h"

namespace mensora::runs_texts {

inline constexpr Bilingual kWindowTitle{"历史记录", "Earlier runs"};
inline constexpr Bilingual kHeading{"日志中保存的各次记录（最新在前）：",
                                    "The runs the journal keeps, the latest first:"};
inline constexpr Bilingual kSaveAs{"另存为…", "Save as…"};
inline constexpr Bilingual kRestore{"恢复到列表", "Restore into the list"};
inline constexpr Bilingual kClose{"关闭", "Close"};
inline constexpr Bilingual kReading{"正在读取日志…", "Reading the journal…"};
inline constexpr Bilingual kNoRuns{"日志中没有记录。", "The journal holds no records."};
inline constexpr Bilingual kUnreadable{"日志目前无法读取，历史记录无法显示。",
                                       "The journal cannot be read now: no earlier runs to show."};
inline constexpr Bilingual kChooseRun{"请先在列表中选择一次记录。", "Please choose a run first."};
inline constexpr Bilingual kRunGone{"此次记录已不在日志中。",
                                    "This run is no longer in the journal."};
inline constexpr Bilingual kUnsavedInList{
    "列表中还有未保存的记录。请先保存或清除它们，再恢复历史记录。",
    "The list holds unsaved records. Save or clear them before restoring an earlier run."};
inline constexpr Bilingual kAlreadyInList{"这次记录就是列表中现有的记录。",
                                          "These records are the ones in the list now."};
inline constexpr Bilingual kNotWhole{
    "这次记录的一部分已按保留天数从日志中删除：可以另存，但不能恢复到列表。",
    "Part of this run has gone from the journal with its days: it can be saved, not restored."};
// The parts of a run's line.
inline constexpr Bilingual kRecords{" 条记录", " records"};
inline constexpr Bilingual kUnsaved{"未保存 ", "unsaved "};
inline constexpr Bilingual kPart{"零件 ", "Part "};
inline constexpr Bilingual kCharacteristic{"特性 ", "Characteristic "};
inline constexpr Bilingual kLot{"批次 ", "Lot "};
inline constexpr Bilingual kInList{"（当前列表）", " (in the list)"};

}  // namespace mensora::runs_texts
