#include <iconv.h>

#include <cerrno>

#include "files/chinese_text.h"

namespace mensora {

std::optional<std::string> gbkToUtf8(std::string_view bytes) {
    const iconv_t converter = iconv_open("UTF-8", "GBK");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    // Every GBK character of two bytes becomes at most three of UTF-8.
    std::string out(bytes.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* next = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(converter, &in, &inLeft, &next, &outLeft);
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace mensora
