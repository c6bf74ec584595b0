#include "links/server_line.h"

#include <gtest/gtest.h>

#include <string>

#include "links/link_events.h"

namespace pluvetta {
namespace {

// The line is written with a "|" where its header ends; the source is given apart.
TEST(ParseServerLine, SourceBeforeTheFirstGreaterThanHeaderUpToTheFirstColonAfterIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"DEMO-13>APRS,TCPIP*:|_1206c220s004", "DEMO-13"},
        {"DEMO-13>APRS:|", "DEMO-13"},
        {"Q1:ABC>APRS:|_1206", "Q1:ABC"},  // a ":" before the ">" does not count
        {"DEMO-13:|_1206", ""},            // no ">": no source, the first ":" ends the header
        {">APRS:|a:b>c", ""},
        {"# 6 Dec 2026 19:|20:00 GMT", ""},
        {"DEMO-13>APRS,TCPIP*", "DEMO-13"},  // no ":": no header
        {"", ""},
    };
    for (const auto& [marked, source] : cases) {
        SCOPED_TRACE(marked);
        std::string line = marked;
        const std::size_t bar = line.find('|');
        if (bar != std::string::npos) line.erase(bar, 1);
        const ServerLine parsed = ParseServerLine(line);
        EXPECT_EQ(parsed.source, source);
        EXPECT_EQ(parsed.hasColon, bar != std::string::npos);
        EXPECT_EQ(parsed.header, line.substr(0, bar == std::string::npos ? 0 : bar));
        EXPECT_EQ(parsed.information, bar == std::string::npos ? "" : line.substr(bar));
    }
}

TEST(IsWeatherTrigger, UnderscoreFirstOrAPositionCarryingTheWeatherSymbol) {
    for (const char* information :
         {"_12061920c220s004g005", "_", "!4530.25N/00912.60E_220/004",
          "/192005z4530.25N/00912.60E_", "@192005z4530.25N/00912.60E_", "=4530.25N/00912.60E_",
          ";WXOBJ    *192005z4530.25N/00912.60E_"}) {
        EXPECT_TRUE(IsWeatherTrigger(information)) << information;
    }
    for (const char* information : {"!4530.25N/00912.60E>090/030 driving", ">status with _",
                                    ":DEMO-13  :msg_with_underscore", "T#123,001_", ""}) {
        EXPECT_FALSE(IsWeatherTrigger(information)) << information;
    }
}

}  // namespace
}  // namespace pluvetta
