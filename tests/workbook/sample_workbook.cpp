// Writes the workbook of a known run of records (tests/workbook/sample_run.h), as the program
// writes it, for the test that reads it back with an independent reader
// (workbook_readback.py):
//
//   sample_workbook <file.xlsx> <zh|en> <records> [plan|alarms]
//   sample_workbook <file.xlsx> <zh|en> study
//
// With "plan" the records after the first are taken with an inspection plan in force
// (samplePlanParts); with "alarms" the run rules raised sampleAlarms(); "study" writes the
// workbook of the worked example's gauge study instead.
//
// The process takes its locale from the environment, as the Qt program does.

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "base/number_text.h"
#include "tests/support/sample_alarms.h"
#include "tests/support/sample_study.h"
#include "tests/workbook/sample_run.h"
#include "workbook/study_workbook.h"
#include "workbook/workbook_file.h"

using namespace mensora;

namespace {

int written(const WorkbookWriting& writing) {
    if (writing.end == WorkbookEnd::Written) return 0;
    std::fprintf(stderr, "sample_workbook: not written (cause %d)\n",
                 static_cast<int>(writing.failure));
    return 1;
}

// The worked example, finished on the morning of the sample run.
FinishedGaugeStudy sampleStudy() {
    auto study = GaugeStudy::start({test::kStudyReference, test::kStudyTolerance, 25});
    for (const char* reading : test::kStudyReadings) study->add(*parseDouble(reading), 3);
    return {{2026, 12, 7, 7, 45, 0}, "G-07",           "mm", study->setup(),
            study->readings(),       *study->figures()};
}

}  // namespace

int main(int argc, char** argv) {
    const std::string extra = argc == 5 ? argv[4] : "";
    if (argc != 4 && !(argc == 5 && (extra == "plan" || extra == "alarms"))) {
        std::fprintf(stderr,
                     "usage: sample_workbook <file.xlsx> <zh|en> <records> [plan|alarms]\n");
        return 2;
    }
    std::setlocale(LC_ALL, "");
    const std::string path = argv[1];
    const Language language = std::string(argv[2]) == "en" ? Language::English : Language::Chinese;
    if (std::string(argv[3]) == "study") {
        return written(writeStudyWorkbook(path, sampleStudy(), language));
    }
    const auto count = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));

    AcquisitionState state;
    RecordStore store(std::max<std::uint32_t>(count, 1));
    ChartData chartData;
    test::fillSampleRun(count, language, state, store, chartData);
    PlanStamps stamps(std::max<std::uint32_t>(count, 1));
    WorkbookPlanParts planParts;
    if (extra == "plan") planParts = test::samplePlanParts(count, stamps);
    RecordListTexts marks(store);
    test::markSampleWarnings(state, store, marks);
    WorkbookContents contents = workbookContents(state, store, chartData, test::sampleTraces(count),
                                                 test::kLotB, std::move(planParts), &marks);
    if (extra == "alarms") contents.alarms = test::sampleAlarms();
    return written(writeWorkbookFile(path, contents, [](std::uint32_t) { return true; }));
}
