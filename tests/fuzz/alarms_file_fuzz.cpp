// Any alarms file: what it reads as, saved and read again, is the same values. The file keeps
// seven significant digits, so a value that needs more moves by less than a millionth of
// itself on the first save and stays put from then on.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/alarms_file.h"
#include "fuzz_check.h"

namespace {

bool Close(float saved, float read) {
    return std::fabs(static_cast<double>(saved) - read) <=
           1e-6 * std::fabs(static_cast<double>(read));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using pluvetta::AlarmSettings;
    const std::optional<AlarmSettings> read =
        pluvetta::ParseAlarmsFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read) return 0;
    const std::string saved = pluvetta::FormatAlarmsFile(*read);
    const std::optional<AlarmSettings> again = pluvetta::ParseAlarmsFile(saved);
    FUZZ_REQUIRE(again.has_value());
    FUZZ_REQUIRE(pluvetta::FormatAlarmsFile(*again) == saved);
    FUZZ_REQUIRE(pluvetta::ParseAlarmsFile(saved) == again);
    const AlarmSettings& a = *again;
    const AlarmSettings& r = *read;
    FUZZ_REQUIRE(a.BeepOnData == r.BeepOnData && a.FocusOnData == r.FocusOnData &&
                 a.BeepOnAlarm == r.BeepOnAlarm && a.FocusOnAlarm == r.FocusOnAlarm &&
                 a.LoHum == r.LoHum && a.HiHum == r.HiHum);
    for (const auto field :
         {&AlarmSettings::LoTemp, &AlarmSettings::HiTemp, &AlarmSettings::LoBaro,
          &AlarmSettings::HiBaro, &AlarmSettings::HiRainHour, &AlarmSettings::HiRain24,
          &AlarmSettings::HiWind, &AlarmSettings::HiGust}) {
        FUZZ_REQUIRE(Close(a.*field, r.*field));
    }
    return 0;
}
