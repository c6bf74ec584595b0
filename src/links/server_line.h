#pragma once

#include <string_view>

namespace pluvetta {

// One packet line SOURCE>DESTINATION,PATH:INFORMATION cut into the pieces the server link
// uses. The views point into the line that was parsed.
struct ServerLine {
    // Before the first ">"; empty when the line has none.
    std::string_view source;
    // Up to and including the first ":" after the first ">" (the first ":" of a line without
    // ">"); empty when there is no such ":".
    std::string_view header;
    // After that ":"; empty when there is none.
    std::string_view information;
    bool hasColon = false;
};

// Cuts one received line (without its CR LF). Never fails: a line without ">" has an empty
// source, one without ":" has no header.
ServerLine ParseServerLine(std::string_view line);

}  // namespace pluvetta
