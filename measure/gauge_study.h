#pragma once
// A type-1 gauge study: the operator measures one reference part of known size n times, and
// the gauge's scatter and bias are set against the tolerance of the characteristic it is to
// judge. This holds the study's setup and the readings taken so far.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/acquisition_state.h"
#include "base/clock.h"
#include "measure/gauge_study_figures.h"

namespace mensora {

inline constexpr int kLeastStudyReadings = 10;
inline constexpr int kMostStudyReadings = 100;
inline constexpr int kDefaultStudyReadings = 25;

struct GaugeStudySetup {
    double reference = 0.0;  // Xm, the reference part's known size
    double tolerance = 0.0;  // T, the span the gauge must resolve and judge within
    int count = kDefaultStudyReadings;
};

enum class StudySetupFault : std::uint8_t { ToleranceNotPositive, CountOutOfRange };

// What keeps a study from starting with `setup`; none when it may start.
std::optional<StudySetupFault> studySetupFault(const GaugeStudySetup& setup);

// The tolerance a study is offered first: the span of the characteristic in force, from its
// lower limit to its upper. The lower tolerance is signed (the lower limit is nominal plus it),
// so the span is upper minus lower; tolerances that meet give 0, which a study refuses.
double defaultStudyTolerance(const Parameters& inForce);

// The readings as the gauge sent them, each with its own places, one blank between: how the
// journal and the plant database keep them.
std::string studyReadingsText(std::span<const StudyReading> readings);

class GaugeStudy {
public:
    // A study with no readings yet; none when `setup` has a fault.
    static std::optional<GaugeStudy> start(const GaugeStudySetup& setup);

    const GaugeStudySetup& setup() const { return setup_; }
    // The readings so far, in the order taken.
    const std::vector<StudyReading>& readings() const { return readings_; }
    int taken() const { return static_cast<int>(readings_.size()); }
    bool finished() const { return taken() == setup_.count; }

    // A reading as the gauge sent it: its value and its decimal places. False, and nothing
    // kept, once the study has its n readings.
    bool add(double value, std::uint8_t decimalPlaces);
    // Takes back the latest reading, so that one the operator knows to be wrong is measured
    // again; nothing while there is none.
    void undoLast();

    // The study's result once it has its n readings; none before.
    std::optional<GaugeStudyFigures> figures() const;

private:
    explicit GaugeStudy(const GaugeStudySetup& setup) : setup_(setup) {}

    GaugeStudySetup setup_;
    std::vector<StudyReading> readings_;
};

}  // namespace mensora

namespace mensora {

// A study that took all its readings, kept whole, so that the plant sees when each gauge was
// last proven and with what.
struct FinishedGaugeStudy {
    LocalDateTime finishedAt;
    std::string gaugeId;  // as the values in force named it; may be empty
    std::string unit;     // "mm", "in", "°" or empty
    GaugeStudySetup setup;
    std::vector<StudyReading> readings;
    GaugeStudyFigures figures;
};

}  // namespace mensora
