#pragma once
// The texts of the part and lot a record is stamped with, in both languages (UTF-8).

#include "base/texts.h"

namespace mensora::trace_texts {

inline constexpr Bilingual kWindowTitle{"零件与批次", "Part and lot"};
inline constexpr Bilingual kOk{"确定", "OK"};
inline constexpr Bilingual kCancel{"取消", "Cancel"};

// Said after the field's label when what was typed is refused.
inline constexpr Bilingual kControlCharacter{
    "不能含有制表符、换行符或其他控制字符。",
    " must not contain a tab, a line break or another control character."};
// Around the most characters a field takes: label + before + number + after.
inline constexpr Bilingual kTooLongBefore{"最多 ", " takes at most "};
inline constexpr Bilingual kTooLongAfter{" 个字符。", " characters."};
inline constexpr Bilingual kTooManyCombinations{
    "自上次清除记录以来，记录已带有 4096 种不同的零件与批次，无法再增加。请保存导出后清除记录。",
    "The records since the last Clear already carry 4,096 different part and lot settings: no "
    "more can be added. Save the records, then Clear."};

// The line that shows the values in force: before any is set, and in place of an empty one.
inline constexpr Bilingual kNoneSet{"零件与批次：未设定 (F4)", "Part and lot: not set (F4)"};
inline constexpr Bilingual kLabelEnd{"：", ": "};
inline constexpr const char* kEmptyValue = "—";
inline constexpr const char* kSeparator = "    ";

}  // namespace mensora::trace_texts
