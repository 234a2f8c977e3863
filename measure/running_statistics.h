#pragma once
// The statistics group's figures kept up record by record: the extremes, the verdict counts
// and the average. Recording keeps them for all records; a plan in force keeps them for each
// of its characteristics too, by the same rule.

#include "base/acquisition_state.h"

namespace mensora {

// A record of `value`, judged `verdict`, taken into `statistics`.
void addToStatistics(Statistics& statistics, float value, Verdict verdict);

// What the statistics group shows of `statistics`: all zeros before their first record (not
// the minimum held inside).
StatisticsFigures shownFigures(const Statistics& statistics);

}  // namespace mensora
