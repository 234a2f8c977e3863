#include "workbook/workbook_export.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "base/texts.h"
#include "files/file_failure_text.h"
#include "measure/record_store.h"
#include "workbook/scratch_place.h"
#include "workbook/study_workbook.h"
#include "workbook/workbook_file.h"
#include "workbook/workbook_texts.h"

namespace mensora {
namespace {

// The share of the bar that writing the rows fills; packing the workbook and putting it in
// place take the rest.
constexpr int kRowsPercent = 90;
constexpr std::size_t kCopyBlock = 1 << 20;

std::filesystem::path nativePath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The finished workbook into the record file, block by block; stops when cancelled.
std::optional<FileFailure> copyInto(RecordFileSink& file, const std::string& from,
                                    const std::atomic<bool>& cancelled) {
    std::ifstream in(nativePath(from), std::ios::binary);
    if (!in) return FileFailure::Unknown;
    std::vector<char> block(kCopyBlock);
    while (!cancelled) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got > 0) {
            if (auto failure = file.write(block.data(), got)) return failure;
        }
        if (!in) return in.eof() ? std::nullopt : std::optional(FileFailure::HardwareIo);
    }
    return std::nullopt;
}

// Removes the scratch file however the job leaves.
struct ScratchFile {
    std::string path = scratchWorkbookPath();
    ScratchFile() = default;
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(nativePath(path), ignored);
    }
};

}  // namespace

WorkbookExport::WorkbookExport(AcquisitionState& state, WindowPort& window, WorkQueue& queue,
                               WindowThread& windowThread, FileSystem& fileSystem,
                               std::function<void(std::uint32_t covered)> onSaved)
    : state_(state),
      window_(window),
      queue_(queue),
      windowThread_(windowThread),
      fileSystem_(fileSystem),
      onSaved_(std::move(onSaved)) {}

void WorkbookExport::save(const std::string& path, WorkbookContents contents, Records records) {
    const std::uint32_t rows = contents.count;
    auto written = [this, records, rows, store = &contents.store] {
        if (records != Records::List) return;
        // Records taken while the workbook was written are in no file yet, unless an autosave
        // has held them meanwhile.
        state_.unsavedRecords = std::min(state_.unsavedRecords, store->count() - rows);
        onSaved_(rows);
    };
    start(
        path, rows,
        [contents = std::move(contents)](const std::string& scratch, const RowsWritten& progress) {
            return writeWorkbookFile(scratch, contents, progress);
        },
        std::move(written));
}

void WorkbookExport::saveStudy(const std::string& path, FinishedGaugeStudy study,
                               Language language) {
    const auto rows = static_cast<std::uint32_t>(study.readings.size());
    start(
        path, rows,
        [study = std::move(study), language](const std::string& scratch, const RowsWritten&) {
            return writeStudyWorkbook(scratch, study, language);
        },
        [] {});
}

void WorkbookExport::start(const std::string& path, std::uint32_t rows, ScratchWriter writer,
                           std::function<void()> written) {
    const Language language = state_.language();
    if (saving()) {
        window_.showMessage(pick(workbook_texts::kSaveRunning, language), MessageIcon::Exclamation);
        return;
    }
    auto save = std::make_shared<Save>();
    current_ = save;
    shownPercent_ = 0;
    window_.showProgress(pick(workbook_texts::kSavingWorkbook, language),
                         pick(workbook_texts::kCancel, language));
    window_.setProgress(0);
    queue_.submit(
        [this, save, path, rows, writer = std::move(writer), written = std::move(written)] {
            const auto report = [this](int percent) {
                windowThread_.post([this, percent] { progressed(percent); });
            };
            const End end = write(*save, path, rows, writer, report);
            windowThread_.post([this, end, path, written] { ended(end, path, written); });
        });
}

void WorkbookExport::cancel() {
    if (current_) current_->cancelled = true;
}

WorkbookExport::End WorkbookExport::write(const Save& save, const std::string& path,
                                          std::uint32_t rows, const ScratchWriter& writer,
                                          const std::function<void(int)>& report) {
    // The chosen file is held from the start: one another program holds is reported before
    // any work is done.
    const RecordFileOpening opening = fileSystem_.createRecordFile(path);
    if (!opening.file) return {false, RecordFileFailure{opening.failure, false}};
    const ScratchFile scratch;
    int reported = 0;
    const auto rowsWritten = [&](std::uint32_t written) {
        const int percent = rows == 0
                                ? kRowsPercent
                                : static_cast<int>(std::uint64_t{written} * kRowsPercent / rows);
        if (percent != reported) report(reported = percent);
        return !save.cancelled;
    };
    const WorkbookWriting writing = writer(scratch.path, rowsWritten);
    if (writing.end == WorkbookEnd::Cancelled) return {true, std::nullopt};
    if (writing.end == WorkbookEnd::Failed) {
        return {false, RecordFileFailure{writing.failure, false}};
    }
    if (const auto failure = copyInto(*opening.file, scratch.path, save.cancelled)) {
        return {false, RecordFileFailure{*failure, false}};
    }
    if (save.cancelled) return {true, std::nullopt};
    return {false, opening.file->commit()};
}

void WorkbookExport::progressed(int percent) {
    if (percent <= shownPercent_) return;
    shownPercent_ = percent;
    window_.setProgress(percent);
}

void WorkbookExport::ended(const End& end, const std::string& path,
                           const std::function<void()>& written) {
    current_.reset();
    window_.hideProgress();
    if (end.cancelled) return;
    if (end.failure) {
        window_.showMessage(
            fileFailureMessage(end.failure->cause, end.failure->atClose ? kUnnamedFile : path),
            MessageIcon::Stop);
        return;
    }
    written();
    window_.showMessage(pick(texts::kExportSucceeded, state_.language()), MessageIcon::Exclamation);
}

}  // namespace mensora
