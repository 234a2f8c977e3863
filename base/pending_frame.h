#pragma once
// What the records changed on screen since the window last showed it. Automatic recording at
// its fastest takes a record every 10 ms: more than anyone reads, and a screen redrawn for each
// costs the bench PC a good part of a core. Each window notes here the new rows, the scroll to
// the last one and the statistics texts as the core tells it of them, and shows them together
// once a frame, however many records came in between; sooner where the operator must see them
// now (a click handled, a box about to open, the window being read).

#include <cstdint>
#include <map>
#include <string>

namespace mensora {

// About thirty frames a second: smooth to the eye, a third of the fastest pace of records.
inline constexpr std::uint32_t kFramePeriodMs = 33;

class PendingFrame {
public:
    // Whether the texts of a control wait for the frame: the statistics fields, which change
    // with every record and are shown with the rows they count.
    static bool waitsForFrame(int controlId);

    // Each notes a change and returns true when it is the first one of the frame: the window
    // then asks its platform for the frame.
    bool rowsAdded();
    bool scrollToEnd();
    bool setText(int controlId, const std::string& text);

    // The text waiting for a control, or nullptr: what the window holds for it now.
    const std::string* text(int controlId) const;

    // What the frame shows, in this order: the list's new rows, the scroll to its last row,
    // the texts. Nothing waits afterwards.
    struct Changes {
        bool rowsAdded = false;
        bool scrollToEnd = false;
        std::map<int, std::string> texts;
    };
    Changes take();

private:
    bool nothingWaits() const;

    Changes waiting_;
};

}  // namespace mensora
