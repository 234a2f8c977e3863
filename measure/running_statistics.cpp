#include "measure/running_statistics.h"

namespace mensora {

void addToStatistics(Statistics& statistics, float value, Verdict verdict) {
    StatisticsFigures& live = statistics.live;
    // The first record sets both extremes, so that readings all below zero get their true
    // maximum and the reset's 999999 never shows.
    if (live.count == 0) {
        live.maximum = value;
        live.minimum = value;
    } else {
        if (live.maximum < value) live.maximum = value;
        if (live.minimum > value) live.minimum = value;
    }
    switch (verdict) {
        case Verdict::OverUpper: ++live.overUpperCount; break;
        case Verdict::UnderLower: ++live.underLowerCount; break;
        case Verdict::Ok: ++live.okCount; break;
    }
    // The sum stays in double so that a long run of equal readings averages to that reading.
    statistics.sum += value;
    ++live.count;
    live.average = static_cast<float>(statistics.sum / live.count);
}

StatisticsFigures shownFigures(const Statistics& statistics) {
    return statistics.live.count == 0 ? StatisticsFigures{} : statistics.live;
}

}  // namespace mensora
