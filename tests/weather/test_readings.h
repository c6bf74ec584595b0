#pragma once

#include "weather/weather_reading.h"

namespace pluvetta {

// The reading decoded from !4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW.
inline WeatherReading WorkedExampleReading() {
    return {220, 6.437388f, 8.046735f, 25.0f, 0.0f, 0.0f, 0.0f, 990.0f, 50, kAbsent, "wRSW"};
}

// Speed field 010, g020, t032 and h80: freezing air in a fresh breeze.
inline WeatherReading WindChillReading() {
    return {.WindDirection = 180,
            .WindSpeed = 16.093470f,
            .WindGust = 32.186939f,
            .Temperature = 0.0f,
            .Humidity = 80,
            .Remainder = ""};
}

// What the decoder makes of a missing tagged field: -9999 through the unit conversion.
inline constexpr float kMissingGust = kNoField * 1.609347f;
inline constexpr float kMissingRain = kNoField * 0.254003f;

}  // namespace pluvetta
