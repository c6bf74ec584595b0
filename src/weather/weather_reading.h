#pragma once

#include <cstdint>
#include <string>

namespace pluvetta {

// What the field reader returns for a tag that is missing, filled with full stops, or not
// followed by a usable number. Unit conversion turns it into a value every consumer rejects.
inline constexpr std::int16_t kNoField = -9999;

// Marks a wind direction whose three characters do not read as a number, and a pressure
// change that was not sent.
inline constexpr std::int16_t kAbsent = -999;

// The values of one weather report in km/h, degrees Celsius, mm, mb and percent. Absent values
// keep the sentinels the decoder gives them; test them only through the predicates below.
struct WeatherReading {
    std::int16_t WindDirection = kAbsent;
    float WindSpeed = 0.0f;
    float WindGust = kNoField;
    float Temperature = kNoField;
    float RainLastHour = kNoField;
    float RainSinceMidnight = kNoField;
    float Rain24Hours = kNoField;
    float Pressure = kNoField;
    std::int16_t Humidity = kNoField;
    std::int16_t PressureChange4h = kAbsent;
    std::string Remainder;
};

// A report "with wind data": its first three characters read as a number.
inline bool HasWindData(const WeatherReading& r) { return r.WindDirection != kAbsent; }
// A sent direction of -99 is wind data but not a direction to draw or show.
inline bool IsValidDirection(std::int16_t direction) { return direction >= -98; }
inline bool IsTemperatureValid(float celsius) { return celsius > -99.0f; }
inline bool IsHumidityUsable(std::int16_t percent) { return percent >= -98; }
inline bool IsHumidityShown(std::int16_t percent) { return percent > 0; }
inline bool IsPressureShown(float mb) { return mb > 0.0f; }
inline bool IsRainShown(float mm) { return mm >= 0.0f; }
inline bool IsGustShown(float kmh) { return kmh >= 0.0f; }
inline bool IsGustForWindChill(float kmh) { return kmh > 0.0f; }
inline bool IsPressureChangeShown(std::int16_t change) { return change >= -98; }

}  // namespace pluvetta
