// The dialog template as data: what the window builds from and what the English interface
// puts on. A wrong row here is a control in the wrong place or a caption in the wrong language.

#include "base/control_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "base/control_ids.h"

namespace mensora {
namespace {

TEST(ControlTable, EveryControlHasItsOwnNameAndLiesInsideTheDialog) {
    std::set<std::string> names;
    for (const DialogControl& c : controlTable()) {
        const std::string name = objectNameOf(c);
        EXPECT_TRUE(names.insert(name).second) << "two controls named " << name;
        EXPECT_GE(c.rect.x, 0) << name;
        EXPECT_GE(c.rect.y, 0) << name;
        EXPECT_LE(c.rect.x + c.rect.width, kDialogWidthUnits) << name;
        EXPECT_LE(c.rect.y + c.rect.height, kDialogHeightUnits) << name;
    }
    EXPECT_EQ(names.size(), 52u);
    EXPECT_TRUE(names.count("decoration"));
    EXPECT_TRUE(names.count("labelR"));
}

struct Row {
    int id;
    ControlKind kind;
    const char* chinese;
    const char* english;
};

// The controls the program's operations talk to, with what each interface shows.
const Row kRows[] = {
    {ConnectButton, ControlKind::PushButton, "打开设备", "Connect"},
    {ZeroButton, ControlKind::PushButton, "清 零", "Zero"},
    {AutoButton, ControlKind::PushButton, "自动采集", "Auto Start"},
    {ManualButton, ControlKind::PushButton, "手动采集", "Manual"},
    {SaveButton, ControlKind::PushButton, "保存导出", "Save"},
    {ClearButton, ControlKind::PushButton, "清除记录", "Clear"},
    {ParametersButton, ControlKind::PushButton, "参数设置", "Parameters"},
    {ChineseRadio, ControlKind::RadioButton, "中文", "中文"},
    {EnglishRadio, ControlKind::RadioButton, "English", "English"},
    {AutosaveCheck, ControlKind::CheckBox, "60秒自动保存", "60 sec Save"},
    {RecordGroup, ControlKind::GroupBox, "数据采集", "Data collection"},
    {UnitLabel, ControlKind::Label, "mm", "mm"},
    {1039, ControlKind::Label, "E", "Internal debug: E"},
    {1044, ControlKind::Label, "采集间隔", "Auto Sampling period"},
    {1045, ControlKind::Label, "  提示音", "  Beep"},
    {LiveValue, ControlKind::Edit, nullptr, nullptr},
    {StatusField, ControlKind::ReadOnlyDisplay, nullptr, nullptr},
    {SoundList, ControlKind::DropDown, nullptr, nullptr},
    {RecordList, ControlKind::ListView, nullptr, nullptr},
};

void expectText(const char* actual, const char* expected) {
    if (expected == nullptr) {
        EXPECT_EQ(actual, nullptr);
    } else {
        ASSERT_NE(actual, nullptr);
        EXPECT_STREQ(actual, expected);
    }
}

TEST(ControlTable, EachControlShowsItsCaptionInEitherLanguage) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.id);
        const DialogControl* c = findControl(row.id);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->kind, row.kind);
        expectText(captionFor(*c, languageOf(1)), row.chinese);
        expectText(captionFor(*c, languageOf(2)), row.english);
        // Any value other than 2 is the Chinese interface.
        expectText(captionFor(*c, languageOf(3)), row.chinese);
    }
    EXPECT_EQ(findControl(0), nullptr);
    EXPECT_EQ(findControl(1050), nullptr);
}

TEST(ControlTable, TheDecorationIsARowOf114FullStops) {
    for (const DialogControl& c : controlTable()) {
        if (objectNameOf(c) != "decoration") continue;
        EXPECT_EQ(std::string(c.chinese), std::string(114, '.'));
        return;
    }
    FAIL() << "no decoration";
}

TEST(ControlTable, TheSoundListPutsNoSoundFirstInBothLanguagesOnceSorted) {
    // The stored index means the same in both languages only if sorting keeps this order.
    for (const Language language : {Language::Chinese, Language::English}) {
        const auto items = soundItems(language);
        ASSERT_EQ(items.size(), 2u);
        EXPECT_LT(std::strcmp(items[0], items[1]), 0);
    }
    EXPECT_STREQ(soundItems(Language::English)[0], "off");
    EXPECT_STREQ(soundItems(Language::Chinese)[0], "无");
    EXPECT_EQ(std::size(kUnitItems), 4u);
    EXPECT_STREQ(kUnitItems[2], "°  ");
}

}  // namespace
}  // namespace mensora
