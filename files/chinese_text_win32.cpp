#include <windows.h>

#include "files/chinese_text.h"

namespace mensora {

std::optional<std::string> gbkToUtf8(std::string_view bytes) {
    if (bytes.empty()) return std::string();
    constexpr UINT kGbk = 936;
    const int size = static_cast<int>(bytes.size());
    const int wideLength =
        MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (wideLength <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), wideLength);
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, out.data(), length, nullptr, nullptr);
    return out;
}

}  // namespace mensora
