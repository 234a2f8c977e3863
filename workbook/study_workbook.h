#pragma once
// A finished gauge study as a workbook of its own: one sheet of its readings, one of its setup
// and result, the figures as the study window shows them.

#include <string>

#include "base/language.h"
#include "measure/gauge_study.h"
#include "workbook/workbook_file.h"

namespace mensora {

WorkbookWriting writeStudyWorkbook(const std::string& path, const FinishedGaugeStudy& study,
                                   Language language);

}  // namespace mensora
