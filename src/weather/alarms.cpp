#include "weather/alarms.h"

namespace pluvetta {

bool IsWindCalm(float speed, float gust) { return speed == 0.0f && !(gust > 0.0f); }

bool IsWindInAlarm(float speed, float gust, const AlarmSettings& alarms) {
    return speed >= alarms.HiWind || gust > alarms.HiGust;
}

bool IsTemperatureInAlarm(float celsius, const AlarmSettings& alarms) {
    return celsius <= alarms.LoTemp || celsius >= alarms.HiTemp;
}

bool IsHumidityInAlarm(std::int16_t percent, const AlarmSettings& alarms) {
    return percent <= alarms.LoHum || percent >= alarms.HiHum;
}

bool IsPressureInAlarm(float mb, const AlarmSettings& alarms) {
    return mb <= alarms.LoBaro || mb >= alarms.HiBaro;
}

bool IsRainInAlarm(float lastHour, float last24Hours, const AlarmSettings& alarms) {
    return lastHour >= alarms.HiRainHour || last24Hours >= alarms.HiRain24;
}

}  // namespace pluvetta
