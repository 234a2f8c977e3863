// The record file, byte for byte: spreadsheet programs and the customers' own scripts read
// these files, so one stray byte (a BOM, a CR, a trimmed blank) breaks their columns.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "files/record_file_format.h"
#include "measure/record_store.h"
#include "tests/unit/files/sample_records.h"

namespace mensora {
namespace {

// Collects what the writer hands to the file, and can refuse a write.
class CollectingSink : public RecordFileSink {
public:
    std::optional<FileFailure> write(const char* data, std::size_t count) override {
        writes.push_back(count);
        if (failAtWrite == writes.size()) return FileFailure::DiskFull;
        content.append(data, count);
        return std::nullopt;
    }
    std::optional<RecordFileFailure> commit() override { return std::nullopt; }

    std::string content;
    std::vector<std::size_t> writes;
    std::size_t failAtWrite = 0;  // 1-based; 0 never fails
};

struct GoldenCase {
    const char* name;
    std::int32_t language;
    std::function<void(RecordStore&)> fill;
    std::string expected;
};

class RecordFileFormatTest : public ::testing::Test {
protected:
    RecordStore store;
    CollectingSink sink;
};

TEST_F(RecordFileFormatTest, FilesHoldTheHeaderOfTheLanguageAndEveryRecordByteForByte) {
    const std::vector<GoldenCase> cases = {
        {"no records, Chinese", 1, [](RecordStore&) {}, test::kChineseHeaderBytes},
        {"no records, English", 2, [](RecordStore&) {}, test::kEnglishHeaderBytes},
        {"language 0 counts as Chinese", 0, [](RecordStore&) {}, test::kChineseHeaderBytes},
        {"language 3 counts as Chinese", 3, [](RecordStore&) {}, test::kChineseHeaderBytes},
        {"three records, Chinese", 1, test::addThreeChineseRecords,
         test::kChineseHeaderBytes + test::kChineseRecordLines},
        {"three records, English", 2, test::addThreeEnglishRecords,
         test::kEnglishHeaderBytes + test::kEnglishRecordLines},
        {"English header over verdicts recorded in Chinese", 2, test::addThreeChineseRecords,
         test::kEnglishHeaderBytes + test::kChineseRecordLines},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.name);
        store.empty();
        c.fill(store);
        CollectingSink out;
        EXPECT_EQ(writeRecordFile(out, store, languageOf(c.language)), std::nullopt);
        EXPECT_EQ(out.content, c.expected);
        EXPECT_EQ(out.content.size(), 28u + 52u * store.count());
    }
}

TEST_F(RecordFileFormatTest, FieldBytesAreCopiedUntouchedEvenWhenTheyHoldNulsOrBlanksOnly) {
    // A record whose value field was never filled holds zero bytes: they must reach the file
    // as they are, not end the line early or be trimmed away.
    test::addRecord(store, "000001", std::string_view("\0\0\0\0\0\0\0\0", 8), "        ", " OK ",
                    "2026-12-07; 09:00:00");
    ASSERT_EQ(writeRecordFile(sink, store, Language::English), std::nullopt);
    const std::string expected =
        test::kEnglishHeaderBytes +
        std::string("000001\t\0\0\0\0\0\0\0\0\t        \t OK \t2026-12-07; 09:00:00\t\n", 52);
    EXPECT_EQ(sink.content, expected);
}

TEST_F(RecordFileFormatTest, ALargeStoreGoesOutInAFewChunksOfAtMost64KiB) {
    // 3000 records are 156,028 bytes: three writes, not one per line or field.
    std::string expected = test::kEnglishHeaderBytes;
    for (int n = 1; n <= 3000; ++n) {
        std::string seq = std::to_string(n);
        seq.insert(0, 6 - seq.size(), '0');
        test::addRecord(store, seq, "1.000   ", "   0.000", " OK ", "2026-12-07; 10:00:00");
        expected += seq + "\t1.000   \t   0.000\t OK \t2026-12-07; 10:00:00\t\n";
    }
    ASSERT_EQ(writeRecordFile(sink, store, Language::English), std::nullopt);
    EXPECT_EQ(sink.content, expected);
    EXPECT_EQ(sink.writes.size(), 3u);
    for (const std::size_t size : sink.writes) EXPECT_LE(size, 64u * 1024u);
}

TEST_F(RecordFileFormatTest, AFailedWriteStopsTheFileAndReportsItsCause) {
    for (int n = 0; n < 3000; ++n) {
        test::addRecord(store, "000001", "1.000   ", "   0.000", " OK ", "2026-12-07; 10:00:00");
    }
    sink.failAtWrite = 2;
    EXPECT_EQ(writeRecordFile(sink, store, Language::Chinese), FileFailure::DiskFull);
    EXPECT_EQ(sink.writes.size(), 2u);
}

}  // namespace
}  // namespace mensora
