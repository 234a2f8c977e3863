// What a field of the Part and lot window keeps of what was typed, and what it refuses.
#include <gtest/gtest.h>

#include <string>

#include "measure/trace_fields.h"

namespace mensora {
namespace {

std::string repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// One table for every rule: a field must refuse what would break a record line or a cell,
// and count what the user sees (characters), not what the file holds (bytes).
TEST(TraceField, KeepsTrimmedTextOfAtMostFortyCharactersWithoutControlCharacters) {
    struct Case {
        const char* why;
        std::string typed;
        TraceFieldFault fault;
        std::string kept;
    };
    const Case cases[] = {
        {"plain text is kept", "A-100", TraceFieldFault::None, "A-100"},
        {"blanks at either end go, inner ones stay", "  L 42  ", TraceFieldFault::None, "L 42"},
        {"ideographic and no-break spaces are blanks too", "\u3000批号\u00A0",
         TraceFieldFault::None, "批号"},
        {"only blanks leave nothing", "   ", TraceFieldFault::None, ""},
        {"forty Chinese characters (120 bytes) fit", repeated("零", 40), TraceFieldFault::None,
         repeated("零", 40)},
        {"forty-one Chinese characters do not", repeated("零", 41), TraceFieldFault::TooLong, ""},
        {"forty Latin letters fit", repeated("x", 40), TraceFieldFault::None, repeated("x", 40)},
        {"blanks around forty letters do not count", "  " + repeated("x", 40) + " ",
         TraceFieldFault::None, repeated("x", 40)},
        {"forty-one letters do not fit", repeated("x", 41), TraceFieldFault::TooLong, ""},
        {"a tab is refused", "L\t42", TraceFieldFault::ControlCharacter, ""},
        {"a trailing line feed is refused, not trimmed", "L42\n", TraceFieldFault::ControlCharacter,
         ""},
        {"a carriage return is refused", "L42\r", TraceFieldFault::ControlCharacter, ""},
        {"a Unicode line separator is refused", "L\u202842", TraceFieldFault::ControlCharacter, ""},
    };
    for (const Case& c : cases) {
        const TraceFieldCheck check = checkTraceField(c.typed);
        EXPECT_EQ(check.fault, c.fault) << c.why;
        EXPECT_EQ(check.kept, c.kept) << c.why;
    }
}

// The message names the field in the interface language, so the user knows where to look.
TEST(TraceField, RefusalNamesTheFieldInTheInterfaceLanguage) {
    EXPECT_EQ(traceFieldFaultText(kTraceFields[2], TraceFieldFault::TooLong, Language::Chinese),
              "批号最多 40 个字符。");
    EXPECT_EQ(
        traceFieldFaultText(kTraceFields[0], TraceFieldFault::ControlCharacter, Language::English),
        "Part number must not contain a tab, a line break or another control character.");
}

TEST(TraceField, TheLineOfValuesInForceLabelsEachValueOrSaysNoneIsSet) {
    EXPECT_EQ(traceLine({}, Language::English), "Part and lot: not set (F4)");
    const TraceValues some{"A-100", "Ø12", "L42", "", ""};
    EXPECT_EQ(
        traceLine(some, Language::English),
        "Part number: A-100    Characteristic: Ø12    Lot: L42    Operator: —    Gauge ID: —");
    EXPECT_EQ(traceLine(some, Language::Chinese),
              "零件号：A-100    测量特性：Ø12    批号：L42    操作员：—    量具编号：—");
}

}  // namespace
}  // namespace mensora
