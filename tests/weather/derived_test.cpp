#include "weather/derived.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

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
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Speed, gust, temperature, humidity; whether the chill and the dew point are shown.
    const std::tuple<float, float, float, std::int16_t, bool, bool> cases[] = {
        {16.1f, kMissingGust, 0, 80, false, true}, {16.1f, 0, 0, 80, false, true},
        {-16.0f, 32.2f, 0, 80, false, true},       {16.1f, 32.2f, 0, -98, true, false},
        {16.1f, 32.2f, 0, 0, true, false},         {16.1f, 32.2f, 0, kNoField, true, false},
        {16.1f, 32.2f, -99.0f, 80, false, false},  {16.1f, 32.2f, inf, 80, false, false},
        {16.1f, 32.2f, nan, 80, false, false}};
    for (const auto& [speed, gust, temperature, humidity, chill, dewPoint] : cases) {
        SCOPED_TRACE(::testing::Message()
                     << speed << " " << gust << " " << temperature << " " << humidity);
        const DerivedValues d = ComputeDerivedValues({.WindSpeed = speed,
                                                      .WindGust = gust,
                                                      .Temperature = temperature,
                                                      .Humidity = humidity,
                                                      .Remainder = ""});
        EXPECT_EQ(IsDerivedValueShown(d.WindChill), chill);
        EXPECT_EQ(IsDerivedValueShown(d.AbsoluteHumidity), dewPoint);
        EXPECT_EQ(IsDerivedValueShown(d.DewPoint), dewPoint);
    }
}

}  // namespace
}  // namespace pluvetta
