#pragma once

#include <cstdint>
#include <string_view>

namespace pluvetta {

// What a control word does to the reader.
enum class RtfAction : std::uint8_t {
    Par,
    Line,
    Tab,
    Pard,
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    FontSize,
    Font,
    DefaultFont,
    ForeColor,
    Align,
    LeftIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    Unicode,
    UnicodeSkip,
    Bin,
    AnsiCodePage,
    OtherCharset,
    FontTable,
    ColorTable,
    ColorPart,
    SkipGroup,
    Symbol,
};

// A control word the reader knows, with what it needs besides its parameter: the character
// of a symbol word, the alignment of \ql and its kin, the channel of \red (0), \green (1)
// and \blue (2).
struct RtfWord {
    std::string_view name;
    RtfAction action;
    int value = 0;
};

// The word of that name, or none when the reader does not know it.
const RtfWord* FindRtfWord(std::string_view name);

}  // namespace pluvetta
