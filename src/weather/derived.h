#pragma once

#include "weather/weather_reading.h"

namespace pluvetta {

// Values computed from one report, in degrees Celsius and grams per cubic metre. A value that
// was not computed, or whose formula is undefined for the reading, holds kAbsent.
struct DerivedValues {
    float WindChill = kAbsent;
    float DewPoint = kAbsent;
    float AbsoluteHumidity = kAbsent;
};

// Wind chill (needs a temperature and a gust above 0; dropped when above the temperature), dew
// point and absolute humidity (need a temperature and a usable humidity), in double precision.
DerivedValues ComputeDerivedValues(const WeatherReading& reading);

// Whether the wind chill or the absolute humidity (and with it the dew point) is shown.
inline bool IsDerivedValueShown(float value) { return value > -99.0f; }

}  // namespace pluvetta
