// The serial port on Windows, through the communications calls of Win32.
//
// The port is opened for overlapped operation so that no call blocks the window. The system
// keeps writing into an operation's completion record (and reading the bytes of a write)
// until that operation has finished, so each record lives on until then: the read finishes
// inside readAvailable, and a write still being sent keeps its record, with its own copy of
// the bytes, until the system reports it complete; only then is the record used again.

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <vector>

#include "link/serial_port.h"

namespace mensora {

namespace {

constexpr DWORD kQueueBytes = 1024;

// Generous line timeouts: a read only ever asks for bytes already queued, so they bound
// nothing in normal operation.
constexpr COMMTIMEOUTS kTimeouts = {
    1000,  // ReadIntervalTimeout
    500,   // ReadTotalTimeoutMultiplier
    5000,  // ReadTotalTimeoutConstant
    500,   // WriteTotalTimeoutMultiplier
    2000,  // WriteTotalTimeoutConstant
};

// One overlapped operation's completion record with its event.
class Completion {
public:
    explicit Completion(bool manualReset)
        : event_(CreateEventA(nullptr, manualReset ? TRUE : FALSE, FALSE, nullptr)) {}
    ~Completion() {
        if (event_ != nullptr) CloseHandle(event_);
    }
    Completion(const Completion&) = delete;
    Completion& operator=(const Completion&) = delete;

    bool usable() const { return event_ != nullptr; }
    // A zeroed record for the next operation.
    OVERLAPPED* prepare() {
        overlapped_ = OVERLAPPED{};
        overlapped_.hEvent = event_;
        return &overlapped_;
    }
    bool finished() const { return !inFlight || HasOverlappedIoCompleted(&overlapped_); }
    // Waits for an operation still in flight; its handle may already be closed, which makes
    // the system end the operation.
    void settle() {
        if (!finished()) WaitForSingleObject(event_, INFINITE);
        inFlight = false;
    }

    bool inFlight = false;            // handed to the system and not yet seen finished
    std::vector<std::uint8_t> bytes;  // a write's own copy of what it sends

private:
    OVERLAPPED overlapped_{};
    HANDLE event_;
};

}  // namespace

struct SerialPort::Platform {
    ~Platform() {
        for (auto& record : writes) record->settle();
    }

    // A write record no operation uses any more, or a new one.
    Completion* idleWriteRecord() {
        for (auto& record : writes) {
            if (record->finished()) {
                record->inFlight = false;
                return record.get();
            }
        }
        auto record = std::make_unique<Completion>(false);  // auto-reset
        if (!record->usable()) return nullptr;
        writes.push_back(std::move(record));
        return writes.back().get();
    }

    HANDLE handle = INVALID_HANDLE_VALUE;
    Completion read{true};  // manual-reset; every read has finished when readAvailable returns
    std::vector<std::unique_ptr<Completion>> writes;
};

SerialPort::SerialPort() : platform_(std::make_unique<Platform>()) {}

SerialPort::~SerialPort() { close(); }

int SerialPort::open(const std::string& portName, std::int32_t baudRate) {
    close();
    Platform& port = *platform_;
    port.handle = CreateFileA(portName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port.handle == INVALID_HANDLE_VALUE) return -1;

    SetupComm(port.handle, kQueueBytes, kQueueBytes);
    COMMTIMEOUTS timeouts = kTimeouts;
    SetCommTimeouts(port.handle, &timeouts);
    DCB line{};
    line.DCBlength = sizeof line;
    // Only a state the port reported is changed and written back: a blank one would also
    // reset its flow control and special characters.
    if (GetCommState(port.handle, &line)) {
        line.BaudRate = static_cast<DWORD>(baudRate);
        line.fParity = FALSE;
        line.ByteSize = 8;
        line.Parity = NOPARITY;
        line.StopBits = ONESTOPBIT;
        SetCommState(port.handle, &line);
    }
    PurgeComm(port.handle, PURGE_TXCLEAR | PURGE_RXCLEAR);
    return 0;
}

int SerialPort::readAvailable(std::uint8_t* buffer, std::uint32_t& receivedCount) {
    receivedCount = 0;
    Platform& port = *platform_;
    if (port.handle == INVALID_HANDLE_VALUE || !port.read.usable()) return -1;

    OVERLAPPED* overlapped = port.read.prepare();
    DWORD errors = 0;
    COMSTAT status{};
    // A port whose device was pulled (ERROR_ACCESS_DENIED, ERROR_BAD_COMMAND,
    // ERROR_DEVICE_REMOVED and the like) fails every call on its handle from then on; a
    // merely silent gauge leaves these calls succeeding with nothing queued.
    if (!ClearCommError(port.handle, &errors, &status)) return kDeviceLost;
    const DWORD wanted = std::min<DWORD>(status.cbInQue, kMaxBytesPerRead);
    if (wanted == 0) return -1;

    if (!ReadFile(port.handle, buffer, wanted, nullptr, overlapped) &&
        GetLastError() != ERROR_IO_PENDING) {
        return kDeviceLost;
    }
    // The bytes asked for are already queued, so a read reported as pending is only being
    // copied and ends at once. It is waited for: left running, it would write into the
    // receive buffer while the poll parses it, and its bytes would be lost to that poll.
    DWORD got = 0;
    if (!GetOverlappedResult(port.handle, overlapped, &got, TRUE)) return kDeviceLost;
    if (got == 0) return -1;
    receivedCount = std::min<DWORD>(got, wanted);
    return 0;
}

int SerialPort::write(const std::uint8_t* bytes, std::size_t count) {
    Platform& port = *platform_;
    if (port.handle == INVALID_HANDLE_VALUE) return -1;
    Completion* record = port.idleWriteRecord();
    if (record == nullptr) return -1;
    record->bytes.assign(bytes, bytes + count);

    OVERLAPPED* overlapped = record->prepare();
    DWORD errors = 0;
    COMSTAT status{};
    ClearCommError(port.handle, &errors, &status);
    if (!WriteFile(port.handle, record->bytes.data(), static_cast<DWORD>(count), nullptr,
                   overlapped)) {
        // Still being sent: the record stays with the system until the write has finished.
        record->inFlight = GetLastError() == ERROR_IO_PENDING;
        return -1;
    }
    // What the gauge sent before the command is dropped, so the next poll sees only frames
    // sent after it. The output side is left alone: a write reported complete may still sit
    // in a buffer on its way to the gauge (Wine's terminal, a USB adapter's chip), and
    // clearing it would throw the command away unsent.
    PurgeComm(port.handle, PURGE_RXABORT | PURGE_RXCLEAR);
    return 0;
}

void SerialPort::raiseDtr() {
    if (platform_->handle == INVALID_HANDLE_VALUE) return;
    EscapeCommFunction(platform_->handle, SETDTR);
}

void SerialPort::close() {
    if (platform_->handle == INVALID_HANDLE_VALUE) return;
    // Closing the port ends any write still in flight; its record is reclaimed once the
    // system reports it finished.
    CloseHandle(platform_->handle);
    platform_->handle = INVALID_HANDLE_VALUE;
}

}  // namespace mensora
