#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pluvetta {

// Public APRS-IS rotation address used when the command line names no server.
inline constexpr std::string_view kDefaultServerHost = "rotate.aprs2.net";
inline constexpr std::uint16_t kDefaultAgwPort = 8000;
inline constexpr std::uint16_t kDefaultServerPort = 10153;

// Which station to watch and where its packets come from. Taken anew from the command line at
// every start and never stored; a port of 0 means "not given" until defaults are applied.
struct StationSettings {
    std::string StationCall;
    std::string AgwHost;
    std::uint16_t AgwPort = 0;
    bool AgwEnabled = false;
    std::string ServerHost;
    std::uint16_t ServerPort = 0;
    bool ServerEnabled = false;
    bool SaveAlarms = false;

    friend bool operator==(const StationSettings&, const StationSettings&) = default;
};

// Reads a port text: a decimal number from its start, rounded half to even. Gives 0 (not
// given) when the text holds no number or the value is not a TCP port, 1 to 65535.
std::uint16_t ReadPortValue(std::string_view text);

// The text without the blanks (spaces) at its ends.
std::string_view TrimBlanks(std::string_view text);

// The text in upper case, Latin-1 letters included.
std::string UpperCase(std::string_view text);

// The host as a socket takes it: an IPv6 address typed in brackets ("[::1]") without them;
// any other text as it is.
std::string SocketHostName(std::string_view host);

// Fills `settings` from the command line: call sign, optional endpoint word, optional SAVE.
// Fields the text does not name keep their values.
void ParseCommandLine(std::string_view text, StationSettings& settings);

// Replaces missing hosts and ports with the defaults and decides which links are enabled.
void ApplyLinkDefaults(StationSettings& settings);

}  // namespace pluvetta
