// Any alarms file: what it reads as, saved and read again, is the same values. The file keeps
// seven significant digits, so a value that needs more moves by less than a millionth of
// itself on the first save and stays put from then on.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "app/alarms_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pluvetta;
    const auto read = ParseAlarmsFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read) return 0;
    const std::string saved = FormatAlarmsFile(*read);
    const auto again = ParseAlarmsFile(saved);
    FUZZ_REQUIRE(again && FormatAlarmsFile(*again) == saved);
    for (const auto field :
         {&AlarmSettings::LoTemp, &AlarmSettings::HiTemp, &AlarmSettings::LoBaro,
          &AlarmSettings::HiBaro, &AlarmSettings::HiRainHour, &AlarmSettings::HiRain24,
          &AlarmSettings::HiWind, &AlarmSettings::HiGust}) {
        const double was = (*read).*field;
        FUZZ_REQUIRE(std::fabs((*again).*field - was) <= 1e-6 * std::fabs(was));
    }
    return 0;
}
