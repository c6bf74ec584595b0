#pragma once

#include "weather/weather_reading.h"

namespace pluvetta {

// Values computed from one report, in degrees Celsius and grams per cubic metre. A value that
// was not computed, or whose formula is undefined for the reading, holds kAbsent.
struct DerivedValues {
    float WindChill = kAbsent;
    float DewPoint = kAbsent;
    float AbsoluteHumidity = kAbsent;
    float HeatIndex = kAbsent;
};

// Which wind chill formula: the 1945 one, or the 2001 one that weather services use today.
enum class WindChillFormula { Y1945, Y2001 };

// The formulas the user chose; the defaults are the program's own behaviour.
struct Formulas {
    WindChillFormula windChill = WindChillFormula::Y1945;
    bool heatIndex = false;

    bool operator==(const Formulas&) const = default;
};

// Wind chill (needs a temperature and a gust above 0; dropped when above the temperature; the
// 2001 formula only from 10 degrees down and above 4.8 km/h), dew point and absolute humidity
// (need a temperature and a usable humidity), and, when asked for, the heat index (from
// 26.7 degrees up with a humidity shown, and only above the temperature), in double precision.
DerivedValues ComputeDerivedValues(const WeatherReading& reading, const Formulas& formulas = {});

// The heat index in degrees Fahrenheit of air at `t` degrees Fahrenheit and `rh` percent, with no
// limits applied.
double HeatIndexFahrenheit(double t, double rh);

// Whether the wind chill or the absolute humidity (and with it the dew point) is shown.
inline bool IsDerivedValueShown(float value) { return value > -99.0f; }

}  // namespace pluvetta
