#pragma once
// The types of file the Save button offers, in the save dialog's order, and which one a chosen
// name is written as.

#include <cstddef>
#include <string>
#include <string_view>

#include "base/texts.h"

namespace mensora {

// The tab-separated record file, offered first, and the Excel workbook.
enum class SaveFileType : std::size_t { RecordFile = 0, Workbook = 1 };

inline constexpr const char* kRecordFileFilter = "Worksheet Files (*.xls)";
inline constexpr Bilingual kWorkbookFilter{"Excel 工作簿 (*.xlsx)", "Excel Workbook (*.xlsx)"};

// A name ending in ".xlsx" is a workbook and one ending in ".xls" a record file, whichever
// type the dialog showed (in any letter case); any other name is written as the chosen type.
SaveFileType saveFileTypeOf(std::string_view path, std::size_t chosenFilter);

}  // namespace mensora
