#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pluvetta {

// The words of a command line as a POSIX shell would split them, without running a shell:
// blanks separate words; single quotes keep everything literal; inside double quotes a
// backslash escapes only $ ` " \ and a newline; outside quotes a backslash keeps the next
// character (a backslash-newline joins lines). Nothing is expanded: $, *, ~ stay as written.
// nullopt for an unclosed quote or a backslash at the very end. A blank text gives no words.
std::optional<std::vector<std::string>> SplitCommandWords(std::string_view text);

}  // namespace pluvetta
