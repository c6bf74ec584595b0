#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "history/report_queue.h"
#include "history/report_row.h"
#include "history/sqlite_db.h"

namespace pluvetta {

// The history file, under the user's generic data folder (~/.local/share), shared by every
// monitor and by the history window.
inline constexpr const char* kHistoryFileName = "pluvetta/history.sqlite";
// The environment variable naming another history file; it wins over the options file, so
// that a demo or a test never writes into the user's own history.
inline constexpr const char* kHistoryFileVariable = "PLUVETTA_HISTORY_FILE";

// The writing side of the history: one SQLite file in WAL mode that several monitors may
// share. A row that cannot be written at once waits in a bounded queue for the next try.
class ReportStore {
  public:
    explicit ReportStore(Db db) : db_(std::move(db)) {}

    // Queues the row and writes everything queued. Never waits on another connection's lock
    // longer than the busy timeout; what is not written stays queued.
    void Append(ReportRow row);
    // Writes what is queued: the retry tick. True when nothing is left waiting.
    bool Flush();
    // Writes the rows in one transaction, all or nothing.
    bool Write(std::span<const ReportRow> rows);

    ReportQueue& Queue() { return queue_; }

  private:
    Db db_;
    ReportQueue queue_;
};

// What opening the store gave: the store, or why there is none; and where a damaged file was
// moved (empty when none was).
struct StoreOpening {
    std::unique_ptr<ReportStore> store;
    std::string problem;
    std::filesystem::path setAside;
};

// Opens the file, creating it and its folder when missing. A file that is not a database or
// fails its quick check is renamed aside (`NAME.corrupt-YYYYMMDD-HHMMSS.EXT`, from `nowUtc`),
// never deleted, and a new one is started. A file of a newer schema is left untouched.
StoreOpening OpenReportStore(const std::filesystem::path& file, std::int64_t nowUtc);

// The name a damaged `file` is given at `nowUtc`.
std::filesystem::path SetAsideName(const std::filesystem::path& file, std::int64_t nowUtc);

}  // namespace pluvetta
