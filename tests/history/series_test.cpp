#include <gtest/gtest.h>

#include <sstream>

#include "history/csv.h"
#include "history/series.h"
#include "history/summary.h"

namespace pluvetta {
namespace {

ReportRow At(std::int64_t t, std::optional<double> rainSinceMidnight = {}) {
    ReportRow row{.receivedUtc = t};
    row[Value::RainSinceMidnight] = rainSinceMidnight;
    return row;
}

// Three times the median step, at least half an hour; a step longer than that starts a piece.
TEST(Series, GapsAreThreeMediansAndSplitTheLine) {
    const std::vector<ReportRow> tenMinutes = {At(0), At(600), At(1200), At(1900), At(9000)};
    EXPECT_EQ(GapThreshold(tenMinutes), 3 * 700);
    EXPECT_EQ(GapThreshold(std::vector<ReportRow>{At(0), At(60), At(120)}), kMinimumGap);
    const Series s = {{0, 1}, {600, 2}, {2700, 3}, {2701, 4}, {9000, 5}};
    EXPECT_EQ(SplitAtGaps(s, 2099),
              (std::vector<Series>{{{0, 1}, {600, 2}}, {{2700, 3}, {2701, 4}}, {{9000, 5}}}));
    EXPECT_EQ(SplitAtGaps(s, 2100).size(), 2u);
}

// Each column keeps its lowest and highest point in time order; one point stays one point;
// points outside the span go.
TEST(Series, ThinningKeepsEachColumnsExtremesInOrder) {
    const Series s = {{-1, 50}, {0, 5},  {1, 9},  {2, 1}, {3, 7},  // column 0: 9 before 1
                      {10, 4},                                     // column 1 alone
                      {20, 2},  {25, 8}, {29, 8},                  // column 2: the first 8
                      {30, 99}};
    EXPECT_EQ(Thin(s, 0, 30, 3), (Series{{1, 9}, {2, 1}, {10, 4}, {20, 2}, {25, 8}}));
}

// Rises of the since-midnight count add up; a fall is a new count from zero; the days are the
// local ones.
TEST(Series, DailyRainSumsRisesAndRestartsAfterAFall) {
    const std::int64_t day = 86400, east = 3600;  // local midnight is 23:00 UTC
    const std::vector<ReportRow> rows = {At(day - 7200, 1.0), At(day - 3600 - 1, 3.5),
                                         At(day - 3600, 0.5), At(day + 600), At(day + 1200, 2.0)};
    EXPECT_EQ(DailyRain(rows, east), (Series{{-east, 2.5}, {day - east, 2.0}}));
}

// Half a millibar either way is steady, beyond three it is fast; the change is taken in
// tenths first, so 1024.4 - 1021.4 is not rapid however the doubles fall.
TEST(Summary, TendencyWordsAtTheirBounds) {
    const std::pair<double, const char*> cases[] = {{0.5, "stazionaria"},
                                                    {-0.5, "stazionaria"},
                                                    {0.6, "in aumento"},
                                                    {-3.0, "in diminuzione"},
                                                    {3.1, "in aumento rapidamente"},
                                                    {-3.1, "in diminuzione rapidamente"}};
    for (const auto& [change, words] : cases) EXPECT_EQ(TendencyWords(change), words) << change;

    const std::int64_t h = 3600;
    EXPECT_EQ(PressureChange3h({{h / 2, 1000}, {h, 1021.4}, {h + 1900, 1014}, {4 * h, 1024.4}}),
              3.0);
    EXPECT_EQ(PressureChange3h({{0, 1013}, {2 * h, 1014}}), std::nullopt);
    EXPECT_EQ(FindExtremes({{1, 3}, {2, 1}, {3, 3}, {4, 1}}), (Extremes{{1, 2}, {3, 1}}));
}

// A dot in every value whatever the locale, commas in the Italian style; empty fields for
// absent values; quotes around a field holding the separator or a quote; Latin-1 as UTF-8.
// In other units, each column names its unit and its values are converted and rounded.
TEST(Csv, QuotingDecimalsAndEmptyFields) {
    ReportRow row{.receivedUtc = 1714564805,
                  .station = "Q1XYZ-13",
                  .link = "aprsis",
                  .raw = "_t077\xB0;\"a,b\""};
    row[Value::WindSpeed] = 6.437388;
    row[Value::Humidity] = 50;
    std::ostringstream plain, italian, us;
    WriteCsv(plain, std::vector{row});
    WriteCsv(italian, std::vector{row}, kItalianCsv);
    row[Value::Temperature] = 25;
    row[Value::Pressure] = 1013.25;
    WriteCsv(us, std::vector{row}, kPlainCsv, kUsUnits);
    EXPECT_EQ(plain.str(),
              "time_utc,station,link,wind_dir_deg,wind_speed_kmh,wind_gust_kmh,temp_c,"
              "humidity_pct,pressure_hpa,rain_1h_mm,rain_24h_mm,rain_midnight_mm,"
              "pressure_change_4h_hpa,wind_chill_c,dew_point_c,heat_index_c,raw\r\n"
              "2024-05-01T12:00:05Z,Q1XYZ-13,aprsis,,6.437388,,,50,,,,,,,,,"
              "\"_t077\xC2\xB0;\"\"a,b\"\"\"\r\n");
    EXPECT_EQ(italian.str().substr(italian.str().find("\r\n") + 2),
              "2024-05-01T12:00:05Z;Q1XYZ-13;aprsis;;6,437388;;;50;;;;;;;;;"
              "\"_t077\xC2\xB0;\"\"a,b\"\"\"\r\n");
    EXPECT_EQ(us.str().substr(0, us.str().find(",raw")),
              "time_utc,station,link,wind_dir_deg,wind_speed_mph,wind_gust_mph,temp_f,"
              "humidity_pct,pressure_inhg,rain_1h_in,rain_24h_in,rain_midnight_in,"
              "pressure_change_4h_inhg,wind_chill_f,dew_point_f,heat_index_f");
    EXPECT_NE(us.str().find(",4,,77,50,29.921,"), std::string::npos) << us.str();
}

TEST(Csv, UtcTimesReadAsWrittenAndBadOnesRefused) {
    EXPECT_EQ(ParseUtc("2024-05-01"), 1714521600);
    EXPECT_EQ(ParseUtc("2024-05-01T12:00"), 1714564800);
    EXPECT_EQ(ParseUtc("2024-05-01T12:00:05Z"), 1714564805);
    for (const char* bad : {"2024-5-01", "2024-02-30", "2024-05-01T24:00", "2024-05-01 12:00",
                            "2024-05-01T12:00:05Zx", ""}) {
        EXPECT_EQ(ParseUtc(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(FormatUtc(-1), "1969-12-31T23:59:59Z");
}

}  // namespace
}  // namespace pluvetta
