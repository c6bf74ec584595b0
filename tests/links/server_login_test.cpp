#include "links/server_login.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace pluvetta {
namespace {

TEST(LoginLine, ReceiveOnlyLoginWithTheWatchedStationFilterOrNoneWhenTheCallIsUnsafe) {
    EXPECT_EQ(MakeLoginName(42), "PLUV00042");
    EXPECT_EQ(MakeLoginName(4294967295u), "PLUV67295");
    const std::string head = "user PLUV01234 pass -1 vers Pluvetta 6.0";
    EXPECT_EQ(LoginLine("PLUV01234", "6.0", "DEMO-13"), head + " filter b/DEMO-13\r\n");
    for (const char* call : {"", "Q1 ABC", "Q1ABC\r\n#x", "Q1\x7F"}) {
        EXPECT_EQ(LoginLine("PLUV01234", "6.0", call), head + "\r\n") << call;
    }
}

// The lines a connection receives ("<reset>" stands for a new connection), what OnLine gives
// for each, and whether keep-alives are due at the end.
TEST(ServerLogin, LogsInOnceOnlyWhenTheFirstLineOfAConnectionIsAGreeting) {
    const std::string login = "user PLUV00007 pass -1 vers Pluvetta 6.0 filter b/DEMO-13\r\n";
    const std::tuple<std::vector<std::string>, std::vector<std::string>, bool> cases[] = {
        {{"# T2DEMO server 1.0", "# logresp PLUV00007", "# x"}, {login, "", ""}, true},
        {{"Q1ABC>APRS:>hi", "# T2DEMO server 1.0"}, {"", ""}, false},
        {{"", "# T2DEMO server 1.0"}, {"", ""}, false},
        {{" # not a greeting"}, {""}, false},
        {{"Q1ABC>APRS:>no greeting", "<reset>", "# T2DEMO"}, {"", login}, true},
        {{"# T2DEMO", "<reset>"}, {login}, false},
    };
    for (const auto& [lines, sent, loggedIn] : cases) {
        SCOPED_TRACE(lines.front());
        ServerLogin state("PLUV00007", "6.0");
        std::vector<std::string> given;
        for (const std::string& line : lines) {
            if (line == "<reset>") {
                state.Reset();
            } else {
                given.push_back(state.OnLine(line, "DEMO-13"));
            }
        }
        EXPECT_EQ(given, sent);
        EXPECT_EQ(state.KeepAlive(), loggedIn ? "# Pluvetta keepalive\r\n" : "");
    }
}

}  // namespace
}  // namespace pluvetta
