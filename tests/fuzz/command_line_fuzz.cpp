// Any command line: the settings it gives are whole, the defaults make both links usable, and
// reading the same text again changes nothing.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/station_settings.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    pluvetta::StationSettings settings;
    pluvetta::ParseCommandLine(text, settings);
    FUZZ_REQUIRE(settings.StationCall.size() <= size);
    pluvetta::StationSettings again = settings;
    pluvetta::ParseCommandLine(text, again);
    FUZZ_REQUIRE(again == settings);
    pluvetta::ApplyLinkDefaults(settings);
    if (settings.AgwEnabled) FUZZ_REQUIRE(!settings.AgwHost.empty() && settings.AgwPort > 0);
    if (settings.ServerEnabled)
        FUZZ_REQUIRE(!settings.ServerHost.empty() && settings.ServerPort > 0);
    return 0;
}
