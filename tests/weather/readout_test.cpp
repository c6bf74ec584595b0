#include "weather/readout.h"

#include <gtest/gtest.h>

#include "weather/test_readings.h"

namespace pluvetta {
namespace {

const NumberFormat kEnglish{".", ",", "-"};
const NumberFormat kItalian{",", ".", "-"};

// The caption a label receives, or "(kept)" when the report leaves it as it was.
std::string CaptionOf(const std::optional<LabelText>& label) {
    return label ? label->caption : "(kept)";
}

TEST(BuildReadout, WorkedExampleInEnglishAndItalian) {
    struct Expected {
        const NumberFormat& format;
        const char* temp;
        const char* press;
        const char* rain;
    };
    const Expected cases[] = {
        {kEnglish,
         "25.0\xB0"
         "C",
         "990.0 mb",
         "0mm/h 0mm/24h\r\n0mm/Day Dp 13.8\xB0"
         "C  11.5g/m\xB3"},
        {kItalian,
         "25,0\xB0"
         "C",
         "990,0 mb",
         "0mm/h 0mm/24h\r\n0mm/Day Dp 13,8\xB0"
         "C  11,5g/m\xB3"},
    };
    for (const Expected& e : cases) {
        const Readout out = BuildReadout(WorkedExampleReading(), AlarmSettings{}, e.format);
        EXPECT_EQ(CaptionOf(out.wind), "220\xB0  6 / 8 km/h");
        EXPECT_EQ(CaptionOf(out.temp), e.temp);
        EXPECT_EQ(CaptionOf(out.hum), "50%");
        EXPECT_EQ(CaptionOf(out.press), e.press);
        EXPECT_EQ(out.rain.caption, e.rain);
        EXPECT_EQ(out.rainFontPoints, 8);
        EXPECT_EQ(out.comment, " wRSW");
        EXPECT_TRUE(out.drawRose);
        EXPECT_FALSE(out.raiseForAlarm || out.beepForAlarm);
    }
}

TEST(BuildReadout, PressureIsGroupedInTheUserFormat) {
    WeatherReading r = WorkedExampleReading();
    r.Pressure = 1013.2f;
    EXPECT_EQ(CaptionOf(BuildReadout(r, AlarmSettings{}, kEnglish).press), "1,013.2 mb");
    EXPECT_EQ(CaptionOf(BuildReadout(r, AlarmSettings{}, kItalian).press), "1.013,2 mb");
}

TEST(BuildReadout, FreezingBreezeShowsChillDewPointAndAbsoluteHumidity) {
    const Readout out = BuildReadout(WindChillReading(), AlarmSettings{}, kItalian);
    EXPECT_EQ(out.rain.caption,
              " Wch -7,2\xB0"
              "C Dp -3,0\xB0"
              "C  3,9g/m\xB3");
    EXPECT_EQ(CaptionOf(out.temp),
              "0,0\xB0"
              "C");
}

struct WindCase {
    std::int16_t direction;
    float speed;
    float gust;
    const char* caption;
};

TEST(BuildReadout, WindCaptionPadsTheDirectionAndShowsCalm) {
    const WindCase cases[] = {
        {5, 16.09347f, kMissingGust, "005\xB0  16 km/h"},
        {400, 16.09347f, 24.14f, "400\xB0  16 / 24 km/h"},
        {-5, 16.09347f, kMissingGust, "-005\xB0  16 km/h"},
        {-98, 3.2f, 0.0f, "-098\xB0  3 / 0 km/h"},
        {220, 0.0f, 8.046735f, "220\xB0  0 / 8 km/h"},  // a gust above 0 is not calm
        {220, 0.0f, 0.0f, "Calma di vento"},
        {220, 0.0f, kMissingGust, "Calma di vento"},
        {-99, 16.09347f, 24.14f, "(kept)"},  // wind data, but no direction to show
        {kAbsent, 0.0f, 24.14f, "(kept)"},
    };
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

TEST(BuildReadout, CalmWindIsNeverInAlarm) {
    AlarmSettings alarms;
    alarms.HiWind = 0.0f;
    WeatherReading r = WorkedExampleReading();
    r.WindSpeed = 0.0f;
    r.WindGust = 0.0f;
    EXPECT_FALSE(BuildReadout(r, alarms, kEnglish).wind->inAlarm);
    r.WindGust = 1.0f;
    EXPECT_TRUE(BuildReadout(r, alarms, kEnglish).wind->inAlarm);
}

TEST(BuildReadout, RainOnlyReportKeepsTheOtherLabels) {
    WeatherReading r;
    r.RainLastHour = 1.0f;
    r.Rain24Hours = 2.0f;
    r.RainSinceMidnight = 3.0f;
    const Readout out = BuildReadout(r, AlarmSettings{}, kEnglish);
    EXPECT_FALSE(out.wind || out.temp || out.hum || out.press || out.drawRose);
    EXPECT_EQ(out.rain.caption, "1mm/h 2mm/24h\r\n3mm/Day");
    EXPECT_EQ(out.comment, " ");
    EXPECT_EQ(BuildReadout(WeatherReading{}, AlarmSettings{}, kEnglish).rain.caption, "");
}

TEST(BuildReadout, RainTextOf26CharactersIsSetSmaller) {
    // The CR LF after the 24-hour total counts as two characters.
    struct FontCase {
        float lastHour, last24Hours;
        std::size_t length;
        int points;
    };
    for (const FontCase& c : {FontCase{100, 10, 25, 10}, FontCase{100, 100, 26, 8}}) {
        WeatherReading r;
        r.RainLastHour = c.lastHour;
        r.Rain24Hours = c.last24Hours;
        r.RainSinceMidnight = 5.0f;
        const Readout out = BuildReadout(r, AlarmSettings{}, kEnglish);
        EXPECT_EQ(out.rain.caption.size(), c.length);
        EXPECT_EQ(out.rainFontPoints, c.points) << out.rain.caption;
    }
}

enum class Alarmed { None, Wind, Temp, Hum, Press, Rain };

struct AlarmCase {
    const char* name;
    void (*change)(WeatherReading&);
    Alarmed alarmed;
};

// Default thresholds: temperature -5..40, humidity 20..96, pressure 900..1040, rain 40 per
// hour and 250 per 24 hours, wind 50 and gust 80.
TEST(BuildReadout, AlarmBoundariesColourOnlyTheirLabel) {
    const AlarmCase cases[] = {
        {"temperature at high", [](WeatherReading& r) { r.Temperature = 40.0f; }, Alarmed::Temp},
        {"temperature below high", [](WeatherReading& r) { r.Temperature = 39.9f; }, Alarmed::None},
        {"temperature at low", [](WeatherReading& r) { r.Temperature = -5.0f; }, Alarmed::Temp},
        {"temperature above low", [](WeatherReading& r) { r.Temperature = -4.9f; }, Alarmed::None},
        {"humidity at high", [](WeatherReading& r) { r.Humidity = 96; }, Alarmed::Hum},
        {"humidity below high", [](WeatherReading& r) { r.Humidity = 95; }, Alarmed::None},
        {"humidity at low", [](WeatherReading& r) { r.Humidity = 20; }, Alarmed::Hum},
        {"humidity above low", [](WeatherReading& r) { r.Humidity = 21; }, Alarmed::None},
        {"pressure at high", [](WeatherReading& r) { r.Pressure = 1040.0f; }, Alarmed::Press},
        {"pressure below high", [](WeatherReading& r) { r.Pressure = 1039.9f; }, Alarmed::None},
        {"pressure at low", [](WeatherReading& r) { r.Pressure = 900.0f; }, Alarmed::Press},
        {"pressure above low", [](WeatherReading& r) { r.Pressure = 900.1f; }, Alarmed::None},
        {"speed at limit", [](WeatherReading& r) { r.WindSpeed = 50.0f; }, Alarmed::Wind},
        {"speed below limit", [](WeatherReading& r) { r.WindSpeed = 49.9f; }, Alarmed::None},
        {"gust at limit", [](WeatherReading& r) { r.WindGust = 80.0f; }, Alarmed::None},
        {"gust above limit", [](WeatherReading& r) { r.WindGust = 80.01f; }, Alarmed::Wind},
        {"rain hour at limit", [](WeatherReading& r) { r.RainLastHour = 40.0f; }, Alarmed::Rain},
        {"rain hour below", [](WeatherReading& r) { r.RainLastHour = 39.9f; }, Alarmed::None},
        {"rain 24h at limit", [](WeatherReading& r) { r.Rain24Hours = 250.0f; }, Alarmed::Rain},
        {"rain since midnight", [](WeatherReading& r) { r.RainSinceMidnight = 999; },
         Alarmed::None},
        {"no rain fields",
         [](WeatherReading& r) {
             r.RainLastHour = r.Rain24Hours = r.RainSinceMidnight = kMissingRain;
         },
         Alarmed::None},
    };
    for (const AlarmCase& c : cases) {
        WeatherReading r = WorkedExampleReading();
        c.change(r);
        const Readout out = BuildReadout(r, AlarmSettings{}, kEnglish);
        EXPECT_EQ(out.wind->inAlarm, c.alarmed == Alarmed::Wind) << c.name;
        EXPECT_EQ(out.temp->inAlarm, c.alarmed == Alarmed::Temp) << c.name;
        EXPECT_EQ(out.hum->inAlarm, c.alarmed == Alarmed::Hum) << c.name;
        EXPECT_EQ(out.press->inAlarm, c.alarmed == Alarmed::Press) << c.name;
        EXPECT_EQ(out.rain.inAlarm, c.alarmed == Alarmed::Rain) << c.name;
        EXPECT_EQ(out.raiseForAlarm, c.alarmed != Alarmed::None) << c.name;
        EXPECT_EQ(out.beepForAlarm, c.alarmed != Alarmed::None) << c.name;
    }
}

TEST(BuildReadout, AlarmRequestsFollowTheirFlags) {
    WeatherReading r = WorkedExampleReading();
    r.Temperature = 45.0f;
    r.Pressure = 880.0f;
    AlarmSettings alarms;
    alarms.FocusOnAlarm = false;
    Readout out = BuildReadout(r, alarms, kEnglish);
    EXPECT_FALSE(out.raiseForAlarm);
    EXPECT_TRUE(out.beepForAlarm);
    alarms.FocusOnAlarm = true;
    alarms.BeepOnAlarm = false;
    out = BuildReadout(r, alarms, kEnglish);
    EXPECT_TRUE(out.raiseForAlarm);
    EXPECT_FALSE(out.beepForAlarm);
}

TEST(BuildReadout, CommentLineCarriesThePressureChange) {
    const std::pair<std::int16_t, const char*> cases[] = {
        {-3, "Variaz Press in 4h= -3mb wRSW"},
        {0, "Variaz Press in 4h= 0mb wRSW"},
        {12, "Variaz Press in 4h= 12mb wRSW"},
        {-98, "Variaz Press in 4h= -98mb wRSW"},
        {-99, " wRSW"},
        {kAbsent, " wRSW"},
    };
    for (const auto& [change, comment] : cases) {
        WeatherReading r = WorkedExampleReading();
        r.PressureChange4h = change;
        EXPECT_EQ(BuildReadout(r, AlarmSettings{}, kEnglish).comment, comment);
    }
}

TEST(BuildTooltip, JoinsCallAndCaptionsWithBlanks) {
    EXPECT_EQ(BuildTooltip("IZ1ABC-13", "Calma di vento",
                           "25.0\xB0"
                           "C",
                           "", "990.0 mb", "0mm/h "),
              "IZ1ABC-13 Calma di vento 25.0\xB0"
              "C  990.0 mb 0mm/h ");
}

TEST(ElapsedMinutes, ShownAsTwoDigitsAndStopAt99) {
    EXPECT_EQ(FormatElapsed(0), "00");
    EXPECT_EQ(FormatElapsed(7), "07");
    EXPECT_EQ(FormatElapsed(99), "99");
    int minutes = 0;
    for (int tick = 0; tick < 120; ++tick) minutes = NextMinutesSinceReport(minutes);
    EXPECT_EQ(minutes, 99);
    EXPECT_EQ(NextMinutesSinceReport(41), 42);
}

}  // namespace
}  // namespace pluvetta
