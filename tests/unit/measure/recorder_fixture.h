#pragma once
// A recorder wired to fakes, with the judging parameters loaded as the window's start-up
// loads them, and timer ticks routed as the main window routes them.

#include <algorithm>
#include <string>

#include "base/acquisition_state.h"
#include "base/timer_ids.h"
#include "base/timers.h"
#include "dialog/data_exchange.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "measure/recorder.h"
#include "tests/support/fake_sound.h"
#include "tests/support/fake_window.h"
#include "tests/support/virtual_clock.h"

namespace mensora::test {

// A stored parameter in thousandths, read back as start-up reads it.
inline float loadedParameter(std::int32_t stored) { return static_cast<float>(stored) * 0.001f; }

struct RecorderRig {
    AcquisitionState state;
    RecordStore store;
    RecordListTexts listTexts{store};
    FakeWindow window;
    VirtualClock clock;
    FakeSound sound;
    Timers timers{clock};
    DataExchange exchange{state, window};
    Recorder recorder{state, store, listTexts, window, timers, exchange, sound, clock};

    RecorderRig() {
        // The first-run settings: nominal 2, tolerances 3 and 1, 200 ms, no sound.
        setJudging(loadedParameter(2000), loadedParameter(3000), loadedParameter(1000));
        state.parameters.sampleIntervalMs = 200;
        recorder.resetStatistics();
        exchange.push();
        clock.setTickHandler([this](int id) {
            if (id == AutoSampleTimer) recorder.recordMeasurement();
            if (id == BeepStopTimer) recorder.stopAlertSound();
        });
    }

    void setJudging(float nominal, float upper, float lower) {
        Parameters& p = state.parameters;
        p.nominal = p.shownNominal = nominal;
        p.upperTolerance = p.shownUpperTolerance = upper;
        p.lowerTolerance = p.shownLowerTolerance = lower;
    }

    // What a good frame leaves behind: the number, the live text and its fixed-width copy.
    void setReading(float value, const std::string& text, std::uint8_t places) {
        Reading& r = state.reading;
        r.value = value;
        r.valueText = text;
        r.valueChars.fill(' ');
        std::copy_n(text.begin(), std::min(text.size(), r.valueChars.size()),
                    r.valueChars.begin());
        r.decimalPlaces = places;
    }

    void record(float value, const std::string& text = "1.000", std::uint8_t places = 3) {
        setReading(value, text, places);
        recorder.recordMeasurement();
    }

    // The record list's cells of one row, as the list model reads them.
    struct Row {
        std::string seq, value, error, verdict, time;
    };
    Row listRow(std::uint32_t index) const {
        return {std::string(store.seqField(index)), std::string(listTexts.valueText(index)),
                std::string(store.errorField(index)), listTexts.verdictText(index),
                std::string(store.timeField(index))};
    }
};

}  // namespace mensora::test
