#pragma once
// The words of a dialog template built in memory (a DLGTEMPLATEEX and its items), 16-bit
// aligned as the dialog functions need, and the predefined window classes of its items.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace mensora {

// Predefined window classes of a template item, by ordinal.
inline constexpr std::uint16_t kButtonClass = 0x0080;
inline constexpr std::uint16_t kEditClass = 0x0081;
inline constexpr std::uint16_t kStaticClass = 0x0082;
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
    // Every item starts on a 32-bit boundary of the template.
    void alignItem() {
        if (words_.size() % 2 != 0) word(0);
    }
    std::vector<std::uint16_t> take() { return std::move(words_); }

private:
    std::vector<std::uint16_t> words_;
};

}  // namespace mensora
