#include "help/rtf_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace pluvetta {
namespace {

// The text a document shows: paragraphs ended by "¶", line breaks and tabs as read.
std::string Read(const std::string& rtf) {
    const std::optional<RtfDocument> doc = ReadRtf(rtf);
    if (!doc) return "(not RTF)";
    std::string text;
    for (const RtfParagraph& paragraph : doc->paragraphs) {
        for (const RtfRun& run : paragraph.runs) text += run.text;
        text += "¶";
    }
    return text;
}

TEST(ReadRtf, EachConstructShowsItsText) {
    const std::pair<std::string, std::string> cases[] = {
        {"Leggimi: {\\rtf1 x}", "(not RTF)"},
        {"{\\rtf1 a\\{b\\}c\\\\d\\~e\\-f}", "a{b}c\\d\u00A0ef¶"},
        // An explicit \par ends even an empty paragraph; the last, implicit one needs text.
        {"{\\rtf1 a\\par\\par b\\line c\\tab d\\par}", "a¶¶b\nc\td¶"},
        {"{\\rtf1 a\r\nb\\\nc}", "ab¶c¶"},  // line ends of the file, and \ before one
        {"{\\rtf1\\nouicompat\\viewkind4 \\unknownword-12 x}", "x¶"},
        {"{\\rtf1\\ansi\\ansicpg1252 perch\\'e9 citt\\'E0 \\'80\\'93}", "perché città €“¶"},
        {"{\\rtf1\\ansi\\ansicpg1251 \\'e9!}", "\uFFFD!¶"},  // a code page not held
        {"{\\rtf1 pi\\u249?\\u232\\'e8x}", "piùèx¶"},
        {"{\\rtf1 \\u-10179?\\u-8704?\\u-10179?x\\u-32769?y\\u99999999999999?z}",
         "😀\uFFFDx\uFFFDy\uFFFDz¶"},
        {"{\\rtf1\\uc2 \\u232 xy{\\uc0\\u233 z}\\u224 vwk}", "èézàk¶"},
        {"{\\rtf1\\uc3 \\u232{x}y}", "èxy¶"},  // a brace ends the fallback
        {"{\\rtf1 \\bullet\\endash\\emdash\\lquote\\rdblquote}", "•–—‘”¶"},
        {"{\\rtf1{\\*\\generator W}{\\stylesheet{\\s0 N;}}{\\info{\\title T}}{\\header H}"
         "{\\footer F}{\\pict\\pngblip 8950}{\\*\\unknown{x}}{\\fonttbl{\\f0 A;}}{\\colortbl;}ok}",
         "ok¶"},
        {"{\\rtf1 a{\\header h\\par}{\\*\\x\\par}b}", "ab¶"},  // no paragraph from a skipped group
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}", "link¶"},
        {"{\\rtf1{\\pntext 1.\\tab}voce\\par}", "1.\tvoce¶"},  // a list's number as text
        {"{\\rtf1 a{\\pict\\bin6 }}}{{{}b}", "ab¶"},
        {"{\\rtf1 a\\bin999 xyz", "a¶"},
        {"{\\rtf1 a}b}", "a¶"},
        {"{\\rtf1 {\\b bold", "bold¶"},
        // Past the depth the reader keeps, groups still count: their text shows, and the
        // braces that close them close nothing else.
        {"{\\rtf1 " + std::string(1'000'000, '{') + "z" + std::string(1'000'000, '}') + "w}tail",
         "zw¶"},
    };
    for (const auto& [rtf, shown] : cases) EXPECT_EQ(Read(rtf), shown) << rtf.substr(0, 200);
}

// A paragraph as "alignment left-indent first-indent space-before space-after", then each
// run as "text:" with b, i, u when set, the size in half points, "f" and the font's index,
// and "c" and the colour when it has one.
std::vector<std::string> Styled(const RtfDocument& doc) {
    std::vector<std::string> paragraphs;
    for (const RtfParagraph& p : doc.paragraphs) {
        std::string text = std::string(1, "LCRJ"[static_cast<int>(p.alignment)]) + " " +
                           std::to_string(p.leftIndent) + " " + std::to_string(p.firstIndent) +
                           " " + std::to_string(p.spaceBefore) + " " + std::to_string(p.spaceAfter);
        for (const RtfRun& run : p.runs) {
            const RtfCharFormat& f = run.format;
            text += " " + run.text + ":" + (f.bold ? "b" : "") + (f.italic ? "i" : "") +
                    (f.underline ? "u" : "") + std::to_string(f.halfPoints) + "f" +
                    std::to_string(f.font);
            if (f.color) {
                text += "c" + std::to_string(f.color->red) + "," + std::to_string(f.color->green) +
                        "," + std::to_string(f.color->blue);
            }
        }
        paragraphs.push_back(text);
    }
    return paragraphs;
}

TEST(ReadRtf, FormatsFollowTheirWordsAndGroups) {
    const std::optional<RtfDocument> doc = ReadRtf(
        "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\froman{\\*\\panose 02}Times New Roman;}{\\f1 Arial}}"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}"
        "\\pard\\qc\\li720\\fi-360\\sb120\\sa240 n\\f0\\fs32\\b B\\b0\\i I\\i0\\ul U\\ulnone\\cf1 R"
        "{\\cf2\\b G}r\\plain P\\par\\pard\\qr r\\par\\qj\\li-99999 j\\par\\qc l}");
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->fonts, (std::vector<std::string>{"Times New Roman", "Arial"}));
    EXPECT_EQ(Styled(*doc),
              (std::vector<std::string>{
                  "C 720 -360 120 240 n:24f1 B:b32f0 I:i32f0 U:u32f0 R:32f0c255,0,0 "
                  "G:b32f0c0,128,255 r:32f0c255,0,0 P:24f1",
                  "R 0 0 0 0 r:24f1", "J -31680 0 0 0 j:24f1", "C -31680 0 0 0 l:24f1"}));
}

}  // namespace
}  // namespace pluvetta
