#pragma once
// What the Plan window and the plan's band under the main window say.

#include "base/texts.h"

namespace mensora::plan_texts {

inline constexpr Bilingual kWindowTitle{"检验计划", "Inspection plan"};
inline constexpr Bilingual kNoPlan{"不使用计划", "No plan"};
inline constexpr Bilingual kPlanLabel{"计划：", "Plan:"};
inline constexpr Bilingual kPartLabel{"零件号：", "Part:"};
inline constexpr Bilingual kPartNameLabel{"零件名称：", "Part name:"};
inline constexpr Bilingual kImport{"导入…", "Import…"};
inline constexpr Bilingual kExport{"导出…", "Export…"};
inline constexpr Bilingual kAdd{"添加", "Add"};
inline constexpr Bilingual kRemove{"删除行", "Remove"};
inline constexpr Bilingual kUp{"上移", "Up"};
inline constexpr Bilingual kDown{"下移", "Down"};
inline constexpr Bilingual kSave{"保存", "Save"};
inline constexpr Bilingual kDelete{"删除计划", "Delete"};
inline constexpr Bilingual kOk{"确定", "OK"};
inline constexpr Bilingual kCancel{"取消", "Cancel"};
inline constexpr Bilingual kCsvFiles{"CSV 文件 (*.csv)", "CSV files (*.csv)"};
inline constexpr Bilingual kDeleteQuestion{"删除此检验计划？", "Delete this inspection plan?"};
inline constexpr Bilingual kNotReadable{"所选计划已无法读取。",
                                        "The chosen plan can no longer be read."};
inline constexpr Bilingual kNoPart{"请填写零件号。", "Please enter the part number."};
inline constexpr Bilingual kNoCharacteristic{"计划至少需要一个测量特性。",
                                             "A plan needs at least one characteristic."};
inline constexpr Bilingual kUnsavedChanges{"表格中的修改尚未保存。放弃修改？",
                                           "The changes in the table are not saved. Discard them?"};
// The field beside the plan's line: the serial of the part about to start, typed or scanned.
inline constexpr Bilingual kSerialLabel{"序号：", "Serial:"};

}  // namespace mensora::plan_texts
