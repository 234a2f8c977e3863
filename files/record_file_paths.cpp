#include "files/record_file_paths.h"

#include "files/file_system.h"

namespace mensora {
namespace {

// Writes the low `digits` decimal digits of value, zero-filled, ending just before `end`.
void putDigits(char* end, int value, int digits) {
    unsigned rest = value < 0 ? 0u : static_cast<unsigned>(value);
    for (int i = 0; i < digits; ++i) {
        *--end = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
}

}  // namespace

std::string executableDirectory(const std::string& executablePath) {
    const auto cut = executablePath.find_last_of(kPathSeparators);
    return cut == std::string::npos ? std::string() : executablePath.substr(0, cut + 1);
}

std::string autosaveFileName(const LocalDateTime& date, unsigned slot) {
    std::string name = "bak20231128.xls";
    putDigits(name.data() + 7, date.year, 4);
    putDigits(name.data() + 9, date.month, 2);
    putDigits(name.data() + 11, date.day, 2);
    if (slot > 1) name.insert(11, "-" + std::to_string(slot));
    return name;
}

std::string autosaveSlotName(unsigned slot) {
    return slot > 1 ? "bak-" + std::to_string(slot) : "bak";
}

}  // namespace mensora
