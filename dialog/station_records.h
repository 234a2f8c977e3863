#pragma once
// What the window reads and the tests set up, made before the window and kept until after
// everything that acts on it has gone: the records as the store holds them, their list texts,
// the part and lot each one was stamped with, the plan's part and characteristic, what the quality charts draw, and the state of
// the acquisition.

#include <cstdint>

#include "base/acquisition_state.h"
#include "charts/chart_data.h"
#include "measure/plan_stamps.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "measure/record_traces.h"

namespace mensora {

struct StationRecords {
    // Reserved whole, so that recording never allocates and the capacity can never be missed
    // for want of memory.
    explicit StationRecords(std::uint32_t capacity = kRecordCapacity)
        : store(capacity),
          listTexts(store),
          traces(capacity),
          planStamps(capacity),
          chartData(&listTexts) {}
    StationRecords(const StationRecords&) = delete;
    StationRecords& operator=(const StationRecords&) = delete;

    RecordStore store;
    RecordListTexts listTexts;
    RecordTraces traces;
    // The part and characteristic of an inspection plan each record was taken for.
    PlanStamps planStamps;
    // Every record reaches it, whether or not the charts window is open.
    ChartData chartData;
    AcquisitionState state;
};

}  // namespace mensora
