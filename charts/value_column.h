#pragma once
// The recorded readings as numbers, one float per record, with the extremes of every block
// of 16, 256, 4096, ... records kept as they come. The run chart asks for the extremes of
// whole stretches of records (one pixel column each); the blocks answer that in a few dozen
// steps whatever the stretch's length, so a million records draw as fast as a thousand.
//
// Room for every record is reserved at once but left untouched, so the system gives it
// memory page by page as records arrive: 4 bytes a record, and 1/15 of that for the blocks.

#include <cstdint>
#include <memory>
#include <span>

namespace mensora {

struct Extremes {
    float minimum;
    float maximum;
};

class ValueColumn {
public:
    explicit ValueColumn(std::uint32_t capacity);

    std::uint32_t size() const { return size_; }
    std::span<const float> values() const { return {values_.get(), size_}; }

    // Ignored when the column is full.
    void append(float value);
    void clear() { size_ = 0; }

    // The smallest and largest of the records [first, last); first < last <= size().
    Extremes extremes(std::uint32_t first, std::uint32_t last) const;

private:
    static constexpr unsigned kFanShift = 4;  // 16 entries of a level make one of the next
    static constexpr unsigned kLevels = 5;    // blocks of 16 up to 16^5 records

    std::uint32_t capacity_;
    std::uint32_t size_ = 0;
    std::unique_ptr<float[]> values_;
    std::unique_ptr<Extremes[]> blocks_[kLevels];
};

}  // namespace mensora
