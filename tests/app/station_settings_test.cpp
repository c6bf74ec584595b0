#include "app/station_settings.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace pluvetta {
namespace {

// A start's settings after the link defaults; those of "Q1XYZ" unless a row says otherwise.
struct Started {
    std::string StationCall = "Q1XYZ", AgwHost = "localhost", ServerHost{kDefaultServerHost};
    std::uint16_t AgwPort = 8000, ServerPort = 10153;
    bool AgwEnabled = true, ServerEnabled = false, SaveAlarms = false;
};

TEST(ParseCommandLine, StartUpSettingsFollowTheWordsGiven) {
    // clang-format off
    const std::pair<std::string, Started> cases[] = {
        {"  q1xyz-15abc  ", {.StationCall = "Q1XYZ-15A"}},
        {"q1xyz-15abc a:hostb", {.StationCall = "Q1XYZ-15ABC", .AgwHost = "hostb"}},
        {"Q1XYZ hostb:8001 save", {.AgwHost = "hostb", .AgwPort = 8001, .SaveAlarms = true}},
        {"Q1XYZ    S:hosta     SAVE", {.ServerHost = "hosta", .AgwEnabled = false, .ServerEnabled = true, .SaveAlarms = true}},
        {"Q1XYZ SAVE", {.AgwHost = "SAVE"}},
        {"Q1XYZ S:hosta SAVE NOW", {.ServerHost = "hosta", .AgwEnabled = false, .ServerEnabled = true}},
        {"Q1XYZ [::1]:8001", {.AgwHost = "[::1]", .AgwPort = 8001}},  // an IPv6 address in brackets
        {"Q1XYZ A:::1:9000", {}},  // bare, its first colon starts the port
        {"Q1XYZ S::14580", {.ServerPort = 14580}},  // an empty host is the default: it enables nothing
        {"q1xyz\ta:hostb", {.StationCall = "Q1XYZ\tA:H"}},  // a tab is no blank: one word, cut to nine
        {"q1\xe9z", {.StationCall = "Q1\xc9Z"}},
        {"", {.StationCall = "", .AgwEnabled = false}},  // no call sign enables no link
    };
    // clang-format on
    const auto fields = [](const auto& s) {
        return std::tuple(s.StationCall, s.AgwHost, s.AgwPort, s.AgwEnabled, s.ServerHost,
                          s.ServerPort, s.ServerEnabled, s.SaveAlarms);
    };
    for (const auto& [line, expected] : cases) {
        StationSettings settings;
        ParseCommandLine(line, settings);
        ApplyLinkDefaults(settings);
        EXPECT_EQ(fields(settings), fields(expected)) << "command line [" << line << "]";
    }
}

// The number grammar is DecimalNumber's; here, what a port makes of it.
TEST(ReadPortValue, LeadingDecimalNumberRoundedHalfToEvenOrZeroOutsideTcpPorts) {
    const std::pair<std::string, std::uint16_t> cases[] = {
        {"8001.5", 8002}, {"8000.5", 8000}, {"8001xyz", 8001}, {"65535", 65535}, {"65535.5", 0},
        {"0.4", 0},       {"abc", 0},       {"-8001", 0},      {"1e400", 0}};
    for (const auto& [text, port] : cases) EXPECT_EQ(ReadPortValue(text), port) << text;
}

}  // namespace
}  // namespace pluvetta
