#pragma once
// Times as the journal keeps them: "YYYY-MM-DD hh:mm:ss", local time, which is a record's time
// stamp field ("YYYY-MM-DD; hh:mm:ss") without its ";".

#include <string>
#include <string_view>

#include "base/clock.h"
#include "measure/field_format.h"

namespace mensora {

std::string journalTime(std::string_view timeStampField);
std::string journalTime(const LocalDateTime& time);
// The record's time stamp field back from the journal's time.
TimeStampText timeStampField(std::string_view journalTime);

}  // namespace mensora
