#pragma once
// The seven timers of the main window. Their ids are fixed: the tick routing and the
// disconnect (which kills 1 to 5 in ascending order) rely on them.

namespace mensora {

enum TimerId : int {
    PollTimer = 1,
    ZeroTimer = 2,
    AutoSampleTimer = 3,
    LinkWatchdogTimer = 4,
    PortScanTimer = 5,
    BeepStopTimer = 6,
    AutosaveTimer = 7,
};

}  // namespace mensora
