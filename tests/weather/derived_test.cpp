#include "weather/derived.h"

#include <gtest/gtest.h>

#include <limits>

#include "weather/test_readings.h"

namespace pluvetta {
namespace {

TEST(ComputeDerivedValues, WorkedExampleDropsTheChillAboveTheTemperature) {
    const DerivedValues d = ComputeDerivedValues(WorkedExampleReading());
    EXPECT_FLOAT_EQ(d.WindChill, kAbsent);  // computes to 25.07, above 25.0
    EXPECT_FLOAT_EQ(d.DewPoint, 13.847684f);
    EXPECT_FLOAT_EQ(d.AbsoluteHumidity, 11.494727f);
}

TEST(ComputeDerivedValues, FreezingBreezeGivesChillDewPointAndAbsoluteHumidity) {
    const DerivedValues d = ComputeDerivedValues(WindChillReading());
    EXPECT_FLOAT_EQ(d.WindChill, -7.2216883f);
    EXPECT_FLOAT_EQ(d.DewPoint, -3.0322986f);
    EXPECT_FLOAT_EQ(d.AbsoluteHumidity, 3.880003f);
}

TEST(ComputeDerivedValues, ChillEqualToTheTemperatureIsKept) {
    WeatherReading r = WorkedExampleReading();
    r.Temperature = 33.0f;  // the formula pivots on 33 degrees whatever the wind
    EXPECT_FLOAT_EQ(ComputeDerivedValues(r).WindChill, 33.0f);
}

struct SkipCase {
    const char* name;
    void (*change)(WeatherReading&);
    bool chill;
    bool dewPoint;
};

TEST(ComputeDerivedValues, UndefinedOrUnwantedValuesStayAbsent) {
    const SkipCase cases[] = {
        {"gust absent", [](WeatherReading& r) { r.WindGust = kMissingGust; }, false, true},
        {"gust zero", [](WeatherReading& r) { r.WindGust = 0.0f; }, false, true},
        {"negative speed", [](WeatherReading& r) { r.WindSpeed = -16.0f; }, false, true},
        {"humidity -98", [](WeatherReading& r) { r.Humidity = -98; }, true, false},
        {"humidity zero", [](WeatherReading& r) { r.Humidity = 0; }, true, false},
        {"humidity absent", [](WeatherReading& r) { r.Humidity = kNoField; }, true, false},
        {"temperature -99", [](WeatherReading& r) { r.Temperature = -99.0f; }, false, false},
        {"temperature infinite",
         [](WeatherReading& r) { r.Temperature = std::numeric_limits<float>::infinity(); }, false,
         false},
        {"temperature not a number",
         [](WeatherReading& r) { r.Temperature = std::numeric_limits<float>::quiet_NaN(); }, false,
         false},
    };
    for (const SkipCase& c : cases) {
        WeatherReading r = WindChillReading();
        c.change(r);
        const DerivedValues d = ComputeDerivedValues(r);
        EXPECT_EQ(IsDerivedValueShown(d.WindChill), c.chill) << c.name;
        EXPECT_EQ(IsDerivedValueShown(d.AbsoluteHumidity), c.dewPoint) << c.name;
        if (!c.dewPoint) {
            EXPECT_FLOAT_EQ(d.DewPoint, kAbsent) << c.name;
        }
    }
}

}  // namespace
}  // namespace pluvetta
