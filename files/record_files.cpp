#include "files/record_files.h"

#include <optional>
#include <utility>

#include "base/control_ids.h"
#include "base/texts.h"
#include "base/timer_ids.h"
#include "files/file_failure_text.h"
#include "files/record_file_format.h"
#include "files/record_file_paths.h"
#include "files/save_file_types.h"
#include "files/window_slot.h"

namespace mensora {
namespace {

constexpr std::uint32_t kAutosavePeriodMs = 60000;
constexpr const char* kOfferedFileName = "MensoraRecord.xls";
// What every window holds in the autosave folder to keep its number there.
constexpr const char* kAutosaveStem = "bak";

// Creates, writes and completes the record file. The file is closed and the target released
// when this returns, before any message box opens: timers tick inside the box, and the next
// autosave may want the same file.
std::optional<RecordFileFailure> writeWholeFile(FileSystem& fileSystem, const std::string& path,
                                                const RecordStore& store, Language language) {
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

std::optional<std::string> RecordFiles::exportRecords() {
    const std::optional<SaveTarget> target = askSaveTarget();
    if (!target) return std::nullopt;
    if (target->workbook) return target->path;
    if (saveRecordsTo(target->path)) {
        events_.recordsSaved(false);
        window_.showMessage(pick(texts::kExportSucceeded, state_.language()),
                            MessageIcon::Exclamation);
    }
    return std::nullopt;
}

std::optional<RecordFiles::SaveTarget> RecordFiles::askSaveTarget() {
    // The dialog can stay open for a long time; the gauge must not be reported lost
    // meanwhile. Nothing is said when it closes: the next good frame tells that the gauge
    // is there.
    events_.longWaitStarts();
    const std::optional<SaveChoice> choice = window_.askSavePath(
        kOfferedFileName, {kRecordFileFilter, pick(kWorkbookFilter, state_.language())});
    if (!choice) return std::nullopt;
    return SaveTarget{choice->path,
                      saveFileTypeOf(choice->path, choice->fileType) == SaveFileType::Workbook};
}

bool RecordFiles::saveEarlierRecords(const RecordStore& store, const std::string& path) {
    if (!writeStore(store, path)) return false;
    window_.showMessage(pick(texts::kExportSucceeded, state_.language()), MessageIcon::Exclamation);
    return true;
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
    // A slot that could not be held is tried again at the next autosave.
    WindowSlot slot = claimWindowSlot(fileSystem_, folder, kAutosaveStem);
    slotClaim_ = std::move(slot.claim);
    slotFolder_ = folder;
    slot_ = slot.number;
    return slot_;
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

bool RecordFiles::writeStore(const RecordStore& store, const std::string& path) {
    const std::optional<RecordFileFailure> failure =
        writeWholeFile(fileSystem_, path, store, state_.language());
    if (!failure) return true;
    window_.showMessage(fileFailureMessage(failure->cause, failure->atClose ? kUnnamedFile : path),
                        MessageIcon::Stop);
    return false;
}

bool RecordFiles::saveRecordsTo(const std::string& path) {
    if (!writeStore(store_, path)) return false;
    // Every record in the store is now in a file; records made inside a message box that
    // opens after this are counted again.
    state_.unsavedRecords = 0;
    return true;
}

}  // namespace mensora
