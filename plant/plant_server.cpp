#include "plant/plant_server.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <charconv>
#include <span>
#include <string_view>

#include "plant/plant_table.h"
#include "plant/utf16_text.h"

namespace mensora {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "ODBC's wide text must be UTF-16");

namespace {

// A server or a network that does not answer gives up a login after this long, and a
// statement after the other: the program's end waits for at most one round in progress.
constexpr SQLULEN kLoginTimeoutSeconds = 5;
constexpr SQLULEN kQueryTimeoutSeconds = 10;

SQLWCHAR* wideText(std::u16string& text) { return reinterpret_cast<SQLWCHAR*>(text.data()); }

bool succeeded(SQLRETURN status) {
    return status == SQL_SUCCESS || status == SQL_SUCCESS_WITH_INFO;
}

// The diagnostic records of a handle as one text: what the driver manager, the driver or the
// server said, their own words, without the line ends some of them add.
std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    std::string text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLWCHAR message[1024] = {};
        SQLSMALLINT length = 0;
        if (!succeeded(SQLGetDiagRecW(type, handle, record, state, &native, message,
                                      static_cast<SQLSMALLINT>(std::size(message)), &length))) {
            break;
        }
        std::string line = utf8(std::u16string_view(reinterpret_cast<const char16_t*>(message)));
        while (!line.empty() &&
               (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) {
            line.pop_back();
        }
        if (line.empty() || text.find(line) != std::string::npos) continue;
        if (!text.empty()) text += "; ";
        text += line;
    }
    return text.empty() ? "the ODBC driver gave no reason" : text;
}

// The values of one insert, kept where the bound parameters point until it has run.
class BoundValues {
public:
    // Room for `count` values, of which `times` are time stamps.
    BoundValues(std::size_t count, std::size_t times) {
        texts_.reserve(count);
        numbers_.reserve(count);
        integers_.reserve(count);
        times_.reserve(times);
        lengths_.reserve(count);
    }

    SQLRETURN text(SQLHSTMT statement, const std::optional<std::string>& value) {
        texts_.push_back(value ? utf16(*value) : std::u16string());
        std::u16string& bound = texts_.back();
        const SQLLEN bytes = static_cast<SQLLEN>(bound.size() * sizeof(char16_t));
        lengths_.push_back(value ? bytes : SQL_NULL_DATA);
        const SQLULEN characters = bound.empty() ? 1 : bound.size();
        return SQLBindParameter(statement, next(), SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR,
                                characters, 0, wideText(bound), bytes, &lengths_.back());
    }

    SQLRETURN number(SQLHSTMT statement, const std::optional<double>& value) {
        numbers_.push_back(value.value_or(0.0));
        lengths_.push_back(value ? 0 : SQL_NULL_DATA);
        return SQLBindParameter(statement, next(), SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0,
                                &numbers_.back(), 0, &lengths_.back());
    }

    SQLRETURN integer(SQLHSTMT statement, const std::optional<std::int64_t>& value) {
        integers_.push_back(value.value_or(0));
        lengths_.push_back(value ? 0 : SQL_NULL_DATA);
        return SQLBindParameter(statement, next(), SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0,
                                &integers_.back(), 0, &lengths_.back());
    }

    // "YYYY-MM-DD hh:mm:ss" as a timestamp; a text of another form goes as NULL.
    SQLRETURN time(SQLHSTMT statement, const std::optional<std::string>& value) {
        SQL_TIMESTAMP_STRUCT stamp{};
        const bool read = value && readTime(*value, stamp);
        times_.push_back(stamp);
        lengths_.push_back(read ? 0 : SQL_NULL_DATA);
        return SQLBindParameter(statement, next(), SQL_PARAM_INPUT, SQL_C_TYPE_TIMESTAMP,
                                SQL_TYPE_TIMESTAMP, 19, 0, &times_.back(), 0, &lengths_.back());
    }

private:
    SQLUSMALLINT next() { return static_cast<SQLUSMALLINT>(lengths_.size()); }

