#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "history/report_row.h"
#include "history/sqlite_db.h"

namespace pluvetta {

// Whether the history file can be read, and if not, why.
enum class HistoryState { Ready, NoFile, Empty, Busy, Newer, Damaged, Unreadable };

// The reading side of the history, for the history window and the CSV export: a read-only
// connection that never writes and never waits longer than the busy timeout.
class HistoryReader {
  public:
    explicit HistoryReader(std::filesystem::path file);

    // Looks at the file again: after it appeared, was unlocked, or was replaced.
    HistoryState Reopen();
    HistoryState State() const { return state_; }

    // The stations with rows, the one heard most recently first.
    std::vector<std::string> Stations();
    // The station's rows received in [fromUtc, toUtc), oldest first; the raw field only when
    // asked, as the charts do not need it.
    std::vector<ReportRow> Rows(const std::string& station, std::int64_t fromUtc,
                                std::int64_t toUtc, bool withRaw = false);
    // The time of the station's newest row.
    std::optional<std::int64_t> Latest(const std::string& station);
    // A number that changes whenever another connection commits; nullopt when unreadable.
    std::optional<std::int64_t> DataVersion();

  private:
    void Failed(int code);

    std::filesystem::path file_;
    Db db_;
    HistoryState state_ = HistoryState::NoFile;
    // The file's schema version, which says what columns it holds.
    std::int64_t version_ = 0;
};

// The newest file set aside beside `file` as damaged, or empty when there is none.
std::filesystem::path NewestSetAside(const std::filesystem::path& file);

}  // namespace pluvetta
