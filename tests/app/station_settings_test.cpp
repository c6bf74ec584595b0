#include "app/station_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>

namespace pluvetta {

void PrintTo(const StationSettings& s, std::ostream* os) {
    *os << "{" << s.StationCall << " agw " << s.AgwHost << ":" << s.AgwPort << " " << s.AgwEnabled
        << " server " << s.ServerHost << ":" << s.ServerPort << " " << s.ServerEnabled << " save "
        << s.SaveAlarms << "}";
}

namespace {

const std::string kAprs(kDefaultServerHost);

TEST(ParseCommandLine, StartUpSettingsFollowTheWordsGiven) {
    // clang-format off
    const std::pair<std::string, StationSettings> cases[] = {
        {"  q1xyz-15abc  ", {"Q1XYZ-15A", "localhost", 8000, true, kAprs, 10153, false, false}},
        {"q1xyz-15abc a:hostb", {"Q1XYZ-15ABC", "hostb", 8000, true, kAprs, 10153, false, false}},
        {"Q1XYZ hostb:8001 save", {"Q1XYZ", "hostb", 8001, true, kAprs, 10153, false, true}},
        {"Q1XYZ    S:hosta     SAVE", {"Q1XYZ", "localhost", 8000, false, "hosta", 10153, true, true}},
        {"Q1XYZ A:hostb S:hosta", {"Q1XYZ", "hostb", 8000, true, kAprs, 10153, false, false}},
        {"Q1XYZ SAVE", {"Q1XYZ", "SAVE", 8000, true, kAprs, 10153, false, false}},
        {"Q1XYZ S:hosta SAVE NOW", {"Q1XYZ", "localhost", 8000, false, "hosta", 10153, true, false}},
        {"Q1XYZ A:hostb:8001xyz:9", {"Q1XYZ", "hostb", 8001, true, kAprs, 10153, false, false}},
        {"Q1XYZ A::8001", {"Q1XYZ", "localhost", 8001, true, kAprs, 10153, false, false}},
        {"Q1XYZ S::14580", {"Q1XYZ", "localhost", 8000, true, kAprs, 14580, false, false}},
        {"q1xyz s:Rotate.Example:14580", {"Q1XYZ", "localhost", 8000, false, "Rotate.Example", 14580, true, false}},
        // Tabs are not blanks: the whole text is one word, cut to nine characters.
        {"q1xyz\ta:hostb", {"Q1XYZ\tA:H", "localhost", 8000, true, kAprs, 10153, false, false}},
        // A port outside 1..65535 falls back to the default; above 32767 is a port like any.
        {"Q1XYZ S:hosta:-14580", {"Q1XYZ", "localhost", 8000, false, "hosta", 10153, true, false}},
        {"Q1XYZ S:hosta:45000", {"Q1XYZ", "localhost", 8000, false, "hosta", 45000, true, false}},
        {"q1\xe9z", {"Q1\xc9Z", "localhost", 8000, true, kAprs, 10153, false, false}},
    };
    // clang-format on
    for (const auto& [line, expected] : cases) {
        SCOPED_TRACE("command line: [" + line + "]");
        StationSettings settings;
        ParseCommandLine(line, settings);
        ApplyLinkDefaults(settings);
        EXPECT_EQ(settings, expected);
    }
}

TEST(ParseCommandLine, FieldsTheTextDoesNotNameKeepTheirValues) {
    StationSettings settings{"", "", 8100, false, "hosta", 14580, false, true};
    ParseCommandLine("q2abc hostb", settings);
    EXPECT_EQ(settings,
              (StationSettings{"Q2ABC", "hostb", 8100, false, "hosta", 14580, false, true}));
}

TEST(ApplyLinkDefaults, NamedHostsEnableTheirLinksAndFlagsSurviveEmptyHosts) {
    // clang-format off
    const std::pair<StationSettings, StationSettings> cases[] = {
        {{"Q1XYZ", "hostb", 8001, false, "hosta", 14580, false, false}, {"Q1XYZ", "hostb", 8001, true, "hosta", 14580, true, false}},
        // Without a call sign nothing is enabled on the call sign's behalf.
        {{"", "", 0, false, "hosta", 0, false, false}, {"", "localhost", 8000, false, "hosta", 10153, true, false}},
        {{"Q1XYZ", "", 0, false, "", 0, true, false}, {"Q1XYZ", "localhost", 8000, false, kAprs, 10153, true, false}},
    };
    // clang-format on
    for (auto [settings, expected] : cases) {
        ApplyLinkDefaults(settings);
        EXPECT_EQ(settings, expected);
    }
}

// The number grammar is DecimalNumber's; here, what a port makes of it.
TEST(ReadPortValue, LeadingDecimalNumberRoundedHalfToEvenOrZeroOutsideTcpPorts) {
    const std::pair<std::string, std::uint16_t> cases[] = {
        {"8001.5", 8002}, {"8000.5", 8000}, {"8001xyz", 8001}, {"45000", 45000}, {"65535", 65535},
        {"65535.5", 0},   {"0.4", 0},       {"abc", 0},        {"-8001", 0},     {"1e400", 0}};
    for (const auto& [text, port] : cases) {
        EXPECT_EQ(ReadPortValue(text), port) << "port text [" << text << "]";
    }
}

}  // namespace
}  // namespace pluvetta
