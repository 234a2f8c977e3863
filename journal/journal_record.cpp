#include "journal/journal_record.h"

#include "measure/field_format.h"
#include "measure/judgement.h"

namespace mensora {

RecordFields recordFieldsOf(const JournalRecord& record) {
    RecordFields fields;
    fields.seq = formatSequence(record.number);
    fields.value = record.valueField;
    fields.error = formatDeviation(record.error, record.decimalPlaces);
    fields.result = verdictRecordText(record.verdict, record.language);
    fields.time = record.takenAt;
    return fields;
}

bool recordWarned(const JournalRecord& record) {
    if (!record.planned || !record.planned->plan) return false;
    const std::vector<Characteristic>& characteristics = record.planned->plan->characteristics;
    if (record.planned->characteristic >= characteristics.size()) return false;
    const double nominal = record.nominal;
    const ToleranceLimits limits{nominal, nominal + record.upperTolerance,
                                 nominal + record.lowerTolerance};
    return warns(record.value, limits,
                 characteristics[record.planned->characteristic].warningPercent);
}

void putBackPlanStamp(PlanStamps& stamps, std::uint32_t index, const JournalRecord& record) {
    if (record.planned) {
        stamps.putBack(index, {record.planned->part, record.planned->characteristic},
                       record.planned->plan, record.planned->serial);
    } else {
        stamps.putBack(index, {}, nullptr, {});
    }
}

}  // namespace mensora
