#pragma once
// What the alarm line under the main window and the window that acknowledges an alarm say.

#include <array>

#include "base/texts.h"

namespace mensora::alarm_texts {

// "报警：<rule> – <characteristic>，记录 12–20" / "Alarm: <rule> – <characteristic>, records
// 12–20"; the characteristic only while a plan is in force.
inline constexpr Bilingual kLineBefore{"报警：", "Alarm: "};
inline constexpr Bilingual kRangeChart{"（极差图）", " (range chart)"};
inline constexpr Bilingual kRecords{"记录 ", "records "};
inline constexpr Bilingual kRecord{"记录 ", "record "};
inline constexpr Bilingual kAfterCharacteristic{"，", ", "};
// " (and 2 more)" while more than one alarm stands.
inline constexpr Bilingual kMoreBefore{"（另有 ", " (and "};
inline constexpr Bilingual kMoreAfter{" 条未确认）", " more)"};
inline constexpr Bilingual kAcknowledgeButton{"确认报警…", "Acknowledge…"};

inline constexpr Bilingual kWindowTitle{"确认报警", "Acknowledge alarm"};
inline constexpr Bilingual kCause{"原因：", "Cause:"};
inline constexpr Bilingual kNote{"备注：", "Note:"};
inline constexpr Bilingual kOk{"确定", "OK"};
inline constexpr Bilingual kCancel{"取消", "Cancel"};

// The causes the drop-down offers; the operator may type another.
inline constexpr std::array<Bilingual, 7> kCommonCauses{{
    {"刀具磨损", "Tool wear"},
    {"机床调整或补偿", "Machine set-up or offset"},
    {"量具需归零或校准", "Gauge needs zeroing or calibration"},
    {"材料批次变化", "New batch of material"},
    {"温度变化", "Temperature change"},
    {"测量方法或装夹", "Measuring method or clamping"},
    {"已查明，过程正常", "Checked: the process is in order"},
}};

}  // namespace mensora::alarm_texts
