#include "links/server_link.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "links/report_notes.h"
#include "links/server_login.h"

namespace pluvetta {
namespace {

using testing::Journal;

// A server link with the login name PLUV00042.
struct Rig : testing::LinkRig<ServerLink, std::string> {
    Rig() : LinkRig("PLUV00042") {}
};

// A line is a packet when it has a ":" after its first ">", or any ":" without a ">": the
// source before the ">", the rows up to and after that ":".
TEST(ServerLink, SocketEventsBecomeReportsAndLinesWithAColonPackets) {
    Rig rig;
    rig.link.Connect("hosta", 14580, "DEMO-13");
    rig.link.OnConnected();
    rig.link.OnData("DEMO-13>APRS,TCPIP*:_1206c220\r\nno colon\r\nQ2>APRS,TCPIP*\r\n\r\nQ1:AB>AP");
    rig.link.OnData("RS::msg\r\nDEMO-13:_1206\r\n# 6 Dec 2026 19:20:00 GMT\r\nQ3>APRS:\r\n");
    rig.link.OnError("Connection reset");
    rig.link.OnClosed();
    EXPECT_EQ(
        rig.Take(),
        (Journal{"socket connect hosta:14580", "connected", "started",
                 "server packet from [DEMO-13] rows | DEMO-13>APRS,TCPIP*: | _1206c220",
                 "server packet from [Q1:AB] rows | Q1:AB>APRS: | :msg",
                 "server packet from [] rows | DEMO-13: | _1206",
                 "server packet from [] rows | # 6 Dec 2026 19: | 20:00 GMT",
                 "server packet from [Q3] rows | Q3>APRS: | ", "failed Connection reset", "lost"}));
}

// Whatever was held of an unfinished line belongs to the old connection.
TEST(ServerLink, ConnectingAndClosingForgetTheUnfinishedLine) {
    for (const auto step : {&ServerLink::OnConnected, &ServerLink::Close}) {
        Rig rig;
        rig.link.OnData("DEMO-13>APRS:_1206");
        (rig.link.*step)();
        rig.Take();
        rig.link.OnData("1920c220:s004\r\n");
        EXPECT_EQ(rig.Take(), Journal{"server packet from [] rows | 1920c220: | s004"});
    }
}

TEST(ServerLink, OnlyAGreetingServerGetsOneLoginAndKeepAlivesUntilTheLinkCloses) {
    Rig rig;
    rig.link.Connect("hosta", 14580, "DEMO-13");
    rig.link.OnData("Q1ABC>APRS:>first\r\n# T2DEMO server 1.0\r\n");
    rig.link.OnKeepAliveTick();
    rig.link.OnConnected();
    rig.link.OnKeepAliveTick();  // not logged in yet
    rig.link.OnData("# T2DEMO server 1.0\r\n# logresp PLUV00042 unverified\r\n");
    rig.link.OnKeepAliveTick();
    rig.link.Close();
    rig.link.OnKeepAliveTick();
    EXPECT_EQ(
        rig.Take(),
        (Journal{"socket connect hosta:14580",
                 "server packet from [Q1ABC] rows | Q1ABC>APRS: | >first", "connected", "started",
                 "socket send user PLUV00042 pass -1 vers Pluvetta 6.0 filter b/DEMO-13\r\n",
                 "socket send # Pluvetta keepalive\r\n", "socket close"}));
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
