#include "journal/journal_schema.h"

#include "journal/sqlite_database.h"

namespace mensora::journal_schema {

std::optional<Verdict> verdictOf(std::int64_t code) {
    switch (code) {
        case static_cast<std::int64_t>(Verdict::Ok): return Verdict::Ok;
        case static_cast<std::int64_t>(Verdict::OverUpper): return Verdict::OverUpper;
        case static_cast<std::int64_t>(Verdict::UnderLower): return Verdict::UnderLower;
        default: return std::nullopt;
    }
}

std::optional<std::string> refusal(SqliteDatabase& database, bool mark) {
    const auto application = database.pragma("application_id");
    const auto version = database.pragma("user_version");
    if (!application || !version) return database.detail();
    if (*application == 0 && *version == 0) {
        if (!mark) return std::nullopt;
        const std::string stamp = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                                  "; PRAGMA user_version = " + std::to_string(kUnmarkedVersion);
        if (!database.exec(stamp.c_str())) return database.detail();
        return std::nullopt;
    }
    if (*application != kApplicationId) return "application_id " + std::to_string(*application);
    if (*version > kVersion) return "user_version " + std::to_string(*version);
    return std::nullopt;
}

}  // namespace mensora::journal_schema
