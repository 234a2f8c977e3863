#include "measure/record_store.h"

#include <algorithm>

namespace mensora {

RecordStore::RecordStore(std::uint32_t capacity)
    : capacity_(capacity),
      bytes_(std::size_t{capacity} * kRecordWidth),
      seq_(bytes_.data()),
      value_(seq_ + std::size_t{capacity} * kSeqWidth),
      error_(value_ + std::size_t{capacity} * kValueWidth),
      result_(error_ + std::size_t{capacity} * kErrorWidth),
      time_(result_ + std::size_t{capacity} * kResultWidth) {}

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
