#include "workbook/workbook_file.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <map>
#include <string_view>
#include <variant>
#include <vector>

#include "base/number_text.h"
#include "workbook/book_file.h"
#include "charts/histogram.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "workbook/alarms_sheet.h"
#include "workbook/parts_sheet.h"
#include "workbook/plan_part_rows.h"
#include "workbook/record_cells.h"
#include "workbook/sheet_cells.h"
#include "workbook/workbook_texts.h"

namespace mensora {
namespace {

namespace wt = workbook_texts;

// How often the rows written are reported: often enough for a smooth bar, seldom enough to
// cost nothing.
constexpr std::uint32_t kRowsPerReport = 4096;

// Sheet 1: the header, then one row per record; false when the save was cancelled.
bool writeRecords(lxw_worksheet* sheet, const WorkbookContents& contents, Formats& formats,
                  const RowsWritten& progress) {
    const Language language = contents.language;
    const RecordStore& store = contents.store;
    worksheet_set_column(sheet, No, No, 9, nullptr);
    worksheet_set_column(sheet, Value, Error, 12, nullptr);
    worksheet_set_column(sheet, Result, Result, 8, nullptr);
    worksheet_set_column(sheet, Time, Time, 20, nullptr);
    worksheet_set_column(sheet, FirstTrace, FirstTrace + 4, 16, nullptr);
    for (std::size_t column = 0; column < wt::kRecordColumns; ++column) {
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(column),
                               pick(wt::kRecordHeader[column], language), formats.header());
    }
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_autofilter(sheet, 0, 0, contents.count, wt::kRecordColumns - 1);

    const char* okText = pick(texts::kVerdictOk, language);
    const char* ngText = pick(texts::kVerdictNg, language);
    const auto& combinations = contents.traces.combinations;
    for (std::uint32_t index = 0; index < contents.count; ++index) {
        if (index % kRowsPerReport == 0 && !progress(index)) return false;
        const RecordCells cells = recordCells(store, index);
        const CellLook look =
            recordLook(cells.ok, contents.marks != nullptr && contents.marks->warned(index));
        const lxw_row_t row = index + 1;
        worksheet_write_number(sheet, row, No, index + 1.0, formats.plain(look));
        writeNumberOrText(sheet, row, Value, cells.value, store.valueField(index), formats, look);
        writeNumberOrText(sheet, row, Error, cells.error, store.errorField(index), formats, look);
        worksheet_write_string(sheet, row, Result, cells.ok ? okText : ngText, formats.plain(look));
        writeTime(sheet, row, Time, cells.time, store.timeField(index), formats, look);
        const std::uint16_t combination = contents.traces.combinationOfRecord[index];
        if (combination == 0 || combination >= combinations.size()) continue;
        const TraceValues& trace = combinations[combination];
        const std::string* values[] = {&trace.part, &trace.characteristic, &trace.lot,
                                       &trace.operatorName, &trace.gaugeId};
        for (lxw_col_t column = 0; column < 5; ++column) {
            if (values[column]->empty()) continue;
            worksheet_write_string(sheet, row, FirstTrace + column, values[column]->c_str(),
                                   formats.plain(look));
        }
    }
    return progress(contents.count);
}

// The summary sheet's cells gathered first: the library in constant-memory mode takes each
// sheet's rows only in order, and the summary lists its figures and the charts' small tables
// side by side.
class SummaryCells {
public:
    struct Cell {
        std::variant<std::string, double> content;
        lxw_format* format;
    };

    void text(lxw_row_t row, lxw_col_t column, std::string text, lxw_format* format = nullptr) {
        rows_[row][column] = Cell{std::move(text), format};
    }
    void number(lxw_row_t row, lxw_col_t column, double value, lxw_format* format) {
        rows_[row][column] = Cell{value, format};
    }
    // A figure as its text shows it: a number with the text's places, or the text itself
    // ("—" for a figure that is undefined).
    void figure(lxw_row_t row, lxw_col_t column, const std::string& shown, Formats& formats) {
        if (const auto number = fieldNumber(shown)) {
            this->number(row, column, number->value,
                         formats.number(number->decimals, CellLook::Plain));
        } else {
            text(row, column, shown);
        }
    }

