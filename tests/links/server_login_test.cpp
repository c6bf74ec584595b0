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

TEST(LoginLine, ReceiveOnlyLoginWithTheWatchedStationFilterOrNoneWhenTheCallIsUnsafe) {
    const std::string head = "user PLUV01234 pass -1 vers Pluvetta 6.0";
    EXPECT_EQ(LoginLine("PLUV01234", "6.0", "DEMO-13"), head + " filter b/DEMO-13\r\n");
    for (const char* call : {"", "Q1 ABC", "Q1ABC\r\n#x", "Q1\x7F"}) {
        EXPECT_EQ(LoginLine("PLUV01234", "6.0", call), head + "\r\n") << call;
    }
}

// Stands for a new connection among the received lines.
constexpr const char* kReset = "<reset>";

TEST(ServerLogin, LogsInOnceOnlyWhenTheFirstLineOfAConnectionIsAGreeting) {
    const std::string login = "user PLUV00007 pass -1 vers Pluvetta 6.0 filter b/DEMO-13\r\n";
    struct Case {
        std::vector<std::string> lines;
        std::vector<std::string> sent;  // what OnLine gives, line by line
        bool loggedIn;
    };
    const Case cases[] = {
        {{"# T2DEMO server 1.0", "# logresp PLUV00007", "# x"}, {login, "", ""}, true},
        {{"Q1ABC>APRS:>hi", "# T2DEMO server 1.0"}, {"", ""}, false},
        {{"", "# T2DEMO server 1.0"}, {"", ""}, false},
        {{" # not a greeting"}, {""}, false},
        {{"Q1ABC>APRS:>no greeting", kReset, "# T2DEMO"}, {"", login}, true},
        {{"# T2DEMO", kReset}, {login}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.front());
        ServerLogin state("PLUV00007", "6.0");
        std::vector<std::string> sent;
        for (const std::string& line : c.lines) {
            if (line == kReset) {
                state.Reset();
            } else {
                sent.push_back(state.OnLine(line, "DEMO-13"));
            }
        }
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(state.LoggedIn(), c.loggedIn);
        EXPECT_EQ(state.KeepAlive(), c.loggedIn ? "# Pluvetta keepalive\r\n" : "");
    }
}

}  // namespace
}  // namespace pluvetta
