#pragma once
// What a static text of the window shows when its caption cannot fit its box even wrapped at
// word boundaries (a translation longer than the box the layout gives it): the whole words
// that fit on one line, the last ones when the text is right-aligned and the first ones
// otherwise, never half a word and never spilling over the neighbours. At least one word is
// shown. Both front ends measure with their own fonts and ask here what to show.

#include <functional>
#include <string>
#include <string_view>

namespace mensora {

// Measures one line of UTF-8 text in pixels in the label's font.
using LineWidth = std::function<int(std::string_view)>;

// The text to show: the caption itself when `fitsWrapped`, otherwise the words of it (split
// at blanks, runs of blanks counting as one) that fit `boxWidth` on one line.
std::string fittingCaption(std::string_view caption, bool fitsWrapped, bool alignRight,
                           int boxWidth, const LineWidth& lineWidth);

}  // namespace mensora
