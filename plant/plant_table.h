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

// The gauge studies, in a table of their own keyed as the records are: by bench, run and the
// journal's row of the study.
inline constexpr int kStudyColumnCount = 17;
const char* createStudyTable(Dialect dialect);
inline constexpr const char* kProbeStudies = "SELECT study FROM mensora_gauge_study WHERE 1 = 0";
inline constexpr const char* kHighestStudy =
    "SELECT MAX(study) FROM mensora_gauge_study WHERE bench = ? AND run = ?";
extern const char* const kInsertStudy;

}  // namespace mensora::plant_table
