#include "workbook/study_workbook.h"

#include <string_view>

#include "base/number_text.h"
#include "measure/field_format.h"
#include "measure/gauge_study_result_text.h"
#include "workbook/book_file.h"
#include "workbook/sheet_cells.h"
#include "workbook/workbook_texts.h"

namespace mensora {
namespace {

namespace wt = workbook_texts;

void writeReadings(lxw_worksheet* sheet, const FinishedGaugeStudy& study, Language language,
                   Formats& formats) {
    worksheet_set_column(sheet, 0, 0, 8, nullptr);
    worksheet_set_column(sheet, 1, 2, 14, nullptr);
    for (lxw_col_t column = 0; column < wt::kStudyReadingsHeader.size(); ++column) {
        worksheet_write_string(sheet, 0, column, pick(wt::kStudyReadingsHeader[column], language),
                               formats.header());
    }
    lxw_row_t row = 1;
    for (const StudyReading& reading : study.readings) {
        const int places = reading.decimalPlaces;
        worksheet_write_number(sheet, row, 0, row, formats.plain(CellLook::Plain));
        worksheet_write_number(sheet, row, 1, reading.value,
                               formats.number(places, CellLook::Plain));
        // The difference read as the gauge reads, not with a float's tail.
        const std::string difference = fixedText(reading.value - study.setup.reference, places);
        writeNumberOrText(sheet, row, 2, fieldNumber(difference), difference, formats,
                          CellLook::Plain);
        ++row;
    }
}

void writeResults(lxw_worksheet* sheet, const FinishedGaugeStudy& study, Language language,
                  Formats& formats) {
    worksheet_set_column(sheet, 0, 0, 18, nullptr);
    worksheet_set_column(sheet, 1, 1, 24, nullptr);
    const GaugeStudyFigures& figures = study.figures;
    const int places = figures.decimalPlaces;
    lxw_row_t row = 0;
    const auto label = [&](std::string_view name) {
        worksheet_write_string(sheet, row, 0, std::string(name).c_str(), formats.header());
    };
    const auto text = [&](std::string_view name, const std::string& value) {
        label(name);
        worksheet_write_string(sheet, row++, 1, value.c_str(), nullptr);
    };
    // A figure as the window shows it: a number with its places, or its text ("—").
    const auto figure = [&](std::string_view name, const std::string& shown) {
        if (const std::optional<FieldNumber> number = fieldNumber(shown)) {
            label(name);
            worksheet_write_number(sheet, row++, 1, number->value,
                                   formats.number(number->decimals, CellLook::Plain));
        } else {
            text(name, shown);
        }
    };
    text(pick(wt::kStudyGauge, language), study.gaugeId);
    label(pick(wt::kStudyFinished, language));
    const TimeStampText stamp = formatTimeStamp(study.finishedAt);
    writeTime(sheet, row++, 1, study.finishedAt, std::string_view(stamp.data(), stamp.size()),
              formats, CellLook::Plain);
    text(pick(wt::kUnit, language), study.unit);
    figure(pick(wt::kStudyReference, language), fixedText(study.setup.reference, places));
    figure(pick(wt::kStudyTolerance, language), fixedText(study.setup.tolerance, places));
    figure(pick(wt::kStudyCount, language), std::to_string(study.setup.count));
    for (const StudyFigureText& shown : gaugeStudyFigureTexts(figures, language)) {
        figure(shown.name, shown.value);
    }
    text(pick(wt::kStudyVerdict, language), gaugeStudyVerdictText(figures, language));
    figure(pick(wt::kStudyStep, language), fixedText(figures.readingStep, places));
    const std::string warning = gaugeStudyStepWarning(figures, language);
    if (!warning.empty()) text("", warning);
}

}  // namespace

WorkbookWriting writeStudyWorkbook(const std::string& path, const FinishedGaugeStudy& study,
                                   Language language) {
    BookFile file(path);
    if (file.book() == nullptr) return {WorkbookEnd::Failed, FileFailure::Unknown};
    Formats formats(file.book());
    lxw_worksheet* readings = file.addSheet(pick(wt::kStudyReadingsSheet, language));
    lxw_worksheet* results = file.addSheet(pick(wt::kStudyResultsSheet, language));
    writeReadings(readings, study, language, formats);
    writeResults(results, study, language, formats);
    return file.close();
}

}  // namespace mensora
