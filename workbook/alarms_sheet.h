#pragma once
// The alarms sheet: each alarm the run rules raised as the records were taken, one row each,
// with the operator's acknowledgement beside it.

#include "workbook/sheet_cells.h"
#include "workbook/workbook_contents.h"

namespace mensora {

// A heading row, then a row per raised alarm in the order raised: its number, time, rule and
// chart, the characteristic and the records the rule's pattern covers, and, once acknowledged,
// the time, cause and note of the acknowledgement (empty before).
void writeAlarms(lxw_worksheet* sheet, const WorkbookContents& contents, Formats& formats);

}  // namespace mensora
