#pragma once
// Text from a Chinese Windows' own code page (GBK, code page 936), which Excel writes a plain
// "CSV" in, as UTF-8. The platform converts: iconv on POSIX, the code page on Windows.

#include <optional>
#include <string>
#include <string_view>

namespace mensora {

// None when the bytes are not GBK either.
std::optional<std::string> gbkToUtf8(std::string_view bytes);

// Whether the bytes are well-formed UTF-8 (ASCII is).
bool isUtf8(std::string_view bytes);

}  // namespace mensora