    static bool readTime(std::string_view text, SQL_TIMESTAMP_STRUCT& stamp) {
        if (text.size() != 19) return false;
        int parts[6] = {};
        const std::size_t starts[6] = {0, 5, 8, 11, 14, 17};
        const std::size_t lengths[6] = {4, 2, 2, 2, 2, 2};
        for (int i = 0; i < 6; ++i) {
            const char* first = text.data() + starts[i];
            const char* last = first + lengths[i];
            if (std::from_chars(first, last, parts[i]).ptr != last) return false;
        }
        stamp.year = static_cast<SQLSMALLINT>(parts[0]);
        stamp.month = static_cast<SQLUSMALLINT>(parts[1]);
        stamp.day = static_cast<SQLUSMALLINT>(parts[2]);
        stamp.hour = static_cast<SQLUSMALLINT>(parts[3]);
        stamp.minute = static_cast<SQLUSMALLINT>(parts[4]);
        stamp.second = static_cast<SQLUSMALLINT>(parts[5]);
        return true;
    }

    // Never reallocated once reserved: the driver holds pointers into them.
    std::vector<std::u16string> texts_;
    std::vector<double> numbers_;
    std::vector<std::int64_t> integers_;
    std::vector<SQL_TIMESTAMP_STRUCT> times_;
    std::vector<SQLLEN> lengths_;
};

// The first binding that failed, or success when none did.
SQLRETURN firstFailure(std::span<const SQLRETURN> results) {
    for (const SQLRETURN result : results) {
        if (!succeeded(result)) return result;
    }
    return SQL_SUCCESS;
}

// The verdict as the plant's table names it.
std::optional<std::string> verdictName(const std::optional<Verdict>& verdict) {
    if (!verdict) return std::nullopt;
    switch (*verdict) {
        case Verdict::Ok: return "OK";
        case Verdict::OverUpper: return "OverUpper";
        case Verdict::UnderLower: return "UnderLower";
    }
    return std::nullopt;
}

SQLRETURN bindRecord(BoundValues& values, SQLHSTMT statement, const std::string& bench,
                     const std::string& run, const OutboxRecord& record) {
    const SQLRETURN results[] = {
        values.text(statement, bench),
        values.text(statement, run),
        values.integer(statement, record.sequence),
        values.integer(statement, record.number),
        values.time(statement, record.takenAt),
        values.number(statement, record.value),
        values.text(statement, record.valueText),
        values.number(statement, record.error),
        values.text(statement, verdictName(record.verdict)),
        values.number(statement, record.nominal),
        values.number(statement, record.upperTolerance),
        values.number(statement, record.lowerTolerance),
        values.text(statement, record.unit),
        values.text(statement, record.part),
        values.text(statement, record.characteristic),
        values.text(statement, record.lot),
        values.text(statement, record.operatorName),
        values.text(statement, record.gaugeId),
        values.text(statement, record.partSerial),
    };
    static_assert(std::size(results) == plant_table::kColumnCount);
    return firstFailure(results);
}

SQLRETURN bindStudy(BoundValues& values, SQLHSTMT statement, const std::string& bench,
                    const std::string& run, const OutboxStudy& study) {
    const SQLRETURN results[] = {
        values.text(statement, bench),
        values.text(statement, run),
        values.integer(statement, study.id),
        values.time(statement, study.finishedAt),
        values.text(statement, study.gaugeId),
        values.text(statement, study.unit),
        values.number(statement, study.reference),
        values.number(statement, study.tolerance),
        values.integer(statement, study.count),
        values.text(statement, study.readings),
        values.number(statement, study.mean),
        values.number(statement, study.sigma),
        values.number(statement, study.bias),
        values.number(statement, study.cg),
        values.number(statement, study.cgk),
        values.integer(statement, std::int64_t{study.capable}),
        values.integer(statement, std::int64_t{study.stepTooCoarse}),
    };
    static_assert(std::size(results) == plant_table::kStudyColumnCount);
    return firstFailure(results);
}

SQLRETURN bindAlarm(BoundValues& values, SQLHSTMT statement, const std::string& bench,
                    const std::string& run, const OutboxAlarm& alarm) {
    std::optional<std::int64_t> rangeChart;
    if (alarm.rangeChart) rangeChart = std::int64_t{*alarm.rangeChart};
    const SQLRETURN results[] = {
        values.text(statement, bench),
        values.text(statement, run),
        values.integer(statement, alarm.id),
        values.integer(statement, alarm.number),
        values.text(statement, alarm.kind == AlarmKind::Raised ? "raised" : "acknowledged"),
        values.time(statement, alarm.at),
        values.integer(statement, alarm.rule),
        values.integer(statement, rangeChart),
        values.text(statement, alarm.characteristic),
        values.integer(statement, alarm.firstRecord),
        values.integer(statement, alarm.lastRecord),
        values.integer(statement, alarm.acknowledges),
        values.text(statement, alarm.cause),
        values.text(statement, alarm.note),
    };
    static_assert(std::size(results) == plant_table::kAlarmColumnCount);
    return firstFailure(results);
}

}  // namespace

