#pragma once
// The workbook file itself: sheet 1 the records, then the parts of inspection plans when any
// record was taken with one, the summary with two charts that Excel draws itself, and the
// alarms when the run rules raised any.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "files/file_system.h"
#include "workbook/workbook_contents.h"

namespace mensora {

// Above this many records the run chart shows the last ones only: Excel draws a chart of a
// million points slowly and the eye sees no more in it.
inline constexpr std::uint32_t kRunChartRecords = 10'000;

// Told how many records are written so far; returns false to stop (the save was cancelled).
using RowsWritten = std::function<bool(std::uint32_t rows)>;

enum class WorkbookEnd : std::uint8_t { Written, Cancelled, Failed };

struct WorkbookWriting {
    WorkbookEnd end;
    FileFailure failure = FileFailure::Unknown;  // meaningful only when Failed
};

// Writes the workbook to path in the library's constant-memory mode (each row goes to disk
// as it is finished, so a million records need little memory). A cancelled or failed
// workbook leaves no file at path.
WorkbookWriting writeWorkbookFile(const std::string& path, const WorkbookContents& contents,
                                  const RowsWritten& progress);

}  // namespace mensora
