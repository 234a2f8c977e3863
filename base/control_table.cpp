#include "base/control_table.h"

#include "base/control_ids.h"
#include "base/texts.h"

namespace mensora {
namespace {

// The decoration along the top of the window: a row of 114 full stops.
constexpr const char kDecorationDots[] =
    "........................................................."
    ".........................................................";
static_assert(sizeof kDecorationDots == 114 + 1);

using K = ControlKind;

constexpr std::uint8_t kPlain = 0;
constexpr std::uint8_t kCentred = AlignHCentre | AlignVCentre;
constexpr std::uint8_t kRight = AlignRight;

// One row a control, as the template lists them.
// clang-format off
constexpr DialogControl kControls[] = {
    {RecordGroup, nullptr, K::GroupBox, TitleCentred, {7, 54, 246, 286}, "数据采集", "Data collection"},
    {LiveGroup, nullptr, K::GroupBox, kPlain, {261, 22, 252, 108},
     "实时测量值", "Real-time measurement"},
    {StatisticsGroup, nullptr, K::GroupBox, kPlain, {261, 136, 252, 82},
     "实时统计", "Real-time statistics"},
    {ParametersGroup, nullptr, K::GroupBox, kPlain, {261, 223, 252, 101}, "参数设置", "Parameters"},
    {1032, nullptr, K::Label, kPlain, {273, 154, 25, 9}, "平均值", "  AVG"},
    {1033, nullptr, K::Label, kPlain, {273, 176, 24, 9}, "最大值", "  MAX"},
    {1034, nullptr, K::Label, kPlain, {273, 198, 23, 9}, "最小值", "  MIN"},
    {1035, nullptr, K::Label, kPlain, {348, 154, 30, 9}, "测量数量", "   Num"},
    {1036, nullptr, K::Label, kPlain, {348, 176, 31, 9}, "正常数量", "    OK"},
    {1037, nullptr, K::Label, kPlain, {428, 154, 31, 9}, "超上差数", "    NG+"},
    {1038, nullptr, K::Label, kPlain, {428, 176, 31, 9}, "超下差数", "    NG-"},
    {LiveValue, nullptr, K::Edit, kRight, {268, 40, 177, 49}, nullptr, nullptr},
    {AverageField, nullptr, K::ReadOnlyDisplay, kPlain, {300, 153, 37, 12}, nullptr, nullptr},
    {ConnectButton, nullptr, K::PushButton, kPlain, {268, 97, 52, 26},
     texts::kConnectCaption.chinese, texts::kConnectCaption.english},
    {MaximumField, nullptr, K::ReadOnlyDisplay, kPlain, {300, 175, 37, 12}, nullptr, nullptr},
    {MinimumField, nullptr, K::ReadOnlyDisplay, kPlain, {300, 196, 37, 12}, nullptr, nullptr},
    {CountField, nullptr, K::ReadOnlyDisplay, kPlain, {380, 153, 37, 12}, nullptr, nullptr},
    {OkCountField, nullptr, K::ReadOnlyDisplay, kPlain, {380, 174, 37, 12}, nullptr, nullptr},
    {OverUpperField, nullptr, K::ReadOnlyDisplay, kPlain, {461, 153, 37, 12}, nullptr, nullptr},
    {UnderLowerField, nullptr, K::ReadOnlyDisplay, kPlain, {461, 174, 37, 12}, nullptr, nullptr},
    {1041, nullptr, K::Label, kPlain, {266, 243, 32, 9}, "标准尺寸", "  STD"},
    {1042, nullptr, K::Label, kPlain, {266, 265, 32, 9}, "上公差", "  USL"},
    {1043, nullptr, K::Label, kPlain, {266, 287, 32, 9}, "下公差", "  LSL"},
    {NominalField, nullptr, K::Edit, kPlain, {299, 242, 37, 12}, nullptr, nullptr},
    {UpperToleranceField, nullptr, K::Edit, kPlain, {299, 263, 37, 12}, nullptr, nullptr},
    {LowerToleranceField, nullptr, K::Edit, kPlain, {299, 285, 37, 12}, nullptr, nullptr},
    {1045, nullptr, K::Label, kPlain, {349, 243, 31, 9}, "  提示音", "  Beep"},
    {1046, nullptr, K::Label, kPlain, {349, 265, 31, 9}, "显示单位", "  Unit"},
    {SoundList, nullptr, K::DropDown, SortedItems, {382, 242, 32, 33}, nullptr, nullptr},
    {1044, nullptr, K::Label, kPlain, {428, 243, 32, 31}, "采集间隔", "Auto Sampling period"},
    {SampleIntervalField, nullptr, K::Edit, kRight, {461, 242, 37, 12}, nullptr, nullptr},
    {1047, nullptr, K::Label, kPlain, {480, 255, 16, 9}, "毫秒", "  Ms"},
    {RecordList, nullptr, K::ListView, kPlain, {8, 66, 243, 257}, nullptr, nullptr},
    {StatusField, nullptr, K::ReadOnlyDisplay, AlignHCentre, {325, 110, 29, 12}, nullptr, nullptr},
    {ZeroButton, nullptr, K::PushButton, kPlain, {393, 98, 52, 26}, "清 零", "Zero"},
    {AutoButton, nullptr, K::PushButton, kPlain, {201, 22, 52, 26},
     texts::kAutoStartCaption.chinese, texts::kAutoStartCaption.english},
    {ManualButton, nullptr, K::PushButton, kPlain, {136, 22, 52, 26}, "手动采集", "Manual"},
    {SaveButton, nullptr, K::PushButton, kPlain, {72, 22, 52, 26}, "保存导出", "Save"},
    {ClearButton, nullptr, K::PushButton, kPlain, {8, 22, 52, 26}, "清除记录", "Clear"},
    {ParametersButton, nullptr, K::PushButton, kPlain, {365, 300, 52, 19},
     texts::kParametersCaption.chinese, texts::kParametersCaption.english},
    {UnitLabel, nullptr, K::Label, kCentred, {448, 40, 60, 48}, "mm", nullptr},
    {UnitList, nullptr, K::DropDown, kPlain, {382, 263, 32, 53}, nullptr, nullptr},
    {BadFrameField, nullptr, K::ReadOnlyDisplay, AlignHCentre, {428, 326, 37, 12},
     nullptr, nullptr},
    {1039, nullptr, K::Label, kRight, {418, 328, 8, 9}, "E", "Internal debug: E"},
    {SilentPollField, nullptr, K::ReadOnlyDisplay, AlignHCentre, {476, 326, 37, 12},
     nullptr, nullptr},
    {1040, nullptr, K::Label, kRight, {466, 328, 8, 9}, "M", nullptr},
    {ChineseRadio, nullptr, K::RadioButton, kPlain, {446, 7, 27, 16}, "中文", nullptr},
    {EnglishRadio, nullptr, K::RadioButton, kPlain, {474, 7, 44, 16}, "English", nullptr},
    {0, "decoration", K::Label, SpreadAcross, {8, 8, 436, 11}, kDecorationDots, nullptr},
    {GoodFrameField, nullptr, K::ReadOnlyDisplay, AlignHCentre, {365, 326, 51, 12},
     nullptr, nullptr},
    {0, "labelR", K::Label, kPlain, {355, 328, 8, 8}, "R", nullptr},
    {AutosaveCheck, nullptr, K::CheckBox, kPlain, {192, 326, 58, 10}, "60秒自动保存", "60 sec Save"},
};
// clang-format on

}  // namespace

std::span<const DialogControl> controlTable() { return kControls; }

const DialogControl* findControl(int id) {
    if (id == 0) return nullptr;
    for (const DialogControl& control : kControls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

const char* captionFor(const DialogControl& control, Language language) {
    if (language == Language::English && control.english != nullptr) return control.english;
    return control.chinese;
}

std::string objectNameOf(const DialogControl& control) {
    return control.name != nullptr ? std::string(control.name) : std::to_string(control.id);
}

std::span<const char* const> soundItems(Language language) {
    if (language == Language::English) return kSoundItemsEnglish;
    return kSoundItemsChinese;
}

std::span<const char* const> templateListItems(int controlId) {
    switch (controlId) {
        case SoundList: return kSoundItemsChinese;
        case UnitList: return kUnitItems;
        default: return {};
    }
}

std::string recordUnitName(std::uint8_t unitIndex) {
    if (unitIndex >= std::size(kUnitItems)) return {};
    const std::string item = kUnitItems[unitIndex];
    const auto last = item.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : item.substr(0, last + 1);
}

std::uint8_t unitIndexOfRecordName(std::string_view name) {
    for (std::uint8_t index = 0; index < std::size(kUnitItems); ++index) {
        if (!name.empty() && recordUnitName(index) == name) return index;
    }
    return 255;
}

const char* unitTextOf(std::uint8_t unitIndex) {
    switch (unitIndex) {
        case 0: return "mm";
        case 1: return "in";
        case 2: return "°";
        default: return "  ";
    }
}

}  // namespace mensora
