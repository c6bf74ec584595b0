#include "weather/derived.h"

#include <gtest/gtest.h>

#include <limits>

#include "weather/test_readings.h"

namespace pluvetta {
namespace {

TEST(ComputeDerivedValues, WorkedExamplesInFloatPrecision) {
    const DerivedValues warm = ComputeDerivedValues(WorkedExampleReading());
    EXPECT_FLOAT_EQ(warm.WindChill, kAbsent);  // computes to 25.07, above the 25.0 of the air
    EXPECT_FLOAT_EQ(warm.DewPoint, 13.847684f);
    EXPECT_FLOAT_EQ(warm.AbsoluteHumidity, 11.494727f);

    const DerivedValues freezing = ComputeDerivedValues(WindChillReading());
    EXPECT_FLOAT_EQ(freezing.WindChill, -7.2216883f);
    EXPECT_FLOAT_EQ(freezing.DewPoint, -3.0322986f);
    EXPECT_FLOAT_EQ(freezing.AbsoluteHumidity, 3.880003f);

    WeatherReading r = WorkedExampleReading();
    r.Temperature = 33.0f;  // the chill pivots on 33 degrees: equal to the air, so it is kept
    EXPECT_FLOAT_EQ(ComputeDerivedValues(r).WindChill, 33.0f);
    r.Temperature = 40.0f;
    r.Humidity = 64;
    // Exact: a logarithm kept in double instead of float gives 31.855761, two steps lower.
    EXPECT_EQ(ComputeDerivedValues(r).DewPoint, 31.855764f);
}

TEST(ComputeDerivedValues, UndefinedOrUnwantedValuesStayAbsent) {
    struct SkipCase {
        float speed, gust, temperature;
        std::int16_t humidity;
        bool chill, dewPoint;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const SkipCase cases[] = {
        {16.1f, kMissingGust, 0, 80, false, true}, {16.1f, 0, 0, 80, false, true},
        {-16.0f, 32.2f, 0, 80, false, true},       {16.1f, 32.2f, 0, -98, true, false},
        {16.1f, 32.2f, 0, 0, true, false},         {16.1f, 32.2f, 0, kNoField, true, false},
        {16.1f, 32.2f, -99.0f, 80, false, false},  {16.1f, 32.2f, inf, 80, false, false},
        {16.1f, 32.2f, nan, 80, false, false}};
    for (const SkipCase& c : cases) {
        WeatherReading r;
        r.WindSpeed = c.speed;
        r.WindGust = c.gust;
        r.Temperature = c.temperature;
        r.Humidity = c.humidity;
        const DerivedValues d = ComputeDerivedValues(r);
        const std::string row = std::to_string(&c - cases);
        EXPECT_EQ(IsDerivedValueShown(d.WindChill), c.chill) << row;
        EXPECT_EQ(IsDerivedValueShown(d.AbsoluteHumidity), c.dewPoint) << row;
        EXPECT_EQ(IsDerivedValueShown(d.DewPoint), c.dewPoint) << row;
    }
}

}  // namespace
}  // namespace pluvetta
