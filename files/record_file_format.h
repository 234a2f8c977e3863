#pragma once
// The record file: one header line in the interface language, then one line per record with
// the record's five fields byte for byte, every field followed by a tab and every line by a
// single line feed. Export and autosave write the same file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/language.h"
#include "files/file_system.h"

namespace mensora {

class RecordStore;

inline constexpr std::size_t kRecordFileHeaderBytes = 28;
inline constexpr std::size_t kRecordFileLineBytes = 52;

// The header line with its line feed: GBK column names, or English ones.
std::string_view recordFileHeader(Language language);

// Writes the header and every record of the store, in order, into file through one fixed
// buffer: the file receives a few large writes, never one per field. Stops at the first
// failure and returns its cause.
std::optional<FileFailure> writeRecordFile(RecordFileSink& file, const RecordStore& store,
                                           Language language);

}  // namespace mensora
