#include "measure/record_store.h"

#include <algorithm>

namespace mensora {

RecordStore::RecordStore()
    : bytes_(std::size_t{kRecordCapacity} * kRecordWidth),
      seq_(bytes_.data()),
      value_(seq_ + std::size_t{kRecordCapacity} * kSeqWidth),
      error_(value_ + std::size_t{kRecordCapacity} * kValueWidth),
      result_(error_ + std::size_t{kRecordCapacity} * kErrorWidth),
      time_(result_ + std::size_t{kRecordCapacity} * kResultWidth) {}

void RecordStore::append(const RecordFields& fields) {
    if (full()) return;
    const std::size_t i = count_;
    std::copy(fields.seq.begin(), fields.seq.end(), seq_ + i * kSeqWidth);
    std::copy(fields.value.begin(), fields.value.end(), value_ + i * kValueWidth);
    std::copy(fields.error.begin(), fields.error.end(), error_ + i * kErrorWidth);
    std::copy(fields.result.begin(), fields.result.end(), result_ + i * kResultWidth);
    std::copy(fields.time.begin(), fields.time.end(), time_ + i * kTimeWidth);
    ++count_;
}

}  // namespace mensora
