#pragma once
// The colours and spacing every chart shares, so that both windows and the saved picture
// look alike.

#include "charts/canvas.h"

namespace mensora::chart_style {

inline constexpr Colour kBackground{255, 255, 255};
inline constexpr Colour kText{40, 40, 40};
inline constexpr Colour kFrame{120, 120, 120};
inline constexpr Colour kGrid{228, 228, 228};
inline constexpr Colour kOk{31, 100, 180};      // recorded readings within the tolerance
inline constexpr Colour kNg{214, 39, 40};       // readings outside it, and its limits
inline constexpr Colour kWarning{245, 170, 0};  // readings inside it, in its warning zone
inline constexpr Colour kTrace{160, 185, 215};  // the line joining consecutive readings
inline constexpr Colour kNominal{44, 150, 44};
inline constexpr Colour kControl{230, 120, 10};      // control limits from all records
inline constexpr Colour kFixedControl{150, 70, 20};  // control limits fixed, drawn solid
inline constexpr Colour kRuleMark{140, 40, 190};     // a ring round a point a run rule fired at
inline constexpr Colour kMean{90, 90, 90};
inline constexpr Colour kBar{170, 205, 230};
inline constexpr Colour kBarEdge{70, 130, 180};
inline constexpr Colour kCurve{110, 60, 160};  // the normal curve

inline constexpr int kPadding = 6;  // between the area's edge, titles, labels and the plot
inline constexpr int kTickLength = 4;

}  // namespace mensora::chart_style
