// What each cell of the record list shows, the same in both front ends: the store's fields,
// the value as the live display showed it, and the verdict word of the language it was
// recorded in.
#include "measure/record_list_cells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "measure/record_traces.h"

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

TEST(RecordListCells, EachColumnShowsItsFieldOfTheRow) {
    RecordStore store(2);
    RecordListTexts texts(store);
    RecordTraces traces(2);
    traces.setInForce({"A-7", "2 Length", "", "", ""});
    store.append(
        fieldsOf("000001", "12.345  ", "  10.345", "\xB3\xAC\xB2\xEE", "2026-12-07; 14:03:52"));
    texts.set(0, "12.345", Verdict::OverUpper, false, Language::Chinese);
    traces.stamp(0);
    traces.setInForce({});
    store.append(fieldsOf("000002", "-0.5    ", "  -2.500", " OK ", "2026-12-07; 14:03:53"));
    texts.set(1, "-0.5", Verdict::Ok, false, Language::English);
    traces.stamp(1);

    struct Cell {
        std::uint32_t row;
        int column;
        const char* text;
    };
    const Cell cells[] = {
        {0, SeqColumn, "000001"},
        {0, ValueColumn, "12.345"},
        {0, ErrorColumn, "  10.345"},
        {0, ResultColumn, "超差"},
        {0, TimeColumn, "2026-12-07; 14:03:52"},
        {1, SeqColumn, "000002"},
        {1, ValueColumn, "-0.5"},
        {1, ErrorColumn, "  -2.500"},
        {1, ResultColumn, "OK"},
        {1, TimeColumn, "2026-12-07; 14:03:53"},
        {0, kCharacteristicColumn, "2 Length"},
        {1, kCharacteristicColumn, ""},
        {0, kCharacteristicColumn + 1, ""},
        {0, -1, ""},
    };
    for (const Cell& c : cells) {
        EXPECT_EQ(recordListCell(store, texts, traces, c.row, c.column), c.text)
            << "row " << c.row << " column " << c.column;
    }
}

// Both lists draw a row of the warning zone on amber; every other row, NG too, in their own
// colours. A row set again for the next record after Clear loses its mark.
TEST(RecordListCells, RowsOfTheWarningZoneAloneStandOutInAmber) {
    RecordStore store(3);
    RecordListTexts texts(store);
    const struct {
        Verdict verdict;
        bool warning;
    } rows[] = {{Verdict::Ok, true}, {Verdict::Ok, false}, {Verdict::OverUpper, false}};
    for (std::uint32_t row = 0; row < std::size(rows); ++row) {
        store.append(fieldsOf("00000" + std::to_string(row + 1), "1.000   ", "   0.000", " OK ",
                              "2026-12-07; 14:03:52"));
        texts.set(row, "1.000", rows[row].verdict, rows[row].warning, Language::English);
    }
    const std::optional<RowShade> amber = recordListShade(texts, 0);
    ASSERT_TRUE(amber);
    EXPECT_EQ(amber->background, 0xFFD54Fu);
    EXPECT_EQ(amber->text, 0x000000u);
    EXPECT_FALSE(recordListShade(texts, 1));
    EXPECT_FALSE(recordListShade(texts, 2));

    store.empty();
    store.append(fieldsOf("000001", "1.000   ", "   0.000", " OK ", "2026-12-07; 14:03:59"));
    texts.set(0, "1.000", Verdict::Ok, false, Language::English);
    EXPECT_FALSE(recordListShade(texts, 0));
}

TEST(RecordListCells, ColumnsAreTitledAndSizedInTheInterfaceLanguage) {
    struct Column {
        int column;
        Language language;
        const char* title;
        int width;
    };
    constexpr Language zh = Language::Chinese;
    constexpr Language en = Language::English;
    const Column columns[] = {
        {SeqColumn, zh, "序号", 60},
        {ValueColumn, zh, "数据值", 70},
        {ErrorColumn, zh, "误差", 70},
        {ResultColumn, zh, "结果", 50},
        {TimeColumn, zh, "时间", 160},
        {SeqColumn, en, "No", 60},
        {ValueColumn, en, "Value", 70},
        {ErrorColumn, en, "Error", 70},
        {ResultColumn, en, "Result", 55},
        {TimeColumn, en, "Time", 160},
        {kCharacteristicColumn, zh, "测量特性", 120},
        {kCharacteristicColumn, en, "Characteristic", 120},
        {kCharacteristicColumn + 1, zh, "", 0},
    };
    for (const Column& c : columns) {
        EXPECT_STREQ(recordListTitle(c.column, c.language), c.title) << c.column;
        EXPECT_EQ(recordListWidth(c.column, c.language), c.width) << c.column;
    }
}

}  // namespace
}  // namespace mensora
