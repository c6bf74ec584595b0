#include "weather/readout.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

#include "weather/derived.h"
#include "weather/number_format.h"
#include "weather/units.h"

namespace pluvetta {
namespace {

// Octal escapes keep each caption one literal: \260 is the degree sign, \263 superscript three.
const NumberFormat kEnglish{".", ",", "-"}, kItalian{",", ".", "-"};
constexpr float no = kNoField;  // an absent value as the decoder gives it, before conversion

// The reading decoded from !4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW, with
// a pressure fall of 12 mb.
const WeatherReading kWorked{220, 6.437388f, 8.046735f, 25, 0, 0, 0, 990, 50, -12, "wRSW"};

// The caption a label receives, or "(kept)" when the report leaves it as it was.
std::string CaptionOf(const std::optional<LabelText>& l) { return l ? l->caption : "(kept)"; }

WeatherReading Wind(std::int16_t direction, float speed, float gust) {
    return {direction, speed, gust, no, no, no, no, no, kNoField, kAbsent, ""};
}

// What one report writes. A field a case does not name is what a report without that value
// writes; the rose is redrawn whenever the wind label is written.
struct Case {
    WeatherReading reading;
    NumberFormat format = kEnglish;
    std::string wind = "(kept)", temp = "(kept)", hum = "(kept)", press = "(kept)", rain = "",
                comment = " ";
    int rainPoints = 10;
    Units units{};
    bool heatIndex = false;
};

TEST(BuildReadout, CaptionsOfEachLabel) {
    // Freezing air in a fresh breeze: speed field 010, g020, t032 and h80.
    const WeatherReading freezing{180, 16.09347f, 32.186939f, 0, no, no, no, no, 80, kAbsent, ""};
    const auto rain = [](float last24Hours) {
        return WeatherReading{kAbsent, 0, no, no, 100, 5, last24Hours, no, kNoField, kAbsent, ""};
    };
    const WeatherReading big{32767, 1000, no, no, no, no, no, no, 32767, 32767, ""};
    // A hot windy day, where the heat index asked for takes the place of the 1945 wind chill.
    const WeatherReading sultry{kAbsent, 20, 30, 32, no, no, no, no, 70, kAbsent, ""};
    const Case cases[] = {
        {kWorked, kEnglish, "220\260  6 / 8 km/h", "25.0\260C", "50%", "990.0 mb",
         "0mm/h 0mm/24h\r\n0mm/Day Dp 13.8\260C  11.5g/m\263", "Variaz Press in 4h= -12mb wRSW", 8},
        {freezing, kItalian, "180\260  16 / 32 km/h", "0,0\260C", "80%", "(kept)",
         " Wch -7,2\260C Dp -3,0\260C  3,9g/m\263", " ", 8},
        // The lowest valid direction, and a gust of 0, which is shown.
        {.reading = Wind(-98, 3.2f, 0), .wind = "-098\260  3 / 0 km/h"},
        // Calm: no speed and no gust above 0. A gust alone is wind; no direction is too large.
        {.reading = Wind(220, 0, no), .wind = "Calma di vento"},
        {.reading = Wind(400, 0, 1.6f), .wind = "400\260  0 / 2 km/h"},
        {.reading = Wind(-99, 16.09347f, no)},  // wind data, but no direction to show
        // The CR LF after the 24-hour total counts as two characters: 25, then 26.
        {.reading = rain(10), .rain = "100mm/h 10mm/24h\r\n5mm/Day"},
        {.reading = rain(100), .rain = "100mm/h 100mm/24h\r\n5mm/Day", .rainPoints = 8},
        // The type named: from bare braces, GCC 12's optimiser sees the string left unset.
        {.reading = WeatherReading{.PressureChange4h = -98, .Remainder = "wRSW"},
         .comment = "Variaz Press in 4h= -98mb wRSW"},
        {.reading = WeatherReading{.PressureChange4h = -99, .Remainder = ""}},
        // Measured values are grouped; the direction and the pressure change are plain integers.
        {big, kItalian, "32767\260  1.000 km/h", "(kept)", "32.767%", "(kept)", "",
         "Variaz Press in 4h= 32767mb "},
        {kWorked, kEnglish, "220\260  4 / 5 mph", "77.0\260F", "50%", "29.23 inHg",
         "0.00in/h 0.00in/24h\r\n0.00in/Day Dp 56.9\260F  11.5g/m\263",
         "Variaz Press in 4h= -0.35inHg wRSW", 8, kUsUnits},
        {sultry, kEnglish, "(kept)", "89.6\260F", "70%", "(kept)",
         " Hi 104.7\260F Dp 78.5\260F  23.6g/m\263", " ", 8, kUsUnits, true},
    };
    for (const Case& c : cases) {
        const Readout out =
            BuildReadout(c.reading, AlarmSettings{}, c.format, c.units, {.heatIndex = c.heatIndex});
        EXPECT_EQ(
            std::tuple(CaptionOf(out.wind), CaptionOf(out.temp), CaptionOf(out.hum),
                       CaptionOf(out.press), out.rain.caption, out.rainFontPoints, out.comment),
            std::tuple(c.wind, c.temp, c.hum, c.press, c.rain, c.rainPoints, c.comment));
        EXPECT_EQ(out.drawRose, c.wind != "(kept)") << c.wind;
    }
}

std::string RedLabels(const Readout& out) {
    const auto red = [](const std::optional<LabelText>& label, std::string name) {
        return label && label->inAlarm ? name : "";
    };
    return red(out.wind, "wind ") + red(out.temp, "temp ") + red(out.hum, "hum ") +
           red(out.press, "press ") + (out.rain.inAlarm ? "rain " : "");
}

// Default thresholds: temperature -5..40, humidity 20..96, pressure 900..1040, rain 40 per
// hour and 250 per 24 hours, wind 50 and gust 80.
TEST(BuildReadout, AlarmBoundariesColourOnlyTheirLabelAndTheFlagsPickTheRequests) {
    using Field = float WeatherReading::*;
    const Field temp = &WeatherReading::Temperature, press = &WeatherReading::Pressure,
                speed = &WeatherReading::WindSpeed, gust = &WeatherReading::WindGust,
                hour = &WeatherReading::RainLastHour, day = &WeatherReading::Rain24Hours,
                midnight = &WeatherReading::RainSinceMidnight, hum = nullptr;
    const std::tuple<Field, float, std::string> cases[] = {
        {temp, 40, "temp "},     {temp, 39.9f, ""},      {temp, -5, "temp "},
        {temp, -4.9f, ""},       {hum, 96, "hum "},      {hum, 95, ""},
        {hum, 20, "hum "},       {hum, 21, ""},          {press, 1040, "press "},
        {press, 1039.9f, ""},    {press, 900, "press "}, {press, 900.1f, ""},
        {speed, 50, "wind "},    {speed, 49.9f, ""},     {gust, 80, ""},
        {gust, 80.01f, "wind "}, {hour, 40, "rain "},    {hour, 39.9f, ""},
        {day, 250, "rain "},     {day, 249.9f, ""},      {midnight, 999, ""}};
    for (const auto& [field, value, red] : cases) {
        WeatherReading r = kWorked;
        if (field) r.*field = value;
        if (!field) r.Humidity = static_cast<std::int16_t>(value);
        const Readout out = BuildReadout(r, AlarmSettings{}, kEnglish);
        EXPECT_EQ(RedLabels(out), red) << value;
        EXPECT_EQ(out.raiseForAlarm, !red.empty()) << value;
        EXPECT_EQ(out.beepForAlarm, !red.empty()) << value;
    }
    // The alarm compares the kept 25 degrees Celsius, not the 77 shown.
    EXPECT_EQ(RedLabels(BuildReadout(kWorked, {.HiTemp = 26}, kEnglish, kUsUnits)), "");
    // Calm is never tested, though 0 km/h reaches a HiWind of 0.
    const Readout calm = BuildReadout({.WindDirection = 220, .Temperature = 25, .Remainder = ""},
                                      {.FocusOnAlarm = false, .HiTemp = 0, .HiWind = 0}, kEnglish);
    EXPECT_EQ(std::tuple(RedLabels(calm), calm.raiseForAlarm, calm.beepForAlarm),
              std::tuple("temp ", false, true));
}

// Compared exactly: each value is computed in double and rounded once to a float, so an
// intermediate kept in the wrong precision shows in the last digit.
TEST(ComputeDerivedValues, FormulasGiveExactFloatsAndUndefinedValuesStayAbsent) {
    const float none = kAbsent, inf = std::numeric_limits<float>::infinity();
    const float speed = 16.09347f, gust = 32.186939f;  // a fresh breeze: 10 mph, gusts of 20
    // Speed, gust, temperature, humidity; wind chill, dew point, absolute humidity.
    const std::tuple<float, float, float, std::int16_t, float, float, float> cases[] = {
        {speed, gust, 33, -98, 33, none, none},  // chill equal to the air kept; no log of -98 %
        {speed, gust, 0, 80, -7.2216883f, -3.0322986f, 3.880003f},
        {speed, gust, 40, 64, none, 31.855764f, 32.662464f},  // a log kept in double: 31.855761
        {speed, 0, 0, 80, none, -3.0322986f, 3.880003f},      // a gust of 0, or none: no chill
        {speed, -16091.86f, 0, 80, none, -3.0322986f, 3.880003f},
        {-speed, gust, 0, 80, none, -3.0322986f, 3.880003f},  // no root of a negative speed
        {speed, gust, -99, 80, none, none, none},
        {speed, gust, inf, 80, none, none, none},
    };
    for (const auto& [v, g, temperature, humidity, chill, dewPoint, absolute] : cases) {
        const DerivedValues d = ComputeDerivedValues(
            {kAbsent, v, g, temperature, no, no, no, no, humidity, kAbsent, ""});
        EXPECT_EQ(std::tuple(d.WindChill, d.DewPoint, d.AbsoluteHumidity),
                  std::tuple(chill, dewPoint, absolute))
            << v << ' ' << g << ' ' << temperature << ' ' << humidity;
    }
}

TEST(FormatFixed, RoundsTheStoredValueGroupsAndUsesTheLocaleSeparators) {
    const std::tuple<double, int, const char*, const char*> cases[] = {
        {999999.96, 1, "1,000,000.0", "1.000.000,0"},  // the carry opens a new group
        {12.345, -3, "12", "12"},                      // negative places count as none
        {-0.04, 1, "0.0", "0,0"},                      // rounds to zero: no minus
        {-0.004, 2, "0.00", "0,00"},                   // fewer digits than places
        // A decimal text that looks like a half is rarely one in binary: the stored value counts.
        {0.05, 1, "0.1", "0,1"},                                   // stored a little above 0.05
        {999999.95, 1, "999,999.9", "999.999,9"},                  // stored below the half
        {1234567890.06, 1, "1,234,567,890.1", "1.234.567.890,1"},  // too large to scale
    };
    for (const auto& [value, decimals, inEnglish, inItalian] : cases) {
        EXPECT_EQ(FormatFixed(value, decimals, kEnglish), inEnglish) << value;
        EXPECT_EQ(FormatFixed(value, decimals, kItalian), inItalian) << value;
    }
    EXPECT_EQ(FormatFixed(-1234567.3, 1, NumberFormat{",", "", "\xAD"}), "\2551234567,3");
    const std::string huge = FormatFixed(std::numeric_limits<double>::max(), 2, kEnglish);
    EXPECT_EQ(huge.size(), 309u + 102u + 3u);  // digits, separators, ".00"
    EXPECT_EQ(huge.substr(0, 4), "179,");
}

}  // namespace
}  // namespace pluvetta
