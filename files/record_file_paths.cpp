#include "files/record_file_paths.h"

#include "files/file_system.h"
#include "files/window_slot.h"
#include "measure/field_format.h"

namespace mensora {
namespace {

// A date part as the file name writes it: a negative one as zeros.
std::uint64_t datePart(int value) { return value < 0 ? 0u : static_cast<std::uint64_t>(value); }

}  // namespace

std::string executableDirectory(const std::string& executablePath) {
    const auto cut = executablePath.find_last_of(kPathSeparators);
    return cut == std::string::npos ? std::string() : executablePath.substr(0, cut + 1);
}

std::string autosaveFileName(const LocalDateTime& date, unsigned slot) {
    std::string name = "bak20231128.xls";
    putDigits(name.data() + 3, datePart(date.year), 4);
    putDigits(name.data() + 7, datePart(date.month), 2);
    putDigits(name.data() + 9, datePart(date.day), 2);
    name.insert(11, windowSuffix(slot));
    return name;
}

}  // namespace mensora
