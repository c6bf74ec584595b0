#include "links/agw_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "links/report_notes.h"

namespace pluvetta {
namespace {

using testing::Journal;

using Rig = testing::LinkRig<AgwLink>;

std::string Request(char kind) {
    return "socket send " + std::string(4, '\0') + kind + std::string(31, '\0');
}

TEST(AgwLink, FramesBecomePacketsWithTheirRowsAndTheEngineRepliesCaptions) {
    const std::string header = " 1:Fm Q1XYZ-13 To APRS Via WIDE2-1 <UI pid=F0 Len=21 >[22:37:05]";
    const std::string shown = "1: Q1XYZ-13 To APRS Via WIDE2-1 <UI pid=F0 Len=21 >[22:37:05]";
    const std::pair<std::string, Journal> cases[] = {
        {EncodeAgwFrame('U', "Q1XYZ-13", header + "\r_10090556c220s004t077\r" + '\0'),
         {"agw packet from [Q1XYZ-13] rows | " + shown + " | _10090556c220s004t077"}},
        {EncodeAgwFrame('T', "Q2ABC", "first\rsecond\n_\r\rthird\r"),
         {"agw packet from [Q2ABC] rows | second\n_ | third"}},
        {EncodeAgwFrame('U', "Q2ABC", " 10:Fm Q2ABC To APRS\r !:Fm\rtail"),
         {"agw packet from [Q2ABC] rows |  10:Fm Q2ABC To APRS |  !:Fm"}},
        // Each frame has rows of its own only.
        {EncodeAgwFrame('U', "Q2ABC", "a\r") + EncodeAgwFrame('U', "Q2ABC", "no line end"),
         {"agw packet from [Q2ABC] rows | a", "agw packet from [Q2ABC] rows"}},
        // Version and port replies in one read; a short reply counts missing bytes as 0 and
        // never reads into the frame after it.
        {EncodeAgwFrame('R', "", std::string("\xD5\x07\0\0\x11\0\0\0", 8)) +
             EncodeAgwFrame('R', "Q", "\x05") +
             EncodeAgwFrame('G', "", "2;Port1 first soundcard mono;"),
         {"version 2005.17", "agw packet from []", "version 5.0", "agw packet from [Q]", "ports 2",
          "agw packet from []"}},
        {EncodeAgwFrame('X', "Q1XYZ-13", "x"), {"agw packet from []"}},
        {EncodeAgwFrame('U', "Q1XYZ-13") + EncodeAgwFrame('G', "Q1XYZ-13"), {}},
    };
    for (const auto& [bytes, journal] : cases) {
        Rig rig;
        rig.link.OnData(bytes);
        EXPECT_EQ(rig.Take(), journal);
    }
}

// The requests go around the station and readout steps. A fault ends the cutting of its feed;
// a Close forgets it, and an unfinished frame too.
TEST(AgwLink, SocketEventsBecomeReportsAndAHugeFrameFailsTheLinkUntilItIsClosed) {
    Rig rig;
    rig.link.Connect("localhost", 8000);
    rig.link.OnConnected();
    std::string oversized = EncodeAgwFrame('U', "Q1XYZ");
    oversized[30] = 2;
    const std::string a = EncodeAgwFrame('U', "Q2ABC", "a\r");
    rig.link.OnData(a.substr(0, 20));
    rig.link.Close();
    rig.link.OnData(oversized + a);
    rig.link.Close();
    rig.link.OnData(EncodeAgwFrame('U', "Q2ABC", "b\r"));
    rig.link.OnError("Connection reset");
    rig.link.OnClosed();
    EXPECT_EQ(rig.Take(),
              (Journal{"socket connect localhost:8000", Request('m'), "connected", Request('R'),
                       "started", Request('G'), "socket close",
                       "failed AGWPE stream out of step: a frame announces 131072 data bytes",
                       "socket close", "agw packet from [Q2ABC] rows | b",
                       "failed Connection reset", "lost"}));
}

}  // namespace
}  // namespace pluvetta
