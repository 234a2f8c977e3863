#pragma once
// The ids of the program's controls. The main window's template: 1000 to 1099, which the Qt
// window uses as object names.

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

// Each window beside the main one has a range of ids of its own, in the order below; a control
// has one number (the Windows controls') and one name (the Qt object name), and the tests find
// it by either.

// The window menu's commands on Windows, About first and one for each window beside the main
// one (the low four bits of a system command are the system's own, so they step by 16).
constexpr int kAboutCommand = 16;
constexpr int kChartsCommand = 32;
constexpr int kTraceCommand = 48;
constexpr int kPlantCommand = 64;
constexpr int kPlanCommand = 80;
constexpr int kRunsCommand = 96;
constexpr int kStudyCommand = 112;

// Under the main window's template: the part and lot in force, and the plant database's line.
constexpr int kTraceLine = 1100;
constexpr int kPlantLine = 1101;
// While a plan is in force: its line and the serial of the part about to start.
constexpr int kPlanLine = 1102;
constexpr int kPlanSerialField = 1103;
// While an alarm stands: its line and the button that acknowledges it.
constexpr int kAlarmLine = 1104;
constexpr int kAlarmAckButton = 1105;
// Cancel in the progress box of a long save: a command of its own, apart from every control.
constexpr int kCancelSaveCommand = 1110;
// Page Up and Page Down while a plan is in force: back one characteristic, or skip it.
constexpr int kPlanPreviousCommand = 1111;
constexpr int kPlanNextCommand = 1112;
// The quality charts window.
constexpr int kChartsSaveButton = 1200;
constexpr int kChartsCharacteristicChoice = 1201;
// The quality charts window's control charts: the subgroup size, the run rules watched (a
// button whose menu checks them), and fixing or freeing the control limits.
constexpr int kChartsSubgroupChoice = 1202;
constexpr int kChartsSubgroupLabel = 1203;
constexpr int kChartsRulesButton = 1204;
constexpr int kChartsFixButton = 1205;
constexpr int kChartsUnfixButton = 1206;
constexpr int kChartsLimitsLine = 1207;
// The Part and lot window's fields, in the order of its field table.
constexpr int kTraceFirstField = 1300;
// The Plant database window.
constexpr int kPlantConnectionField = 1400;
constexpr int kPlantBenchField = 1401;
constexpr int kPlantTestButton = 1402;
// The Plan window.
constexpr int kPlanChoice = 1500;
constexpr int kPlanImportButton = 1501;
constexpr int kPlanExportButton = 1502;
constexpr int kPlanTable = 1503;
constexpr int kPlanAddButton = 1504;
constexpr int kPlanRemoveButton = 1505;
constexpr int kPlanUpButton = 1506;
constexpr int kPlanDownButton = 1507;
constexpr int kPlanSaveButton = 1508;
constexpr int kPlanDeleteButton = 1509;
constexpr int kPlanOkButton = 1510;
constexpr int kPlanCancelButton = 1511;
constexpr int kPlanPartField = 1512;
constexpr int kPlanPartNameField = 1513;
// The Earlier runs window.
constexpr int kRunsList = 1600;
constexpr int kRunsSaveButton = 1601;
constexpr int kRunsRestoreButton = 1602;
constexpr int kRunsCloseButton = 1603;
// The Gauge study window.
constexpr int kStudyReferenceField = 1700;
constexpr int kStudyToleranceField = 1701;
constexpr int kStudyCountField = 1702;
constexpr int kStudyGaugeLabel = 1703;
constexpr int kStudyStartButton = 1704;
constexpr int kStudyProgressLabel = 1705;
constexpr int kStudyChart = 1706;
constexpr int kStudyResultLabel = 1707;
constexpr int kStudyUndoButton = 1708;
constexpr int kStudyCancelButton = 1709;
constexpr int kStudySavePictureButton = 1710;
constexpr int kStudySaveWorkbookButton = 1711;
constexpr int kStudyCloseButton = 1712;
// The window that acknowledges an alarm.
constexpr int kAlarmRuleLabel = 1800;
constexpr int kAlarmCauseField = 1801;
constexpr int kAlarmNoteField = 1802;
constexpr int kAlarmOkButton = 1803;
constexpr int kAlarmCancelButton = 1804;

struct NamedControl {
    int id;
    const char* name;
};

// The names of the controls outside the main window's template (which are named by number).
inline constexpr NamedControl kNamedControls[] = {
    {kTraceLine, "trace-line"},
    {kPlantLine, "plant-status"},
    {kCancelSaveCommand, "save-progress-cancel"},
    {kChartsSaveButton, "charts-save"},
    {kChartsCharacteristicChoice, "charts-characteristic"},
    {kChartsSubgroupChoice, "charts-subgroup"},
    {kChartsSubgroupLabel, "charts-subgroup-label"},
    {kChartsRulesButton, "charts-rules"},
    {kChartsFixButton, "charts-fix"},
    {kChartsUnfixButton, "charts-unfix"},
    {kChartsLimitsLine, "charts-limits"},
    {kPlantConnectionField, "plant-connection"},
    {kPlantBenchField, "plant-bench"},
    {kPlantTestButton, "plant-test"},
    {kPlanLine, "plan-line"},
    {kPlanSerialField, "plan-serial"},
    {kPlanPreviousCommand, "plan-previous"},
    {kPlanNextCommand, "plan-next"},
    {kPlanChoice, "plan-choice"},
    {kPlanImportButton, "plan-import"},
    {kPlanExportButton, "plan-export"},
    {kPlanTable, "plan-table"},
    {kPlanAddButton, "plan-add"},
    {kPlanRemoveButton, "plan-remove"},
    {kPlanUpButton, "plan-up"},
    {kPlanDownButton, "plan-down"},
    {kPlanSaveButton, "plan-save"},
    {kPlanDeleteButton, "plan-delete"},
    {kPlanOkButton, "plan-ok"},
    {kPlanCancelButton, "plan-cancel"},
    {kPlanPartField, "plan-part"},
    {kPlanPartNameField, "plan-part-name"},
    {kRunsList, "runs-list"},
    {kRunsSaveButton, "runs-save"},
    {kRunsRestoreButton, "runs-restore"},
    {kRunsCloseButton, "runs-close"},
    {kStudyReferenceField, "study-reference"},
    {kStudyToleranceField, "study-tolerance"},
    {kStudyCountField, "study-count"},
    {kStudyGaugeLabel, "study-gauge"},
    {kStudyStartButton, "study-start"},
    {kStudyProgressLabel, "study-progress"},
    {kStudyChart, "study-chart"},
    {kStudyResultLabel, "study-result"},
    {kStudyUndoButton, "study-undo"},
    {kStudyCancelButton, "study-cancel"},
    {kStudySavePictureButton, "study-save-picture"},
    {kStudySaveWorkbookButton, "study-save-workbook"},
    {kStudyCloseButton, "study-close"},
    {kAlarmLine, "alarm-line"},
    {kAlarmAckButton, "alarm-ack"},
    {kAlarmRuleLabel, "alarm-rule"},
    {kAlarmCauseField, "alarm-cause"},
    {kAlarmNoteField, "alarm-note"},
    {kAlarmOkButton, "alarm-ok"},
    {kAlarmCancelButton, "alarm-cancel"},
};

// The name of a control of the table above; nullptr for any other id.
constexpr const char* controlName(int id) {
    for (const NamedControl& control : kNamedControls) {
        if (control.id == id) return control.name;
    }
    return nullptr;
}

}  // namespace mensora
