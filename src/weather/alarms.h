#pragma once

#include <cstdint>

#include "weather/alarm_settings.h"
#include "weather/canvas.h"

namespace pluvetta {

// Calm air: no mean wind and no gust above 0. A calm wind is never tested for an alarm.
bool IsWindCalm(float speed, float gust);

// Each returns whether its label is in alarm. A value equal to a threshold is in alarm, except
// the gust, which must exceed HiGust. Callers test only values that are shown.
bool IsWindInAlarm(float speed, float gust, const AlarmSettings& alarms);
bool IsTemperatureInAlarm(float celsius, const AlarmSettings& alarms);
bool IsHumidityInAlarm(std::int16_t percent, const AlarmSettings& alarms);
bool IsPressureInAlarm(float mb, const AlarmSettings& alarms);
// The rain since midnight has no alarm; an absent total is negative and stays below any
// threshold of 0 or more.
bool IsRainInAlarm(float lastHour, float last24Hours, const AlarmSettings& alarms);

// The colour of a readout label: red in alarm, blue otherwise.
inline Rgb LabelColor(bool inAlarm) { return inAlarm ? kAlarmRed : kNormalBlue; }

}  // namespace pluvetta