    void writeTo(lxw_worksheet* sheet) const {
        for (const auto& [row, cells] : rows_) {
            for (const auto& [column, cell] : cells) {
                if (const auto* value = std::get_if<double>(&cell.content)) {
                    worksheet_write_number(sheet, row, column, *value, cell.format);
                } else {
                    worksheet_write_string(sheet, row, column,
                                           std::get<std::string>(cell.content).c_str(),
                                           cell.format);
                }
            }
        }
    }

private:
    std::map<lxw_row_t, std::map<lxw_col_t, Cell>> rows_;
};

// Where the summary puts its parts: the figures in A:B, the run chart's limit lines in M:P,
// the histogram's bins in R:U, the charts between them.
constexpr lxw_col_t kLabelColumn = 0;
constexpr lxw_col_t kFigureColumn = 1;
constexpr lxw_col_t kLinesColumn = 12;
constexpr lxw_col_t kBinsColumn = 17;
constexpr lxw_col_t kChartColumn = 3;

// The figures of the summary, heading by heading; returns the next free row.
lxw_row_t listFigures(SummaryCells& cells, const WorkbookContents& contents, Formats& formats) {
    const Language language = contents.language;
    const WorkbookSummary& summary = contents.summary;
    lxw_row_t row = 0;
    const auto heading = [&](const Bilingual& text) {
        cells.text(row++, kLabelColumn, pick(text, language), formats.header());
    };
    const auto figure = [&](const char* label, const std::string& shown) {
        cells.text(row, kLabelColumn, label);
        cells.figure(row++, kFigureColumn, shown, formats);
    };
    heading(wt::kParametersHeading);
    figure(pick(wt::kNominal, language), summary.nominal);
    figure(pick(wt::kUpperTolerance, language), summary.upperTolerance);
    figure(pick(wt::kLowerTolerance, language), summary.lowerTolerance);
    figure(pick(wt::kUpperLimit, language), summary.upperLimit);
    figure(pick(wt::kLowerLimit, language), summary.lowerLimit);
    figure(pick(wt::kUnit, language), summary.unit);
    ++row;
    heading(wt::kStatisticsHeading);
    figure(pick(wt::kCount, language), summary.count);
    figure(pick(wt::kOkCount, language), summary.okCount);
    figure(pick(wt::kOverUpperCount, language), summary.overUpperCount);
    figure(pick(wt::kUnderLowerCount, language), summary.underLowerCount);
    figure(pick(wt::kAverage, language), summary.average);
    figure(pick(wt::kMaximum, language), summary.maximum);
    figure(pick(wt::kMinimum, language), summary.minimum);
    ++row;
    heading(wt::kCapabilityHeading);
    for (std::size_t i = 0; i < kFigureCount; ++i) {
        figure(pick(kFigureRows[i].label, language), summary.figures[i]);
    }
    ++row;
    heading(wt::kTraceHeading);
    const TraceValues& trace = summary.inForce;
    const std::string* values[] = {&trace.part, &trace.characteristic, &trace.lot,
                                   &trace.operatorName, &trace.gaugeId};
    for (std::size_t i = 0; i < 5; ++i) {
        cells.text(row, kLabelColumn, pick(wt::kRecordHeader[FirstTrace + i], language));
        cells.text(row++, kFigureColumn, *values[i]);
    }
    return row;
}

// The run chart: the values of the last records shown, with USL, LSL and nominal drawn as
// lines between the first and the last record number shown.
void addRunChart(lxw_workbook* book, lxw_worksheet* summarySheet, SummaryCells& cells,
                 const WorkbookContents& contents, Formats& formats) {
    const Language language = contents.language;
    const std::uint32_t first =
        contents.count > kRunChartRecords ? contents.count - kRunChartRecords : 0;
    const lxw_row_t firstRow = first + 1;
    const lxw_row_t lastRow = contents.count;

    const double limits[] = {contents.limits.upper, contents.limits.lower, contents.limits.nominal};
    const char* names[] = {pick(wt::kUpperLimit, language), pick(wt::kLowerLimit, language),
                           pick(wt::kNominalSeries, language)};
    cells.text(0, kLinesColumn, pick(wt::kRecordHeader[No], language), formats.header());
    cells.number(1, kLinesColumn, firstRow, nullptr);
    cells.number(2, kLinesColumn, lastRow, nullptr);
    for (lxw_col_t line = 0; line < 3; ++line) {
        cells.text(0, kLinesColumn + 1 + line, names[line], formats.header());
        cells.number(1, kLinesColumn + 1 + line, limits[line], nullptr);
        cells.number(2, kLinesColumn + 1 + line, limits[line], nullptr);
    }

    lxw_chart* chart = workbook_add_chart(book, LXW_CHART_SCATTER_STRAIGHT);
    const char* records = pick(wt::kRecordsSheet, language);
    const char* summary = pick(wt::kSummarySheet, language);
    lxw_chart_series* values = chart_add_series(chart, nullptr, nullptr);
    chart_series_set_categories(values, records, firstRow, No, lastRow, No);
    chart_series_set_values(values, records, firstRow, Value, lastRow, Value);
    chart_series_set_name(values, pick(wt::kValuesSeries, language));
    lxw_chart_line thin{};
    thin.color = 0x1F5FAF;
    thin.width = 0.75;
    chart_series_set_line(values, &thin);

    const lxw_color_t lineColours[] = {LXW_COLOR_RED, LXW_COLOR_RED, 0x2E8B57};
    for (lxw_col_t line = 0; line < 3; ++line) {
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        chart_series_set_categories(series, summary, 1, kLinesColumn, 2, kLinesColumn);
        chart_series_set_values(series, summary, 1, kLinesColumn + 1 + line, 2,
                                kLinesColumn + 1 + line);
        chart_series_set_name(series, names[line]);
        lxw_chart_line style{};
        style.color = lineColours[line];
        style.width = 1.25;
        style.dash_type = line == 2 ? LXW_CHART_LINE_DASH_DASH : LXW_CHART_LINE_DASH_SOLID;
        chart_series_set_line(series, &style);
    }

    std::string title = pick(wt::kRunChartTitle, language);
    if (first > 0) {
        title = std::string(pick(wt::kRunChartLastRecords, language)) +
                std::to_string(kRunChartRecords) + pick(wt::kRunChartLastRecordsEnd, language);
    }
    chart_title_set_name(chart, title.c_str());
    chart_axis_set_min(chart->x_axis, firstRow);
    chart_axis_set_max(chart->x_axis, lastRow);
    chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    lxw_chart_options place{};
    place.x_scale = 1.6;
    place.y_scale = 1.3;
    worksheet_insert_chart_opt(summarySheet, 1, kChartColumn, chart, &place);
}

// The histogram: the charts window's bins as columns that touch.
void addHistogram(lxw_workbook* book, lxw_worksheet* summarySheet, SummaryCells& cells,
                  const WorkbookContents& contents, Formats& formats) {
    const Bins bins = binValues(contents.chartValues, contents.capability, contents.chartDecimals);
    if (bins.counts.empty()) return;
    const Language language = contents.language;
    const int decimals = contents.chartDecimals;
    const Bilingual* headers[] = {&wt::kBinsHeading, &wt::kBinFrom, &wt::kBinTo, &wt::kBinCount};
    for (lxw_col_t column = 0; column < 4; ++column) {
        cells.text(0, kBinsColumn + column, pick(*headers[column], language), formats.header());
    }
    lxw_row_t row = 1;
    for (std::size_t bin = 0; bin < bins.counts.size(); ++bin, ++row) {
        const double from = bins.low + bins.width * static_cast<double>(bin);
        const double to = from + bins.width;
        cells.text(row, kBinsColumn, fixedText((from + to) / 2.0, decimals));
        cells.figure(row, kBinsColumn + 1, fixedText(from, decimals + 1), formats);
        cells.figure(row, kBinsColumn + 2, fixedText(to, decimals + 1), formats);
        cells.number(row, kBinsColumn + 3, bins.counts[bin], nullptr);
    }
    const lxw_row_t lastRow = row - 1;

    lxw_chart* chart = workbook_add_chart(book, LXW_CHART_COLUMN);
    const char* summary = pick(wt::kSummarySheet, language);
    lxw_chart_series* counts = chart_add_series(chart, nullptr, nullptr);
    chart_series_set_categories(counts, summary, 1, kBinsColumn, lastRow, kBinsColumn);
    chart_series_set_values(counts, summary, 1, kBinsColumn + 3, lastRow, kBinsColumn + 3);
    chart_series_set_name(counts, pick(wt::kBinCount, language));
    chart_set_series_gap(chart, 0);
    chart_title_set_name(chart, pick(wt::kHistogramTitle, language));
    chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
    lxw_chart_options place{};
    place.x_scale = 1.6;
    place.y_scale = 1.3;
    worksheet_insert_chart_opt(summarySheet, 22, kChartColumn, chart, &place);
}

// Below the histogram: the figures of each characteristic of each plan, a row each under its
// plan's part number and the figures' labels, as the records of that characteristic alone
// would give them.
constexpr lxw_row_t kCharacteristicsRow = 44;

void listCharacteristicFigures(SummaryCells& cells, const WorkbookContents& contents,
                               Formats& formats) {
    const Language language = contents.language;
    const auto capabilities = characteristicCapabilities(contents.chartValues, contents.planParts);
    lxw_row_t row = kCharacteristicsRow;
    cells.text(row++, kLabelColumn, pick(wt::kCharacteristicsHeading, language), formats.header());
    for (std::size_t planIndex = 0; planIndex < capabilities.size(); ++planIndex) {
        const InspectionPlan& plan = *contents.planParts.parts.plans[planIndex];
        cells.text(row, kLabelColumn, pick(wt::kRecordHeader[FirstTrace], language),
                   formats.header());
        cells.text(row, kFigureColumn, plan.part, formats.header());
        cells.text(row++, kFigureColumn + 1, plan.partName, formats.header());
        cells.text(row, kLabelColumn, pick(wt::kRecordHeader[FirstTrace + 1], language),
                   formats.header());
        for (std::size_t i = 0; i < kFigureCount; ++i) {
            cells.text(row, static_cast<lxw_col_t>(kFigureColumn + i),
                       pick(kFigureRows[i].label, language), formats.header());
        }
        ++row;
        for (std::size_t i = 0; i < plan.characteristics.size(); ++i, ++row) {
            const Characteristic& characteristic = plan.characteristics[i];
            cells.text(row, kLabelColumn, characteristicLabel(characteristic));
            const auto figures = figureTexts(
                capabilities[planIndex][i].figures(characteristicLimits(characteristic)),
                static_cast<std::uint8_t>(contents.chartDecimals));
            for (std::size_t f = 0; f < kFigureCount; ++f) {
                cells.figure(row, static_cast<lxw_col_t>(kFigureColumn + f), figures[f], formats);
            }
        }
        ++row;
    }
}

void writeSummary(lxw_workbook* book, lxw_worksheet* sheet, const WorkbookContents& contents,
                  Formats& formats) {
    worksheet_set_column(sheet, kLabelColumn, kLabelColumn, 18, nullptr);
    worksheet_set_column(sheet, kFigureColumn, kFigureColumn, 16, nullptr);
    SummaryCells cells;
    listFigures(cells, contents, formats);
    if (contents.planParts.any()) listCharacteristicFigures(cells, contents, formats);
    if (contents.count > 0) {
        addRunChart(book, sheet, cells, contents, formats);
        addHistogram(book, sheet, cells, contents, formats);
    }
    cells.writeTo(sheet);
}

}  // namespace

WorkbookWriting writeWorkbookFile(const std::string& path, const WorkbookContents& contents,
                                  const RowsWritten& progress) {
    BookFile file(path);
    if (file.book() == nullptr) return {WorkbookEnd::Failed, FileFailure::Unknown};
    Formats formats(file.book());
    lxw_worksheet* records = file.addSheet(pick(wt::kRecordsSheet, contents.language));
    // The parts sheet only when a record was taken with a plan: a workbook without stays as
    // it always was.
    lxw_worksheet* parts = contents.planParts.any()
                               ? file.addSheet(pick(wt::kPartsSheet, contents.language))
                               : nullptr;
    lxw_worksheet* summary = file.addSheet(pick(wt::kSummarySheet, contents.language));
    lxw_worksheet* alarms = contents.alarms.empty()
                                ? nullptr
                                : file.addSheet(pick(wt::kAlarmsSheet, contents.language));
    if (!writeRecords(records, contents, formats, progress) ||
        (parts != nullptr && !writeParts(parts, contents, formats, progress))) {
        return file.cancel();
    }
    writeSummary(file.book(), summary, contents, formats);
    if (alarms != nullptr) writeAlarms(alarms, contents, formats);
    return file.close();
}

}  // namespace mensora
