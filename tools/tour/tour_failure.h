#pragma once
// What the tour cannot go on from: a step that did not do what it should. Thrown from the
// tour's own steps only, never from inside a Qt callback; the tour reports it and ends.

#include <stdexcept>

namespace mensora::tour {

struct TourFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace mensora::tour
