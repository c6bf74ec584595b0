#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "weather/weather_reading.h"

namespace pluvetta {

// Decodes the weather part of one information field (complete or positionless weather
// report) into a reading in metric units. Never fails: a field that is missing or unreadable
// keeps its absent mark, and whatever was not decoded is left in Remainder.
WeatherReading DecodeWeatherReport(std::string_view info);

// Finds the first `tag` in `working`, reads the number after it (at least `nominalWidth`
// characters, more while the text still reads as a number), cuts tag and number out of
// `working` and returns the number rounded to 16 bits. Returns kNoField when there is no
// usable number; a tag followed by `nominalWidth` full stops is cut out all the same.
std::int16_t TakeWeatherField(std::string& working, char tag, int nominalWidth);

}  // namespace pluvetta
