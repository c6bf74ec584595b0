#include "links/agw_frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pluvetta {
namespace {

using Frames = std::vector<std::string>;

// Feeds the pieces in turn; each frame handled is noted as "KIND CALL|DATA", and a fault that
// a feed tells as "fault LENGTH".
Frames Cut(const std::vector<std::string>& pieces) {
    AgwFrameCutter cutter;
    Frames frames;
    for (const std::string& piece : pieces) {
        const std::uint32_t fault = cutter.Feed(piece, [&](const AgwFrame& frame) {
            frames.push_back(frame.kind + std::string(" ") + std::string(frame.call) + "|" +
                             std::string(frame.data));
        });
        EXPECT_LE(cutter.HeldBytes(), kAgwHeaderSize + kMaxAgwDataLength);
        if (fault != 0) frames.push_back("fault " + std::to_string(fault));
    }
    return frames;
}

TEST(AgwFrameCutter, EveryCutOfAStreamGivesEachFrameOnceInOrder) {
    const std::string stream = EncodeAgwFrame('U', "Q1XYZ-13", " 1:Fm Q1XYZ-13 To APRS\r_x\r") +
                               EncodeAgwFrame('Y', "ABCDEFGHIJKL") +
                               EncodeAgwFrame('R', "", std::string("\xD5\x07\0\0\x11\0\0\0", 8)) +
                               EncodeAgwFrame('Y');
    // A call field without a zero byte gives its ten characters.
    const Frames expected = {"U Q1XYZ-13| 1:Fm Q1XYZ-13 To APRS\r_x\r", "Y ABCDEFGHIJ|",
                             "R |" + std::string("\xD5\x07\0\0\x11\0\0\0", 8), "Y |"};
    Frames bytes;
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        EXPECT_EQ(Cut({stream.substr(0, cut), stream.substr(cut)}), expected) << cut;
        bytes.push_back(stream.substr(cut, 1));
    }
    EXPECT_EQ(Cut(bytes), expected);
    EXPECT_EQ(EncodeAgwFrame('U', "Q1XYZ-13-LONG").substr(8, 12),
              std::string("Q1XYZ-13-L\0\0", 12));
}

// 64 KiB of data make a frame; one byte more, or a length in the top byte, stops the cutting
// when the header is complete. Nothing is held.
TEST(AgwFrameCutter, LengthBeyond64KiBStopsTheCutting) {
    const std::string most(kMaxAgwDataLength, 'a');
    std::string top = EncodeAgwFrame('U', "Q1XYZ");
    top[31] = '\x80';
    for (const auto& [over, fault] :
         {std::pair{EncodeAgwFrame('U', "B", most + "b"), "65537"}, std::pair{top, "2147483648"}}) {
        EXPECT_EQ(Cut({EncodeAgwFrame('U', "A", most) + over.substr(0, 30),
                       over.substr(30) + EncodeAgwFrame('U', "C", "c")}),
                  (Frames{"U A|" + most, std::string("fault ") + fault}));
    }
}

TEST(AgwFrameCutter, ResetFromTheHandlerEndsTheFeed) {
    const std::string two = EncodeAgwFrame('U', "A", "a") + EncodeAgwFrame('U', "B", "b");
    for (const std::size_t held : {0, 10}) {  // A whole in the feed, or completed from held bytes
        AgwFrameCutter cutter;
        Frames seen;
        cutter.Feed(two.substr(0, held), [](const AgwFrame&) {});
        cutter.Feed(two.substr(held), [&](const AgwFrame& frame) {
            seen.emplace_back(frame.call);
            cutter.Reset();
        });
        EXPECT_EQ(seen, Frames{"A"}) << held;
        EXPECT_EQ(cutter.HeldBytes(), 0u) << held;
    }
}

}  // namespace
}  // namespace pluvetta
