#pragma once
// The settings hold the nominal size and the tolerances as whole thousandths of the gauge's
// unit: the one conversion both ways.

#include <cstdint>

namespace mensora {

// Whether a size survives being stored: its thousandths fit the stored 32-bit integer.
bool fitsStoredThousandths(float value);

// The stored form of a size: thousandths, halves away from zero. A size that does not fit is
// held at the nearest end of the stored range; callers check fitsStoredThousandths first.
std::int32_t toStoredThousandths(float value);

// A stored size back in the gauge's unit: times the single-precision 0.001, the product worked
// out in double and rounded once to the float it is kept in.
float fromStoredThousandths(std::int32_t stored);

}  // namespace mensora
