#pragma once
// The interface language. Settings hold it as a whole number under "Language"; the program
// converts that number here, once, and passes a Language everywhere else.

#include <cstdint>

namespace mensora {

enum class Language : std::uint8_t { Chinese, English };

// What the language radio buttons store: 1 Chinese, 2 English.
inline constexpr std::int32_t kStoredChinese = 1;
inline constexpr std::int32_t kStoredEnglish = 2;

// A stored 2 is English; any other stored value (1, a missing setting, a stray 3) is Chinese.
inline constexpr Language languageOf(std::int32_t storedValue) {
    return storedValue == kStoredEnglish ? Language::English : Language::Chinese;
}

inline constexpr std::int32_t storedValueOf(Language language) {
    return language == Language::English ? kStoredEnglish : kStoredChinese;
}

}  // namespace mensora
