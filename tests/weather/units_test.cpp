#include "weather/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "weather/derived.h"
#include "weather/readout.h"

namespace pluvetta {
namespace {

TEST(ScaleOf, EachUnitConvertsBothWaysWithItsDecimalsAndSymbol) {
    constexpr auto T = Quantity::Temperature, W = Quantity::Wind, P = Quantity::Pressure,
                   R = Quantity::Rain;
    const Units f{.temperature = TemperatureUnit::Fahrenheit},
        ms{.wind = WindUnit::MetresPerSecond}, kn{.wind = WindUnit::Knots},
        hpa{.pressure = PressureUnit::HPa}, mmhg{.pressure = PressureUnit::MmHg};
    // Units, quantity, kept value; shown value, decimals, symbol.
    const std::tuple<Units, Quantity, double, double, int, std::string> cases[] = {
        {{}, T, -12.5, -12.5, 1, "\260C"},
        {f, T, 100, 212, 1, "\260F"},
        {f, T, -40, -40, 1, "\260F"},
        {{}, W, 100, 100, 0, "km/h"},
        {kUsUnits, W, 100, 62.137119223733, 0, "mph"},
        {ms, W, 100, 27.777777777778, 1, "m/s"},
        {kn, W, 100, 53.995680345572, 0, "kn"},
        {{}, P, 1013.25, 1013.25, 1, "mb"},
        {hpa, P, 1013.25, 1013.25, 1, "hPa"},
        {kUsUnits, P, 1013.25, 29.921255347112, 2, "inHg"},
        {mmhg, P, 1013.25, 759.999891725611, 0, "mmHg"},
        {{}, R, 12, 12, 0, "mm"},
        {kUsUnits, R, 25.4, 1, 2, "in"},
    };
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

TEST(ComputeDerivedValues, WindChill2001AndHeatIndexHoldTheirVectorsAndLimits) {
    const Formulas chill2001{.windChill = WindChillFormula::Y2001};
    const auto chill = [&](float celsius, float kmh, float gust) {
        return ComputeDerivedValues({0, kmh, gust, celsius, 0, 0, 0, 0, 50, kAbsent, ""}, chill2001)
            .WindChill;
    };
    const float mph20 = 20 * 1.609344f;
    EXPECT_EQ(std::lround(Fahrenheit(chill(Celsius(45), mph20, mph20))), 37);
    EXPECT_EQ(std::lround(Fahrenheit(chill(Celsius(-5), mph20, mph20))), -29);
    EXPECT_NEAR(chill(-20, 50, 60), -35.40047f, 1e-4);
    EXPECT_NEAR(chill(10, 4.81f, 10), 9.81431f, 1e-4);  // the mildest air, the lightest wind
    EXPECT_EQ(chill(10.1f, 30, 40), kAbsent);           // too mild
    EXPECT_EQ(chill(0, 4.8f, 10), kAbsent);             // too little wind
    EXPECT_EQ(chill(0, 20, 0), kAbsent);                // no gust, as with the 1945 formula

    // Fahrenheit and percent; the heat index in Fahrenheit to 0.1.
    const std::tuple<double, double, double> vectors[] = {
        {80, 50, 80.8},  {80, 95, 87.8},   // the humid-air correction adds 1.4
        {90, 95, 126.6}, {100, 10, 94.1},  // the dry-air correction takes 0.6
        {70, 50, 69.1},  // below 80 the simple estimate stands (the regression: 76.9)
    };
    for (const auto& [t, rh, index] : vectors) {
        EXPECT_NEAR(HeatIndexFahrenheit(t, rh), index, 0.05) << t << ' ' << rh;
    }
    const auto heat = [](float celsius, std::int16_t humidity, bool on) {
        return ComputeDerivedValues({0, 0, 0, celsius, 0, 0, 0, 0, humidity, kAbsent, ""},
                                    {.heatIndex = on})
            .HeatIndex;
    };
    EXPECT_NEAR(heat(32, 70, true), 40.40927f, 1e-4);
    EXPECT_EQ(heat(32, 70, false), kAbsent);
    EXPECT_EQ(heat(26.6f, 95, true), kAbsent);  // too cool
    EXPECT_EQ(heat(27, 10, true), kAbsent);     // dry air feels cooler than it is
    EXPECT_EQ(heat(32, -99, true), kAbsent);    // no humidity
}

// The report decoded from !4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW, with
// a pressure fall of 12 mb.
const WeatherReading kWorked{220, 6.437388f, 8.046735f, 25, 0, 0, 0, 990, 50, -12, "wRSW"};

TEST(BuildReadout, CaptionsInTheChosenUnitsAndTheAlarmsInTheKeptOnes) {
    const NumberFormat english{".", ",", "-"}, italian{",", ".", "-"};
    const Units knots{TemperatureUnit::Fahrenheit, WindUnit::Knots, PressureUnit::MmHg,
                      RainUnit::Mm};
    const Units metres{.wind = WindUnit::MetresPerSecond, .pressure = PressureUnit::HPa};
    const std::tuple<Units, NumberFormat, std::string, std::string, std::string, std::string,
                     std::string>
        cases[] = {
            {kUsUnits, english, "220\260  4 / 5 mph", "77.0\260F", "29.23 inHg",
             "0.00in/h 0.00in/24h\r\n0.00in/Day Dp 56.9\260F  11.5g/m\263",
             "Variaz Press in 4h= -0.35inHg wRSW"},
            {knots, english, "220\260  3 / 4 kn", "77.0\260F", "743 mmHg",
             "0mm/h 0mm/24h\r\n0mm/Day Dp 56.9\260F  11.5g/m\263",
             "Variaz Press in 4h= -9mmHg wRSW"},
            {metres, italian, "220\260  1,8 / 2,2 m/s", "25,0\260C", "990,0 hPa",
             "0mm/h 0mm/24h\r\n0mm/Day Dp 13,8\260C  11,5g/m\263",
             "Variaz Press in 4h= -12hPa wRSW"},
        };
    for (const auto& [units, format, wind, temp, press, rain, comment] : cases) {
        const Readout out = BuildReadout(kWorked, {}, format, units);
        EXPECT_EQ(std::tuple(out.wind->caption, out.temp->caption, out.press->caption,
                             out.rain.caption, out.comment),
                  std::tuple(wind, temp, press, rain, comment));
    }
    // 40 degrees Celsius is the default highest temperature, whatever the units.
    WeatherReading hot = kWorked;
    hot.Temperature = 40;
    EXPECT_TRUE(BuildReadout(hot, {}, english, kUsUnits).temp->inAlarm);
    // On a hot windy day the heat index takes the place of the 1945 wind chill.
    const WeatherReading sultry{180, 20, 30, 32, -1, -1, -1, 1000, 70, kAbsent, ""};
    EXPECT_EQ(BuildReadout(sultry, {}, english).rain.caption,
              " Wch 31.7\260C Dp 25.8\260C  23.6g/m\263");
    EXPECT_EQ(BuildReadout(sultry, {}, english, kUsUnits, {.heatIndex = true}).rain.caption,
              " Hi 104.7\260F Dp 78.5\260F  23.6g/m\263");
}

}  // namespace
}  // namespace pluvetta
