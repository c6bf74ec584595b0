#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/options_text.h"

namespace pluvetta {
namespace {

// The alarm command is a shell-like line and reaches the word splitting whole; other values
// lose a comment after ';'. Quotes around a whole value go, as hand-written INI files expect.
TEST(OptionEntriesOf, TheCommandAsWrittenOtherValuesWithoutCommentOrQuotes) {
    const std::string text =
        "\xEF\xBB\xBFtop = 1\r\n"
        "; comment = not a key\n"
        "# comment = nor this\n"
        "no equals sign\n"
        "[ alarms ]\n"
        "command = sh -c 'echo \"a, b\" >>\"$0\"; true' x\\ y ; \"\n"
        "command = \"notify-send -u critical\"\n"
        "[history]\n"
        "file = \"/srv/a b.sqlite\" ; where\n"
        "[server]\n"
        "fallback = a.example:1, b.example:2\n"
        "host = h.example;x\n"
        "call = \"a;b\"\n"
        "words = \"a\" \"b\"\n"
        "empty =";
    EXPECT_EQ(OptionEntriesOf(text),
              (std::vector<OptionEntry>{
                  {"top", "1"},
                  {"alarms/command", "sh -c 'echo \"a, b\" >>\"$0\"; true' x\\ y ; \""},
                  {"alarms/command", "notify-send -u critical"},
                  {"history/file", "/srv/a b.sqlite"},
                  {"server/fallback", "a.example:1, b.example:2"},
                  {"server/host", "h.example"},
                  {"server/call", "a;b"},
                  {"server/words", "\"a\" \"b\""},
                  {"server/empty", ""},
              }));
}

}  // namespace
}  // namespace pluvetta
