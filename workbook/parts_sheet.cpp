#include "workbook/parts_sheet.h"

#include "measure/record_store.h"
#include "workbook/plan_part_rows.h"
#include "workbook/workbook_texts.h"

namespace mensora {
namespace {

namespace wt = workbook_texts;

enum PartColumn : lxw_col_t { Serial, FirstTime, FirstCharacteristic };

// How often a cancelled save is looked for, in parts.
constexpr std::uint32_t kPartsPerCheck = 1024;

// The records sheet's heading of a column the parts sheet shares.
const char* recordHeading(RecordColumn column, Language language) {
    return pick(wt::kRecordHeader[column], language);
}

}  // namespace

bool writeParts(lxw_worksheet* sheet, const WorkbookContents& contents, Formats& formats,
                const RowsWritten& progress) {
    const Language language = contents.language;
    const RecordStore& store = contents.store;
    const PlanParts& parts = contents.planParts.parts;
    worksheet_set_column(sheet, Serial, Serial, 14, nullptr);
    worksheet_set_column(sheet, FirstTime, FirstTime, 20, nullptr);
    const char* okText = pick(texts::kVerdictOk, language);
    const char* ngText = pick(texts::kVerdictNg, language);
    lxw_row_t row = 0;
    std::optional<std::size_t> shownPlan;
    std::uint32_t written = 0;
    return forEachPart(store, contents.count, contents.planParts, [&](const PartRow& part) {
        if (++written % kPartsPerCheck == 0 && !progress(contents.count)) return false;
        const PlanPart& planPart = parts.parts[part.part - 1];
        const InspectionPlan& plan = *parts.plans[planPart.plan];
        const auto resultColumn =
            static_cast<lxw_col_t>(FirstCharacteristic + plan.characteristics.size());
        if (shownPlan != planPart.plan) {
            if (shownPlan) ++row;  // a blank row between plans
            shownPlan = planPart.plan;
            worksheet_write_string(sheet, row, 0, recordHeading(FirstTrace, language),
                                   formats.header());
            worksheet_write_string(sheet, row, 1, plan.part.c_str(), formats.header());
            worksheet_write_string(sheet, row++, 2, plan.partName.c_str(), formats.header());
            worksheet_write_string(sheet, row, Serial, pick(wt::kSerial, language),
                                   formats.header());
            worksheet_write_string(sheet, row, FirstTime, recordHeading(Time, language),
                                   formats.header());
            for (std::size_t i = 0; i < plan.characteristics.size(); ++i) {
                worksheet_write_string(sheet, row, static_cast<lxw_col_t>(FirstCharacteristic + i),
                                       characteristicLabel(plan.characteristics[i]).c_str(),
                                       formats.header());
            }
            worksheet_write_string(sheet, row++, resultColumn, recordHeading(Result, language),
                                   formats.header());
        }
        worksheet_write_string(sheet, row, Serial, planPart.serial.c_str(),
                               formats.plain(CellLook::Plain));
        writeTime(sheet, row, FirstTime, stampTime(store.timeField(part.firstRecord)),
                  store.timeField(part.firstRecord), formats, CellLook::Plain);
        for (std::size_t i = 0; i < part.latest.size(); ++i) {
            if (!part.latest[i]) continue;
            const std::uint32_t record = *part.latest[i];
            writeNumberOrText(sheet, row, static_cast<lxw_col_t>(FirstCharacteristic + i),
                              fieldNumber(store.valueField(record)), store.valueField(record),
                              formats, recordLook(recordOk(store, record), false));
        }
        if (part.ok) {
            worksheet_write_string(sheet, row, resultColumn, *part.ok ? okText : ngText,
                                   formats.plain(recordLook(*part.ok, false)));
        }
        ++row;
        return true;
    });
}

}  // namespace mensora
