#include "links/agw_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/fake_ports.h"

namespace pluvetta {
namespace {

using testing::Journal;

// Notes the link's reports in the same journal as its socket's calls; a request sent shows as
// its kind letter when the rest of it is the 36-byte request frame.
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
        if (packet.hasRows) note += " rows";
        for (const std::string_view row : packet.rows) note += " | " + std::string(row);
        journal_.push_back(link == LinkKind::Agw ? note : "wrong kind");
    }
    void EngineVersion(int major, int minor) override {
        journal_.push_back("version " + std::to_string(major) + "." + std::to_string(minor));
    }
    void RadioPorts(std::string_view count) override {
        journal_.push_back("ports " + std::string(count));
    }

  private:
    Journal& journal_;
};

struct Rig {
    Journal Take() { return std::exchange(journal, {}); }
    Journal journal;
    testing::FakeSocket socket{journal, "socket"};
    ReportNotes reports{journal};
    AgwLink link{socket, reports};
};

std::string Request(char kind) {
    return "socket send " + std::string(4, '\0') + kind + std::string(31, '\0');
}

TEST(AgwLink, ConnectAsksForMonitoringVersionAndPortsAroundTheStationAndReadoutSteps) {
    Rig rig;
    rig.link.Connect("localhost", 8000);
    rig.link.OnConnected();
    rig.link.OnError("Connection reset");
    rig.link.OnClosed();
    EXPECT_EQ(rig.Take(),
              (Journal{"socket connect localhost:8000", Request('m'), "connected", Request('R'),
                       "started", Request('G'), "failed Connection reset", "lost"}));
}

TEST(AgwLink, FramesBecomePacketsWithTheirRowsAndTheEngineRepliesCaptions) {
    const std::string header =
        " 1:Fm Q1XYZ-13 To APRS Via WIDE2-1 <UI pid=F0 Len=21 PF=0 >[22:37:05]";
    const std::string rewritten =
        "1: Q1XYZ-13 To APRS Via WIDE2-1 <UI pid=F0 Len=21 PF=0 >[22:37:05]";
    const std::pair<std::string, Journal> cases[] = {
        {EncodeAgwFrame('U', "Q1XYZ-13", header + "\r_10090556c220s004t077\r" + '\0'),
         {"packet from [Q1XYZ-13] rows | " + rewritten + " | _10090556c220s004t077"}},
        {EncodeAgwFrame('T', "Q1XYZ-13", header + "\r\r>status\n_\r"),
         {"packet from [Q1XYZ-13] rows | " + rewritten + " | >status\n_"}},
        {EncodeAgwFrame('U', "Q2ABC", "first\rsecond\rthird\r"),
         {"packet from [Q2ABC] rows | second | third"}},
        {EncodeAgwFrame('U', "Q2ABC", " 10:Fm Q2ABC To APRS\r !:Fm\rtail"),
         {"packet from [Q2ABC] rows |  10:Fm Q2ABC To APRS |  !:Fm"}},
        {EncodeAgwFrame('U', "Q2ABC", "no line end"), {"packet from [Q2ABC] rows"}},
        // A version reply then a port reply, in one read; short replies count missing bytes as 0.
        {EncodeAgwFrame('R', "", std::string("\xD5\x07\0\0\x11\0\0\0", 8)) +
             EncodeAgwFrame('G', "", "2;Port1 first soundcard mono;") +
             EncodeAgwFrame('R', "Q", "\x05"),
         {"version 2005.17", "packet from []", "ports 2", "packet from []", "version 5.0",
          "packet from [Q]"}},
        {EncodeAgwFrame('X', "Q1XYZ-13", "x"), {"packet from []"}},
        {EncodeAgwFrame('U', "Q1XYZ-13") + EncodeAgwFrame('G', "Q1XYZ-13"), {}},
    };
    for (const auto& [bytes, journal] : cases) {
        Rig rig;
        rig.link.OnData(bytes);
        EXPECT_EQ(rig.Take(), journal);
    }
}

TEST(AgwLink, HugeFrameFailsTheLinkAndClosingForgetsAnUnfinishedFrame) {
    Rig rig;
    std::string oversized = EncodeAgwFrame('U', "Q1XYZ");
    oversized[30] = 2;
    rig.link.OnData(oversized + EncodeAgwFrame('U', "Q2ABC", "a\r"));
    EXPECT_EQ(rig.Take(),
              Journal{"failed AGWPE stream out of step: a frame announces 131072 data bytes"});
    rig.link.Close();
    rig.link.OnData(EncodeAgwFrame('U', "Q2ABC", "a\r").substr(0, 20));
    rig.link.Close();
    rig.link.OnData(EncodeAgwFrame('U', "Q2ABC", "b\r"));
    EXPECT_EQ(rig.Take(),
              (Journal{"socket close", "socket close", "packet from [Q2ABC] rows | b"}));
}

}  // namespace
}  // namespace pluvetta
