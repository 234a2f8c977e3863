#include "plant/utf16_text.h"

#include <cstdint>

namespace mensora {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// One code point from the front of `text`; a malformed sequence yields the replacement
// character and moves one byte on, so that a broken byte never swallows the text after it.
char32_t takeCodePoint(std::string_view& text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    int length = 1;
    char32_t point = lead;
    if (lead >= 0xF0 && lead < 0xF5) {
        length = 4;
        point = lead & 0x07u;
    } else if (lead >= 0xE0) {
        length = 3;
        point = lead & 0x0Fu;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        length = 2;
        point = lead & 0x1Fu;
    } else if (lead >= 0x80) {
        text.remove_prefix(1);
        return kReplacement;
    }
    if (text.size() < static_cast<std::size_t>(length)) {
        text.remove_prefix(1);
        return kReplacement;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
        if ((next & 0xC0u) != 0x80u) {
            text.remove_prefix(1);
            return kReplacement;
        }
        point = (point << 6) | (next & 0x3Fu);
    }
    text.remove_prefix(static_cast<std::size_t>(length));
    return point;
}

void appendUtf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

}  // namespace

std::u16string utf16(std::string_view utf8Text) {
    std::u16string out;
    out.reserve(utf8Text.size());
    while (!utf8Text.empty()) {
        const char32_t point = takeCodePoint(utf8Text);
        if (point >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(point);
        }
    }
    return out;
}

std::string utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t point = text[i];
        const bool pair = point >= 0xD800 && point < 0xDC00 && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        if (pair) {
            point = 0x10000 + ((point - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (point >= 0xD800 && point < 0xE000) {
            point = kReplacement;
        }
        appendUtf8(out, point);
    }
    return out;
}

}  // namespace mensora
