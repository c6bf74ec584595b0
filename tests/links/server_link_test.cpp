#include "links/server_link.h"

#include <gtest/gtest.h>

#include <string>

#include "links/report_notes.h"
#include "links/server_login.h"

namespace pluvetta {
namespace {

using testing::Journal;

using Rig = testing::LinkRig<ServerLink, std::string>;

// A line is a packet when it has a ":" after its first ">", or any ":" without a ">": the
// source before the ">", the rows up to and after that ":". Only the first line of a connection
// can bring the login, and only when it is a "#" greeting; an unfinished line belongs to the old
// connection.
TEST(ServerLink, SocketEventsBecomeReportsAndOnlyAGreetingServerGetsTheLogin) {
    Rig rig("PLUV00042");
    rig.link.Connect("hosta", 14580, "DEMO-13");
    rig.link.OnData("Q1ABC>APRS:>first\r\n# T2DEMO server 1.0\r\nDEMO-13>APRS:_1206");
    rig.link.OnConnected();
    rig.link.OnKeepAliveTick();  // not logged in yet
    rig.link.OnData(
        "# T2DEMO server 1.0\r\n# logresp PLUV00042 unverified\r\nDEMO-13>APRS,TCPIP*:_1206c"
        "220\r\nno colon\r\nQ2>APRS,TCPIP*\r\n\r\nQ1:AB>AP");
    rig.link.OnData("RS::msg\r\n# 6 Dec 2026 19:20:00 GMT\r\nQ3>APRS:\r\nQ2>APRS:_12");
    rig.link.OnKeepAliveTick();
    rig.link.OnError("Connection reset");
    rig.link.OnClosed();
    rig.link.Close();
    rig.link.OnKeepAliveTick();
    rig.link.OnData("1920c220:s004\r\n");
    EXPECT_EQ(
        rig.Take(),
        (Journal{"socket connect hosta:14580",
                 "server packet from [Q1ABC] rows | Q1ABC>APRS: | >first", "connected", "started",
                 "socket send user PLUV00042 pass -1 vers Pluvetta 6.0 filter b/DEMO-13\r\n",
                 "server packet from [DEMO-13] rows | DEMO-13>APRS,TCPIP*: | _1206c220",
                 "server packet from [Q1:AB] rows | Q1:AB>APRS: | :msg",
                 "server packet from [] rows | # 6 Dec 2026 19: | 20:00 GMT",
                 "server packet from [Q3] rows | Q3>APRS: | ",
                 "socket send # Pluvetta keepalive\r\n", "failed Connection reset", "lost",
                 "socket close", "server packet from [] rows | 1920c220: | s004"}));
}

TEST(IsWeatherTrigger, UnderscoreFirstOrAPositionCarryingTheWeatherSymbol) {
    for (const char* info : {"_", "!4530.25N/00912.60E_220/004", "/_", "@_", "=_", ";_"}) {
        EXPECT_TRUE(IsWeatherTrigger(info)) << info;
    }
    for (const char* info : {"", "!4530.25N/00912.60E>090/030", ">status with _"}) {
        EXPECT_FALSE(IsWeatherTrigger(info)) << info;
    }
}

TEST(LoginLine, FiveDigitNameAndNoFilterWhenTheCallIsUnsafe) {
    EXPECT_EQ(MakeLoginName(4294900042u), "PLUV00042");
    for (const char* call : {"", "Q1 ABC", "Q1ABC\r\n#x", "Q1\x7F"}) {
        EXPECT_EQ(LoginLine("P", "6", call), "user P pass -1 vers Pluvetta 6\r\n") << call;
    }
}

}  // namespace
}  // namespace pluvetta
