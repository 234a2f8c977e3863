#pragma once
// Numeric ids of the main window's controls. The Qt window uses them as object names.

namespace mensora {

enum ControlId : int {
    RecordList = 1000,
    LiveValue = 1001,
    AverageField = 1002,
    ConnectButton = 1003,
    MaximumField = 1004,
    MinimumField = 1005,
    SoundList = 1006,
    CountField = 1007,
    OkCountField = 1008,
    OverUpperField = 1009,
    UnderLowerField = 1010,
    NominalField = 1011,
    UpperToleranceField = 1012,
    LowerToleranceField = 1013,
    UnitList = 1014,
    SampleIntervalField = 1015,
    BadFrameField = 1016,
    StatusField = 1017,
    ZeroButton = 1018,
    AutoButton = 1019,
    ManualButton = 1020,
    SaveButton = 1021,
    ClearButton = 1022,
    ParametersButton = 1023,
    LiveGroup = 1024,
    RecordGroup = 1025,
    ParametersGroup = 1026,
    StatisticsGroup = 1027,
    UnitLabel = 1028,
    SilentPollField = 1029,
    ChineseRadio = 1030,
    EnglishRadio = 1031,
    GoodFrameField = 1048,
    AutosaveCheck = 1049,
};

// The system-menu command of the About item.
constexpr int kAboutCommand = 16;
// The Windows system-menu command that opens the quality charts (the low four bits of a
// system command are the system's own, so ids step by 16).
constexpr int kChartsCommand = 32;
// The Windows system-menu command that opens the Plant database window.
constexpr int kPlantCommand = 64;
// Cancel in the progress box of a long save: a command of its own, apart from every control.
constexpr int kCancelSaveCommand = 103;
// The Save picture button of the charts window on Windows.
constexpr int kChartsSaveButton = 100;
// The Windows system-menu command that opens the Part and lot window.
constexpr int kTraceCommand = 48;
// The line under the Windows main window that shows the part and lot in force.
constexpr int kTraceLine = 101;
// The line under it that says how the plant database stands.
constexpr int kPlantLine = 102;
// The fields of the Part and lot window on Windows, in the order of its field table.
constexpr int kTraceFirstField = 200;
// The connection string, the bench's name and Test in the Plant database window on Windows.
constexpr int kPlantConnectionField = 210;
constexpr int kPlantBenchField = 211;
constexpr int kPlantTestButton = 212;

}  // namespace mensora
