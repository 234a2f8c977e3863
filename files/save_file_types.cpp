#include "files/save_file_types.h"

#include <algorithm>

namespace mensora {
namespace {

bool endsWithCaseless(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) return false;
    return std::equal(ending.begin(), ending.end(),
                      text.end() - static_cast<std::ptrdiff_t>(ending.size()),
                      [](char lower, char any) {
                          return lower == (any >= 'A' && any <= 'Z' ? any - 'A' + 'a' : any);
                      });
}

}  // namespace

SaveFileType saveFileTypeOf(std::string_view path, std::size_t chosenFilter) {
    if (endsWithCaseless(path, ".xlsx")) return SaveFileType::Workbook;
    if (endsWithCaseless(path, ".xls")) return SaveFileType::RecordFile;
    return chosenFilter == static_cast<std::size_t>(SaveFileType::Workbook)
               ? SaveFileType::Workbook
               : SaveFileType::RecordFile;
}

}  // namespace mensora
