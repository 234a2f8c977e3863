#pragma once
// How the record area follows the window's height: the record group and the record list
// keep their top and stretch their bottom edge in proportion to the client height. Nothing
// else moves, so the rest of the window stays where the bench operator expects it.

#include <optional>

#include "base/control_ids.h"

namespace mensora {

// The controls that stretch, in the order they are moved: the record group, then the list.
inline constexpr int kStretchingControls[] = {RecordGroup, RecordList};

// One proportional stretch, from the client height the controls were laid out for to the
// new one.
class Stretch {
public:
    Stretch(int fromHeight, int toHeight) : from_(fromHeight), to_(toHeight) {}
    // The bottom edge (in client coordinates) moved in proportion: bottom × new height ÷
    // former height, the product first and the quotient truncated, as whole pixels.
    int bottom(int formerBottom) const;
    // The new height of a control that keeps its top: its bottom edge (one past its last row
    // of pixels) moved as above.
    int height(int top, int formerHeight) const { return bottom(top + formerHeight) - top; }

private:
    int from_;
    int to_;
};

class ResizeRule {
public:
    // A size change of the window to the given client height. Returns the stretch to apply
    // to the stretching controls, or nothing when they stay: while minimised (the height is
    // then meaningless and is not remembered), and at the first change, which only records
    // the height the controls were laid out for.
    std::optional<Stretch> sizeChanged(int clientHeight, bool minimised);

private:
    std::optional<int> rememberedHeight_;
};

}  // namespace mensora
