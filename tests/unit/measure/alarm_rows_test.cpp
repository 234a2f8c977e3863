// The rows of an alarm log: each raised alarm once, in the order raised, with the first
// acknowledgement that names it; an acknowledgement of a number the log never raised shows
// nowhere.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measure/alarm_rows.h"

namespace mensora {
namespace {

AlarmEntry raised(std::uint32_t number) {
    AlarmEntry entry;
    entry.number = number;
    entry.rule = 1;
    return entry;
}

AlarmEntry acknowledged(std::uint32_t number, std::uint32_t of) {
    AlarmEntry entry;
    entry.number = number;
    entry.kind = AlarmKind::Acknowledged;
    entry.acknowledges = of;
    return entry;
}

TEST(AlarmRows, EachRaisedAlarmOnceWithTheFirstAcknowledgementThatNamesIt) {
    const struct {
        const char* what;
        std::vector<AlarmEntry> log;
        std::vector<std::string> rows;  // "raised/acknowledgement", "-" for none
    } cases[] = {
        {"none", {}, {}},
        {"one waiting", {raised(1)}, {"1/-"}},
        {"acknowledged out of order",
         {raised(1), raised(2), acknowledged(3, 2), acknowledged(4, 1)},
         {"1/4", "2/3"}},
        {"acknowledged twice", {raised(1), acknowledged(2, 1), acknowledged(3, 1)}, {"1/2"}},
        {"a number never raised", {raised(1), acknowledged(2, 7)}, {"1/-"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> rows;
        for (const AlarmRow& row : alarmRows(c.log)) {
            rows.push_back(std::to_string(row.raised->number) + "/" +
                           (row.acknowledgement ? std::to_string(row.acknowledgement->number)
                                                : std::string("-")));
        }
        EXPECT_EQ(rows, c.rows) << c.what;
    }
}

}  // namespace
}  // namespace mensora
