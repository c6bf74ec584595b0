#include "links/server_login.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pluvetta {
namespace {

TEST(MakeLoginName, PluvAndFiveDigitsFromTheSeed) {
    struct Case {
        std::uint32_t seed;
        const char* name;
    };
    for (const Case c : {Case{0, "PLUV00000"}, Case{42, "PLUV00042"}, Case{99999, "PLUV99999"},
                         Case{100000, "PLUV00000"}, Case{4294967295u, "PLUV67295"}}) {
        EXPECT_EQ(MakeLoginName(c.seed), c.name);
    }
}

TEST(LoginLine, ReceiveOnlyLoginWithTheWatchedStationFilter) {
    struct Case {
        const char* call;
        const char* line;
    };
    const Case cases[] = {
        {"DEMO-13", "user PLUV01234 pass -1 vers Pluvetta 6.0 filter b/DEMO-13\r\n"},
        {"Q1ABC", "user PLUV01234 pass -1 vers Pluvetta 6.0 filter b/Q1ABC\r\n"},
        // No filter rather than a malformed one or a second command smuggled in.
        {"", "user PLUV01234 pass -1 vers Pluvetta 6.0\r\n"},
        {"Q1 ABC", "user PLUV01234 pass -1 vers Pluvetta 6.0\r\n"},
        {"Q1ABC\r\n#x", "user PLUV01234 pass -1 vers Pluvetta 6.0\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoginLine("PLUV01234", "6.0", c.call), c.line);
    }
}

TEST(ServerLogin, LogsInOnceOnlyWhenTheFirstLineIsAGreeting) {
    const std::string login = "user PLUV00007 pass -1 vers Pluvetta 6.0 filter b/DEMO-13\r\n";
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<std::string> sent;  // what OnLine gives, line by line
        bool loggedIn;
    };
    const Case cases[] = {
        {"greeting",
         {"# T2DEMO server 1.0", "# logresp PLUV00007 unverified", "# later"},
         {login, "", ""},
         true},
        {"packet first", {"Q1ABC>APRS:>hi", "# T2DEMO server 1.0"}, {"", ""}, false},
        {"empty first line", {"", "# T2DEMO server 1.0"}, {"", ""}, false},
        {"hash later in the line", {" # not a greeting"}, {""}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ServerLogin state("PLUV00007", "6.0");
        std::vector<std::string> sent;
        for (const std::string& line : c.lines) {
            sent.push_back(state.OnLine(line, "DEMO-13"));
        }
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(state.LoggedIn(), c.loggedIn);
        EXPECT_EQ(state.KeepAlive(), c.loggedIn ? KeepAliveLine() : "");
    }
}

TEST(ServerLogin, ResetStartsANewConnection) {
    ServerLogin state("PLUV00007", "6.0");
    EXPECT_EQ(state.OnLine("Q1ABC>APRS:>no greeting", "DEMO-13"), "");
    state.Reset();
    EXPECT_EQ(state.KeepAlive(), "");
    EXPECT_EQ(state.OnLine("# T2DEMO", "DEMO-13"),
              "user PLUV00007 pass -1 vers Pluvetta 6.0 filter b/DEMO-13\r\n");
    state.Reset();
    EXPECT_EQ(state.LoggedIn(), false);
    EXPECT_EQ(state.KeepAlive(), "");
}

}  // namespace
}  // namespace pluvetta
