#include "links/server_line_splitter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace pluvetta {
namespace {

using Lines = std::vector<std::string>;

// Feeds each piece in turn and collects every line handed out; checks on the way that no more
// than the longest line and the CR of its CR LF is ever held.
Lines FeedPieces(const std::vector<std::string>& pieces) {
    ServerLineSplitter splitter;
    Lines lines;
    std::size_t mostHeld = 0;
    for (const std::string& piece : pieces) {
        splitter.Feed(piece, [&lines](std::string_view line) { lines.emplace_back(line); });
        mostHeld = std::max(mostHeld, splitter.HeldBytes());
    }
    EXPECT_LE(mostHeld, 64 * 1024 + 1);
    return lines;
}

// Lines beyond 80 bytes as their length and hash, so that a failure stays readable.
Lines Summaries(Lines lines) {
    for (std::string& line : lines) {
        if (line.size() > 80) {
            line = std::to_string(line.size()) + " bytes #" +
                   std::to_string(std::hash<std::string>{}(line));
        }
    }
    return lines;
}

// The pieces fed, and the lines they must give.
using Case = std::pair<std::vector<std::string>, Lines>;

void ExpectLines(const std::vector<Case>& cases) {
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Summaries(FeedPieces(cases[i].first)), Summaries(cases[i].second));
    }
}

TEST(ServerLineSplitter, EveryCutOfATwoLineStreamGivesBothLinesOnceInOrder) {
    const std::string stream = "Q1ABC>APRS,TCPIP*:!4530.25N/00912.60E_\r\nQ2XYZ-9>APRS:>on air\r\n";
    const Lines expected = {"Q1ABC>APRS,TCPIP*:!4530.25N/00912.60E_", "Q2XYZ-9>APRS:>on air"};
    std::vector<std::string> bytes;
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        SCOPED_TRACE(cut);
        EXPECT_EQ(FeedPieces({stream.substr(0, cut), stream.substr(cut)}), expected);
        bytes.push_back(stream.substr(cut, 1));
    }
    EXPECT_EQ(FeedPieces(bytes), expected);
}

TEST(ServerLineSplitter, OnlyCrLfEndsALineAlsoWhenCutAcrossFeeds) {
    ExpectLines({
        {{"a\rb\r\n"}, {"a\rb"}},
        {{"a\nb\r\n"}, {"a\nb"}},
        {{"a\n\rb\r\n"}, {"a\n\rb"}},
        {{"\r\r\n"}, {"\r"}},
        {{"a\r\n\r\n\r\nb\r\n"}, {"a", "", "", "b"}},
        {{"no end\n"}, {}},
        {{"a\r", "b\r", "\n"}, {"a\rb"}},
        {{"a\n", "\r", "\n"}, {"a\n"}},
        {{"a", "\n", "\r\n"}, {"a\n"}},
    });
}

TEST(ServerLineSplitter, ResetForgetsTheUnfinishedLineAndFromTheHandlerEndsTheFeed) {
    ServerLineSplitter splitter;
    Lines lines;
    const auto keep = [&](std::string_view line) { lines.emplace_back(line); };
    splitter.Feed("old head\r", keep);
    splitter.Reset();
    splitter.Feed("\nnew\r\n", keep);
    EXPECT_EQ(lines, Lines{"\nnew"});

    lines.clear();
    splitter.Feed("first\r\nsecond\r\nthird", [&](std::string_view line) {
        keep(line);
        splitter.Reset();
    });
    splitter.Feed("\r\n", keep);
    EXPECT_EQ(lines, (Lines{"first", ""}));
}

// Also for a peer that sends megabytes without a line end: FeedPieces checks what is held.
TEST(ServerLineSplitter, LineBeyondTheBoundIsDroppedWholeAndReadingGoesOn) {
    const std::string atBound(64 * 1024, 'x');
    const std::string overBound(atBound.size() + 1, 'y');
    ExpectLines({
        {{"a\r\n" + atBound + "\r\nb\r\n"}, {"a", atBound, "b"}},
        {{atBound + "\r", "\nb\r\n"}, {atBound, "b"}},
        {{"a\r\n" + overBound + "\r\nb\r\n"}, {"a", "b"}},
        {{overBound.substr(0, 5000), overBound.substr(5000), "\r\nb\r\n"}, {"b"}},
        {{overBound + "\r", "\nb\r\n"}, {"b"}},
        {{overBound, "tail\r", "\nb\r\n"}, {"b"}},
        {{overBound, "t\nail\r\nb\r\n"}, {"b"}},
        {{overBound, "tail\r\n"}, {}},
        {{std::string(4 << 20, 'z'), "\r\nQ1ABC>APRS:>back\r\n"}, {"Q1ABC>APRS:>back"}},
    });
}

}  // namespace
}  // namespace pluvetta
