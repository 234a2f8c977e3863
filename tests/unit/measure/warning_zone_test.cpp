// Which OK readings lie in the warning zone: the zone's edges are nominal plus the warning
// share of each tolerance, a reading on an edge warns, and a reading on a tolerance limit is NG
// and never a warning.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "measure/judgement.h"

namespace mensora {
namespace {

TEST(WarningZone, OkReadingsAtOrBeyondTheShareOfEitherToleranceWarn) {
    struct Case {
        const char* why;
        float nominal, upper, lower;
        std::optional<int> percent;
        float value;
        bool warns;
    };
    // 12 +0.05/-0.05 at 80 %: the zone's edges are 12.04 and 11.96.
    const float upperEdge = 12.04f;
    const float lowerEdge = 11.96f;
    const Case cases[] = {
        {"on the upper edge", 12.0f, 0.05f, -0.05f, 80, upperEdge, true},
        {"just inside the upper edge", 12.0f, 0.05f, -0.05f, 80, std::nextafter(upperEdge, 12.0f),
         false},
        {"between the edge and the limit", 12.0f, 0.05f, -0.05f, 80, 12.045f, true},
        {"just inside the upper limit", 12.0f, 0.05f, -0.05f, 80, std::nextafter(12.05f, 12.0f),
         true},
        {"on the upper limit: NG", 12.0f, 0.05f, -0.05f, 80, 12.05f, false},
        {"beyond the upper limit: NG", 12.0f, 0.05f, -0.05f, 80, 12.3f, false},
        {"on the nominal size", 12.0f, 0.05f, -0.05f, 80, 12.0f, false},
        {"on the lower edge", 12.0f, 0.05f, -0.05f, 80, lowerEdge, true},
        {"just inside the lower edge", 12.0f, 0.05f, -0.05f, 80, std::nextafter(lowerEdge, 12.0f),
         false},
        {"on the lower limit: NG", 12.0f, 0.05f, -0.05f, 80, 11.95f, false},
        {"no share: no zone", 12.0f, 0.05f, -0.05f, std::nullopt, 12.049f, false},
        {"half the tolerance", 12.0f, 0.05f, -0.05f, 50, 12.025f, true},
        {"99 %: only the last hundredth warns", 12.0f, 0.05f, -0.05f, 99, 12.049f, false},
        {"99 %, on its edge", 12.0f, 0.05f, -0.05f, 99, 12.0495f, true},
        // Unequal tolerances: each side's edge is the share of its own tolerance.
        {"unequal, above: 2 + 0.75 × 0.4", 2.0f, 0.4f, -0.1f, 75, 2.3f, true},
        {"unequal, below: 2 - 0.75 × 0.1", 2.0f, 0.4f, -0.1f, 75, 1.925f, true},
        {"unequal, below, inside", 2.0f, 0.4f, -0.1f, 75, 1.93f, false},
        {"negative sizes", -5.0f, 0.2f, -0.2f, 60, -5.12f, true},
        {"negative sizes, inside", -5.0f, 0.2f, -0.2f, 60, -4.89f, false},
    };
    for (const Case& c : cases) {
        const double nominal = c.nominal;
        const ToleranceLimits limits{nominal, nominal + c.upper, nominal + c.lower};
        EXPECT_EQ(warns(c.value, limits, c.percent), c.warns) << c.why;
    }
}

}  // namespace
}  // namespace mensora
