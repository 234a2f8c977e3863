#pragma once
// The parts sheet: the parts of inspection plans the records were taken for, one row each.

#include "workbook/sheet_cells.h"
#include "workbook/workbook_contents.h"
#include "workbook/workbook_file.h"

namespace mensora {

// Each plan's parts under a row naming the plan and a row of headings: the serial, the time
// of the part's first record, the latest value of each characteristic (red when NG) and the
// part's verdict (blank for the part still being measured). False when the save was
// cancelled.
bool writeParts(lxw_worksheet* sheet, const WorkbookContents& contents, Formats& formats,
                const RowsWritten& progress);

}  // namespace mensora
