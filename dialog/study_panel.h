#pragma once
// What the Gauge study window does, for both windows. From Start until the study has its n
// readings the gauge's readings (its data key, Manual, or Auto at its period) go to the study
// instead of the record list; Undo takes the last one back and Cancel ends the study keeping
// nothing. A finished study goes to the journal (and from there to the plant database) and
// may be saved as a workbook; the window saves its picture. The readings go to the study only
// while its window is open: a study left behind a closed window would swallow readings meant
// for the list.

#include <functional>
#include <optional>
#include <string>

#include "base/acquisition_state.h"
#include "base/alert_sound.h"
#include "base/clock.h"
#include "base/dialog_context.h"
#include "charts/study_chart.h"
#include "charts/value_column.h"
#include "measure/gauge_study.h"
#include "measure/record_traces.h"
#include "workbook/workbook_export.h"

namespace mensora {

// The open Gauge study window, as the study tells it what changed.
class StudyWindowPort {
public:
    virtual ~StudyWindowPort() = default;
    // A reading came or went, the study started, ended or was cancelled: redraw.
    virtual void studyChanged() = 0;
    // A message over the study window.
    virtual void tell(const std::string& text) = 0;
};

// The study window's fields as typed.
struct StudyFields {
    std::string reference;
    std::string tolerance;
    std::string count;
};

class StudyPanel {
public:
    struct Parts {
        const DialogContext& context;
        AlertSound& sound;
        Clock& clock;
        const RecordTraces& traces;
        WorkbookExport& workbook;
        // Where a finished study is kept: the journal, when there is one.
        std::function<void(const FinishedGaugeStudy&)> keep;
    };
    explicit StudyPanel(const Parts& parts);
    StudyPanel(const StudyPanel&) = delete;
    StudyPanel& operator=(const StudyPanel&) = delete;

    // The window opened in `language`; nullptr: it closed, which cancels a study still taking
    // readings.
    void attach(StudyWindowPort* window, Language language);
    // Told whenever the main window's line band must say something else.
    void onBandChange(std::function<void()> changed) { bandChanged_ = std::move(changed); }

    // What the fields show when the window opens: the setup of the study that stands (running or
    // finished), or the reference at the nominal size in force, T the span of its tolerances
    // and 25 readings.
    StudyFields fields() const;
    // The gauge as the values in force name it.
    const std::string& gaugeId() const { return parts_.traces.inForce().gaugeId; }

    // Starts a study of `fields`; a field that does not hold a number, or a setup the study
    // refuses, is told to the window and starts nothing.
    void start(const StudyFields& fields);
    // Whether the gauge's readings go to the study now.
    bool taking() const { return study_ && !study_->finished() && window_ != nullptr; }
    // The reading the window shows, taken by the study instead of the record list.
    void take(const Reading& reading);
    void undoLast();
    void cancel();

    // What the window shows: how far the study has got, its result once finished, the chart.
    std::string progress() const { return progress(language()); }
    std::string result() const;
    StudyChartInputs chart() const;
    StudyHeading heading() const;
    bool finished() const { return study_ && study_->finished(); }
    // The readings the study holds now.
    int taken() const { return study_ ? study_->taken() : 0; }
    bool canUndo() const { return taking() && study_->taken() > 0; }
    // The main window's line band while the study takes the readings; empty otherwise.
    std::string bandLine(Language language) const;

    // The finished study as a workbook at `path`, written away from the window's thread.
    void saveWorkbook(const std::string& path);

private:
    void changed();
    std::string progress(Language language) const;
    void finish();
    // Ends a study that takes readings, keeping none of them.
    void drop();
    Language language() const { return window_ != nullptr ? language_ : state_.language(); }

    Parts parts_;
    AcquisitionState& state_;
    StudyWindowPort* window_ = nullptr;
    Language language_ = Language::Chinese;
    std::optional<GaugeStudy> study_;
    bool cancelled_ = false;
    // The readings as the chart draws them, rebuilt after an Undo.
    ValueColumn chartReadings_{kMostStudyReadings};
    // The finished study as it was kept; the workbook is written from it.
    std::optional<FinishedGaugeStudy> kept_;
    std::function<void()> bandChanged_;
};

}  // namespace mensora
