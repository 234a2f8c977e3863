#include "workbook/alarms_sheet.h"

#include "charts/run_rule_texts.h"
#include "measure/alarm_rows.h"
#include "measure/field_format.h"
#include "workbook/workbook_texts.h"

namespace mensora {
namespace {

namespace wt = workbook_texts;

// The sheet's columns, in the order of their headings (workbook_texts::kAlarmHeader).
namespace column {
enum : lxw_col_t {
    Number,
    Raised,
    Rule,
    Chart,
    Characteristic,
    FirstRecord,
    LastRecord,
    Acknowledged,
    Cause,
    Note
};
}  // namespace column

// An operator's text, its cell left empty when the text is.
void writeText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t at, const std::string& text) {
    if (!text.empty()) worksheet_write_string(sheet, row, at, text.c_str(), nullptr);
}

void writeAt(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t at, const LocalDateTime& time,
             Formats& formats) {
    const TimeStampText stamp = formatTimeStamp(time);
    writeTime(sheet, row, at, time, std::string_view(stamp.data(), stamp.size()), formats,
              CellLook::Plain);
}

}  // namespace

void writeAlarms(lxw_worksheet* sheet, const WorkbookContents& contents, Formats& formats) {
    const Language language = contents.language;
    worksheet_set_column(sheet, column::Number, column::Number, 6, nullptr);
    worksheet_set_column(sheet, column::Raised, column::Raised, 20, nullptr);
    worksheet_set_column(sheet, column::Rule, column::Rule, 44, nullptr);
    worksheet_set_column(sheet, column::Chart, column::LastRecord, 12, nullptr);
    worksheet_set_column(sheet, column::Characteristic, column::Characteristic, 16, nullptr);
    worksheet_set_column(sheet, column::Acknowledged, column::Acknowledged, 20, nullptr);
    worksheet_set_column(sheet, column::Cause, column::Note, 24, nullptr);
    for (lxw_col_t heading = 0; heading < wt::kAlarmColumns; ++heading) {
        worksheet_write_string(sheet, 0, heading, pick(wt::kAlarmHeader[heading], language),
                               formats.header());
    }
    worksheet_freeze_panes(sheet, 1, 0);
    lxw_row_t row = 1;
    for (const AlarmRow& alarm : alarmRows(contents.alarms)) {
        const AlarmEntry& raised = *alarm.raised;
        worksheet_write_number(sheet, row, column::Number, raised.number,
                               formats.plain(CellLook::Plain));
        writeAt(sheet, row, column::Raised, raised.at, formats);
        if (raised.rule >= 1 && raised.rule <= kRuleCount) {
            worksheet_write_string(sheet, row, column::Rule,
                                   pick(run_rule_texts::kRuleNames[raised.rule - 1], language),
                                   nullptr);
        }
        worksheet_write_string(
            sheet, row, column::Chart,
            pick(raised.rangeChart ? wt::kRangeChart : wt::kValuesChart, language), nullptr);
        writeText(sheet, row, column::Characteristic, raised.characteristic);
        worksheet_write_number(sheet, row, column::FirstRecord, raised.firstRecord,
                               formats.plain(CellLook::Plain));
        worksheet_write_number(sheet, row, column::LastRecord, raised.lastRecord,
                               formats.plain(CellLook::Plain));
        if (const AlarmEntry* acknowledgement = alarm.acknowledgement) {
            writeAt(sheet, row, column::Acknowledged, acknowledgement->at, formats);
            writeText(sheet, row, column::Cause, acknowledgement->cause);
            writeText(sheet, row, column::Note, acknowledgement->note);
        }
        ++row;
    }
}

}  // namespace mensora
