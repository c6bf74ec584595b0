#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pluvetta {

// A colour of the document's colour table, 8 bits a channel.
struct RtfColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const RtfColor&, const RtfColor&) = default;
};

// How a run of text looks.
struct RtfCharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // Font size in half points, as RTF counts it: 24 is 12 pt.
    int halfPoints = 24;
    // Index into RtfDocument::fonts, or -1 for the viewer's own font.
    int font = -1;
    // No colour means the viewer's own text colour.
    std::optional<RtfColor> color;

    friend bool operator==(const RtfCharFormat&, const RtfCharFormat&) = default;
};

enum class RtfAlignment { Left, Center, Right, Justify };

// Text in UTF-8 that looks the same throughout. A line break within the paragraph is '\n',
// a tab is '\t'; no other control character appears.
struct RtfRun {
    RtfCharFormat format;
    std::string text;
};

// Indents and spaces are in twips (1/1440 inch); the first-line indent is added to the left
// one and may be negative, for a hanging first line.
struct RtfParagraph {
    RtfAlignment alignment = RtfAlignment::Left;
    int leftIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    std::vector<RtfRun> runs;
};

// What an RTF file shows: paragraphs of styled runs, and the font names the runs refer to.
struct RtfDocument {
    std::vector<std::string> fonts;
    std::vector<RtfParagraph> paragraphs;
};

}  // namespace pluvetta
