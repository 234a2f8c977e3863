// The record store: what the record files copy out, byte for byte, and the million-record
// capacity that recording relies on.
#include <gtest/gtest.h>

#include <string>

#include "measure/record_list_texts.h"
#include "measure/record_store.h"

namespace mensora {
namespace {

RecordFields fieldsOf(const std::string& seq, const std::string& value, const std::string& error,
                      const std::string& result, const std::string& time) {
    RecordFields fields;
    std::copy_n(seq.begin(), fields.seq.size(), fields.seq.begin());
    std::copy_n(value.begin(), fields.value.size(), fields.value.begin());
    std::copy_n(error.begin(), fields.error.size(), fields.error.begin());
    std::copy_n(result.begin(), fields.result.size(), fields.result.begin());
    std::copy_n(time.begin(), fields.time.size(), fields.time.begin());
    return fields;
}

TEST(RecordStore, HoldsEachRecordAsItsFiveFieldsOfFixedWidth) {
    RecordStore store;
    EXPECT_EQ(RecordStore::kRecordWidth, 46u);
    store.append(fieldsOf("000001", "12.345  ", "  10.345", "\xB3\xAC\xB2\xEE",
                          "2019-11-29; 13:52:30"));
    store.append(fieldsOf("000002", "-0.5    ", "  -2.500", " NG ", "2019-11-29; 13:52:31"));

    ASSERT_EQ(store.count(), 2u);
    struct Expected {
        std::uint32_t index;
        const char* seq;
        const char* value;
        const char* error;
        const char* result;
        const char* time;
    };
    const Expected rows[] = {
        {0, "000001", "12.345  ", "  10.345", "\xB3\xAC\xB2\xEE", "2019-11-29; 13:52:30"},
        {1, "000002", "-0.5    ", "  -2.500", " NG ", "2019-11-29; 13:52:31"},
    };
    for (const Expected& row : rows) {
        SCOPED_TRACE(row.index);
        EXPECT_EQ(store.seqField(row.index), row.seq);
        EXPECT_EQ(store.valueField(row.index), row.value);
        EXPECT_EQ(store.errorField(row.index), row.error);
        EXPECT_EQ(store.resultField(row.index), row.result);
        EXPECT_EQ(store.timeField(row.index), row.time);
    }
}

TEST(RecordStore, TakesAMillionRecordsAndRefusesTheNextWithoutTouchingThem) {
    RecordStore store;
    const RecordFields fields =
        fieldsOf("000001", "1.000   ", "  -1.000", " OK ", "2024-03-05; 08:07:06");
    for (std::uint32_t i = 0; i < kRecordCapacity; ++i) store.append(fields);
    EXPECT_EQ(store.count(), kRecordCapacity);
    EXPECT_TRUE(store.full());

    store.append(fieldsOf("999999", "9.999   ", "   7.999", " NG ", "2030-01-01; 00:00:00"));
    EXPECT_EQ(store.count(), kRecordCapacity);
    EXPECT_EQ(store.valueField(kRecordCapacity - 1), "1.000   ");
}

TEST(RecordListTexts, KeepsTheValueTextWholeHoweverLongItWasTyped) {
    RecordListTexts texts;
    struct Case {
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {"12.345", "12.345"},
        {"-1234.567", "-1234.567"},       // nine characters: all kept
        {"123456789012", "123456789012"},  // typed into the live field: kept whole
        {"12.3毫米", "12.3毫米"},
        {"", ""},
    };
    std::uint32_t row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        texts.set(row, c.typed, Verdict::Ok, Language::Chinese);
        EXPECT_EQ(texts.valueText(row), c.kept);
        ++row;
    }
    // A row written again after Clear shows its new text, not the long one it held.
    texts.set(2, "1.5", Verdict::Ok, Language::Chinese);
    EXPECT_EQ(texts.valueText(2), "1.5");
}

}  // namespace
}  // namespace mensora
