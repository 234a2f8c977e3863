#pragma once
// The real main window with the real MainDialog behind it, every other port a fake: no
// serial line, no timers that tick (virtual time never advances here), no files, settings
// in memory. What the window shows is what the initialisation and the test put there.

#include <QApplication>
#include <QWidget>
#include <cstdint>
#include <string_view>

#include "base/control_ids.h"
#include "dialog/main_dialog.h"
#include "link/fixed_port_names.h"
#include "measure/field_format.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_serial.h"
#include "tests/support/fake_settings.h"
#include "tests/support/fake_sound.h"
#include "tests/support/virtual_clock.h"
#include "ui/main_window.h"

namespace mensora::test {

// The store reserves room for a million records: one for the whole run, emptied per bench.
inline RecordStore& sharedStore() {
    static RecordStore store;
    return store;
}
inline RecordListTexts& sharedListTexts() {
    static RecordListTexts texts;
    return texts;
}

// Settings are written before the dialog reads them, so they come first.
struct StoredSettings {
    explicit StoredSettings(std::int32_t language) { settings.values["Language"] = language; }
    FakeSettings settings;
};

struct WindowBench : StoredSettings {
    explicit WindowBench(std::int32_t language) : StoredSettings(language) {
        sharedStore().empty();
        window.setController(&dialog);
        dialog.initialise();
    }

    void showAndSettle() {
        window.show();
        QApplication::processEvents();
    }

    // A record as a bench makes it, added to the store and announced to the list.
    void addRecord(std::string_view valueText, float deviation, Verdict verdict,
                   const LocalDateTime& time, Language language) {
        RecordStore& store = sharedStore();
        RecordFields fields{};
        fields.seq = formatSequence(store.count() + 1);
        fields.value.fill(' ');
        valueText.copy(fields.value.data(), fields.value.size());
        fields.error = formatDeviation(deviation, 3);
        fields.result = verdictRecordText(verdict, language);
        fields.time = formatTimeStamp(time);
        sharedListTexts().set(store.count(), valueText, verdict, language);
        store.append(fields);
        window.recordListAppended();
    }

    VirtualClock clock;
    FakeSound sound;
    FakeSerial serial;
    FixedPortNames portNames;
    FakeFileSystem files;
    MainWindow window{sharedStore(), sharedListTexts()};
    MainDialog dialog{DialogPorts{clock, settings, window, sound, clock, serial, portNames, files},
                      sharedStore(), sharedListTexts()};
};

}  // namespace mensora::test
