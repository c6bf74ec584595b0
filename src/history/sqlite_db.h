#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pluvetta {

// Owned SQLite handles and the few calls the store and the reader share.
struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;
struct StatementFinalizer {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// The store's schema version; a file with a higher one is left alone. Version 2 added the heat
// index; a file of version 1 is read with it absent, and upgraded by the monitor.
inline constexpr std::int64_t kSchemaVersion = 2;
// How long a statement waits for another connection's lock: well under what a window may
// hang on it.
inline constexpr int kBusyTimeoutMs = 40;

// The statement, or null with the error code in `code` when it does not compile.
Statement Prepare(sqlite3* db, std::string_view sql, int* code = nullptr);
// The first column of the first row as a number, or nullopt with the error code in `code`.
std::optional<std::int64_t> QueryNumber(sqlite3* db, const char* sql, int* code = nullptr);
// Brings a file of schema version `from` to kSchemaVersion: the table and its index for a new
// file, the columns added since for an older one.
std::string UpgradeSql(std::int64_t from);
// The columns a query reads back into a ReportRow: time, station, link, values (NULL for those
// a file of `version` does not hold), and raw when asked.
std::string RowColumns(bool withRaw, std::int64_t version = kSchemaVersion);

}  // namespace pluvetta
