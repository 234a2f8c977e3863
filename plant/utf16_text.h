#pragma once
// ODBC's wide calls carry UTF-16 on both platforms (unixODBC's SQLWCHAR and Windows' WCHAR are
// both two bytes): the program's UTF-8 texts cross over and back here, Chinese included.

#include <string>
#include <string_view>

namespace mensora {

std::u16string utf16(std::string_view utf8);
std::string utf8(std::u16string_view text);

}  // namespace mensora
