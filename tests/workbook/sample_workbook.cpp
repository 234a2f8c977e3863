// Writes the workbook of a known run of records (tests/workbook/sample_run.h), as the program
// writes it, for the test that reads it back with an independent reader
// (workbook_readback.py):
//
//   sample_workbook <file.xlsx> <zh|en> <records> [plan]
//
// With "plan" the records after the first are taken with an inspection plan in force
// (samplePlanParts).
//
// The process takes its locale from the environment, as the Qt program does.

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "tests/workbook/sample_run.h"
#include "workbook/workbook_file.h"

using namespace mensora;

int main(int argc, char** argv) {
    if (argc != 4 && !(argc == 5 && std::string(argv[4]) == "plan")) {
        std::fprintf(stderr, "usage: sample_workbook <file.xlsx> <zh|en> <records> [plan]\n");
        return 2;
    }
    std::setlocale(LC_ALL, "");
    const std::string path = argv[1];
    const Language language = std::string(argv[2]) == "en" ? Language::English : Language::Chinese;
    const auto count = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));

    AcquisitionState state;
    RecordStore store(std::max<std::uint32_t>(count, 1));
    ChartData chartData;
    test::fillSampleRun(count, language, state, store, chartData);
    PlanStamps stamps(std::max<std::uint32_t>(count, 1));
    WorkbookPlanParts planParts;
    if (argc == 5) planParts = test::samplePlanParts(count, stamps);
    const WorkbookContents contents = workbookContents(
        state, store, chartData, test::sampleTraces(count), test::kLotB, std::move(planParts));
    const WorkbookWriting writing =
        writeWorkbookFile(path, contents, [](std::uint32_t) { return true; });
    if (writing.end != WorkbookEnd::Written) {
        std::fprintf(stderr, "sample_workbook: not written (cause %d)\n",
                     static_cast<int>(writing.failure));
        return 1;
    }
    return 0;
}
