#pragma once
// The statements Mensora sends to the plant database, as fixed texts: every value travels as a
// bound parameter, never inside the text. docs/plant-database.sql makes the same table by hand.

#include <string>

namespace mensora::plant_table {

// The values of one record, in the order the insert binds them.
inline constexpr int kColumnCount = 19;
// Rows in one insert: 19 parameters a row stay within SQL Server's 2100 for one statement.
inline constexpr int kRowsPerInsert = 100;

// Which dialect the server speaks, told by the name it gives for itself.
enum class Dialect { PostgreSql, SqlServer };
Dialect dialectOf(const std::string& serverName);

const char* createTable(Dialect dialect);
// Fails, without touching anything, where the table is missing or may not be read.
inline constexpr const char* kProbe = "SELECT sequence FROM mensora_record WHERE 1 = 0";
// The same for the column a table made before the part's serial was sent lacks.
inline constexpr const char* kProbeSerial = "SELECT part_serial FROM mensora_record WHERE 1 = 0";
// Adds that column; needs the right to alter the table, as making it does.
const char* addSerial(Dialect dialect);
inline constexpr const char* kHighestSequence =
    "SELECT MAX(sequence) FROM mensora_record WHERE bench = ? AND run = ?";
// One insert of `rows` records.
std::string insert(int rows);

// A table of rows the journal keeps apart from the records, keyed as the records are: by bench,
// run and the journal's row. Its rows go after the records, each once; until plant IT or a
// bench that may make tables has made it, they wait in the journal and the records go on.
struct SideTable {
    // Fails, without touching anything, where the table is missing or may not be read.
    const char* probe;
    const char* createPostgreSql;
    const char* createSqlServer;
    // The highest journal row the server holds for (bench, run).
    const char* highest;
    const char* insert;
    int columnCount;

    const char* create(Dialect dialect) const {
        return dialect == Dialect::SqlServer ? createSqlServer : createPostgreSql;
    }
};

// The gauge studies: the study is the journal's row of it.
extern const SideTable kGaugeStudies;
inline constexpr int kStudyColumnCount = 17;
// The lines of the alarm logs: the alarm is the journal's row of the line.
extern const SideTable kAlarms;
inline constexpr int kAlarmColumnCount = 14;

}  // namespace mensora::plant_table
