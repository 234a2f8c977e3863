#include "files/record_file_format.h"

#include <cstring>
#include <memory>

#include "measure/record_store.h"

namespace mensora {
namespace {

// The header lines as bytes: "序号 测量值 误差 结果 时间" in GBK, each name followed by a tab.
constexpr char kChineseHeader[] =
    "\xD0\xF2\xBA\xC5\t\xB2\xE2\xC1\xBF\xD6\xB5\t\xCE\xF3\xB2\xEE\t\xBD\xE1\xB9\xFB\t"
    "\xCA\xB1\xBC\xE4\t\n";
constexpr char kEnglishHeader[] = "No\tValue\tError\tResult\tTime\t\n";
static_assert(sizeof(kChineseHeader) - 1 == kRecordFileHeaderBytes);
static_assert(sizeof(kEnglishHeader) - 1 == kRecordFileHeaderBytes);
static_assert(RecordStore::kRecordWidth + 5 + 1 == kRecordFileLineBytes);

// Large enough that a full store goes out in about 800 writes; small enough to sit in cache.
constexpr std::size_t kChunkBytes = 64 * 1024;

// Copies one field of fixed width and the tab behind it; returns the next free byte.
char* putField(char* out, std::string_view field) {
    std::memcpy(out, field.data(), field.size());
    out[field.size()] = '\t';
    return out + field.size() + 1;
}

}  // namespace

std::string_view recordFileHeader(Language language) {
    return language == Language::English ? std::string_view(kEnglishHeader, kRecordFileHeaderBytes)
                                         : std::string_view(kChineseHeader, kRecordFileHeaderBytes);
}

std::optional<FileFailure> writeRecordFile(RecordFileSink& file, const RecordStore& store,
                                           Language language) {
    const auto chunk = std::make_unique<char[]>(kChunkBytes);
    const std::string_view header = recordFileHeader(language);
    std::memcpy(chunk.get(), header.data(), header.size());
    std::size_t used = header.size();

    // The count is read once: the store cannot change while its file is being written.
    const std::uint32_t count = store.count();
    for (std::uint32_t i = 0; i < count; ++i) {
        if (used + kRecordFileLineBytes > kChunkBytes) {
            if (auto failure = file.write(chunk.get(), used)) return failure;
            used = 0;
        }
        char* out = chunk.get() + used;
        out = putField(out, store.seqField(i));
        out = putField(out, store.valueField(i));
        out = putField(out, store.errorField(i));
        out = putField(out, store.resultField(i));
        out = putField(out, store.timeField(i));
        *out = '\n';
        used += kRecordFileLineBytes;
    }
    return file.write(chunk.get(), used);
}

}  // namespace mensora
