#include "journal/journal_record.h"

#include "measure/field_format.h"

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

}  // namespace mensora