struct PlantServer::Handles {
    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC connection = SQL_NULL_HDBC;
    bool connected = false;

    ~Handles() {
        if (connected) SQLDisconnect(connection);
        if (connection != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, connection);
        if (environment != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, environment);
    }
};

// One statement handle, freed however the work with it ends.
class StatementHandle {
public:
    explicit StatementHandle(SQLHDBC connection) {
        if (!succeeded(SQLAllocHandle(SQL_HANDLE_STMT, connection, &handle_))) {
            handle_ = SQL_NULL_HSTMT;
            return;
        }
        SQLSetStmtAttrW(handle_, SQL_ATTR_QUERY_TIMEOUT,
                        reinterpret_cast<SQLPOINTER>(kQueryTimeoutSeconds), 0);
    }
    ~StatementHandle() {
        if (handle_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
    }
    StatementHandle(const StatementHandle&) = delete;
    StatementHandle& operator=(const StatementHandle&) = delete;

    SQLHSTMT get() const { return handle_; }
    std::string error() const { return diagnostics(SQL_HANDLE_STMT, handle_); }

    // Prepares and runs `sql`, its parameters bound by `bind` in between.
    template <typename Bind>
    std::optional<std::string> run(const std::string& sql, Bind bind) {
        if (handle_ == SQL_NULL_HSTMT) return std::string("no statement handle");
        std::u16string text = utf16(sql);
        if (!succeeded(
                SQLPrepareW(handle_, wideText(text), static_cast<SQLINTEGER>(text.size()))) ||
            !succeeded(bind(handle_)) || !succeeded(SQLExecute(handle_))) {
            return error();
        }
        return std::nullopt;
    }

private:
    SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

PlantServer::PlantServer() = default;

PlantServer::~PlantServer() = default;

bool PlantServer::connected() const { return handles_ != nullptr && handles_->connected; }

void PlantServer::disconnect() { handles_.reset(); }

std::optional<std::string> PlantServer::connect(const std::string& connectionString) {
    handles_ = std::make_unique<Handles>();
    Handles& h = *handles_;
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h.environment))) {
        handles_.reset();
        return std::string("the ODBC driver manager cannot be used");
    }
    SQLSetEnvAttr(h.environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                  0);
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_DBC, h.environment, &h.connection))) {
        std::string error = diagnostics(SQL_HANDLE_ENV, h.environment);
        handles_.reset();
        return error;
    }
    SQLSetConnectAttrW(h.connection, SQL_ATTR_LOGIN_TIMEOUT,
                       reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
    std::u16string text = utf16(connectionString);
    const SQLRETURN status = SQLDriverConnectW(h.connection, nullptr, wideText(text),
                                               static_cast<SQLSMALLINT>(text.size()), nullptr, 0,
                                               nullptr, SQL_DRIVER_NOPROMPT);
    if (!succeeded(status)) {
        std::string error = diagnostics(SQL_HANDLE_DBC, h.connection);
        handles_.reset();
        return error;
    }
    h.connected = true;
    return std::nullopt;
}

std::string PlantServer::serverName() {
    if (!connected()) return {};
    std::string name;
    for (const SQLUSMALLINT item : {SQLUSMALLINT{SQL_DBMS_NAME}, SQLUSMALLINT{SQL_DBMS_VER}}) {
        SQLWCHAR value[256] = {};
        SQLSMALLINT length = 0;
        if (!succeeded(SQLGetInfoW(handles_->connection, item, value, sizeof value, &length))) {
            continue;
        }
        if (!name.empty()) name += ' ';
        name += utf8(std::u16string_view(reinterpret_cast<const char16_t*>(value)));
    }
    return name;
}

std::optional<std::string> PlantServer::makeTable() {
    if (!connected()) return std::string("not connected");
    auto nothing = [](SQLHSTMT) { return SQLRETURN{SQL_SUCCESS}; };
    // Each statement on a handle of its own: a probe that failed leaves its handle unusable.
    const auto succeeds = [&](const std::string& sql) {
        StatementHandle statement(handles_->connection);
        return !statement.run(sql, nothing);
    };
    const auto run = [&](const std::string& sql) {
        StatementHandle statement(handles_->connection);
        return statement.run(sql, nothing);
    };
    const plant_table::Dialect dialect = plant_table::dialectOf(serverName());
    if (!succeeds(plant_table::kProbe)) {
        if (auto error = run(plant_table::createTable(dialect))) return error;
    } else if (!succeeds(plant_table::kProbeSerial)) {
        // A table made before the part's serial was sent is given its column; one that has it
        // is left alone, so that a bench that may only insert and read still sends.
        if (auto error = run(plant_table::addSerial(dialect))) return error;
    }
    return std::nullopt;
}

