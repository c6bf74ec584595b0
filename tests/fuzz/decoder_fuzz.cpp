// Any information field through the decoder and the readout: what is left over is never longer
// than what came in, and no caption of a number shows nan or inf or grows long.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "weather/decoder.h"
#include "weather/readout.h"

namespace {

// The longest caption of a label of numbers: a rain text with its dew point and humidity.
constexpr std::size_t kMaxCaption = 96;

void RequireShortNumberCaption(const std::string& caption) {
    FUZZ_REQUIRE(caption.size() <= kMaxCaption);
    FUZZ_REQUIRE(caption.find("nan") == std::string::npos);
    FUZZ_REQUIRE(caption.find("inf") == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view info(reinterpret_cast<const char*>(data), size);
    const pluvetta::WeatherReading reading = pluvetta::DecodeWeatherReport(info);
    FUZZ_REQUIRE(reading.Remainder.size() <= size);

    // Thresholds that put every label in alarm, and an Italian number format, reach the
    // alarm and separator paths too.
    pluvetta::AlarmSettings everyAlarm;
    everyAlarm.LoTemp = everyAlarm.LoBaro = 1e9f;
    everyAlarm.LoHum = 32767;
    everyAlarm.HiRainHour = everyAlarm.HiRain24 = everyAlarm.HiWind = everyAlarm.HiGust = -1e9f;
    const pluvetta::NumberFormat italian{",", ".", "-"};
    for (const auto& [alarms, format] :
         {std::pair{pluvetta::AlarmSettings{}, pluvetta::NumberFormat{}},
          std::pair{everyAlarm, italian}}) {
        const pluvetta::Readout readout = pluvetta::BuildReadout(reading, alarms, format);
        for (const auto* label : {&readout.wind, &readout.temp, &readout.hum, &readout.press}) {
            if (*label) RequireShortNumberCaption((*label)->caption);
        }
        RequireShortNumberCaption(readout.rain.caption);
        FUZZ_REQUIRE(readout.comment.size() <= size + kMaxCaption);
    }
    return 0;
}
