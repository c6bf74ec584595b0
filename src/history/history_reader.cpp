#include "history/history_reader.h"

#include <system_error>

namespace pluvetta {

HistoryReader::HistoryReader(std::filesystem::path file) : file_(std::move(file)) { Reopen(); }

void HistoryReader::Failed(int code) {
    const int primary = code & 0xFF;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) {
        state_ = HistoryState::Busy;
    } else if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT) {
        state_ = HistoryState::Damaged;
    } else {
        state_ = HistoryState::Unreadable;
    }
}

HistoryState HistoryReader::Reopen() {
    db_.reset();
    std::error_code ec;
    if (!std::filesystem::exists(file_, ec)) return state_ = HistoryState::NoFile;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file_.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) {
        Failed(rc);
        return state_;
    }
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    int code = SQLITE_OK;
    const auto version = QueryNumber(raw, "PRAGMA user_version", &code);
    version_ = version.value_or(0);
    if (!version) {
        Failed(code);
    } else if (*version > kSchemaVersion) {
        state_ = HistoryState::Newer;
    } else if (*version == 0) {
        state_ = HistoryState::Empty;
    } else {
        state_ = HistoryState::Ready;
    }
    return state_;
}

std::vector<std::string> HistoryReader::Stations() {
    std::vector<std::string> out;
    if (state_ != HistoryState::Ready && state_ != HistoryState::Empty) return out;
    int code = SQLITE_OK;
    // Jumps from station to station along the index instead of reading every row: a
    // million rows would otherwise cost most of a second.
    Statement s = Prepare(db_.get(),
                          "WITH RECURSIVE s(station) AS (SELECT MIN(station) FROM report "
                          "UNION ALL SELECT (SELECT MIN(station) FROM report WHERE station > "
                          "s.station) FROM s WHERE s.station IS NOT NULL) "
                          "SELECT station FROM s WHERE station IS NOT NULL ORDER BY (SELECT "
                          "MAX(received_utc) FROM report r WHERE r.station = s.station) DESC",
                          &code);
    if (!s) {
        Failed(code);
        return out;
    }
    while ((code = sqlite3_step(s.get())) == SQLITE_ROW) {
        const auto* text = static_cast<const char*>(sqlite3_column_blob(s.get(), 0));
        out.emplace_back(text ? text : "", sqlite3_column_bytes(s.get(), 0));
    }
    if (code != SQLITE_DONE) return Failed(code), std::vector<std::string>{};
    state_ = out.empty() ? HistoryState::Empty : HistoryState::Ready;
    return out;
}

std::vector<ReportRow> HistoryReader::Rows(const std::string& station, std::int64_t fromUtc,
                                           std::int64_t toUtc, bool withRaw) {
    std::vector<ReportRow> out;
    if (!db_) return out;
    int code = SQLITE_OK;
    Statement s = Prepare(db_.get(),
                          "SELECT " + RowColumns(withRaw, version_) +
                              " FROM report WHERE station = ?1 AND received_utc >= ?2 AND "
                              "received_utc < ?3 ORDER BY received_utc, id",
                          &code);
    if (!s) return Failed(code), out;
    sqlite3_stmt* q = s.get();
    sqlite3_bind_text(q, 1, station.data(), static_cast<int>(station.size()), SQLITE_STATIC);
    sqlite3_bind_int64(q, 2, fromUtc);
    sqlite3_bind_int64(q, 3, toUtc);
    const auto text = [q](int column) {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(q, column));
        return bytes ? std::string(bytes, sqlite3_column_bytes(q, column)) : std::string();
    };
    while ((code = sqlite3_step(q)) == SQLITE_ROW) {
        ReportRow& row = out.emplace_back();
        row.receivedUtc = sqlite3_column_int64(q, 0);
        row.station = text(1);
        row.link = text(2);
        for (std::size_t i = 0; i < kValueCount; ++i) {
            const int column = 3 + static_cast<int>(i);
            if (sqlite3_column_type(q, column) != SQLITE_NULL) {
                row.values[i] = sqlite3_column_double(q, column);
            }
        }
        if (withRaw) row.raw = text(3 + static_cast<int>(kValueCount));
    }
    if (code != SQLITE_DONE) return Failed(code), std::vector<ReportRow>{};
    return out;
}

std::optional<std::int64_t> HistoryReader::Latest(const std::string& station) {
    if (!db_) return std::nullopt;
    Statement s = Prepare(db_.get(), "SELECT MAX(received_utc) FROM report WHERE station = ?1");
    if (!s) return std::nullopt;
    sqlite3_bind_text(s.get(), 1, station.data(), static_cast<int>(station.size()), SQLITE_STATIC);
    if (sqlite3_step(s.get()) != SQLITE_ROW || sqlite3_column_type(s.get(), 0) == SQLITE_NULL) {
        return std::nullopt;
    }
    return sqlite3_column_int64(s.get(), 0);
}

std::optional<std::int64_t> HistoryReader::DataVersion() {
    if (!db_) return std::nullopt;
    return QueryNumber(db_.get(), "PRAGMA data_version");
}

std::filesystem::path NewestSetAside(const std::filesystem::path& file) {
    const std::string prefix = file.stem().string() + ".corrupt-";
    std::filesystem::path newest;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        // The stamp sorts as the time does.
        if (name.starts_with(prefix) && entry.path().extension() == file.extension() &&
            name > newest.filename().string()) {
            newest = entry.path();
        }
    }
    return newest;
}

}  // namespace pluvetta
