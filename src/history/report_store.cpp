#include "history/report_store.h"

#include <cmath>
#include <system_error>

#include "history/csv.h"

namespace pluvetta {

namespace {

constexpr int kFirstValueParameter = 5;

bool Exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Damaged means SQLite says so; a busy or unreadable file is not evidence of damage.
bool IsDamaged(sqlite3* db) {
    int code = SQLITE_OK;
    Statement check = Prepare(db, "PRAGMA quick_check", &code);
    if (check) code = sqlite3_step(check.get());
    if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT) return true;
    if (code != SQLITE_ROW) return false;
    const auto* verdict = reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0));
    return verdict == nullptr || std::string_view(verdict) != "ok";
}

Db OpenFile(const std::filesystem::path& file, std::string& problem) {
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK) {
        problem = raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc);
        return nullptr;
    }
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    return db;
}

}  // namespace

std::filesystem::path SetAsideName(const std::filesystem::path& file, std::int64_t nowUtc) {
    std::string stamp = FormatUtc(nowUtc);  // 2024-05-01T12:00:00Z
    std::string compact;
    for (char c : stamp) {
        if (c >= '0' && c <= '9') compact += c;
        if (c == 'T') compact += '-';
    }
    return file.parent_path() /
           (file.stem().string() + ".corrupt-" + compact + file.extension().string());
}

StoreOpening OpenReportStore(const std::filesystem::path& file, std::int64_t nowUtc) {
    StoreOpening out;
    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    Db db = OpenFile(file, out.problem);
    if (!db) return out;
    if (IsDamaged(db.get())) {
        db.reset();
        out.setAside = SetAsideName(file, nowUtc);
        std::filesystem::rename(file, out.setAside, ec);
        if (ec) {
            out.problem = "cannot move the damaged file aside: " + ec.message();
            out.setAside.clear();
            return out;
        }
        // A journal left beside the damaged file belongs to it, not to the new one.
        for (const char* tail : {"-wal", "-shm"}) {
            std::filesystem::path side = file;
            side += tail;
            std::filesystem::path aside = out.setAside;
            aside += tail;
            std::filesystem::rename(side, aside, ec);
        }
        db = OpenFile(file, out.problem);
        if (!db) return out;
    }

    int code = SQLITE_OK;
    const auto version = QueryNumber(db.get(), "PRAGMA user_version", &code);
    if (!version) {
        out.problem = sqlite3_errstr(code);
        return out;
    }
    if (*version > kSchemaVersion) {
        out.problem = "the file was written by a newer version";
        return out;
    }
    Exec(db.get(), "PRAGMA journal_mode=WAL");
    Exec(db.get(), "PRAGMA synchronous=NORMAL");
    if (*version < kSchemaVersion) {
        // Two monitors starting together both get here: the version is read again under the
        // write lock, and the second finds the work done.
        const bool upgraded = Exec(db.get(), "BEGIN IMMEDIATE") && [&db] {
            const auto now = QueryNumber(db.get(), "PRAGMA user_version");
            return now && (*now >= kSchemaVersion || Exec(db.get(), UpgradeSql(*now).c_str()));
        }() && Exec(db.get(), "COMMIT");
        if (!upgraded) {
            out.problem = sqlite3_errmsg(db.get());
            Exec(db.get(), "ROLLBACK");
            return out;
        }
    }
    out.store = std::make_unique<ReportStore>(std::move(db));
    return out;
}

void ReportStore::Append(ReportRow row) {
    queue_.Push(std::move(row));
    Flush();
}

bool ReportStore::Flush() {
    return queue_.Drain([this](std::span<const ReportRow> rows) { return Write(rows); });
}

bool ReportStore::Write(std::span<const ReportRow> rows) {
    sqlite3* db = db_.get();
    std::string sql = "INSERT INTO report(raw, " + RowColumns(false) + ") VALUES(?";
    for (std::size_t i = 0; i < kValueCount + 3; ++i) sql += ",?";
    sql += ")";
    Statement insert = Prepare(db, sql);
    if (!insert || !Exec(db, "BEGIN IMMEDIATE")) return false;
    sqlite3_stmt* s = insert.get();
    for (const ReportRow& row : rows) {
        sqlite3_bind_blob(s, 1, row.raw.data(), static_cast<int>(row.raw.size()), SQLITE_STATIC);
        sqlite3_bind_int64(s, 2, row.receivedUtc);
        sqlite3_bind_text(s, 3, row.station.data(), static_cast<int>(row.station.size()),
                          SQLITE_STATIC);
        sqlite3_bind_text(s, 4, row.link.data(), static_cast<int>(row.link.size()), SQLITE_STATIC);
        for (std::size_t i = 0; i < kValueCount; ++i) {
            const int at = kFirstValueParameter + static_cast<int>(i);
            const std::optional<double>& v = row.values[i];
            if (!v) {
                sqlite3_bind_null(s, at);
            } else if (kValueColumns[i].integer) {
                sqlite3_bind_int64(s, at, std::llround(*v));
            } else {
                sqlite3_bind_double(s, at, *v);
            }
        }
        if (sqlite3_step(s) != SQLITE_DONE) {
            Exec(db, "ROLLBACK");
            return false;
        }
        sqlite3_reset(s);
    }
    if (Exec(db, "COMMIT")) return true;
    Exec(db, "ROLLBACK");
    return false;
}

}  // namespace pluvetta
