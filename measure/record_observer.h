#pragma once
// Told of every record as it is made and of every Clear, so that what follows the records
// (the quality charts) keeps up without reading the whole store again.

#include <cstdint>

namespace mensora {

class RecordObserver {
public:
    virtual ~RecordObserver() = default;
    // The reading just recorded, as judged, and the decimal places the gauge sent it with.
    virtual void recorded(float value, std::uint8_t decimalPlaces) = 0;
    virtual void cleared() = 0;
};

}  // namespace mensora
