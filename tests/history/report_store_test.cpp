#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "app/fake_ports.h"
#include "history/history_reader.h"
#include "history/report_store.h"
#include "weather/decoder.h"

namespace pluvetta {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using V = std::optional<double>;
constexpr std::int64_t kNoon = 1714564800;  // 2024-05-01T12:00:00Z

ReportRow Row(std::int64_t t, std::string raw = "_x") {
    ReportRow row{.receivedUtc = t, .station = "Q1XYZ-13", .link = "aprsis", .raw = raw};
    row[Value::Temperature] = 20.5;
    return row;
}

// A connection of its own, as another program would open the file.
Db Connect(const fs::path& file) {
    sqlite3* raw = nullptr;
    sqlite3_open(file.c_str(), &raw);
    return Db(raw);
}

int Exec(const Db& db, const char* sql) {
    return sqlite3_exec(db.get(), sql, nullptr, nullptr, nullptr);
}

// Each value the readout would show, in its units; NULL, not a sentinel, for every other.
TEST(MakeReportRow, ValuesInReadoutUnitsAndAbsentOnesEmpty) {
    const std::string info = "_10090556c220s004g005t077r001p002P003h00b09900";
    const ReportRow full = MakeReportRow("Q1XYZ-13", kAgwLinkName, info, DecodeWeatherReport(info));
    const std::array<V, kValueCount> expected = {
        {220, 6.437388, 8.046735, 25, 100, 990, 0.254003, 0.508006, 0.762009, {}, {}, 24.964066}};
    EXPECT_EQ(full.values, expected);

    // No direction: no speed either, though ".../..." reads as 0; a gust of its own stays.
    const ReportRow bare = MakeReportRow("Q1XYZ-13", kServerLinkName, "_10090556c...s...g010t...",
                                         DecodeWeatherReport("_10090556c...s...g010t..."));
    EXPECT_EQ(bare.values, (std::array<V, kValueCount>{{{}, {}, 16.09347}}));
}

// A new file gets its folder, the schema (strict: a text in a number column is refused) and
// WAL; rows come back with their NULLs and raw bytes; another station's rows stay apart.
TEST(ReportStore, CreatedFromNothingAndReadBack) {
    TempFolder folder;
    const fs::path file = folder.path / "new" / "history.sqlite";
    StoreOpening opening = OpenReportStore(file, kNoon);
    ASSERT_TRUE(opening.store) << opening.problem;
    ReportRow latin1 = Row(kNoon + 60, "_c220\xB0,\"x\"");
    latin1[Value::Temperature].reset();
    latin1[Value::Humidity] = 55;
    ReportRow other = Row(kNoon + 120);
    other.station = "Q2ABC";
    for (const ReportRow& row : {Row(kNoon), latin1, other}) opening.store->Append(row);

    HistoryReader reader(file);
    EXPECT_EQ(reader.State(), HistoryState::Ready);
    EXPECT_EQ(reader.Stations(), (std::vector<std::string>{"Q2ABC", "Q1XYZ-13"}));
    EXPECT_EQ(reader.Rows("Q1XYZ-13", kNoon, kNoon + 61, true),
              (std::vector<ReportRow>{Row(kNoon), latin1}));
    EXPECT_EQ(reader.Rows("Q1XYZ-13", kNoon + 1, kNoon + 60).size(), 0u);
    const Db db = Connect(file);
    EXPECT_EQ(QueryNumber(db.get(), "PRAGMA user_version"), 2);
    EXPECT_NE(Exec(db,
                   "INSERT INTO report(received_utc, station, link, raw, temp_c) "
                   "VALUES(1, 'Q', 'aprsis', x'00', 'warm')"),
              SQLITE_OK);
    EXPECT_TRUE(fs::exists(file.string() + "-wal"));
}

// While another monitor holds the write lock, a row waits without keeping the caller longer
// than 100 ms, and goes in with the next one once the lock is gone.
// A file of the first version, before the heat index: read with it absent, and given the
// column when the monitor opens it, its rows kept.
TEST(ReportStore, FirstVersionFileIsReadAndUpgraded) {
    TempFolder folder;
    const fs::path file = folder.path / "history.sqlite";
    ASSERT_EQ(Exec(Connect(file),
                   "CREATE TABLE report(id INTEGER PRIMARY KEY, received_utc INTEGER NOT NULL, "
                   "station TEXT NOT NULL, link TEXT NOT NULL, raw BLOB NOT NULL, wind_dir_deg "
                   "INTEGER, wind_speed_kmh REAL, wind_gust_kmh REAL, temp_c REAL, humidity_pct "
                   "INTEGER, pressure_hpa REAL, rain_1h_mm REAL, rain_24h_mm REAL, "
                   "rain_midnight_mm REAL, pressure_change_4h_hpa INTEGER, wind_chill_c REAL, "
                   "dew_point_c REAL) STRICT; PRAGMA user_version=1; INSERT INTO report("
                   "received_utc, station, link, raw, temp_c) VALUES(1714564800, 'Q1XYZ-13', "
                   "'aprsis', x'5f78', 20.5)"),
              SQLITE_OK);
    EXPECT_EQ(HistoryReader(file).Rows("Q1XYZ-13", 0, kNoon + 1, true), std::vector{Row(kNoon)});
    ReportRow hot = Row(kNoon + 60);
    hot[Value::HeatIndex] = 40.5;
    const StoreOpening opening = OpenReportStore(file, kNoon);
    ASSERT_TRUE(opening.store) << opening.problem;
    opening.store->Append(hot);
    EXPECT_EQ(HistoryReader(file).Rows("Q1XYZ-13", 0, kNoon + 61, true),
              (std::vector{Row(kNoon), hot}));
}

TEST(ReportStore, LockedFileKeepsRowsUntilTheNextWrite) {
    TempFolder folder;
    const fs::path file = folder.path / "history.sqlite";
    StoreOpening opening = OpenReportStore(file, kNoon);
    ASSERT_TRUE(opening.store);
    const Db other = Connect(file);
    ASSERT_EQ(Exec(other, "BEGIN IMMEDIATE"), SQLITE_OK);
    const auto start = std::chrono::steady_clock::now();
    opening.store->Append(Row(kNoon));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_EQ(opening.store->Queue().Size(), 1u);
    Exec(other, "COMMIT");
    opening.store->Append(Row(kNoon + 60));
    EXPECT_EQ(opening.store->Queue().Size(), 0u);
    EXPECT_EQ(HistoryReader(file).Rows("Q1XYZ-13", 0, kNoon * 2).size(), 2u);
}

// Past its bound the queue drops the oldest rows, says so once, and hands the rest on in order
// when the writer works again.
TEST(ReportQueue, BoundDropsTheOldestAndTellsTheFirstLossOnce) {
    ReportQueue queue(3);
    std::vector<std::int64_t> written;
    bool works = false;
    const auto write = [&](std::span<const ReportRow> rows) {
        for (const ReportRow& r : rows) written.push_back(r.receivedUtc);
        return works;
    };
    for (int t = 1; t <= 5; ++t) {
        queue.Push(Row(t));
        EXPECT_FALSE(queue.Drain(write));
    }
    EXPECT_EQ(queue.Lost(), 2u);
    EXPECT_TRUE(queue.TakeFirstLoss());
    EXPECT_FALSE(queue.TakeFirstLoss());
    written.clear();
    works = true;
    EXPECT_TRUE(queue.Drain(write));
    EXPECT_EQ(written, (std::vector<std::int64_t>{3, 4, 5}));
}

// A file that is not a database is moved aside, never deleted, and a new one
// started; a file of a newer schema is left as it is, for the store and for the reader.
TEST(ReportStore, DamagedFileIsSetAsideAndNewerOneLeftAlone) {
    TempFolder folder;
    const fs::path file = folder.path / "history.sqlite";
    const std::string words = "not a database, just words long enough to fill a page header...";
    std::ofstream(file) << words;
    EXPECT_EQ(HistoryReader(file).State(), HistoryState::Damaged);
    StoreOpening opening = OpenReportStore(file, kNoon);
    const fs::path aside = folder.path / "history.corrupt-20240501-120000.sqlite";
    EXPECT_EQ(opening.setAside, aside);
    EXPECT_EQ(fs::file_size(aside), words.size());
    EXPECT_EQ(NewestSetAside(file), aside);
    ASSERT_TRUE(opening.store);
    opening.store->Append(Row(kNoon));
    opening.store.reset();
    EXPECT_EQ(HistoryReader(file).Stations().size(), 1u);

    Exec(Connect(file), "PRAGMA user_version=3");
    EXPECT_EQ(HistoryReader(file).State(), HistoryState::Newer);
    EXPECT_FALSE(OpenReportStore(file, kNoon).store);
    EXPECT_EQ(HistoryReader(folder.path / "none.sqlite").State(), HistoryState::NoFile);
}

}  // namespace
}  // namespace pluvetta
