// Any information field through the decoder and the readout: what is left over is never longer
// than what came in, and no caption of a number shows nan or inf or grows long.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "fuzz_check.h"
#include "weather/decoder.h"
#include "weather/readout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pluvetta;
    const WeatherReading reading =
        DecodeWeatherReport(std::string_view(reinterpret_cast<const char*>(data), size));
    FUZZ_REQUIRE(reading.Remainder.size() <= size);

    // The longest caption of a number: a rain text with its dew point and humidity.
    constexpr std::size_t kMaxCaption = 96;
    // Every label in alarm, with an Italian number format, reaches the other paths too.
    AlarmSettings everyAlarm;
    everyAlarm.LoTemp = everyAlarm.LoBaro = 1e9f;
    everyAlarm.LoHum = 32767;
    everyAlarm.HiRainHour = everyAlarm.HiRain24 = everyAlarm.HiWind = everyAlarm.HiGust = -1e9f;
    for (const auto& [alarms, format] : {std::pair{AlarmSettings{}, NumberFormat{}},
                                         std::pair{everyAlarm, NumberFormat{",", ".", "-"}}}) {
        const Readout readout = BuildReadout(reading, alarms, format);
        for (const std::optional<LabelText>& label : {readout.wind, readout.temp, readout.hum,
                                                      readout.press, std::optional{readout.rain}}) {
            if (!label) continue;
            FUZZ_REQUIRE(label->caption.size() <= kMaxCaption);
            FUZZ_REQUIRE(label->caption.find("nan") == std::string::npos);
            FUZZ_REQUIRE(label->caption.find("inf") == std::string::npos);
        }
        FUZZ_REQUIRE(readout.comment.size() <= size + kMaxCaption);
    }
    return 0;
}
