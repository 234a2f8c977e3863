#pragma once
// A run of records whose every cell is known, for the workbook's read-back test and its
// benchmarks. Record i (from 0) reads 12 + k/1000 with k = (37 i mod 121) - 60 (k = ±45,
// exactly on a limit, moves to ±44), with three places for an even i and four for an odd one;
// the nominal is 12 and the tolerances ±0.045, so |k| > 45 is NG. Record i is taken at
// 2026-12-07 08:00:00 plus i seconds. Records 0 to 2 carry lot LOT-A, the later ones LOT-B.
// A warning zone of 80 % marks the OK records with |k| >= 36.

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/acquisition_state.h"
#include "charts/chart_data.h"
#include "measure/field_format.h"
#include "measure/judgement.h"
#include "measure/plan_stamps.h"
#include "measure/plan_walk.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "workbook/workbook_contents.h"

namespace mensora::test {

inline LocalDateTime sampleTime(std::uint32_t index) {
    const std::uint32_t seconds = 8 * 3600 + index;
    return {2026,
            12,
            7 + static_cast<int>(seconds / 86400),
            static_cast<int>(seconds / 3600 % 24),
            static_cast<int>(seconds / 60 % 60),
            static_cast<int>(seconds % 60)};
}

// The thousandths record i reads above 12.
inline int sampleThousandths(std::uint32_t index) {
    int k = static_cast<int>(37u * index % 121u) - 60;
    if (k == 45 || k == -45) k += k > 0 ? -1 : 1;
    return k;
}

// Fills the store (which must hold `count`) and the charts' data with the run, and the state
// with its parameters and shown statistics.
inline void fillSampleRun(std::uint32_t count, Language language, AcquisitionState& state,
                          RecordStore& store, ChartData& chartData) {
    state.storedLanguage = storedValueOf(language);
    Parameters& parameters = state.parameters;
    parameters.nominal = 12.0f;
    parameters.upperTolerance = 0.045f;
    parameters.lowerTolerance = -0.045f;
    const ToleranceLimits limits = toleranceLimits(parameters);

    for (std::uint32_t i = 0; i < count; ++i) {
        const int k = sampleThousandths(i);
        const std::uint8_t places = i % 2 == 0 ? 3 : 4;
        const double exact = 12.0 + k / 1000.0;
        char text[16];
        const auto end =
            std::to_chars(text, text + sizeof text, exact, std::chars_format::fixed, places).ptr;
        ValueFieldText valueField;
        valueField.fill(' ');
        std::copy(text, end, valueField.begin());
        const float value = static_cast<float>(exact);
        const Verdict verdict = judge(value, limits);
        store.append({formatSequence(i + 1), valueField,
                      formatDeviation(value - parameters.nominal, places),
                      verdictRecordText(verdict, language), formatTimeStamp(sampleTime(i))});
        chartData.recorded(value, places);
        Statistics& statistics = state.statistics;
        StatisticsFigures& shown = statistics.shown;
        ++(verdict == Verdict::Ok          ? shown.okCount
           : verdict == Verdict::OverUpper ? shown.overUpperCount
                                           : shown.underLowerCount);
        shown.count = i + 1;
        statistics.sum += value;
        shown.average = static_cast<float>(statistics.sum / (i + 1));
        shown.maximum = i == 0 ? value : std::max(shown.maximum, value);
        shown.minimum = i == 0 ? value : std::min(shown.minimum, value);
    }
}

inline constexpr int kSampleWarningPercent = 80;

// Marks the records of the run filled in `store` that lie in its warning zone, as recording
// marks them.
inline void markSampleWarnings(const AcquisitionState& state, const RecordStore& store,
                               RecordListTexts& marks) {
    const ToleranceLimits limits = toleranceLimits(state.parameters);
    for (std::uint32_t i = 0; i < store.count(); ++i) {
        const float value = static_cast<float>(12.0 + sampleThousandths(i) / 1000.0);
        marks.set(i, store.valueField(i), judge(value, limits),
                  warns(value, limits, kSampleWarningPercent), state.language());
    }
}

// Lot LOT-A for the first three records, LOT-B from the fourth on.
inline const TraceValues kLotA{"P-100", "Ø 12 ±0.045", "LOT-A", "张三", "G-7"};
inline const TraceValues kLotB{"P-100", "Ø 12 ±0.045", "LOT-B", "张三", "G-7"};
inline RecordTraceColumns sampleTraces(std::uint32_t count) {
    std::vector<std::uint16_t> lots(count, 2);
    std::fill_n(lots.begin(), std::min<std::uint32_t>(count, 3), 1);
    return {{TraceValues{}, kLotA, kLotB}, std::move(lots)};
}

// A plan of three characteristics, each judged as the run is (12 ±0.045).
inline InspectionPlan samplePlan() {
    InspectionPlan plan{"P-100", "Shaft", {}};
    for (const char* name : {"Bore", "Length", "Flange"}) {
        Characteristic c;
        c.number = plan.characteristics.size() == 2
                       ? "3a"
                       : std::to_string(plan.characteristics.size() + 1);
        c.name = name;
        c.nominal = 12.0f;
        c.upperTolerance = 0.045f;
        c.lowerTolerance = -0.045f;
        plan.characteristics.push_back(c);
    }
    return plan;
}

// The run walked through samplePlan(): record 0 is taken with no plan, records 1 on for the
// parts A1, A2, A3 …, each characteristic in turn, except that A1's second characteristic is
// measured twice more (records 2, 3 NG and 4). So A1 is records 1-5, A2 6-8, A3 9-11 (its
// second NG), A4 12-14 and so on; the last part may be left under way.
inline WorkbookPlanParts samplePlanParts(std::uint32_t count, PlanStamps& stamps) {
    PlanWalk walk(samplePlan());
    stamps.stamp(0, nullptr);
    unsigned part = 0;
    for (std::uint32_t i = 1; i < count; ++i) {
        if (!walk.partStarted()) walk.setSerial("A" + std::to_string(++part));
        stamps.stamp(i, &walk);
        const bool ok = std::abs(sampleThousandths(i)) <= 45;
        walk.recorded(ok ? Verdict::Ok : Verdict::OverUpper);
        if (i == 2 || i == 3) walk.previous();
    }
    return {&stamps, stamps.parts(), walk.partStarted()};
}

}  // namespace mensora::test
