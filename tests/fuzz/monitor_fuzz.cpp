// Bytes from both links through the Monitor on fake ports, as the window would hand them on:
// the server link's stream and the AGW link's stream in cuts, with minute ticks between. The
// readout stays whole: two Rx rows at most, a trimmed log; the decoder target bounds captions.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/fake_ports.h"
#include "app/monitor.h"
#include "fuzz_check.h"
#include "links/traffic_log.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pluvetta;
    testing::MonitorOnFakes rig;
    rig.monitor.Station().StationCall = "DEMO-13";
    rig.monitor.Station().SaveAlarms = false;
    rig.monitor.Agw().Connect("localhost", 8000);
    rig.monitor.Server().Connect("localhost", 14580, "DEMO-13");
    rig.monitor.Agw().OnConnected();
    rig.monitor.Server().OnConnected();

    // Each chunk starts with a control byte: its low bit picks the link, bit 1 adds a minute
    // tick, the rest of the byte is the chunk's length.
    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty()) {
        const auto control = static_cast<unsigned char>(input.front());
        const std::string_view chunk = input.substr(1, control >> 2);
        input.remove_prefix(1 + chunk.size());
        if (control & 2) rig.monitor.OnElapsedTick();
        if (control & 1) {
            rig.monitor.Agw().OnData(chunk);
        } else {
            rig.monitor.Server().OnData(chunk);
        }
    }

    FUZZ_REQUIRE(rig.screen.rxRows.size() <= 2);
    // The log is cut before each append, so it holds at most the threshold and one entry.
    FUZZ_REQUIRE(rig.screen.logText.size() <= TrafficLog::kTrimThreshold + size + 64);
    rig.monitor.Shutdown();
    return 0;
}
