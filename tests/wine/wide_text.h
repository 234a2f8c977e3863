#pragma once
// UTF-8 (the program's paths) to UTF-16 (what Windows takes) for the tests' own file calls.

#include <windows.h>

#include <string>

namespace mensora::test {

inline std::wstring wide(const std::string& utf8) {
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
    return text;
}

}  // namespace mensora::test
