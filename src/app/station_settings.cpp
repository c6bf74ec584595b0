#include "app/station_settings.h"

#include <cmath>
#include <cstddef>
#include <optional>

#include "app/decimal_number.h"

namespace pluvetta {

namespace {

// The command line separates its words by spaces only; tabs and quotes are part of a word.
constexpr char kBlank = ' ';
constexpr std::size_t kLoneCallLength = 9;
constexpr std::string_view kDefaultAgwHost = "localhost";
constexpr std::string_view kSaveWord = "SAVE";
constexpr double kHighestPort = 65535.0;

// host[:port]: a port after the first colon; without a colon the port is left alone. An IPv6
// address has colons of its own, so it comes in brackets, and the port's colon follows them.
void SetEndpoint(std::string_view endpoint, std::string& host, std::uint16_t& port) {
    const std::size_t bracket = endpoint.starts_with('[') ? endpoint.find(']') : 0;
    const std::size_t colon = endpoint.find(':', bracket == std::string_view::npos ? 0 : bracket);
    if (colon == std::string_view::npos) {
        host = std::string(endpoint);
        return;
    }
    host = std::string(endpoint.substr(0, colon));
    port = ReadPortValue(endpoint.substr(colon + 1));
}

}  // namespace

std::uint16_t ReadPortValue(std::string_view text) {
    const std::size_t length = DecimalNumberLength(text);
    if (length == 0) return 0;
    const std::optional<double> value = ParseDecimalNumber<double>(text.substr(0, length));
    if (!value) return 0;
    // The default rounding mode takes an exact half to the even neighbour. A value that is no
    // TCP port counts as not given, so the default port applies.
    const double port = std::nearbyint(*value);
    if (!(port >= 1.0 && port <= kHighestPort)) return 0;
    return static_cast<std::uint16_t>(port);
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kBlank);
    return text.substr(first, last - first + 1);
}

// Upper case in Latin-1: ASCII letters and the accented small letters, which sit 0x20 above
// their capitals (0xF7, the division sign, is not a letter).
std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) {
            c = static_cast<char>(byte - 0x20);
        }
    }
    return result;
}

std::string SocketHostName(std::string_view host) {
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    return std::string(host);
}

void ParseCommandLine(std::string_view text, StationSettings& settings) {
    const std::string_view line = TrimBlanks(text);
    const std::size_t callEnd = line.find(kBlank);
    if (callEnd == std::string_view::npos) {
        settings.StationCall = UpperCase(TrimBlanks(line.substr(0, kLoneCallLength)));
        return;
    }
    // Followed by more words, the call sign is taken whole, however long.
    settings.StationCall = UpperCase(line.substr(0, callEnd));

    const std::string_view tail = TrimBlanks(line.substr(callEnd));
    const std::size_t wordEnd = tail.find(kBlank);
    const std::string_view word = tail.substr(0, wordEnd);
    if (wordEnd != std::string_view::npos &&
        UpperCase(TrimBlanks(tail.substr(wordEnd))) == kSaveWord) {
        settings.SaveAlarms = true;
    }

    const std::string prefix = UpperCase(word.substr(0, 2));
    if (prefix == "A:") {
        SetEndpoint(word.substr(2), settings.AgwHost, settings.AgwPort);
    } else if (prefix == "S:") {
        SetEndpoint(word.substr(2), settings.ServerHost, settings.ServerPort);
    } else {
        SetEndpoint(word, settings.AgwHost, settings.AgwPort);
    }
}

void ApplyLinkDefaults(StationSettings& settings) {
    // A host given on the command line or in the dialog means its link is wanted.
    if (settings.AgwHost.empty()) {
        settings.AgwHost = std::string(kDefaultAgwHost);
    } else {
        settings.AgwEnabled = true;
    }
    if (settings.AgwPort == 0) settings.AgwPort = kDefaultAgwPort;

    if (settings.ServerHost.empty()) {
        settings.ServerHost = std::string(kDefaultServerHost);
    } else {
        settings.ServerEnabled = true;
    }
    if (settings.ServerPort == 0) settings.ServerPort = kDefaultServerPort;

    // A call sign with no link named listens to the local packet engine.
    if (!settings.StationCall.empty() && !settings.AgwEnabled && !settings.ServerEnabled) {
        settings.AgwEnabled = true;
    }
}

}  // namespace pluvetta
