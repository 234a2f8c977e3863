#pragma once
// Saving a workbook without holding up the bench: the workbook is written on the door's own
// work queue from the records the store held when the save started, while the gauge is read
// and recorded as usual; a progress box with Cancel stands over the window meanwhile. The
// chosen file is replaced only by a complete workbook, as the record file is: Cancel or a
// failure leaves it as it was.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/acquisition_state.h"
#include "base/window_port.h"
#include "base/window_thread.h"
#include "base/work_queue.h"
#include "files/file_system.h"
#include "measure/gauge_study.h"
#include "workbook/workbook_contents.h"
#include "workbook/workbook_file.h"

namespace mensora {

class WorkbookExport {
public:
    WorkbookExport(AcquisitionState& state, WindowPort& window, WorkQueue& queue,
                   WindowThread& windowThread, FileSystem& fileSystem,
                   std::function<void(std::uint32_t covered)> onSaved);

    // Whose records a workbook holds: the list's, which it then counts as saved, or an
    // earlier run's, which leaves the list as it was.
    enum class Records { List, EarlierRun };
    // Starts writing contents to path; the user hears of the end. One save at a time: another
    // asked for meanwhile is refused with a message.
    void save(const std::string& path, WorkbookContents contents, Records records = Records::List);
    // A finished gauge study as its own workbook, through the same box, messages and file
    // replacement; it counts no record as saved.
    void saveStudy(const std::string& path, FinishedGaugeStudy study, Language language);
    // Cancel in the progress box: the save stops at its next step.
    void cancel();
    // From the start of a save until its end has reached the window's thread.
    bool saving() const { return current_ != nullptr; }

private:
    // What the window's thread and the writing job share of one save.
    struct Save {
        std::atomic<bool> cancelled{false};
    };

    // How a save ended, as the job reports it.
    struct End {
        bool cancelled = false;
        std::optional<RecordFileFailure> failure;
    };

    // What one save writes into its scratch file, telling how many rows it has written.
    using ScratchWriter =
        std::function<WorkbookWriting(const std::string& scratch, const RowsWritten& progress)>;
    // Opens the box and hands the save to the queue: `write` fills the scratch file with
    // `rows` rows; `written` follows on the window's thread when the chosen file holds it all.
    void start(const std::string& path, std::uint32_t rows, ScratchWriter write,
               std::function<void()> written);
    // The job: the workbook put together in a scratch file, then copied into the record file
    // that replaces the chosen one.
    End write(const Save& save, const std::string& path, std::uint32_t rows,
              const ScratchWriter& writer, const std::function<void(int percent)>& report);
    // The calls the job posts back to the window's thread, in order: the end comes last.
    void progressed(int percent);
    void ended(const End& end, const std::string& path, const std::function<void()>& written);

    AcquisitionState& state_;
    WindowPort& window_;
    WorkQueue& queue_;
    WindowThread& windowThread_;
    FileSystem& fileSystem_;
    // Told of a workbook written in full, with the number of records it holds.
    std::function<void(std::uint32_t)> onSaved_;
    std::shared_ptr<Save> current_;
    int shownPercent_ = 0;
};

}  // namespace mensora
