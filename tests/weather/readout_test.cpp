#include "weather/readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

TEST(BuildReadout, WorkedExampleInEnglishAndItalian) {
    struct Expected {
        const NumberFormat& format;
        const char *temp, *press, *rain;
    };
    const Expected cases[] = {
        {kEnglish, "25.0\260C", "990.0 mb", "0mm/h 0mm/24h\r\n0mm/Day Dp 13.8\260C  11.5g/m\263"},
        {kItalian, "25,0\260C", "990,0 mb", "0mm/h 0mm/24h\r\n0mm/Day Dp 13,8\260C  11,5g/m\263"}};
    for (const Expected& e : cases) {
        const Readout out = BuildReadout(WorkedExampleReading(), AlarmSettings{}, e.format);
        EXPECT_EQ(CaptionOf(out.wind), "220\260  6 / 8 km/h");
        EXPECT_EQ(CaptionOf(out.temp), e.temp);
        EXPECT_EQ(CaptionOf(out.hum), "50%");
        EXPECT_EQ(CaptionOf(out.press), e.press);
        EXPECT_EQ(out.rain.caption, e.rain);
        EXPECT_EQ(out.rainFontPoints, 8);
        EXPECT_EQ(out.comment, " wRSW");
        EXPECT_FALSE(out.raiseForAlarm || out.beepForAlarm);
    }
    WeatherReading r = WorkedExampleReading();
    r.Pressure = 1013.2f;
    EXPECT_EQ(CaptionOf(BuildReadout(r, AlarmSettings{}, kEnglish).press), "1,013.2 mb");
    EXPECT_EQ(CaptionOf(BuildReadout(r, AlarmSettings{}, kItalian).press), "1.013,2 mb");
    EXPECT_EQ(BuildReadout(WindChillReading(), AlarmSettings{}, kItalian).rain.caption,
              " Wch -7,2\260C Dp -3,0\260C  3,9g/m\263");
}

TEST(BuildReadout, WindCaptionPadsTheDirectionAndShowsCalm) {
    struct WindCase {
        std::int16_t direction;
        float speed, gust;
        const char* caption;
    };
    const WindCase cases[] = {
        {5, 16.09347f, kMissingGust, "005\260  16 km/h"},
        {400, 16.09347f, 24.14f, "400\260  16 / 24 km/h"},
        {-5, 16.09347f, kMissingGust, "-005\260  16 km/h"},
        {-98, 3.2f, 0.0f, "-098\260  3 / 0 km/h"},
        {220, 0.0f, 8.046735f, "220\260  0 / 8 km/h"},  // a gust above 0 is not calm
        {220, 0.0f, 0.0f, "Calma di vento"},
        {220, 0.0f, kMissingGust, "Calma di vento"},
        {-99, 16.09347f, 24.14f, "(kept)"},  // wind data, but no direction to show
        {kAbsent, 0.0f, 24.14f, "(kept)"}};
    for (const WindCase& c : cases) {
        WeatherReading r = WorkedExampleReading();
        r.WindDirection = c.direction;
        r.WindSpeed = c.speed;
        r.WindGust = c.gust;
        const Readout out = BuildReadout(r, AlarmSettings{}, kEnglish);
        EXPECT_EQ(CaptionOf(out.wind), c.caption) << c.direction << " " << c.speed;
        EXPECT_EQ(out.drawRose, c.direction >= -98) << c.direction;
    }
}

TEST(BuildReadout, RainTextOf26CharactersIsSetSmaller) {
    // The CR LF after the 24-hour total counts as two characters.
    struct FontCase {
        float lastHour, last24Hours;
        std::size_t length;
        int points;
    };
    for (const FontCase& c : {FontCase{100, 10, 25, 10}, FontCase{100, 100, 26, 8}}) {
        WeatherReading r;  // rain only: every other label keeps what it shows
        r.RainLastHour = c.lastHour;
        r.Rain24Hours = c.last24Hours;
        r.RainSinceMidnight = 5.0f;
        const Readout out = BuildReadout(r, AlarmSettings{}, kEnglish);
        EXPECT_EQ(out.rain.caption.size(), c.length) << out.rain.caption;
        EXPECT_EQ(out.rainFontPoints, c.points) << out.rain.caption;
        EXPECT_FALSE(out.wind || out.temp || out.hum || out.press || out.drawRose);
    }
    EXPECT_EQ(BuildReadout(WeatherReading{}, AlarmSettings{}, kEnglish).rain.caption, "");
}

