#include "links/server_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/fake_ports.h"

namespace pluvetta {
namespace {

using testing::Journal;

// Notes the link's reports in the same journal as its socket's calls.
class ReportNotes : public LinkEvents {
  public:
    explicit ReportNotes(Journal& journal) : journal_(journal) {}
    void Connected(LinkKind) override { journal_.push_back("connected"); }
    void Started(LinkKind) override { journal_.push_back("started"); }
    void Failed(LinkKind, const std::string& description) override {
        journal_.push_back("failed " + description);
    }
    void Lost(LinkKind) override { journal_.push_back("lost"); }
    void Packet(LinkKind link, const LinkPacket& packet) override {
        std::string note = "packet from [" + std::string(packet.sender) + "]";
        for (const std::string_view row : packet.rows) note += " | " + std::string(row);
        journal_.push_back(link == LinkKind::Server && packet.hasRows ? note : "wrong kind");
    }
    void EngineVersion(int, int) override { journal_.push_back("version"); }
    void RadioPorts(std::string_view) override { journal_.push_back("ports"); }

  private:
    Journal& journal_;
};

struct Rig {
    Journal Take() { return std::exchange(journal, {}); }
    Journal journal;
    testing::FakeSocket socket{journal, "socket"};
    ReportNotes reports{journal};
    ServerLink link{socket, reports, "PLUV00042"};
};

TEST(ServerLink, SocketEventsBecomeReportsAndLinesWithAColonPackets) {
    Rig rig;
    rig.link.Connect("hosta", 14580, "DEMO-13");
    rig.link.OnConnected();
    rig.link.OnData("DEMO-13>APRS,TCPIP*:_1206c220\r\nno colon\r\n\r\nQ1:AB>AP");
    rig.link.OnData("RS::msg\r\n");
    rig.link.OnError("Connection reset");
    rig.link.OnClosed();
    EXPECT_EQ(rig.Take(), (Journal{"socket connect hosta:14580", "connected", "started",
                                   "packet from [DEMO-13] | DEMO-13>APRS,TCPIP*: | _1206c220",
                                   "packet from [Q1:AB] | Q1:AB>APRS: | :msg",
                                   "failed Connection reset", "lost"}));
}

// Whatever was held of an unfinished line belongs to the old connection.
TEST(ServerLink, ConnectingAndClosingForgetTheUnfinishedLine) {
    for (const auto step : {&ServerLink::OnConnected, &ServerLink::Close}) {
        Rig rig;
        rig.link.OnData("DEMO-13>APRS:_1206");
        (rig.link.*step)();
        rig.Take();
        rig.link.OnData("1920c220:s004\r\n");
        EXPECT_EQ(rig.Take(), Journal{"packet from [] | 1920c220: | s004"});
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
    EXPECT_EQ(rig.Take(),
              (Journal{"socket connect hosta:14580", "packet from [Q1ABC] | Q1ABC>APRS: | >first",
                       "connected", "started",
                       "socket send user PLUV00042 pass -1 vers Pluvetta 6.0 filter b/DEMO-13\r\n",
                       "socket send # Pluvetta keepalive\r\n", "socket close"}));
}

}  // namespace
}  // namespace pluvetta
