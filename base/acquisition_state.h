#pragma once
// The process-wide state of the main window. The program owns the one instance, which
// outlives the dialog; MainDialog hands it to its parts, and each part reads and writes only
// the fields its operations are about.

#include <array>
#include <cstdint>
#include <string>

#include "base/language.h"

namespace mensora {

enum class ProtocolKind : std::uint8_t { None = 0, Ascii = 1, Bcd = 2 };

enum class Verdict : std::uint8_t { Ok = 0, OverUpper = 1, UnderLower = 2 };

// The current gauge reading, overwritten by every good frame.
struct Reading {
    float value = 0.0f;
    std::string valueText;             // live display text; a good frame gives at most 9 chars
    std::array<char, 9> valueChars{};  // its first 8 bytes become a record's value field
    std::uint8_t decimalPlaces = 0;
    std::string unitText = "mm";
};

struct LinkCounters {
    std::uint32_t badFrameCount = 0;    // frames that failed validation while linked
    std::uint32_t silentPollCount = 0;  // runs of five silent polls while linked
    std::uint32_t goodFrameCount = 0;   // frames that passed validation
    // What the window shows; brought up to date only by a poll that read data.
    std::uint32_t shownBad = 0;
    std::uint32_t shownSilent = 0;
    std::int32_t shownGood = 0;
};

// Whether a record sounds the alert: the sound list's selected index as it is stored, so
// "off" is 0 and "on" 1. Nothing selected is 255; that and any other stored value are silent.
enum class RecordSound : std::uint8_t { Off = 0, On = 1, NoneSelected = 255 };

struct Parameters {
    // Judging values: change only at start-up and when the parameters panel is confirmed.
    float nominal = 0.0f;
    float upperTolerance = 0.0f;
    float lowerTolerance = 0.0f;
    // What the parameter fields show; a pull updates these.
    float shownNominal = 0.0f;
    float shownUpperTolerance = 0.0f;
    float shownLowerTolerance = 0.0f;
    std::uint32_t sampleIntervalMs = 0;  // one copy, bound to its field
    RecordSound beepEnabled = RecordSound::Off;
    std::uint8_t unitIndex = 0;  // selected index of the unit list, 255 for none
};

// The figures of the recorded readings: kept by recording, or shown by the window.
struct StatisticsFigures {
    float average = 0.0f;
    float maximum = 0.0f;
    float minimum = 0.0f;
    std::uint32_t count = 0;  // the records the figures cover
    std::uint32_t okCount = 0;
    std::uint32_t overUpperCount = 0;
    std::uint32_t underLowerCount = 0;
};

// The minimum the statistics hold before their first record.
inline constexpr float kMinimumAtReset = 999999.0f;

struct Statistics {
    double sum = 0.0;  // kept in double so long runs do not drift; see recording
    StatisticsFigures live{.minimum = kMinimumAtReset};
    // What the window shows; set by recording and Clear, put on screen by a push.
    StatisticsFigures shown;
};

constexpr std::size_t kReceiveBufferSize = 255;

// Where a discovery stands: before its first step, after the remembered port was tried, or
// going through the ports one after another.
enum class ScanPhase : std::uint8_t { NotStarted = 0, RememberedPortTried = 1, Scanning = 2 };

struct AcquisitionState {
    // Device link
    bool linkConnected = false;
    bool portOpen = false;
    std::uint32_t portIndex = 0;
    std::uint32_t baudRate = 0;
    ScanPhase scanPhase = ScanPhase::NotStarted;
    // The open port is still to be tried at the rates of further protocols.
    bool altBaudPending = false;
    // The linked gauge's device went away (the port reported it gone). No reading stands
    // until the first good frame after the device is opened again, so nothing is recorded.
    bool deviceLost = false;

    // Gauge protocol
    ProtocolKind protocolKind = ProtocolKind::None;
    std::uint8_t silentPollRun = 0;
    std::array<std::uint8_t, kReceiveBufferSize> receiveBuffer{};
    std::uint32_t frameLength = 0;
    std::uint32_t receivedCount = 0;
    std::array<std::uint8_t, 3> transmitBuffer{};
    std::string statusLabel;

    // Measurements
    bool autoSampling = false;
    bool recordsDirty = false;         // drives the autosave; cleared by the autosave tick
    std::uint32_t unsavedRecords = 0;  // records no file holds yet; asked about at close

    // Shell
    bool paramEditMode = false;
    // As read from the settings and kept as it was read: a stray stored 3 shows Chinese, yet
    // choosing Chinese still counts as a change that needs a restart.
    std::int32_t storedLanguage = kStoredChinese;
    Language language() const { return languageOf(storedLanguage); }

    Reading reading;
    LinkCounters counters;
    Parameters parameters;
    Statistics statistics;
};

}  // namespace mensora
