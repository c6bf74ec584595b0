#include "agw_engine.h"

#include "links/agw_frame.h"
#include "links/server_line.h"

namespace aprs_replay {

std::string AgwReply(char kind) {
    if (kind == 'R') {
        const std::string version = {
            static_cast<char>(kEngineMajor & 0xFF), static_cast<char>(kEngineMajor >> 8), 0, 0,
            static_cast<char>(kEngineMinor & 0xFF), static_cast<char>(kEngineMinor >> 8), 0, 0};
        return pluvetta::EncodeAgwFrame('R', "", version);
    }
    if (kind == 'G') return pluvetta::EncodeAgwFrame('G', "", "1;Port1 aprs-replay;");
    return {};
}

std::string AgwMonitorFrame(std::string_view line, std::string_view timeOfDay) {
    const pluvetta::ServerLine packet = pluvetta::ParseServerLine(line);
    if (packet.source.empty() || !packet.hasColon) return {};
    // Between ">" and ":": the destination, then the path after the first comma.
    std::string_view route = packet.header.substr(packet.source.size() + 1);
    route.remove_suffix(1);
    const std::size_t comma = route.find(',');
    std::string text =
        " 1:Fm " + std::string(packet.source) + " To " + std::string(route.substr(0, comma));
    if (comma != std::string_view::npos) text += " Via " + std::string(route.substr(comma + 1));
    text += " <UI pid=F0 Len=" + std::to_string(packet.information.size()) + " >[" +
            std::string(timeOfDay) + "]\r";
    text.append(packet.information).append("\r");
    return pluvetta::EncodeAgwFrame('U', packet.source, text);
}

}  // namespace aprs_replay
