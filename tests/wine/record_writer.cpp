// record_writer MODE PATH READY RELEASE: another running Mensora as far as record files go.
// It sets the named event READY once it is where the test wants it and stays there until the
// named event RELEASE is set or it is killed.
//   half PATH      has started the record file PATH and written part of it, not committed
//   autosave DIR   has autosaved five records as a program lying in the folder DIR would,
//                  and keeps the autosave name it took
// Exit code 0 after being released, 2 when it could not get there, 3 on a usage fault.

#include <windows.h>

#include <string>

#include "base/timers.h"
#include "files/native_file_system.h"
#include "files/record_files.h"
#include "measure/record_store.h"
#include "tests/support/fake_window.h"
#include "tests/support/virtual_clock.h"
#include "tests/unit/files/sample_records.h"
#include "tests/support/relocated_executable.h"

namespace {

std::string utf8(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
    return out;
}

int stayUntilReleased(HANDLE ready, HANDLE release) {
    SetEvent(ready);
    // Bounded, so that a test that dies never leaves it running for good.
    WaitForSingleObject(release, 120000);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace mensora;
    if (argc != 5) return 3;
    const std::wstring mode = argv[1];
    const std::string path = utf8(argv[2]);
    const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
    const HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, argv[4]);
    if (ready == nullptr || release == nullptr) return 3;

    if (mode == L"half") {
        NativeFileSystem files;
        RecordFileOpening opening = files.createRecordFile(path);
        if (opening.file == nullptr || opening.file->write("half a file", 11)) return 2;
        return stayUntilReleased(ready, release);
    }
    if (mode == L"autosave") {
        test::VirtualClock clock;
        Timers timers{clock};
        test::FakeWindow window;
        AcquisitionState state;
        RecordStore store;
        test::RelocatedExecutable files(path + "\\mensora.exe");
        RecordFiles autosaving(state, store, window, timers, clock, files);
        for (int n = 0; n < 5; ++n) {
            test::addRecord(store, "000001", "1.000   ", "   0.000", " OK ",
                            "2026-12-07; 10:00:00");
        }
        state.recordsDirty = true;
        autosaving.autosaveTick();
        if (!window.messages.empty()) return 2;
        return stayUntilReleased(ready, release);
    }
    return 3;
}
