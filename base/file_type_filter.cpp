#include "base/file_type_filter.h"

namespace mensora {

FileType fileTypeOf(std::string_view filterText) {
    FileType type{"*.*", ""};
    const std::size_t open = filterText.rfind('(');
    const std::size_t close = filterText.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close <= open + 1) {
        return type;
    }
    type.pattern = std::string(filterText.substr(open + 1, close - open - 1));
    constexpr std::string_view kAnyName = "*.";
    const std::string_view pattern = type.pattern;
    if (pattern.substr(0, kAnyName.size()) == kAnyName) {
        const std::string_view extension = pattern.substr(kAnyName.size());
        if (!extension.empty() && extension.find_first_of("*?;. ") == std::string_view::npos) {
            type.extension = std::string(extension);
        }
    }
    return type;
}

}  // namespace mensora
