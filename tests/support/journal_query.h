#pragma once
// What another program sees and does in the journal file (the plant's sender does both): the
// rows of a statement as text, through SQLite's own interface, waiting a while for the
// journal's writer as the sender does.

#include <sqlite3.h>

#include <string>
#include <vector>

namespace mensora::test {

// Each row's columns as SQLite renders them ("NULL" for NULL), joined by "|"; a statement
// that cannot run leaves a last row "cannot ..." that says why.
inline std::vector<std::string> queryJournal(const std::string& path, const std::string& sql) {
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return {"cannot open " + path};
    }
    sqlite3_busy_timeout(db, 5000);
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
        rows.push_back(std::string("cannot run: ") + sqlite3_errmsg(db));
    }
    int stepped = SQLITE_DONE;
    while (s != nullptr && (stepped = sqlite3_step(s)) == SQLITE_ROW) {
        std::string row;
        for (int c = 0; c < sqlite3_column_count(s); ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
            row += (c > 0 ? "|" : "") + std::string(text != nullptr ? text : "NULL");
        }
        rows.push_back(row);
    }
    if (stepped != SQLITE_DONE) rows.push_back(std::string("cannot run: ") + sqlite3_errmsg(db));
    sqlite3_finalize(s);
    sqlite3_close(db);
    return rows;
}

}  // namespace mensora::test
