#include "help/rtf_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace pluvetta {
namespace {

// The text a document shows: paragraphs ended by "¶", line breaks and tabs as read.
std::string Shown(const RtfDocument& doc) {
    std::string text;
    for (const RtfParagraph& paragraph : doc.paragraphs) {
        for (const RtfRun& run : paragraph.runs) text += run.text;
        text += "¶";
    }
    return text;
}

std::string Read(const std::string& rtf) {
    const std::optional<RtfDocument> doc = ReadRtf(rtf);
    return doc ? Shown(*doc) : "(not RTF)";
}

struct TextCase {
    const char* construct;
    std::string rtf;
    std::string shown;
};

TEST(ReadRtf, EachConstructShowsItsText) {
    const TextCase cases[] = {
        {"not RTF", "", "(not RTF)"},
        {"not RTF", "Leggimi: {\\rtf1 x}", "(not RTF)"},
        {"control symbols", "{\\rtf1 a\\{b\\}c\\\\d\\~e\\-f}", "a{b}c\\d\u00A0ef¶"},
        {"paragraph, line, tab", "{\\rtf1 a\\par b\\line c\\tab d\\par}", "a¶b\nc\td¶"},
        {"line ends of the file", "{\\rtf1 a\r\nb\\\nc}", "ab¶c¶"},
        {"unknown words", "{\\rtf1\\nouicompat\\viewkind4 \\unknownword-12 x}", "x¶"},
        {"Windows-1252", "{\\rtf1\\ansi\\ansicpg1252 perch\\'e9 citt\\'E0 \\'80\\'93}",
         "perché città €“¶"},
        {"code page not held", "{\\rtf1\\ansi\\ansicpg1251 \\'e9!}", "\uFFFD!¶"},
        {"\\u with fallback", "{\\rtf1 pi\\u249?}", "più¶"},
        {"negative \\u", "{\\rtf1 \\u-31671?}", "葉¶"},
        {"surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", "😀¶"},
        {"lone surrogate", "{\\rtf1 \\u-10179?x}", "\uFFFDx¶"},
        {"huge \\u", "{\\rtf1 \\u99999999999999?x}", "\uFFFDx¶"},
        {"fallback as \\'hh", "{\\rtf1 \\u232\\'e8x}", "èx¶"},
        {"\\uc in and out of groups", "{\\rtf1\\uc2 \\u232 xy{\\uc0\\u233 z}\\u224 vwk}", "èézàk¶"},
        {"brace ends the fallback", "{\\rtf1\\uc3 \\u232{x}y}", "èxy¶"},
        {"symbol words", "{\\rtf1 \\bullet\\endash\\emdash\\lquote\\rdblquote}", "•–—‘”¶"},
        {"skipped destinations",
         "{\\rtf1{\\*\\generator W}{\\stylesheet{\\s0 N;}}{\\info{\\title T}}{\\header H}"
         "{\\footer F}{\\pict\\pngblip 8950}{\\*\\unknown{x}}{\\fonttbl{\\f0 A;}}{\\colortbl;}ok}",
         "ok¶"},
        {"field result kept", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}",
         "link¶"},
        {"list number fallback", "{\\rtf1{\\pntext 1.\\tab}voce\\par}", "1.\tvoce¶"},
        {"\\bin holding braces", "{\\rtf1 a{\\pict\\bin6 }}}{{{}b}", "ab¶"},
        {"\\bin past the end", "{\\rtf1 a\\bin999 xyz", "a¶"},
        {"extra closing brace", "{\\rtf1 a}b}", "a¶"},
        {"truncated", "{\\rtf1 {\\b bold", "bold¶"},
    };
    for (const TextCase& c : cases) EXPECT_EQ(Read(c.rtf), c.shown) << c.construct;
}

// The text as WordPad writes it: header, font table, generator, lists with their fallback
// numbers, Italian letters through the code page and a letter outside it through \u.
TEST(ReadRtf, WordPadDocumentShowsItsTextExactly) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
        "{\\f1\\fnil\\fcharset2 Symbol;}}\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 "
        "\r\n\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang16 Questa \\b prova\\b0  \\'e8 scritta "
        "con WordPad: perch\\'e9 no? \\u945?\\par\r\n{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt"
        "\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720\\sa200\\sl276\\slmult1 Primo punto\\par"
        "\r\n{\\pntext\\f1\\'B7\\tab}Secondo punto\\par\r\n\\pard\\sa200\\sl276\\slmult1\\par\r\n}"
        "\r\n";
    EXPECT_EQ(Read(rtf),
              "Questa prova è scritta con WordPad: perché no? α¶·\tPrimo punto¶·\tSecondo punto¶¶");
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
        "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\froman{\\*\\panose 02}Times New Roman;}{\\f1 Arial;}}"
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

TEST(ReadRtf, DeepNestingKeepsTextAndRestoresEachGroup) {
    constexpr int kDepth = 100'000;
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < kDepth; ++i) rtf += "{\\b ";
    EXPECT_EQ(Styled(ReadRtf(rtf + "x" + std::string(kDepth, '}') + "y}").value()),
              std::vector<std::string>{"L 0 0 0 0 x:b24f-1 y:24f-1"});

    // Past the depth the reader keeps, groups still count: their text shows, and the braces
    // that close them close nothing else.
    EXPECT_EQ(Read("{\\rtf1 " + std::string(1'000'000, '{') + "z" + std::string(1'000'000, '}') +
                   "w}tail"),
              "zw¶");
}

// Whatever the bytes, runs hold no control character but tab and line break.
TEST(ReadRtf, RandomBytesGiveCleanText) {
    std::mt19937 rng(20261206);
    const std::string alphabet = "{}\\'*;0123456789-abfiu \xe8\x80\r\n\t";
    for (int round = 0; round < 2000; ++round) {
        std::string rtf = "{\\rtf1 ";
        for (int i = 0; i < 300; ++i) {
            rtf += round % 2 == 0 ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng());
        }
        const RtfDocument doc = ReadRtf(rtf).value();
        for (const RtfParagraph& paragraph : doc.paragraphs) {
            for (const RtfRun& run : paragraph.runs) {
                for (const char c : run.text) {
                    ASSERT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n')
                        << rtf;
                }
            }
        }
    }
}

}  // namespace
}  // namespace pluvetta
