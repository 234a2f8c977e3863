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
    store.append(
        fieldsOf("000001", "12.345  ", "  10.345", "\xB3\xAC\xB2\xEE", "2019-11-29; 13:52:30"));
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

TEST(RecordListTexts, ShowsTheValueTextTheReadingHadHoweverItWasMade) {
    RecordStore store;
    RecordListTexts texts(store);
    struct Case {
        const char* valueField;  // the record's 8 bytes, from the reading's valueChars
        const char* shown;       // the reading's live text when it was recorded
    };
    const Case cases[] = {
        {"12.345  ", "12.345"},        // a frame's text: the start of the field
        {"-1234.56", "-1234.567"},     // nine characters: the ninth beyond the field
        {"12.345  ", "12.3"},          // shortened in the live field
        {"12.345  ", "7.5"},           // typed over in the live field
        {"12.345  ", "123456789012"},  // typed, longer than any frame
        {"12.345  ", "12.3毫米"},     {"        ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        const std::uint32_t row = store.count();
        store.append(fieldsOf("000001", c.valueField, "   0.000", " OK ", "2019-11-29; 13:52:30"));
        texts.set(row, c.shown, Verdict::Ok, false, Language::Chinese);
        EXPECT_EQ(texts.valueText(row), c.shown);
    }
    // Rows written again after Clear show their new texts, not the ones they held.
    store.empty();
    for (const char* shown : {"1.5", "2.5", "3.5"}) {
        const std::uint32_t row = store.count();
        store.append(fieldsOf("000001", "9.999   ", "   0.000", " OK ", "2019-11-29; 13:52:30"));
        texts.set(row, shown, Verdict::Ok, false, Language::Chinese);
        EXPECT_EQ(texts.valueText(row), shown);
    }
}

TEST(RecordListTexts, KeepsEachRowsVerdictWordInTheLanguageOfItsRecording) {
    RecordStore store;
    RecordListTexts texts(store);
    struct Case {
        Verdict verdict;
        Language language;
        const char* word;
    };
    const Case cases[] = {
        {Verdict::Ok, Language::Chinese, "合格"},
        {Verdict::OverUpper, Language::Chinese, "超差"},
        {Verdict::UnderLower, Language::English, "NG"},
        {Verdict::Ok, Language::English, "OK"},
        {Verdict::UnderLower, Language::Chinese, "超差"},
    };
    for (const Case& c : cases) {
        store.append(fieldsOf("000001", "1.000   ", "   0.000", " OK ", "2019-11-29; 13:52:30"));
        texts.set(store.count() - 1, "1.000", c.verdict, false, c.language);
    }
    for (std::uint32_t row = 0; row < std::size(cases); ++row) {
        EXPECT_STREQ(texts.verdictText(row), cases[row].word) << row;
    }
}

}  // namespace
}  // namespace mensora
