#include "history/sqlite_db.h"

#include "history/report_row.h"

namespace pluvetta {

Statement Prepare(sqlite3* db, std::string_view sql, int* code) {
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, nullptr);
    if (code) *code = rc;
    return Statement(rc == SQLITE_OK ? raw : nullptr);
}

std::optional<std::int64_t> QueryNumber(sqlite3* db, const char* sql, int* code) {
    Statement s = Prepare(db, sql, code);
    if (!s) return std::nullopt;
    const int rc = sqlite3_step(s.get());
    if (code) *code = rc == SQLITE_ROW ? SQLITE_OK : rc;
    if (rc != SQLITE_ROW) return std::nullopt;
    return sqlite3_column_int64(s.get(), 0);
}

namespace {

std::string ColumnSql(const ValueColumn& c) {
    return std::string(c.name) + (c.integer ? " INTEGER" : " REAL");
}

}  // namespace

std::string UpgradeSql(std::int64_t from) {
    std::string sql;
    if (from == 0) {
        sql =
            "CREATE TABLE IF NOT EXISTS report(id INTEGER PRIMARY KEY, "
            "received_utc INTEGER NOT NULL, station TEXT NOT NULL, "
            "link TEXT NOT NULL CHECK(link IN ('agwpe','aprsis')), raw BLOB NOT NULL";
        for (const ValueColumn& c : kValueColumns) sql.append(", ").append(ColumnSql(c));
        sql +=
            ") STRICT;"
            "CREATE INDEX IF NOT EXISTS report_station_time ON report(station, received_utc);";
    } else {
        for (const ValueColumn& c : kValueColumns) {
            if (c.since > from) sql += "ALTER TABLE report ADD COLUMN " + ColumnSql(c) + ";";
        }
    }
    return sql + "PRAGMA user_version=" + std::to_string(kSchemaVersion) + ";";
}

std::string RowColumns(bool withRaw, std::int64_t version) {
    std::string sql = "received_utc, station, link";
    for (const ValueColumn& c : kValueColumns) {
        sql.append(", ").append(c.since <= version ? c.name : "NULL");
    }
    if (withRaw) sql += ", raw";
    return sql;
}

}  // namespace pluvetta
