#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/acquisition_state.h"
#include "base/clock.h"
#include "base/timers.h"
#include "base/window_port.h"
#include "files/file_system.h"

namespace mensora {

class RecordStore;

// What the record files tell the rest of the program; by default nobody listens.
struct RecordFileEvents {
    // A wait begins that may last long: the save dialog, open for as long as the user likes,
    // or an autosave writing a full store.
    std::function<void()> longWaitStarts = [] {};
    // The autosave wrote its file: its wait is over.
    std::function<void()> autosaveWritten = [] {};
    // Every record in the store is now in a record file: saved by the Save button (autosave
    // false) or the autosave (true).
    std::function<void(bool autosave)> recordsSaved = [](bool) {};
};

// The Save button, the autosave switch and the 60-second autosave tick.
class RecordFiles {
public:
    RecordFiles(AcquisitionState& state, const RecordStore& store, WindowPort& window,
                Timers& timers, Clock& clock, FileSystem& fileSystem, RecordFileEvents events = {});
    // Asks where to save. A record file is written here; a workbook's path is returned for
    // the caller, which writes workbooks (nothing is returned otherwise).
    std::optional<std::string> exportRecords();
    // Where Save would write, as the user chose in the same dialog: a record file or a
    // workbook; nothing when the dialog was cancelled.
    struct SaveTarget {
        std::string path;
        bool workbook = false;
    };
    std::optional<SaveTarget> askSaveTarget();
    // Records of an earlier run, not the list's, written as a record file to path and told as
    // Save tells it; the list's records stay as saved or unsaved as they were.
    bool saveEarlierRecords(const RecordStore& store, const std::string& path);
    void onAutosaveSwitch();
    void autosaveTick();

private:
    // Writes every record to the day's autosave file; false when it failed (the user has
    // then been told why).
    bool writeAutosaveFile();
    // Beside the executable when the program may create files there, else the per-user
    // data folder.
    std::string autosaveDirectory();
    // The slot of autosave names this program writes in folder: the one it already holds
    // there, else the first one no other running program holds, held from now on.
    unsigned autosaveSlot(const std::string& folder);
    // Writes every record to path, replacing what it held; on failure tells the user why and
    // returns false, the previous file left as it was.
    bool saveRecordsTo(const std::string& path);
    // Writes store to path, replacing what it held; on failure tells the user why.
    bool writeStore(const RecordStore& store, const std::string& path);

    AcquisitionState& state_;
    const RecordStore& store_;
    WindowPort& window_;
    Timers& timers_;
    Clock& clock_;
    FileSystem& fileSystem_;
    RecordFileEvents events_;
    // The autosave slot this program holds, and where.
    std::unique_ptr<NameClaim> slotClaim_;
    std::string slotFolder_;
    unsigned slot_ = 1;
};

}  // namespace mensora
