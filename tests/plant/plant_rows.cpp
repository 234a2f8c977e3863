#include "tests/plant/plant_rows.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <stdexcept>

#include "plant/utf16_text.h"

namespace mensora::test {

namespace {

bool ok(SQLRETURN status) { return status == SQL_SUCCESS || status == SQL_SUCCESS_WITH_INFO; }

class Session {
public:
    explicit Session(const std::string& connection) {
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment_);
        SQLSetEnvAttr(environment_, SQL_ATTR_ODBC_VERSION,
                      reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, environment_, &connection_);
        std::u16string text = utf16(connection);
        if (!ok(SQLDriverConnectW(connection_, nullptr, reinterpret_cast<SQLWCHAR*>(text.data()),
                                  static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr,
                                  SQL_DRIVER_NOPROMPT))) {
            // The destructor does not run for a constructor that throws.
            SQLFreeHandle(SQL_HANDLE_DBC, connection_);
            SQLFreeHandle(SQL_HANDLE_ENV, environment_);
            throw std::runtime_error("the test server does not answer");
        }
        SQLAllocHandle(SQL_HANDLE_STMT, connection_, &statement_);
    }
    ~Session() {
        SQLFreeHandle(SQL_HANDLE_STMT, statement_);
        SQLDisconnect(connection_);
        SQLFreeHandle(SQL_HANDLE_DBC, connection_);
        SQLFreeHandle(SQL_HANDLE_ENV, environment_);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    SQLHSTMT run(const std::string& sql) {
        std::u16string text = utf16(sql);
        if (!ok(SQLExecDirectW(statement_, reinterpret_cast<SQLWCHAR*>(text.data()),
                               static_cast<SQLINTEGER>(text.size())))) {
            SQLWCHAR state[6] = {};
            SQLINTEGER native = 0;
            SQLWCHAR message[512] = {};
            SQLSMALLINT length = 0;
            SQLGetDiagRecW(SQL_HANDLE_STMT, statement_, 1, state, &native, message, 512, &length);
            throw std::runtime_error(sql + ": " + utf8(reinterpret_cast<const char16_t*>(message)));
        }
        return statement_;
    }

private:
    SQLHENV environment_ = SQL_NULL_HENV;
    SQLHDBC connection_ = SQL_NULL_HDBC;
    SQLHSTMT statement_ = SQL_NULL_HSTMT;
};

}  // namespace

std::vector<PlantRow> plantRows(const std::string& connection, const std::string& sql) {
    Session session(connection);
    SQLHSTMT statement = session.run(sql);
    SQLSMALLINT columns = 0;
    SQLNumResultCols(statement, &columns);
    std::vector<PlantRow> rows;
    while (ok(SQLFetch(statement))) {
        PlantRow& row = rows.emplace_back();
        for (SQLUSMALLINT column = 1; column <= columns; ++column) {
            char16_t cell[1024] = {};
            SQLLEN length = 0;
            SQLGetData(statement, column, SQL_C_WCHAR, cell, sizeof cell, &length);
            if (length == SQL_NULL_DATA) {
                row.emplace_back();
            } else {
                row.emplace_back(utf8(cell));
            }
        }
    }
    return rows;
}

long long plantRowCount(const std::string& connection, const std::string& condition) {
    try {
        const auto rows =
            plantRows(connection, "SELECT count(*) FROM mensora_record WHERE " + condition);
        return std::stoll(rows.at(0).at(0).value_or("0"));
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace mensora::test
