#include "help/rtf_words.h"

#include <algorithm>
#include <iterator>

#include "help/rtf_document.h"

namespace pluvetta {

namespace {

// Sorted by name for the binary search. Destinations that show nothing in a viewer (tables
// of styles and lists, document information, pictures, headers, footers, notes, field
// instructions) skip their whole group; a field's result stays.
constexpr RtfWord kWords[] = {
    {"ansicpg", RtfAction::AnsiCodePage},
    {"author", RtfAction::SkipGroup},
    {"b", RtfAction::Bold},
    {"bin", RtfAction::Bin},
    {"blue", RtfAction::ColorPart, 2},
    {"bullet", RtfAction::Symbol, 0x2022},
    {"cell", RtfAction::Tab},
    {"cf", RtfAction::ForeColor},
    {"colortbl", RtfAction::ColorTable},
    {"comment", RtfAction::SkipGroup},
    {"datastore", RtfAction::SkipGroup},
    {"deff", RtfAction::DefaultFont},
    {"emdash", RtfAction::Symbol, 0x2014},
    {"endash", RtfAction::Symbol, 0x2013},
    {"f", RtfAction::Font},
    {"fi", RtfAction::FirstIndent},
    {"fldinst", RtfAction::SkipGroup},
    {"fonttbl", RtfAction::FontTable},
    {"footer", RtfAction::SkipGroup},
    {"footerf", RtfAction::SkipGroup},
    {"footerl", RtfAction::SkipGroup},
    {"footerr", RtfAction::SkipGroup},
    {"footnote", RtfAction::SkipGroup},
    {"fs", RtfAction::FontSize},
    {"green", RtfAction::ColorPart, 1},
    {"header", RtfAction::SkipGroup},
    {"headerf", RtfAction::SkipGroup},
    {"headerl", RtfAction::SkipGroup},
    {"headerr", RtfAction::SkipGroup},
    {"i", RtfAction::Italic},
    {"info", RtfAction::SkipGroup},
    {"ldblquote", RtfAction::Symbol, 0x201C},
    {"li", RtfAction::LeftIndent},
    {"line", RtfAction::Line},
    {"listoverridetable", RtfAction::SkipGroup},
    {"listtable", RtfAction::SkipGroup},
    {"lquote", RtfAction::Symbol, 0x2018},
    {"mac", RtfAction::OtherCharset},
    {"nonshppict", RtfAction::SkipGroup},
    {"object", RtfAction::SkipGroup},
    {"par", RtfAction::Par},
    {"pard", RtfAction::Pard},
    {"pc", RtfAction::OtherCharset},
    {"pca", RtfAction::OtherCharset},
    {"pict", RtfAction::SkipGroup},
    {"plain", RtfAction::Plain},
    {"qc", RtfAction::Align, static_cast<int>(RtfAlignment::Center)},
    {"qj", RtfAction::Align, static_cast<int>(RtfAlignment::Justify)},
    {"ql", RtfAction::Align, static_cast<int>(RtfAlignment::Left)},
    {"qr", RtfAction::Align, static_cast<int>(RtfAlignment::Right)},
    {"rdblquote", RtfAction::Symbol, 0x201D},
    {"red", RtfAction::ColorPart, 0},
    {"row", RtfAction::Par},
    {"rquote", RtfAction::Symbol, 0x2019},
    {"sa", RtfAction::SpaceAfter},
    {"sb", RtfAction::SpaceBefore},
    {"stylesheet", RtfAction::SkipGroup},
    {"tab", RtfAction::Tab},
    {"u", RtfAction::Unicode},
    {"uc", RtfAction::UnicodeSkip},
    {"ul", RtfAction::Underline},
    {"uld", RtfAction::Underline},
    {"uldb", RtfAction::Underline},
    {"ulnone", RtfAction::UnderlineNone},
    {"ulw", RtfAction::Underline},
};
static_assert(std::is_sorted(std::begin(kWords), std::end(kWords),
                             [](const RtfWord& a, const RtfWord& b) { return a.name < b.name; }));

}  // namespace

const RtfWord* FindRtfWord(std::string_view name) {
    const auto* it =
        std::lower_bound(std::begin(kWords), std::end(kWords), name,
                         [](const RtfWord& w, std::string_view n) { return w.name < n; });
    return it != std::end(kWords) && it->name == name ? it : nullptr;
}

}  // namespace pluvetta
