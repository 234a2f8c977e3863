#pragma once
// The main window's dialog template: every control with its kind, its place in dialog units
// and its caption in both languages. The Qt window and the native Win32 window both build
// themselves from this table, and the window's initialisation puts the English captions on
// from it: no other file holds the controls' texts.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/language.h"

namespace mensora {

enum class ControlKind : std::uint8_t {
    GroupBox,
    Label,
    Edit,             // an editable field
    ReadOnlyDisplay,  // a disabled field with a thin edge: the program writes, nobody types
    PushButton,
    DropDown,  // a list with an edit part: typed text may match no item
    ListView,
    RadioButton,
    CheckBox,
};

// How a control places its content; the bits combine. Without any, text sits left and top.
enum ControlStyle : std::uint8_t {
    AlignRight = 1 << 0,
    AlignHCentre = 1 << 1,
    AlignVCentre = 1 << 2,
    SortedItems = 1 << 3,   // a drop-down that keeps its items in alphabetical order
    TitleCentred = 1 << 4,  // a group box whose title sits in the middle of its top edge
    SpreadAcross = 1 << 5,  // a row of marks drawn evenly across the whole width of its label
};

// A rectangle in dialog units: a quarter of the dialog font's average character width
// across, an eighth of its cell height down.
struct DialogRect {
    int x;
    int y;
    int width;
    int height;
};

struct DialogControl {
    int id;            // 0 for the two labels that have no id
    const char* name;  // object name of an id-less label; nullptr where the id names it
    ControlKind kind;
    std::uint8_t style;  // ControlStyle bits
    DialogRect rect;
    const char* chinese;  // caption; nullptr for a control without one
    const char* english;  // nullptr where the English interface keeps the Chinese caption
};

// The dialog itself: its client size and font as the template gives them.
inline constexpr int kDialogWidthUnits = 518;
inline constexpr int kDialogHeightUnits = 346;
inline constexpr const char* kDialogFontFace = "宋体";
inline constexpr int kDialogFontPoints = 10;
// The smallest size the user can drag the window to, in pixels, frame and caption bar
// included.
inline constexpr int kMinimumWidthPixels = 918;
inline constexpr int kMinimumHeightPixels = 599;

// The large type of the live reading and its unit: bold, its cell (ascent and descent, not
// the em) 70 pixels high at 96 dots per inch.
inline constexpr const char* kDisplayFontFace = "黑体";
inline constexpr int kDisplayFontHeight = 70;

// The window's own menu item that opens the About box.
inline constexpr const char* kAboutItemText = "关于 Mensora(&A)...";

// Items of the two drop-down lists. The sound list's items differ by language; sorted, both
// pairs put "no sound" at index 0. The unit list is the same in both languages.
inline constexpr const char* kSoundItemsChinese[] = {"无", "有"};
inline constexpr const char* kSoundItemsEnglish[] = {"off", "on"};
inline constexpr const char* kUnitItems[] = {"mm", "inch", "°  ", "  "};

// Every control, in the template's order (which is also the order in which they stack:
// the group boxes first, beneath everything they frame).
std::span<const DialogControl> controlTable();

// The row of a control id, or nullptr when the window has no such control.
const DialogControl* findControl(int id);

// The caption a control shows in the given interface language; nullptr when it has none.
const char* captionFor(const DialogControl& control, Language language);

// The object name that identifies a control: its id in decimal, or its name when it has none.
std::string objectNameOf(const DialogControl& control);

// The sound list's items in the given interface language.
std::span<const char* const> soundItems(Language language);

// The items a drop-down holds as the template fills it (the Chinese sound items, the unit
// items); none for any other control. The initialisation puts on the English sound items.
std::span<const char* const> templateListItems(int controlId);

// The unit text shown beside the live reading for the unit list's selected index: shorter
// than the list's item, two blanks for no unit or nothing selected.
const char* unitTextOf(std::uint8_t unitIndex);
// The unit as every record that leaves the list names it (journal, workbook, plant database):
// the unit list's item without its blanks ("mm", "inch", "°"), empty when none is selected.
std::string recordUnitName(std::uint8_t unitIndex);
// The unit list's index of a unit so named; 255 (none) for any other name.
std::uint8_t unitIndexOfRecordName(std::string_view name);

}  // namespace mensora
