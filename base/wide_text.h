#pragma once
// Text crosses into Windows as UTF-16 and comes back as UTF-8, the program's own form: the
// code-page ("A") functions would read Chinese texts and paths in the system code page and
// lose them. Windows only (base/wide_text_win32.cpp).

#include <string>
#include <string_view>

namespace mensora {

std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view text);

}  // namespace mensora
