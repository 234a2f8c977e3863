#pragma once
// A field shows its whole text, never the part that happens to fit: a value longer than the
// field has room for (an average of readings around zero, a counter near its end) is drawn
// in smaller type until it fits, and in the field's own type again once it fits.

namespace mensora {

// The largest type size from `fullSize` down to 1 at which `fits(size)` holds; 1 when it
// holds at none.
template <typename Fits>
int largestSizeThatFits(int fullSize, Fits fits) {
    int size = fullSize;
    while (size > 1 && !fits(size)) --size;
    return size;
}

}  // namespace mensora
