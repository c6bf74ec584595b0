#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pluvetta {

// The options file's text, an INI file people write by hand: "[section]" lines, "key = value"
// lines, and comments on lines of their own starting with ';' or '#'.

// One key of the options file: "section/key" and the text of its value.
using OptionEntry = std::pair<std::string, std::string>;

// What some editors put before the first line of a UTF-8 file.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The key names the alarm command: its value is a whole shell-like line.
inline constexpr std::string_view kCommandKey = "alarms/command";

// The entries of `text` in the order written; a key before any section has no "section/".
// The alarm command is the rest of its line as written, so that its quotes, backslashes,
// commas and semicolons reach the word splitting untouched; any other value ends where a ';'
// outside double quotes starts a comment. Either loses a pair of double quotes around it whole,
// as files written for a reader that took them away may have them.
// A byte order mark at the start is skipped; lines of no known shape are left aside.
std::vector<OptionEntry> OptionEntriesOf(std::string_view text);

// The first line of `text`, without its line end, taken off `text`.
std::string_view TakeLine(std::string_view& text);
// `text` without the spaces, tabs and carriage returns at either end.
std::string_view Trimmed(std::string_view text);
// True for a "[name]" line, with its name.
bool SectionName(std::string_view line, std::string_view& name);
// The key of a "key = value" line; empty for a comment or any other line.
std::string_view LineKey(std::string_view line);

}  // namespace pluvetta
