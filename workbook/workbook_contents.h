#pragma once
// Everything one workbook is written from, taken on the window's thread when the save starts.
// The rows themselves are read from the store while the workbook is written: the store only
// grows at its end and Clear waits for the save, so the first `count` rows stay as they were.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/acquisition_state.h"
#include "base/language.h"
#include "charts/figure_text.h"
#include "charts/running_capability.h"
#include "measure/alarm_entry.h"
#include "measure/judgement.h"
#include "measure/plan_stamps.h"
#include "measure/record_traces.h"
#include "measure/trace_values.h"

namespace mensora {

class ChartData;
class RecordListTexts;
class RecordStore;

// The parameters as set, the statistics as the main window shows them and the capability
// figures as the charts window shows them, each as its text.
struct WorkbookSummary {
    std::string nominal;
    std::string upperTolerance;
    std::string lowerTolerance;
    std::string upperLimit;
    std::string lowerLimit;
    std::string unit;
    std::string count;
    std::string okCount;
    std::string overUpperCount;
    std::string underLowerCount;
    std::string average;
    std::string maximum;
    std::string minimum;
    std::array<std::string, kFigureCount> figures;
    TraceValues inForce;
};

// Which of the distinct part, lot, operator and gauge combinations was in force at each record:
// a copy taken when the save starts, so that the window's thread goes on stamping new records
// while the workbook is written.
struct RecordTraceColumns {
    std::vector<TraceValues> combinations;           // [0] is the empty one
    std::vector<std::uint16_t> combinationOfRecord;  // one index a record written
};

// The parts of inspection plans the records were taken for. The stamps are read where they are
// kept (those below the save's count no longer change); the parts and their plans are a copy
// taken when the save starts.
struct WorkbookPlanParts {
    const PlanStamps* stamps = nullptr;  // null, or no parts: no record was taken with a plan
    PlanParts parts;
    // The walk in force was still on the last part when the save started: its verdict is open.
    bool lastPartUnderWay = false;

    bool any() const { return stamps != nullptr && !parts.parts.empty(); }
};

struct WorkbookContents {
    const RecordStore& store;
    std::uint32_t count;  // the rows written: those the store held when the save started
    Language language;
    ToleranceLimits limits;
    WorkbookSummary summary;
    RecordTraceColumns traces;
    // The readings as the charts window holds them, and the histogram's bins drawn from them.
    std::span<const float> chartValues;
    RunningCapability capability;
    int chartDecimals;
    WorkbookPlanParts planParts;
    // Which records lay in the warning zone, read where they are kept like the rows (those
    // below `count` no longer change); null: none did.
    const RecordListTexts* marks;
    // The run's alarm log, a copy taken when the save starts; none: no alarms sheet.
    std::vector<AlarmEntry> alarms{};
};

// The stamps of the first `count` records as the workbook copies them.
RecordTraceColumns recordTraceColumns(const RecordTraces& traces, std::uint32_t count);

// What a workbook started now is written from: every record the store holds, the parameters
// and statistics of the state, the charts' figures, the trace of each record and the plan's
// parts they were taken for, and which of them warned (`marks`; null: none did).
WorkbookContents workbookContents(const AcquisitionState& state, const RecordStore& store,
                                  const ChartData& chartData, RecordTraceColumns traces,
                                  const TraceValues& inForce, WorkbookPlanParts planParts = {},
                                  const RecordListTexts* marks = nullptr);

}  // namespace mensora
