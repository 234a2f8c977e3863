// The record store and the list texts reserve their whole capacity at start, yet take
// resident memory only as records are written into it.
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#endif

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <limits>
#include <memory>
#include <new>

#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "measure/reserved_pages.h"

namespace mensora {
namespace {

constexpr std::size_t kMiB = 1024 * 1024;

// The process's resident memory now: its working set on Windows, else the second field of
// /proc/self/statm (pages).
std::size_t residentBytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)
               ? counters.WorkingSetSize
               : 0;
#else
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0;
    std::size_t resident = 0;
    statm >> size >> resident;
    return resident * 4096;
#endif
}

TEST(ReservedPages, ReadsAsZerosAndKeepsWhatIsWrittenAnywhereInIt) {
    const std::size_t size = 46'000'000;
    ReservedPages pages(size);
    ASSERT_NE(pages.data(), nullptr);
    EXPECT_EQ(pages.size(), size);
    const std::size_t places[] = {0, 4095, 4096, size / 2, size - 1};
    for (const std::size_t at : places) EXPECT_EQ(pages.data()[at], 0) << at;
    for (const std::size_t at : places) pages.data()[at] = static_cast<char>(at % 127 + 1);
    for (const std::size_t at : places) {
        EXPECT_EQ(pages.data()[at], static_cast<char>(at % 127 + 1)) << at;
    }
}

TEST(ReservedPages, RoomTheSystemCannotGiveIsRefusedAtOnce) {
    // Far beyond any machine's memory and address space: refused when reserved, not later.
    EXPECT_THROW(ReservedPages(std::numeric_limits<std::size_t>::max() / 2), std::bad_alloc);
}

TEST(ReservedPages, StoreAndListTextsTakeMemoryOnlyForTheRecordsWritten) {
    constexpr std::uint32_t kRecords = 200'000;
    constexpr std::size_t kListRowBytes = 2;  // a compact list row: length, verdict, language
    RecordFields fields{};
    fields.seq = formatSequence(1);
    fields.value = {'1', '2', '.', '3', '4', '5', ' ', ' '};
    fields.error = formatDeviation(0.5f, 3);
    fields.result = verdictRecordText(Verdict::Ok, Language::Chinese);

    const std::size_t before = residentBytes();
    auto store = std::make_unique<RecordStore>();
    auto texts = std::make_unique<RecordListTexts>(*store);
    const std::size_t reserved = residentBytes();
    for (std::uint32_t row = 0; row < kRecords; ++row) {
        store->append(fields);
        texts->set(row, "12.345", Verdict::Ok, false, Language::Chinese);
    }
    const std::size_t written = residentBytes();

    // Written through, the million rows of both would be resident at once (58 MB).
    EXPECT_LT(reserved - before, 1 * kMiB);
    // The rows written are resident, about their own size and no more.
    const std::size_t rowsSize =
        std::size_t{kRecords} * (RecordStore::kRecordWidth + kListRowBytes);
    EXPECT_GE(written - reserved, rowsSize * 9 / 10);
    EXPECT_LT(written - reserved, rowsSize + 1 * kMiB);
}

}  // namespace
}  // namespace mensora
