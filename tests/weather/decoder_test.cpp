#include "weather/decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "weather/number_text.h"

namespace pluvetta {
namespace {

// The text, whether all of it is one number between blanks, the number at its start, and that
// rounded to 16 bits, halves to even, with digits far beyond what a double holds counted too.
TEST(NumberText, BlanksSignOnePointAndHalvesToEvenWithin16Bits) {
    const std::string zeros(3000, '0');
    // clang-format off
    const std::tuple<std::string, bool, double, int> cases[] = {
        {" -7 ", true, -7, -7}, {"+.5", true, 0.5, 0}, {"5.", true, 5, 5}, {".", false, 0, 0},
        {"  -4.5x", false, -4.5, -4}, {"- 5", false, 0, 0}, {"\t5", false, 0, 0},
        {"1e3", false, 1, 1}, {"7 7", false, 7, 7}, {"1.2.3", false, 1.2, 1}, {"3.5", true, 3.5, 4},
        {"0.5000001", true, 0.5000001, 1}, {"-32769", true, -32769, kNoField},
        {"32767.5", true, 32767.5, kNoField}, {"-32768.5", true, -32768.5, -32768},
        {"00000032767", true, 32767, 32767}, {"1" + zeros, true, INFINITY, kNoField},
        {"0.5" + zeros + "1", true, 0.5, 1},
    };
    // clang-format on
    for (const auto& [text, whole, leading, rounded] : cases) {
        SCOPED_TRACE(text.substr(0, 20));
        EXPECT_EQ(ReadsAsNumber(text), whole);
        EXPECT_DOUBLE_EQ(LeadingNumber(text), leading);
        EXPECT_EQ(LeadingNumberRounded(text), rounded);
    }
}

TEST(TakeWeatherField, CutsTagAndNumberOrLeavesTextAlone) {
    // Working text, tag, nominal width, value returned, text left.
    const std::vector<std::tuple<std::string, char, int, int, std::string>> cases = {
        {"xh5", 'h', 2, 5, "x"},       // at the very end, fewer digits than nominal
        {"h100b", 'h', 2, 100, "b"},   // grows past the nominal width
        {"t077.5r", 't', 3, 78, "r"},  // and past a point after it
        {"g1.55.0", 'g', 3, 2, ".0"},  // a second point ends the number
        {"h5 0x", 'h', 2, 5, "0x"},    // a blank inside the nominal width is taken, but
        {"b10227 0.0dB", 'b', 4, 10227, " 0.0dB"},  // the field never grows into one
        {"b123456h50", 'b', 4, kNoField, "h50"},    // out of range: cut all the same
        {"t" + std::string(5000, '0') + "72.5h50", 't', 3, 72, "h50"},
        {"t...r000", 't', 3, kNoField, "r000"},
        {"b.....x", 'b', 4, kNoField, ".x"},  // filler is matched at nominal width only
        {"t..", 't', 3, kNoField, "t.."},
        {"t   r000", 't', 3, kNoField, "t   r000"},
        {"t77r000", 't', 3, kNoField, "t77r000"},
        {"tempt072", 't', 3, kNoField, "tempt072"},  // only the first letter counts
        {"r000t", 't', 3, kNoField, "r000t"},
        {"r000", 'P', 3, kNoField, "r000"},  // tags are case-sensitive
        {"t077", 't', 0, kNoField, "t077"},
    };
    for (const auto& [text, tag, width, value, left] : cases) {
        std::string working = text;
        EXPECT_EQ(TakeWeatherField(working, tag, width), value) << text.substr(0, 20);
        EXPECT_EQ(working, left) << text.substr(0, 20);
    }
}

// A decoded reading, compared exactly: each value is converted in double and rounded once to a
// float. A field a case does not name is absent, but for the wind of _10090556c220s004.
struct Decoded {
    int direction = 220;
    float speed = 6.437388f, gust = -16091.86f, temperature = -5572.778f, rainHour = -2539.776f,
          rainMidnight = -2539.776f, rain24 = -2539.776f, pressure = -999.9f;
    int humidity = kNoField, change = kAbsent;
    std::string remainder = "";
    friend bool operator==(const Decoded&, const Decoded&) = default;
};

Decoded Decode(const std::string& info) {
    const WeatherReading r = DecodeWeatherReport(info);
    return {r.WindDirection, r.WindSpeed,         r.WindGust,    r.Temperature,
            r.RainLastHour,  r.RainSinceMidnight, r.Rain24Hours, r.Pressure,
            r.Humidity,      r.PressureChange4h,  r.Remainder};
}

TEST(DecodeWeatherReport, WorkedExampleInBothReportKindsAndFieldRules) {
    const Decoded worked{220, 6.437388f, 8.046735f, 25, 0, 0, 0, 990, 50, kAbsent, "wRSW"};
    const std::string pos = "_10090556c220s004";
    const std::pair<std::string, Decoded> cases[] = {
        {"!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW", worked},
        {"_10090556c220s004g005t077r000p000P000h50b09900wRSW", worked},
        {"", {.direction = kAbsent, .speed = 0}},
        {pos + " wx_", {.remainder = " wx_"}},  // only the first '_' starts the weather
        {pos + "h00", {.humidity = 100}},
        {pos + "t-32736", {.temperature = -18204.445f}},
        {pos + "t-32737", {}},  // 32 less would leave the 16-bit range
        {pos + "r000P216p256", {.rainHour = 0, .rainMidnight = 54.864647f, .rain24 = 65.024765f}},
        {pos + "b0599", {.pressure = 1059.9f}},  // below 60 mb, the 10 was dropped
        {pos + "b0600", {.pressure = 960}},      // from 60 mb, the 9
        {pos + "b0000", {}},                     // no barometer
        {pos + "v+12x", {.change = 12, .remainder = "x"}},
        {pos + "v-03", {.change = -3}},
        {pos + "v12", {.remainder = "v12"}},
        {"_10090556c-99s004", {.direction = -99, .remainder = "-99s004"}},
        // A compressed position gets no special handling; the speed is read all the same.
        {"@092345z/5L!!<*e7 _7P[g005",
         {.direction = kAbsent, .speed = 8.046735f, .gust = 8.046735f, .remainder = "7P["}},
    };
    for (const auto& [info, want] : cases) EXPECT_EQ(Decode(info), want) << info;
}

}  // namespace
}  // namespace pluvetta
