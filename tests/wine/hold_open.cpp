// hold_open PATH READY RELEASE: another program that opens PATH (a file or a serial port)
// for reading and writing without sharing it, as a spreadsheet or a second bench program
// would. It sets the named event READY once it holds PATH and keeps it until the named event
// RELEASE is set. Exit code 0 after holding, 2 when PATH did not open, 3 on a usage fault.

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: hold_open PATH READY-EVENT RELEASE-EVENT\n");
        return 3;
    }
    const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, argv[3]);
    if (ready == nullptr || release == nullptr) return 3;

    const HANDLE held = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) {
        std::fwprintf(stderr, L"hold_open: %ls did not open (error %lu)\n", argv[1],
                      GetLastError());
        return 2;
    }
    SetEvent(ready);
    // Bounded, so that a test that dies never leaves a port or file held for good.
    WaitForSingleObject(release, 120000);
    CloseHandle(held);
    return 0;
}