std::optional<std::string> PlantServer::makeTable(const plant_table::SideTable& table) {
    if (!connected()) return std::string("not connected");
    auto nothing = [](SQLHSTMT) { return SQLRETURN{SQL_SUCCESS}; };
    {
        StatementHandle probe(handles_->connection);
        if (!probe.run(table.probe, nothing)) return std::nullopt;
    }
    StatementHandle create(handles_->connection);
    return create.run(table.create(plant_table::dialectOf(serverName())), nothing);
}

std::optional<std::string> PlantServer::highestSequence(const std::string& bench,
                                                        const std::string& run,
                                                        std::int64_t& highest) {
    return this->highest(plant_table::kHighestSequence, bench, run, highest);
}

std::optional<std::string> PlantServer::highestRow(const plant_table::SideTable& table,
                                                   const std::string& bench, const std::string& run,
                                                   std::int64_t& highest) {
    return this->highest(table.highest, bench, run, highest);
}

std::optional<std::string> PlantServer::highest(const char* sql, const std::string& bench,
                                                const std::string& run, std::int64_t& highest) {
    if (!connected()) return std::string("not connected");
    StatementHandle select(handles_->connection);
    BoundValues values(2, 0);
    auto error = select.run(sql, [&](SQLHSTMT statement) {
        const SQLRETURN first = values.text(statement, bench);
        return succeeded(first) ? values.text(statement, run) : first;
    });
    if (error) return error;
    SQLBIGINT value = 0;
    SQLLEN length = 0;
    if (!succeeded(SQLFetch(select.get())) ||
        !succeeded(SQLGetData(select.get(), 1, SQL_C_SBIGINT, &value, 0, &length))) {
        return select.error();
    }
    highest = length == SQL_NULL_DATA ? 0 : value;
    return std::nullopt;
}

std::optional<std::string> PlantServer::insert(const std::string& bench, const std::string& run,
                                               const std::vector<OutboxRecord>& records) {
    if (!connected()) return std::string("not connected");
    for (std::size_t first = 0; first < records.size(); first += plant_table::kRowsPerInsert) {
        const std::size_t rows =
            std::min<std::size_t>(plant_table::kRowsPerInsert, records.size() - first);
        StatementHandle insert(handles_->connection);
        BoundValues values(rows * plant_table::kColumnCount, rows);
        auto error =
            insert.run(plant_table::insert(static_cast<int>(rows)), [&](SQLHSTMT statement) {
                for (std::size_t i = first; i < first + rows; ++i) {
                    const SQLRETURN bound = bindRecord(values, statement, bench, run, records[i]);
                    if (!succeeded(bound)) return bound;
                }
                return SQLRETURN{SQL_SUCCESS};
            });
        if (error) return error;
    }
    return std::nullopt;
}

namespace {

// One row of a side table, bound by `bind`.
template <typename Bind>
std::optional<std::string> insertRow(SQLHDBC connection, const plant_table::SideTable& table,
                                     Bind bind) {
    StatementHandle insert(connection);
    BoundValues values(static_cast<std::size_t>(table.columnCount), 1);
    return insert.run(table.insert, [&](SQLHSTMT statement) { return bind(values, statement); });
}

}  // namespace

std::optional<std::string> PlantServer::insert(const std::string& bench, const std::string& run,
                                               const OutboxStudy& study) {
    if (!connected()) return std::string("not connected");
    return insertRow(handles_->connection, plant_table::kGaugeStudies,
                     [&](BoundValues& values, SQLHSTMT statement) {
                         return bindStudy(values, statement, bench, run, study);
                     });
}

std::optional<std::string> PlantServer::insert(const std::string& bench, const std::string& run,
                                               const OutboxAlarm& alarm) {
    if (!connected()) return std::string("not connected");
    return insertRow(handles_->connection, plant_table::kAlarms,
                     [&](BoundValues& values, SQLHSTMT statement) {
                         return bindAlarm(values, statement, bench, run, alarm);
                     });
}

}  // namespace mensora
