#include "links/server_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pluvetta {
namespace {

using Lines = std::vector<std::string>;

// Feeds each piece in turn and collects every line handed out.
Lines FeedPieces(ServerLineSplitter& splitter, const std::vector<std::string>& pieces) {
    Lines lines;
    for (const std::string& piece : pieces) {
        splitter.Feed(piece, [&lines](std::string_view line) { lines.emplace_back(line); });
    }
    return lines;
}

Lines FeedPieces(const std::vector<std::string>& pieces) {
    ServerLineSplitter splitter;
    return FeedPieces(splitter, pieces);
}

TEST(ServerLineSplitter, EveryCutOfATwoLineStreamGivesBothLinesOnceInOrder) {
    const std::string stream = "Q1ABC>APRS,TCPIP*:!4530.25N/00912.60E_\r\nQ2XYZ-9>APRS:>on air\r\n";
    const Lines expected = {"Q1ABC>APRS,TCPIP*:!4530.25N/00912.60E_", "Q2XYZ-9>APRS:>on air"};
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        SCOPED_TRACE(cut);
        EXPECT_EQ(FeedPieces({stream.substr(0, cut), stream.substr(cut)}), expected);
    }
    std::vector<std::string> bytes;
    for (const char c : stream) {
        bytes.emplace_back(1, c);
    }
    EXPECT_EQ(FeedPieces(bytes), expected);
}

TEST(ServerLineSplitter, OnlyCrLfEndsALine) {
    struct Case {
        std::string stream;
        Lines lines;
    };
    const Case cases[] = {
        {"a\rb\r\n", {"a\rb"}},
        {"a\nb\r\n", {"a\nb"}},
        {"a\n\rb\r\n", {"a\n\rb"}},
        {"\r\r\n", {"\r"}},
        {"a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}},
        {"\r\n", {""}},
        {"no end\r", {}},
        {"no end\n", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stream);
        EXPECT_EQ(FeedPieces({c.stream}), c.lines);
    }
}

TEST(ServerLineSplitter, LoneCrAndLfCutAcrossFeedsStayInside) {
    EXPECT_EQ(FeedPieces({"a\r", "b\r", "\n"}), Lines{"a\rb"});
    EXPECT_EQ(FeedPieces({"a\n", "\r", "\n"}), Lines{"a\n"});
    EXPECT_EQ(FeedPieces({"a", "\n", "\r\n"}), Lines{"a\n"});
}

TEST(ServerLineSplitter, ResetForgetsTheUnfinishedLine) {
    ServerLineSplitter splitter;
    EXPECT_EQ(FeedPieces(splitter, {"old head", "\r"}), Lines{});
    splitter.Reset();
    EXPECT_EQ(FeedPieces(splitter, {"\nnew\r\n"}), (Lines{"\nnew"}));
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

// Long lines shown as their length and their distinct bytes, so that a failure stays readable.
Lines Summaries(const Lines& lines) {
    Lines out;
    for (const std::string& line : lines) {
        if (line.size() <= 80) {
            out.push_back(line);
            continue;
        }
        std::string distinct;
        for (const char c : line) {
            if (distinct.find(c) == std::string::npos) {
                distinct += c;
            }
        }
        out.push_back(std::to_string(line.size()) + " bytes of \"" + distinct + "\"");
    }
    return out;
}

TEST(ServerLineSplitter, LineBeyondTheBoundIsDroppedWholeAndReadingGoesOn) {
    constexpr std::size_t kMax = ServerLineSplitter::kMaxLineLength;
    const std::string atBound(kMax, 'x');
    const std::string overBound(kMax + 1, 'y');
    struct Case {
        const char* name;
        std::vector<std::string> pieces;
        Lines lines;
    };
    const Case cases[] = {
        {"at the bound, whole", {"a\r\n" + atBound + "\r\nb\r\n"}, {"a", atBound, "b"}},
        {"at the bound, CR cut off", {atBound + "\r", "\nb\r\n"}, {atBound, "b"}},
        {"over, whole", {"a\r\n" + overBound + "\r\nb\r\n"}, {"a", "b"}},
        {"over, in pieces",
         {overBound.substr(0, 5000), overBound.substr(5000), "\r\nb\r\n"},
         {"b"}},
        {"over, CR LF cut", {overBound + "\r", "\nb\r\n"}, {"b"}},
        {"over, tail with CR", {overBound, "tail\r", "\nb\r\n"}, {"b"}},
        {"over, lone LF in tail", {overBound, "t\nail\r\nb\r\n"}, {"b"}},
        {"over, tail alone", {overBound, "tail\r\n"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Summaries(FeedPieces(c.pieces)), Summaries(c.lines));
    }
}

TEST(ServerLineSplitter, EndlessLineIsNotHeldAndTheStreamRecovers) {
    ServerLineSplitter splitter;
    const std::string chunk(4096, 'z');
    Lines lines;
    for (int i = 0; i < 1000; ++i) {  // 4 MiB without a line end
        splitter.Feed(chunk, [&](std::string_view line) { lines.emplace_back(line); });
        ASSERT_LE(splitter.HeldBytes(), ServerLineSplitter::kMaxLineLength + 1);
    }
    splitter.Feed("\r\nQ1ABC>APRS:>back\r\n",
                  [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines, Lines{"Q1ABC>APRS:>back"});
}

}  // namespace
}  // namespace pluvetta
