#pragma once
// A recorder wired to the real record list model, with ports that do nothing else, for the
// recording benchmarks. The store and the list texts are reserved once, as at start-up.

#include <QAbstractItemView>
#include <optional>
#include <string>

#include "base/acquisition_state.h"
#include "base/alert_sound.h"
#include "base/clock.h"
#include "base/timer_service.h"
#include "base/timers.h"
#include "base/window_port.h"
#include "dialog/data_exchange.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "measure/recorder.h"
#include "ui/record_list_model.h"

namespace mensora::bench {

class IdleTimers : public TimerService {
public:
    void arm(int, std::uint32_t) override {}
    void kill(int) override {}
};

class FixedClock : public Clock {
public:
    LocalDateTime localNow() override { return {2026, 12, 7, 9, 0, 0}; }
    void pause(std::uint32_t) override {}
};

class SilentSound : public AlertSound {
public:
    void playLooped() override {}
    void stop() override {}
};

// The window as far as recording reaches it: the list model, and the view's scrolling when
// there is a view.
class ListOnlyWindow : public WindowPort {
public:
    ListOnlyWindow(RecordListModel& model, QAbstractItemView* view) : model_(model), view_(view) {}

    void setText(int, const std::string&) override {}
    std::string text(int) const override { return "0"; }
    void enable(int, bool) override {}
    void setFocus(int) override {}
    void setChecked(int, bool) override {}
    bool isChecked(int) const override { return false; }
    void setListItems(int, const char* const*, int) override {}
    void selectListItem(int, int) override {}
    int selectedListItem(int) const override { return -1; }
    void setUpRecordList(Language language) override { model_.setLanguage(language); }
    void recordListAppended() override { model_.rowAppended(); }
    void recordListCleared() override { model_.cleared(); }
    void scrollRecordListToEnd() override {
        if (view_ != nullptr) view_->scrollToBottom();
    }
    void showMessage(const std::string&, MessageIcon) override {}
    bool askYesNo(const std::string&) override { return false; }
    void showAbout() override {}
    std::optional<std::string> askSavePath(const std::string&, const std::string&) override {
        return std::nullopt;
    }

private:
    RecordListModel& model_;
    QAbstractItemView* view_;
};

// One recorder over one store with its list model. A reading of 12.345 with three places,
// the sound switched on: every step of a recording runs.
struct RecordingRig {
    AcquisitionState state;
    RecordStore store;
    RecordListTexts listTexts;
    RecordListModel model{store, listTexts};
    IdleTimers timerService;
    Timers timers{timerService};
    FixedClock clock;
    SilentSound sound;
    ListOnlyWindow window;
    DataExchange exchange{state, window};
    Recorder recorder{state, store, listTexts, window, timers, exchange, sound, clock};

    explicit RecordingRig(QAbstractItemView* view = nullptr) : window(model, view) {
        state.parameters.nominal = 2.0f;
        state.parameters.upperTolerance = 3.0f;
        state.parameters.lowerTolerance = 1.0f;
        state.parameters.beepEnabled = 1;
        Reading& r = state.reading;
        r.value = 12.345f;
        r.valueText = "12.345";
        r.valueChars = {'1', '2', '.', '3', '4', '5', ' ', ' ', ' '};
        r.decimalPlaces = 3;
        recorder.resetStatistics();
    }
};

}  // namespace mensora::bench
