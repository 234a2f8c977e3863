#include "journal/journal_time.h"

#include <algorithm>

namespace mensora {
namespace {

// Where the record's field has its "; " between date and time, and the journal one blank.
constexpr std::size_t kDateLength = 10;
constexpr std::size_t kFieldTimeStart = 12;

}  // namespace

std::string journalTime(std::string_view timeStampField) {
    return std::string(timeStampField.substr(0, kDateLength)) + ' ' +
           std::string(timeStampField.substr(kFieldTimeStart));
}

std::string journalTime(const LocalDateTime& time) {
    const TimeStampText field = formatTimeStamp(time);
    return journalTime(std::string_view(field.data(), field.size()));
}

TimeStampText timeStampField(std::string_view journalTime) {
    TimeStampText field;
    field.fill(' ');
    const std::string_view date = journalTime.substr(0, kDateLength);
    const std::string_view time = journalTime.substr(std::min(journalTime.size(), kDateLength + 1));
    std::copy(date.begin(), date.end(), field.begin());
    field[kDateLength] = ';';
    std::copy_n(time.begin(), std::min(time.size(), field.size() - kFieldTimeStart),
                field.begin() + kFieldTimeStart);
    return field;
}

}  // namespace mensora
