#pragma once

#include <cstdint>

namespace pluvetta {

// Alarm thresholds (in the readout's units) and notification flags. Kept in memory from start
// to exit; written to the alarms file only at exit and when reading it fails.
struct AlarmSettings {
    bool BeepOnData = false;
    bool FocusOnData = true;
    bool BeepOnAlarm = true;
    bool FocusOnAlarm = true;
    float LoTemp = -5.0f;
    float HiTemp = 40.0f;
    std::int16_t LoHum = 20;
    std::int16_t HiHum = 96;
    float LoBaro = 900.0f;
    float HiBaro = 1040.0f;
    float HiRainHour = 40.0f;
    float HiRain24 = 250.0f;
    float HiWind = 50.0f;
    float HiGust = 80.0f;

    friend bool operator==(const AlarmSettings&, const AlarmSettings&) = default;
};

}  // namespace pluvetta
