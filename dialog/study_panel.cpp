#include "dialog/study_panel.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "base/control_table.h"
#include "base/number_text.h"
#include "dialog/study_texts.h"
#include "measure/gauge_study_result_text.h"
#include "measure/gauge_study_texts.h"
#include "measure/recorder.h"

namespace mensora {
namespace {

// The places the reference, T and the band are shown with before any reading tells the
// gauge's own.
constexpr int kPlacesBeforeReadings = 3;

}  // namespace

StudyPanel::StudyPanel(const Parts& parts) : parts_(parts), state_(parts.context.state) {}

void StudyPanel::attach(StudyWindowPort* window, Language language) {
    const bool wasTaking = taking();
    window_ = window;
    language_ = language;
    // Closed in the middle: what was taken is dropped, as Cancel drops it.
    if (window == nullptr && wasTaking) drop();
    if (bandChanged_) bandChanged_();
}

StudyFields StudyPanel::fields() const {
    if (study_) {
        const GaugeStudySetup& setup = study_->setup();
        return {formatFloat(static_cast<float>(setup.reference)),
                formatFloat(static_cast<float>(setup.tolerance)), std::to_string(setup.count)};
    }
    const Parameters& inForce = state_.parameters;
    return {formatFloat(inForce.nominal),
            formatFloat(static_cast<float>(defaultStudyTolerance(inForce))),
            std::to_string(kDefaultStudyReadings)};
}

void StudyPanel::start(const StudyFields& fields) {
    if (taking()) return;
    const Language shown = language();
    const auto tell = [&](const char* text) {
        if (window_ != nullptr) window_->tell(text);
    };
    const std::optional<double> reference = parseDouble(fields.reference);
    if (!reference) return tell(pick(study_texts::kReferenceNotNumber, shown));
    const std::optional<double> tolerance = parseDouble(fields.tolerance);
    if (!tolerance) return tell(pick(study_texts::kToleranceNotNumber, shown));
    const std::optional<std::uint32_t> count = parseUnsigned(fields.count);
    // A count beyond an int is out of range as surely as 101 is.
    const int readings =
        count ? static_cast<int>(std::min<std::uint32_t>(*count, std::numeric_limits<int>::max()))
              : 0;
    const GaugeStudySetup setup{*reference, *tolerance, readings};
    if (const std::optional<StudySetupFault> fault = studySetupFault(setup)) {
        return tell(gauge_study_texts::setupFaultText(*fault, shown));
    }
    study_ = GaugeStudy::start(setup);
    kept_.reset();
    cancelled_ = false;
    chartReadings_.clear();
    changed();
}

void StudyPanel::take(const Reading& reading) {
    // The gauge's device is gone: what the window last had is no reading of now.
    if (!taking() || state_.deviceLost) return;
    study_->add(reading.value, reading.decimalPlaces);
    chartReadings_.append(reading.value);
    soundTaken(state_.parameters, parts_.sound, parts_.context.timers);
    if (study_->finished()) finish();
    changed();
}

void StudyPanel::undoLast() {
    if (!canUndo()) return;
    study_->undoLast();
    chartReadings_.clear();
    for (const StudyReading& kept : study_->readings()) {
        chartReadings_.append(static_cast<float>(kept.value));
    }
    changed();
}

void StudyPanel::cancel() {
    if (!taking()) return;
    drop();
    changed();
}

void StudyPanel::drop() {
    study_.reset();
    chartReadings_.clear();
    cancelled_ = true;
}

void StudyPanel::finish() {
    const Parameters& inForce = state_.parameters;
    kept_ = FinishedGaugeStudy{
        parts_.clock.localNow(), gaugeId(),          recordUnitName(inForce.unitIndex),
        study_->setup(),         study_->readings(), *study_->figures()};
    if (parts_.keep) parts_.keep(*kept_);
}

void StudyPanel::changed() {
    if (window_ != nullptr) window_->studyChanged();
    if (bandChanged_) bandChanged_();
}

std::string StudyPanel::progress(Language shown) const {
    if (!study_) {
        return pick(cancelled_ ? study_texts::kCancelled : study_texts::kNotStarted, shown);
    }
    return pick(study_texts::kProgressBefore, shown) + std::to_string(study_->taken()) +
           pick(study_texts::kProgressBetween, shown) + std::to_string(study_->setup().count);
}

std::string StudyPanel::result() const {
    if (!kept_) return {};
    return gaugeStudyResultText(kept_->figures, language());
}

StudyChartInputs StudyPanel::chart() const {
    // Before a study, or after one was cancelled, the chart stands ready around the values the
    // fields offer.
    GaugeStudySetup setup;
    if (study_) {
        setup = study_->setup();
    } else {
        const Parameters& inForce = state_.parameters;
        setup = {inForce.nominal, defaultStudyTolerance(inForce), kDefaultStudyReadings};
    }
    int decimals = kPlacesBeforeReadings;
    if (study_ && study_->taken() > 0) {
        decimals = 0;
        for (const StudyReading& reading : study_->readings()) {
            decimals = std::max<int>(decimals, reading.decimalPlaces);
        }
    }
    return {setup, chartReadings_, decimals, language()};
}

StudyHeading StudyPanel::heading() const {
    const StudyChartInputs inputs = chart();
    const GaugeStudySetup& setup = inputs.setup;
    std::string line = pick(study_texts::kGauge, language()) + gaugeId();
    line += "  Xm " + fixedText(setup.reference, inputs.decimals);
    line += "  T " + fixedText(setup.tolerance, inputs.decimals);
    line += "  n " + std::to_string(setup.count);
    const std::string done = result();
    return {std::move(line), done.empty() ? progress(language()) : done};
}

std::string StudyPanel::bandLine(Language language) const {
    if (!taking()) return {};
    return pick(study_texts::kBandBefore, language) + progress(language) +
           pick(study_texts::kBandAfter, language);
}

void StudyPanel::saveWorkbook(const std::string& path) {
    if (!kept_) return;
    parts_.workbook.saveStudy(path, *kept_, language());
}

}  // namespace mensora
