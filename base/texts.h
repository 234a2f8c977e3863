#pragma once
// The program's own texts in both languages (UTF-8). Where only one text exists, both
// languages show it. Captions of the window's controls live in the control table.

#include <cstdint>
#include <string>

#include "base/language.h"

namespace mensora {

struct Bilingual {
    const char* chinese;
    const char* english;
};

inline const char* pick(const Bilingual& text, Language language) {
    return language == Language::English ? text.english : text.chinese;
}

namespace texts {

inline constexpr const char* kWindowTitle = "Mensora V3.8.0";

// The About box, opened from the window's own menu.
inline constexpr Bilingual kAboutTitle{"关于 Mensora", "About Mensora"};
inline constexpr const char* kAboutProduct = "Mensora 3.8.0";
inline constexpr Bilingual kAboutDescription{
    "检测台数显量具数据采集：读取、记录、判定并保存测量值。",
    "Reads a digital measuring gauge at the inspection bench, records and judges its readings "
    "and saves them."};

// Messages
inline constexpr Bilingual kNoDevicesFound{"找不到可用设备!", "No available devices found!"};
inline constexpr Bilingual kDeviceDisconnected{"设备已断开!", "Device disconnected!"};
inline constexpr Bilingual kExportSucceeded{"数据导到表格成功!", "Data import to table succeeded!"};
inline constexpr Bilingual kLanguageChanged{"请关闭软件后再重新打开!",
                                            "Please close the software and then Reopen!"};
inline constexpr Bilingual kRecordStoreFull{
    "记录已满 1000000 条，之后的读数不再记录。请保存导出后清除记录。",
    "The record list is full (1,000,000 records): further readings are not recorded. "
    "Save the records, then Clear."};
inline constexpr const char* kUpperBelowLower = "上公差不能小于下公差!";
inline constexpr const char* kSamplePeriodFloor = "自动采集时间不能低于100毫秒!";
inline constexpr const char* kNotANumber = "请键入一个数。";
inline constexpr const char* kNotUnsigned = "“请填入一个正整数。”";
inline constexpr const char* kNotSigned = "请键入一个整数。";
// A nominal size or tolerance whose thousandths do not fit the stored whole number: the
// field's label (nominal, upper, lower), then the rest of the message.
inline constexpr Bilingual kParameterLabels[3] = {
    {"标准尺寸", "STD"}, {"上公差", "USL"}, {"下公差", "LSL"}};
inline constexpr Bilingual kOutOfStorableRange{"超出范围 (±2,147,483.647)!",
                                               " is out of range (±2,147,483.647)!"};

// Captions that change while the program runs
inline constexpr Bilingual kConnectCaption{"打开设备", "Connect"};
inline constexpr Bilingual kDisconnectAsciiCaption{"关闭设备", "Disconnect"};
inline constexpr Bilingual kDisconnectBcdCaption{"断开设备", "Disconnect"};
inline constexpr Bilingual kAutoStartCaption{"自动采集", "Auto Start"};
inline constexpr Bilingual kAutoAfterDisconnectCaption{"自动采集", "Auto"};
inline constexpr Bilingual kAutoStopCaption{"停止采集", "Stop"};
inline constexpr Bilingual kParametersCaption{"参数设置", "Parameters"};
inline constexpr Bilingual kConfirmCaption{"确定", "OK"};

// Record list columns: header text and width in pixels
struct ListColumn {
    Bilingual title;
    int chineseWidth;
    int englishWidth;
};
inline constexpr ListColumn kListColumns[5] = {
    {{"序号", "No"}, 60, 60},     {{"数据值", "Value"}, 70, 70}, {{"误差", "Error"}, 70, 70},
    {{"结果", "Result"}, 50, 55}, {{"时间", "Time"}, 160, 160},
};

// Verdict texts shown in the record list (the record file holds 4-byte forms).
inline constexpr Bilingual kVerdictOk{"合格", "OK"};
inline constexpr Bilingual kVerdictNg{"超差", "NG"};

// Asked before the window closes while records exist that no file holds.
inline std::string unsavedRecordsQuestion(std::uint32_t count, Language language) {
    const std::string n = std::to_string(count);
    return language == Language::English ? n + " records have not been saved. Close anyway?"
                                         : "有 " + n + " 条记录尚未保存。仍要关闭吗？";
}

}  // namespace texts
}  // namespace mensora
