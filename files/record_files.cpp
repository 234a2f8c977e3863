#include "files/record_files.h"

#include <optional>
#include <utility>

#include "base/control_ids.h"
#include "base/texts.h"
#include "base/timer_ids.h"
#include "files/file_failure_text.h"
#include "files/record_file_format.h"
#include "files/record_file_paths.h"

namespace mensora {
namespace {

constexpr std::uint32_t kAutosavePeriodMs = 60000;
constexpr const char* kOfferedFileName = "MensoraRecord.xls";
constexpr const char* kWorksheetFilter = "Worksheet Files (*.xls)";
// Far more programs than one bench PC runs at once.
constexpr unsigned kAutosaveSlots = 99;

// Creates, writes and completes the record file. The file is closed and the target released
// when this returns, before any message box opens: timers tick inside the box, and the next
// autosave may want the same file.
std::optional<RecordFileFailure> writeWholeFile(FileSystem& fileSystem,
                                                const std::string& path,
                                                const RecordStore& store,
                                                Language language) {
    const RecordFileOpening opening = fileSystem.createRecordFile(path);
    if (!opening.file) return RecordFileFailure{opening.failure, false};
    if (const auto failure = writeRecordFile(*opening.file, store, language)) {
        return RecordFileFailure{*failure, false};
    }
    return opening.file->commit();
}

}  // namespace

RecordFiles::RecordFiles(AcquisitionState& state, const RecordStore& store, WindowPort& window,
                         Timers& timers, Clock& clock, FileSystem& fileSystem,
                         RecordFileEvents events)
    : state_(state),
      store_(store),
      window_(window),
      timers_(timers),
      clock_(clock),
      fileSystem_(fileSystem),
      events_(std::move(events)) {}

void RecordFiles::exportRecords() {
    // The dialog can stay open for a long time; the gauge must not be reported lost
    // meanwhile. Nothing is said when it closes: the next good frame tells that the gauge
    // is there.
    events_.longWaitStarts();
    const std::optional<std::string> path = window_.askSavePath(kOfferedFileName, kWorksheetFilter);
    if (!path) return;
    if (!saveRecordsTo(*path)) return;
    events_.recordsSaved(false);
    window_.showMessage(pick(texts::kExportSucceeded, state_.language()), MessageIcon::Exclamation);
}

void RecordFiles::onAutosaveSwitch() {
    if (window_.isChecked(AutosaveCheck)) {
        timers_.arm(AutosaveTimer, kAutosavePeriodMs);
    } else {
        timers_.kill(AutosaveTimer);
    }
}

void RecordFiles::autosaveTick() {
    if (!state_.recordsDirty) return;
    // Cleared first: a failed autosave waits for the next record instead of retrying every
    // minute with a message box each time.
    state_.recordsDirty = false;
    // Writing a full store takes a while; the gauge's silence meanwhile is not a lost link.
    events_.longWaitStarts();
    if (!writeAutosaveFile()) return;
    events_.recordsSaved(true);
    events_.autosaveWritten();
}

bool RecordFiles::writeAutosaveFile() {
    const std::string folder = autosaveDirectory();
    const unsigned slot = autosaveSlot(folder);
    return saveRecordsTo(folder + autosaveFileName(clock_.localNow(), slot));
}

unsigned RecordFiles::autosaveSlot(const std::string& folder) {
    if (slotClaim_ && slotFolder_ == folder) return slot_;
    slotClaim_.reset();
    for (unsigned slot = 1; slot <= kAutosaveSlots; ++slot) {
        NameClaiming claiming = fileSystem_.claimName(folder, autosaveSlotName(slot));
        if (claiming.heldElsewhere) continue;
        // A slot that cannot be held at all (a folder the program may not write to) is used
        // all the same, and held at a later autosave if it can be then: writing the file
        // tells the user what is wrong with the folder.
        slotClaim_ = std::move(claiming.claim);
        slotFolder_ = folder;
        slot_ = slot;
        return slot;
    }
    return kAutosaveSlots + 1;
}

std::string RecordFiles::autosaveDirectory() {
    std::string folder = executableDirectory(fileSystem_.executablePath());
    if (fileSystem_.mayCreateFilesIn(folder)) return folder;
    // An installation folder the user may not write to: keep the backup in the user's own
    // data folder. If even that is unavailable, the attempt beside the executable tells the
    // user why it failed.
    if (std::optional<std::string> userFolder = fileSystem_.userDataDirectory()) {
        folder = std::move(*userFolder);
    }
    return folder;
}

bool RecordFiles::saveRecordsTo(const std::string& path) {
    const std::optional<RecordFileFailure> failure =
        writeWholeFile(fileSystem_, path, store_, state_.language());
    if (failure) {
        window_.showMessage(
            fileFailureMessage(failure->cause, failure->atClose ? kUnnamedFile : path),
            MessageIcon::Stop);
        return false;
    }
    // Every record in the store is now in a file; records made inside a message box that
    // opens after this are counted again.
    state_.unsavedRecords = 0;
    return true;
}

}  // namespace mensora
