#include "plant/plant_table.h"

namespace mensora::plant_table {

namespace {

constexpr const char* kColumns =
    "bench, run, sequence, number, taken_at, value, value_text, error, verdict, nominal,"
    " upper_tolerance, lower_tolerance, unit, part, characteristic, lot, operator_name, gauge_id,"
    " part_serial";

constexpr const char* kCreatePostgreSql =
    "CREATE TABLE mensora_record ("
    " bench TEXT NOT NULL, run CHAR(32) NOT NULL, sequence BIGINT NOT NULL, number BIGINT,"
    " taken_at TIMESTAMP(0), value DOUBLE PRECISION, value_text TEXT, error DOUBLE PRECISION,"
    " verdict VARCHAR(10), nominal DOUBLE PRECISION, upper_tolerance DOUBLE PRECISION,"
    " lower_tolerance DOUBLE PRECISION, unit TEXT, part TEXT, characteristic TEXT, lot TEXT,"
    " operator_name TEXT, gauge_id TEXT, part_serial TEXT,"
    " received_at TIMESTAMP(3) NOT NULL DEFAULT LOCALTIMESTAMP,"
    " PRIMARY KEY (bench, run, sequence))";

constexpr const char* kCreateSqlServer =
    "CREATE TABLE mensora_record ("
    " bench NVARCHAR(100) NOT NULL, run CHAR(32) NOT NULL, sequence BIGINT NOT NULL,"
    " number BIGINT, taken_at DATETIME2(0), value FLOAT, value_text NVARCHAR(40), error FLOAT,"
    " verdict VARCHAR(10), nominal FLOAT, upper_tolerance FLOAT, lower_tolerance FLOAT,"
    " unit NVARCHAR(20), part NVARCHAR(400), characteristic NVARCHAR(400), lot NVARCHAR(400),"
    " operator_name NVARCHAR(400), gauge_id NVARCHAR(400), part_serial NVARCHAR(400),"
    " received_at DATETIME2(3) NOT NULL DEFAULT SYSDATETIME(),"
    " PRIMARY KEY (bench, run, sequence))";

constexpr const char* kAddSerialPostgreSql =
    "ALTER TABLE mensora_record ADD COLUMN IF NOT EXISTS part_serial TEXT";
constexpr const char* kAddSerialSqlServer =
    "IF COL_LENGTH('mensora_record', 'part_serial') IS NULL"
    " ALTER TABLE mensora_record ADD part_serial NVARCHAR(400)";

constexpr const char* kCreateStudiesPostgreSql =
    "CREATE TABLE mensora_gauge_study ("
    " bench TEXT NOT NULL, run CHAR(32) NOT NULL, study BIGINT NOT NULL,"
    " finished_at TIMESTAMP(0), gauge_id TEXT, unit TEXT, reference DOUBLE PRECISION,"
    " tolerance DOUBLE PRECISION, reading_count INTEGER, readings TEXT, mean DOUBLE PRECISION,"
    " sigma DOUBLE PRECISION, bias DOUBLE PRECISION, cg DOUBLE PRECISION, cgk DOUBLE PRECISION,"
    " capable SMALLINT, step_too_coarse SMALLINT,"
    " received_at TIMESTAMP(3) NOT NULL DEFAULT LOCALTIMESTAMP,"
    " PRIMARY KEY (bench, run, study))";

constexpr const char* kCreateStudiesSqlServer =
    "CREATE TABLE mensora_gauge_study ("
    " bench NVARCHAR(100) NOT NULL, run CHAR(32) NOT NULL, study BIGINT NOT NULL,"
    " finished_at DATETIME2(0), gauge_id NVARCHAR(400), unit NVARCHAR(20), reference FLOAT,"
    " tolerance FLOAT, reading_count INT, readings NVARCHAR(MAX), mean FLOAT, sigma FLOAT,"
    " bias FLOAT, cg FLOAT, cgk FLOAT, capable SMALLINT, step_too_coarse SMALLINT,"
    " received_at DATETIME2(3) NOT NULL DEFAULT SYSDATETIME(),"
    " PRIMARY KEY (bench, run, study))";

constexpr const char* kCreateAlarmsPostgreSql =
    "CREATE TABLE mensora_alarm ("
    " bench TEXT NOT NULL, run CHAR(32) NOT NULL, alarm BIGINT NOT NULL, number BIGINT,"
    " kind VARCHAR(12), at TIMESTAMP(0), rule SMALLINT, range_chart SMALLINT,"
    " characteristic TEXT, first_record BIGINT, last_record BIGINT, acknowledges BIGINT,"
    " cause TEXT, note TEXT,"
    " received_at TIMESTAMP(3) NOT NULL DEFAULT LOCALTIMESTAMP,"
    " PRIMARY KEY (bench, run, alarm))";

constexpr const char* kCreateAlarmsSqlServer =
    "CREATE TABLE mensora_alarm ("
    " bench NVARCHAR(100) NOT NULL, run CHAR(32) NOT NULL, alarm BIGINT NOT NULL, number BIGINT,"
    " kind VARCHAR(12), at DATETIME2(0), [rule] SMALLINT, range_chart SMALLINT,"
    " characteristic NVARCHAR(400), first_record BIGINT, last_record BIGINT,"
    " acknowledges BIGINT, cause NVARCHAR(400), note NVARCHAR(MAX),"
    " received_at DATETIME2(3) NOT NULL DEFAULT SYSDATETIME(),"
    " PRIMARY KEY (bench, run, alarm))";

}  // namespace

const SideTable kGaugeStudies{
    "SELECT study FROM mensora_gauge_study WHERE 1 = 0",
    kCreateStudiesPostgreSql,
    kCreateStudiesSqlServer,
    "SELECT MAX(study) FROM mensora_gauge_study WHERE bench = ? AND run = ?",
    "INSERT INTO mensora_gauge_study (bench, run, study, finished_at, gauge_id, unit, reference,"
    " tolerance, reading_count, readings, mean, sigma, bias, cg, cgk, capable,"
    " step_too_coarse) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
    kStudyColumnCount,
};

const SideTable kAlarms{
    "SELECT alarm FROM mensora_alarm WHERE 1 = 0",
    kCreateAlarmsPostgreSql,
    kCreateAlarmsSqlServer,
    "SELECT MAX(alarm) FROM mensora_alarm WHERE bench = ? AND run = ?",
    // "rule" quoted, as both dialects read it: SQL Server reserves the word.
    "INSERT INTO mensora_alarm (bench, run, alarm, number, kind, at, \"rule\", range_chart,"
    " characteristic, first_record, last_record, acknowledges, cause, note)"
    " VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
    kAlarmColumnCount,
};

Dialect dialectOf(const std::string& serverName) {
    return serverName.find("SQL Server") != std::string::npos ? Dialect::SqlServer
                                                              : Dialect::PostgreSql;
}

const char* createTable(Dialect dialect) {
    return dialect == Dialect::SqlServer ? kCreateSqlServer : kCreatePostgreSql;
}

const char* addSerial(Dialect dialect) {
    return dialect == Dialect::SqlServer ? kAddSerialSqlServer : kAddSerialPostgreSql;
}

std::string insert(int rows) {
    std::string row = "(?";
    for (int column = 1; column < kColumnCount; ++column) row += ",?";
    row += ")";
    std::string statement = std::string("INSERT INTO mensora_record (") + kColumns + ") VALUES ";
    for (int i = 0; i < rows; ++i) {
        if (i > 0) statement += ",";
        statement += row;
    }
    return statement;
}

}  // namespace mensora::plant_table
