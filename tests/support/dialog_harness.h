#pragma once
// The whole core behind fakes: a MainDialog whose timers run on virtual time.

#include "dialog/main_dialog.h"
#include "link/fixed_port_names.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_serial.h"
#include "tests/support/fake_settings.h"
#include "tests/support/fake_sound.h"
#include "tests/support/fake_window.h"
#include "tests/support/virtual_clock.h"

namespace mensora::test {

struct DialogHarness {
    DialogHarness() { clock.setTickHandler([this](int id) { dialog.onTimer(id); }); }

    VirtualClock clock;
    FakeSettings settings;
    FakeWindow window;
    FakeSound sound;
    FakeSerial serial;
    FixedPortNames portNames;
    FakeFileSystem fileSystem;
    RecordStore store;
    RecordListTexts listTexts{store};
    MainDialog dialog{
        DialogPorts{clock, settings, window, sound, clock, serial, portNames, fileSystem},
        store, listTexts};
};

}  // namespace mensora::test
