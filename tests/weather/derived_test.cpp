#include "weather/derived.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace pluvetta {
namespace {

// Compared exactly: each value is computed in double and rounded once to a float, so an
// intermediate kept in the wrong precision shows in the last digit.
TEST(ComputeDerivedValues, FormulasGiveExactFloatsAndUndefinedValuesStayAbsent) {
    const float no = kAbsent, inf = std::numeric_limits<float>::infinity();
    const float speed = 16.09347f, gust = 32.186939f;  // a fresh breeze: 10 mph, gusts of 20
    // Speed, gust, temperature, humidity; wind chill, dew point, absolute humidity.
    const std::tuple<float, float, float, std::int16_t, float, float, float> cases[] = {
        // The chill computes to 25.07, above the air, and is dropped; one equal to it is kept.
        {6.437388f, 8.046735f, 25, 50, no, 13.847684f, 11.494727f},
        {speed, gust, 33, -98, 33, no, no},  // and no logarithm of a negative humidity
        {speed, gust, 0, 80, -7.2216883f, -3.0322986f, 3.880003f},
        {speed, gust, 40, 64, no, 31.855764f, 32.662464f},  // a log kept in double: 31.855761
        {speed, 0, 0, 80, no, -3.0322986f, 3.880003f},      // a gust of 0, or none: no chill
        {speed, -16091.86f, 0, 80, no, -3.0322986f, 3.880003f},
        {-speed, gust, 0, 80, no, -3.0322986f, 3.880003f},  // no root of a negative speed
        {speed, gust, -99, 80, no, no, no},
        {speed, gust, inf, 80, no, no, no},
    };
    for (const auto& [v, g, temperature, humidity, chill, dewPoint, absolute] : cases) {
        const DerivedValues d = ComputeDerivedValues(
            {kAbsent, v, g, temperature, no, no, no, no, humidity, kAbsent, ""});
        EXPECT_EQ(std::tuple(d.WindChill, d.DewPoint, d.AbsoluteHumidity),
                  std::tuple(chill, dewPoint, absolute))
            << v << ' ' << g << ' ' << temperature << ' ' << humidity;
    }
}

}  // namespace
}  // namespace pluvetta
