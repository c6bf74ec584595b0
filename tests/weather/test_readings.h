#pragma once

#include "weather/weather_reading.h"

namespace pluvetta {

// The reading decoded from !4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW.
inline WeatherReading WorkedExampleReading() {
    WeatherReading r;
    r.WindDirection = 220;
    r.WindSpeed = 6.437388f;
    r.WindGust = 8.046735f;
    r.Temperature = 25.0f;
    r.RainLastHour = 0.0f;
    r.RainSinceMidnight = 0.0f;
    r.Rain24Hours = 0.0f;
    r.Pressure = 990.0f;
    r.Humidity = 50;
    r.PressureChange4h = kAbsent;
    r.Remainder = "wRSW";
    return r;
}

// Speed field 010, g020, t032 and h80: freezing air in a fresh breeze.
inline WeatherReading WindChillReading() {
    WeatherReading r;
    r.WindDirection = 180;
    r.WindSpeed = 16.093470f;
    r.WindGust = 32.186939f;
    r.Temperature = 0.0f;
    r.Humidity = 80;
    return r;
}

// What the decoder makes of a missing tagged field: -9999 through the unit conversion.
inline constexpr float kMissingGust = kNoField * 1.609347f;
inline constexpr float kMissingRain = kNoField * 0.254003f;

}  // namespace pluvetta
