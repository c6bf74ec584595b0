#include "links/server_line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace pluvetta {
namespace {

using Lines = std::vector<std::string>;

// The lines that the pieces give, fed in turn; what is held is checked after each feed.
Lines FeedPieces(const std::vector<std::string>& pieces) {
    ServerLineSplitter splitter;
    Lines lines;
    for (const std::string& piece : pieces) {
        splitter.Feed(piece, [&lines](std::string_view line) { lines.emplace_back(line); });
        EXPECT_LE(splitter.HeldBytes(), 2 * ServerLineSplitter::kMaxLineLength);
    }
    return lines;
}

// Only CR LF ends a line: a lone CR or LF, or an LF before a CR, stays in it.
TEST(ServerLineSplitter, EveryCutOfAStreamGivesEachLineOnceInOrder) {
    const std::string stream = "Q1ABC>APRS,TCPIP*:>a\rb\n\rc\r\n\r\nQ2XYZ-9>APRS:>on air\r\n";
    const Lines expected = {"Q1ABC>APRS,TCPIP*:>a\rb\n\rc", "", "Q2XYZ-9>APRS:>on air"};
    std::vector<std::string> bytes;
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        EXPECT_EQ(FeedPieces({stream.substr(0, cut), stream.substr(cut)}), expected) << cut;
        bytes.push_back(stream.substr(cut, 1));
    }
    EXPECT_EQ(FeedPieces(bytes), expected);
}

// Also for a peer that sends megabytes without a line end: FeedPieces checks what is held.
TEST(ServerLineSplitter, LineBeyondTheBoundIsDroppedWholeAndReadingGoesOn) {
    const std::string atBound(ServerLineSplitter::kMaxLineLength, 'x');
    const std::string overBound(atBound.size() + 1, 'y');
    const std::vector<std::pair<std::vector<std::string>, Lines>> cases = {
        {{"a\r\n" + atBound + "\r\n" + overBound + "\r\nb\r\n"}, {"a", atBound, "b"}},
        {{atBound + "\r", "\n" + overBound + "\r", "\nb\r\n"}, {atBound, "b"}},
        {{overBound.substr(0, 5000), overBound.substr(5000), "\r\n" + overBound, "t\nail\r\nb\r\n"},
         {"b"}},
        {{std::string(4 << 20, 'z'), "\r\nQ1ABC>APRS:>back\r\n"}, {"Q1ABC>APRS:>back"}},
    };
    // A failure names the case only: some of the lines are megabytes long.
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_TRUE(FeedPieces(cases[i].first) == cases[i].second) << "case " << i;
    }
}

TEST(ServerLineSplitter, ResetFromTheHandlerEndsTheFeed) {
    ServerLineSplitter splitter;
    Lines lines;
    splitter.Feed("first\r\nsecond\r\nthird", [&](std::string_view line) {
        lines.emplace_back(line);
        splitter.Reset();
    });
    splitter.Feed("\r\n", [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines, (Lines{"first", ""}));
}

}  // namespace
}  // namespace pluvetta
