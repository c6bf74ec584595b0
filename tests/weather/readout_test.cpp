#include "weather/readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "weather/test_readings.h"

namespace pluvetta {
namespace {

// Octal escapes keep each caption one literal: \260 is the degree sign, \263 superscript three.
const NumberFormat kEnglish{".", ",", "-"};
const NumberFormat kItalian{",", ".", "-"};

// The caption a label receives, or "(kept)" when the report leaves it as it was.
std::string CaptionOf(const std::optional<LabelText>& label) {
    return label ? label->caption : "(kept)";
}

// The English worked examples are checked through the monitor, which shows this readout.
TEST(BuildReadout, WorkedExamplesInItalian) {
    const Readout out = BuildReadout(WorkedExampleReading(), AlarmSettings{}, kItalian);
    EXPECT_EQ(CaptionOf(out.wind), "220\260  6 / 8 km/h");
    EXPECT_EQ(CaptionOf(out.temp), "25,0\260C");
    EXPECT_EQ(CaptionOf(out.hum), "50%");
    EXPECT_EQ(CaptionOf(out.press), "990,0 mb");
    EXPECT_EQ(out.rain.caption, "0mm/h 0mm/24h\r\n0mm/Day Dp 13,8\260C  11,5g/m\263");
    EXPECT_EQ(out.rainFontPoints, 8);
    EXPECT_EQ(out.comment, " wRSW");
    EXPECT_FALSE(out.raiseForAlarm || out.beepForAlarm);
    EXPECT_EQ(BuildReadout(WindChillReading(), AlarmSettings{}, kItalian).rain.caption,
              " Wch -7,2\260C Dp -3,0\260C  3,9g/m\263");
}

TEST(BuildReadout, WindCaptionPadsTheDirectionAndShowsCalm) {
    const std::tuple<std::int16_t, float, float, const char*> cases[] = {
        {5, 16.09347f, kMissingGust, "005\260  16 km/h"},
        {400, 16.09347f, 24.14f, "400\260  16 / 24 km/h"},
        {-5, 16.09347f, kMissingGust, "-005\260  16 km/h"},
        {-98, 3.2f, 0.0f, "-098\260  3 / 0 km/h"},
        {220, 0.0f, kMissingGust, "Calma di vento"},
        {-99, 16.09347f, 24.14f, "(kept)"}};  // wind data, but no direction to show
    for (const auto& [direction, speed, gust, caption] : cases) {
        WeatherReading r = WorkedExampleReading();
        r.WindDirection = direction;
        r.WindSpeed = speed;
        r.WindGust = gust;
        const Readout out = BuildReadout(r, AlarmSettings{}, kEnglish);
        EXPECT_EQ(CaptionOf(out.wind), caption) << direction << " " << speed;
        EXPECT_EQ(out.drawRose, direction >= -98) << direction;
    }
}

TEST(BuildReadout, RainTextOf26CharactersIsSetSmaller) {
    // The CR LF after the 24-hour total counts as two characters.
    for (const auto& [last24Hours, length, points] :
         {std::tuple{10.0f, 25u, 10}, std::tuple{100.0f, 26u, 8}}) {
        WeatherReading r;  // rain only: every other label keeps what it shows
        r.RainLastHour = 100.0f;
        r.Rain24Hours = last24Hours;
        r.RainSinceMidnight = 5.0f;
        const Readout out = BuildReadout(r, AlarmSettings{}, kEnglish);
        EXPECT_EQ(out.rain.caption.size(), length) << out.rain.caption;
        EXPECT_EQ(out.rainFontPoints, points) << out.rain.caption;
        EXPECT_FALSE(out.wind || out.temp || out.hum || out.press || out.drawRose);
    }
    EXPECT_EQ(BuildReadout(WeatherReading{}, AlarmSettings{}, kEnglish).rain.caption, "");
}

// The labels a readout shows in red.
std::string RedLabels(const Readout& out) {
    std::string red;
    for (const auto& [name, label] : {std::pair{"wind ", out.wind}, std::pair{"temp ", out.temp},
                                      std::pair{"hum ", out.hum}, std::pair{"press ", out.press}}) {
        if (label && label->inAlarm) red += name;
    }
    return out.rain.inAlarm ? red + "rain " : red;
}

// Default thresholds: temperature -5..40, humidity 20..96, pressure 900..1040, rain 40 per
// hour and 250 per 24 hours, wind 50 and gust 80.
TEST(BuildReadout, AlarmBoundariesColourOnlyTheirLabel) {
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
        {day, 250, "rain "},     {day, 249.9f, ""},      {midnight, 999, ""},
        {hour, kMissingRain, ""}};
    for (const auto& [field, value, red] : cases) {
        WeatherReading r = WorkedExampleReading();
        if (field) r.*field = value;
        if (!field) r.Humidity = static_cast<std::int16_t>(value);
        const Readout out = BuildReadout(r, AlarmSettings{}, kEnglish);
        EXPECT_EQ(RedLabels(out), red) << value;
        EXPECT_EQ(out.raiseForAlarm, !red.empty()) << value;
        EXPECT_EQ(out.beepForAlarm, !red.empty()) << value;
    }
}

TEST(BuildReadout, AlarmRequestsFollowTheirFlagsAndCalmIsNeverAlarm) {
    WeatherReading r = WorkedExampleReading();
    r.Temperature = 45.0f;
    AlarmSettings alarms;
    alarms.FocusOnAlarm = false;
    EXPECT_EQ(BuildReadout(r, alarms, kEnglish).raiseForAlarm, false);
    EXPECT_EQ(BuildReadout(r, alarms, kEnglish).beepForAlarm, true);

    alarms.HiWind = 0.0f;
    r = WorkedExampleReading();
    r.WindSpeed = r.WindGust = 0.0f;
    EXPECT_EQ(BuildReadout(r, alarms, kEnglish).wind->inAlarm, false);
    r.WindGust = 1.0f;
    EXPECT_EQ(BuildReadout(r, alarms, kEnglish).wind->inAlarm, true);
}

TEST(BuildReadout, CommentLineCarriesThePressureChange) {
    for (const auto& [change, comment] :
         {std::pair<std::int16_t, const char*>{12, "Variaz Press in 4h= 12mb wRSW"},
          {-98, "Variaz Press in 4h= -98mb wRSW"},
          {-99, " wRSW"}}) {
        WeatherReading r = WorkedExampleReading();
        r.PressureChange4h = change;
        EXPECT_EQ(BuildReadout(r, AlarmSettings{}, kEnglish).comment, comment);
    }
}

TEST(BuildReadout, ExtremeValuesStillGiveText) {
    // Runs under the sanitizers: no value, however odd, may fault on its way to a caption.
    for (const float value : {std::numeric_limits<float>::max(), -INFINITY, NAN, -1e-30f}) {
        WeatherReading r;
        r.WindDirection = r.Humidity = r.PressureChange4h = 32767;
        r.WindSpeed = r.WindGust = r.Temperature = r.Pressure = r.Rain24Hours = value;
        const Readout out = BuildReadout(r, AlarmSettings{}, kItalian);
        EXPECT_EQ(CaptionOf(out.wind).substr(0, 6), "32767\260") << value;
        EXPECT_EQ(CaptionOf(out.hum), "32.767%") << value;
        EXPECT_EQ(out.comment, "Variaz Press in 4h= 32767mb ") << value;
        r.WindDirection = r.Humidity = r.PressureChange4h = -32768;
        EXPECT_EQ(BuildReadout(r, AlarmSettings{}, kItalian).comment, " ") << value;
    }
}

}  // namespace
}  // namespace pluvetta
