#pragma once
// Everything a recording canvas was given, folded into one number (FNV-1a over its text), so
// that a test can hold a drawing to the one an earlier version of the charts made, stroke for
// stroke.

#include <cstdint>
#include <string>

#include "tests/unit/charts/recording_canvas.h"

namespace mensora::test {

inline std::string canvasLog(const RecordingCanvas& canvas) {
    std::string log;
    const auto add = [&log](auto... numbers) {
        ((log += std::to_string(numbers) + ' '), ...);
        log += '\n';
    };
    const auto colour = [](Colour c) { return (c.red << 16) | (c.green << 8) | c.blue; };
    for (const auto& l : canvas.lines) {
        add(l.from.x, l.from.y, l.to.x, l.to.y, colour(l.colour), static_cast<int>(l.stroke));
    }
    for (const auto& polyline : canvas.polylines) {
        for (const Point p : polyline) add(p.x, p.y);
    }
    for (const auto& f : canvas.fills) {
        add(f.rect.left, f.rect.top, f.rect.width, f.rect.height, colour(f.colour));
    }
    for (const Rect& r : canvas.frames) add(r.left, r.top, r.width, r.height);
    for (const auto& t : canvas.texts) {
        add(t.anchor.x, t.anchor.y, colour(t.colour));
        log += t.text + '\n';
    }
    return log;
}

inline std::uint64_t canvasFingerprint(const RecordingCanvas& canvas) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : canvasLog(canvas)) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return hash;
}

// Readings of a steady process at 0.001 mm without a random engine, so that every platform
// draws the same: the i-th of them.
inline float steadyReading(std::uint32_t i) {
    return 12.345f + 0.001f * static_cast<float>(static_cast<int>((i * 7919u) % 13u) - 6);
}

}  // namespace mensora::test
