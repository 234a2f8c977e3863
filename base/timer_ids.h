#pragma once
// The ten timers of the main window. Their ids are fixed: the tick routing and the
// disconnect (which kills 1 to 5 in ascending order, then 8) rely on them.

namespace mensora {

enum TimerId : int {
    PollTimer = 1,
    ZeroTimer = 2,
    AutoSampleTimer = 3,
    LinkWatchdogTimer = 4,
    PortScanTimer = 5,
    BeepStopTimer = 6,
    AutosaveTimer = 7,
    // Once a second while the linked gauge's device is gone: the same port opened again.
    DeviceReopenTimer = 8,
    // The next round of sending records to the plant database, armed for as long as the last
    // round said to wait.
    PlantTimer = 9,
    // Every two seconds while the record journal cannot be written: the writer tries again.
    JournalRetryTimer = 10,
};

}  // namespace mensora
