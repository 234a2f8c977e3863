#pragma once
// The words of a dialog template built in memory (a DLGTEMPLATEEX and its items), 16-bit
// aligned as the dialog functions need, and the predefined window classes of its items.
// Every template is in the dialog font, so that its dialog units are the main window's.

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/control_table.h"
#include "base/wide_text.h"

namespace mensora {

// Predefined window classes of a template item, by ordinal.
inline constexpr std::uint16_t kButtonClass = 0x0080;
inline constexpr std::uint16_t kEditClass = 0x0081;
inline constexpr std::uint16_t kStaticClass = 0x0082;
inline constexpr std::uint16_t kListBoxClass = 0x0083;
inline constexpr std::uint16_t kComboBoxClass = 0x0085;

// The platform's id of a static text that no code addresses.
inline constexpr int kNoId = -1;

class TemplateWriter {
public:
    void word(std::uint16_t value) { words_.push_back(value); }
    void dword(std::uint32_t value) {
        word(static_cast<std::uint16_t>(value & 0xFFFF));
        word(static_cast<std::uint16_t>(value >> 16));
    }
    void text(const std::wstring& value) {
        for (const wchar_t c : value) word(static_cast<std::uint16_t>(c));
        word(0);
    }
    void ordinal(std::uint16_t value) {
        word(0xFFFF);
        word(value);
    }

    // The template's head: a client area of `width` x `height` dialog units, in the dialog font
    // (`style` is given DS_SETFONT). The items that follow are counted into it as they are
    // written: a count that missed one would have the system read past the template.
    void head(std::uint32_t exStyle, std::uint32_t style, int width, int height,
              const std::string& title) {
        word(1);       // template version
        word(0xFFFF);  // the extended template
        dword(0);      // help id
        dword(exStyle);
        dword(style | DS_SETFONT);
        countAt_ = words_.size();
        word(0);  // the items, counted by itemPlace
        word(0);
        word(0);
        word(static_cast<std::uint16_t>(width));
        word(static_cast<std::uint16_t>(height));
        word(0);  // no menu
        word(0);  // the dialog class
        text(wide(title));
        word(static_cast<std::uint16_t>(kDialogFontPoints));
        word(FW_NORMAL);
        word(DEFAULT_CHARSET << 8);  // not italic; the character set
        text(wide(kDialogFontFace));
    }

    // An item up to its class, which the caller writes next (an ordinal or a name), then
    // `itemCaption`.
    void itemPlace(std::uint32_t exStyle, std::uint32_t style, const DialogRect& place, int id) {
        if (words_.size() % 2 != 0) word(0);  // every item starts on a 32-bit boundary
        ++words_[countAt_];
        dword(0);  // help id
        dword(exStyle);
        dword(WS_CHILD | WS_VISIBLE | style);
        word(static_cast<std::uint16_t>(place.x));
        word(static_cast<std::uint16_t>(place.y));
        word(static_cast<std::uint16_t>(place.width));
        word(static_cast<std::uint16_t>(place.height));
        dword(static_cast<std::uint32_t>(id));
    }
    void itemCaption(const std::string& caption) {
        text(wide(caption));
        word(0);  // no creation data
    }
    // A whole item of a predefined class.
    void item(const DialogRect& place, int id, std::uint16_t kind, std::uint32_t style,
              std::uint32_t exStyle, const std::string& caption) {
        itemPlace(exStyle, style, place, id);
        ordinal(kind);
        itemCaption(caption);
    }

    std::vector<std::uint16_t> take() { return std::move(words_); }

private:
    std::vector<std::uint16_t> words_;
    std::size_t countAt_ = 0;  // where the head holds the number of items
};

}  // namespace mensora