using FloatField = float WeatherReading::*;

struct AlarmCase {
    FloatField field;  // null: the humidity takes the value
    float value;
    bool alarm;
};

// Default thresholds: temperature -5..40, humidity 20..96, pressure 900..1040, rain 40 per
// hour and 250 per 24 hours, wind 50 and gust 80.
TEST(BuildReadout, AlarmBoundariesColourOnlyTheirLabel) {
    const FloatField temp = &WeatherReading::Temperature, press = &WeatherReading::Pressure,
                     speed = &WeatherReading::WindSpeed, gust = &WeatherReading::WindGust,
                     hour = &WeatherReading::RainLastHour, day = &WeatherReading::Rain24Hours;
    const FloatField midnight = &WeatherReading::RainSinceMidnight;
    const AlarmCase cases[] = {
        {temp, 40, true},           {temp, 39.9f, false},  {temp, -5, true},
        {temp, -4.9f, false},       {nullptr, 96, true},   {nullptr, 95, false},
        {nullptr, 20, true},        {nullptr, 21, false},  {press, 1040, true},
        {press, 1039.9f, false},    {press, 900, true},    {press, 900.1f, false},
        {speed, 50, true},          {speed, 49.9f, false}, {gust, 80, false},
        {gust, 80.01f, true},       {hour, 40, true},      {hour, 39.9f, false},
        {day, 250, true},           {day, 249.9f, false},  {midnight, 999, false},
        {hour, kMissingRain, false}};
    for (const AlarmCase& c : cases) {
        WeatherReading r = WorkedExampleReading();
        if (c.field) {
            r.*c.field = c.value;
        } else {
            r.Humidity = static_cast<std::int16_t>(c.value);
        }
        const auto in = [&c](FloatField a, FloatField b) {
            return c.alarm && (c.field == a || c.field == b);
        };
        const Readout out = BuildReadout(r, AlarmSettings{}, kEnglish);
        const std::string row = std::to_string(&c - cases);
        EXPECT_EQ(out.wind->inAlarm, in(speed, gust)) << row;
        EXPECT_EQ(out.temp->inAlarm, in(temp, temp)) << row;
        EXPECT_EQ(out.hum->inAlarm, in(nullptr, nullptr)) << row;
        EXPECT_EQ(out.press->inAlarm, in(press, press)) << row;
        EXPECT_EQ(out.rain.inAlarm, in(hour, day)) << row;
        EXPECT_EQ(out.raiseForAlarm, c.alarm) << row;
        EXPECT_EQ(out.beepForAlarm, c.alarm) << row;
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
    const std::pair<std::int16_t, const char*> cases[] = {{-3, "Variaz Press in 4h= -3mb wRSW"},
                                                          {0, "Variaz Press in 4h= 0mb wRSW"},
                                                          {12, "Variaz Press in 4h= 12mb wRSW"},
                                                          {-98, "Variaz Press in 4h= -98mb wRSW"},
                                                          {-99, " wRSW"},
                                                          {kAbsent, " wRSW"}};
    for (const auto& [change, comment] : cases) {
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

TEST(ReadoutTexts, TooltipAndElapsedMinutes) {
    EXPECT_EQ(BuildTooltip("IZ1ABC-13", "Calma di vento", "25.0\260C", "", "990.0 mb", "0mm/h "),
              "IZ1ABC-13 Calma di vento 25.0\260C  990.0 mb 0mm/h ");
    EXPECT_EQ(FormatElapsed(0), "00");
    EXPECT_EQ(FormatElapsed(7), "07");
    EXPECT_EQ(FormatElapsed(99), "99");
    int minutes = 0;
    for (int tick = 0; tick < 120; ++tick) minutes = NextMinutesSinceReport(minutes);
    EXPECT_EQ(minutes, 99);
}

}  // namespace
}  // namespace pluvetta
