#include "weather/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "weather/derived.h"

namespace pluvetta {
namespace {

TEST(ScaleOf, EachUnitConvertsBothWaysWithItsDecimalsAndSymbol) {
    constexpr auto T = Quantity::Temperature, W = Quantity::Wind, P = Quantity::Pressure,
                   R = Quantity::Rain;
    const Units f{.temperature = TemperatureUnit::Fahrenheit},
        ms{.wind = WindUnit::MetresPerSecond}, kn{.wind = WindUnit::Knots},
        hpa{.pressure = PressureUnit::HPa}, mmhg{.pressure = PressureUnit::MmHg};
    // Units, quantity, kept value; shown value, decimals, symbol. Metric is the readout's own.
    // clang-format off
    const std::tuple<Units, Quantity, double, double, int, std::string> cases[] = {
        {f, T, 100, 212, 1, "\260F"},                        {hpa, P, 1013.25, 1013.25, 1, "hPa"},
        {kUsUnits, W, 100, 62.137119223733, 0, "mph"},       {ms, W, 100, 27.777777777778, 1, "m/s"},
        {kn, W, 100, 53.995680345572, 0, "kn"},              {kUsUnits, R, 25.4, 1, 2, "in"},
        {kUsUnits, P, 1013.25, 29.921255347112, 2, "inHg"},  {mmhg, P, 1013.25, 759.999891725611, 0, "mmHg"},
    };
    // clang-format on
    for (const auto& [units, quantity, kept, shown, decimals, symbol] : cases) {
        const UnitScale scale = ScaleOf(units, quantity);
        EXPECT_NEAR(ToShown(kept, scale), shown, 1e-9) << symbol;
        EXPECT_NEAR(ToKept(shown, scale), kept, 1e-9) << symbol;
        EXPECT_EQ(std::tuple(scale.decimals, std::string(scale.symbol)),
                  std::tuple(decimals, symbol));
    }
}

double Fahrenheit(double celsius) { return celsius * 9 / 5 + 32; }
float Celsius(double fahrenheit) { return static_cast<float>((fahrenheit - 32) * 5 / 9); }

// The vectors in Fahrenheit and mph, the limits in Celsius and km/h.
TEST(ComputeDerivedValues, WindChill2001AndHeatIndexHoldTheirVectorsAndLimits) {
    const auto chill = [](float celsius, float kmh) {
        return ComputeDerivedValues({0, kmh, kmh, celsius, 0, 0, 0, 0, 50, kAbsent, ""},
                                    {.windChill = WindChillFormula::Y2001})
            .WindChill;
    };
    EXPECT_EQ(std::lround(Fahrenheit(chill(Celsius(-5), 32.18688f))), -29);
    EXPECT_NEAR(chill(10, 4.81f), 9.81431f, 1e-4);  // the mildest air, the lightest wind
    EXPECT_EQ(std::tuple(chill(10.1f, 30), chill(0, 4.8f), chill(0, 0)),
              std::tuple(kAbsent, kAbsent, kAbsent));

    // The regression from 80 up: the humid-air correction adds 1.4 at 80/95, the dry-air one
    // takes 0.6 at 100/10; at 70/50 the simple estimate stands (the regression gives 76.9).
    const std::tuple<double, double, double> vectors[] = {
        {80, 50, 80.8}, {80, 95, 87.8}, {90, 95, 126.6}, {100, 10, 94.1}, {70, 50, 69.1}};
    for (const auto& [t, rh, index] : vectors) {
        EXPECT_NEAR(HeatIndexFahrenheit(t, rh), index, 0.05) << t << ' ' << rh;
    }
    const auto heat = [](float celsius, std::int16_t humidity, bool on) {
        return ComputeDerivedValues({0, 0, 0, celsius, 0, 0, 0, 0, humidity, kAbsent, ""},
                                    {.heatIndex = on})
            .HeatIndex;
    };
    EXPECT_NEAR(heat(32, 70, true), 40.40927f, 1e-4);
    EXPECT_NEAR(heat(26.7f, 95, true), 31.09588f, 1e-4);  // from 26.7 on
    // Not asked for, too cool, dry air that feels cooler than it is, no humidity.
    EXPECT_EQ(std::tuple(heat(32, 70, false), heat(26.6f, 95, true), heat(27, 10, true),
                         heat(32, -99, true)),
              std::tuple(kAbsent, kAbsent, kAbsent, kAbsent));
}

}  // namespace
}  // namespace pluvetta
