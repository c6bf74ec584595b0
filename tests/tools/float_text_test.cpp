#include "float_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace wxdecode {
namespace {

// Each value twice, the second time from memory: 0 has the bits of an empty place, 15 characters
// are the longest text; more values than places take turns, and none is written as another.
TEST(FloatText, WritesTheShortestTextOfEachValueAgainAndAgain) {
    FloatText texts;
    for (const auto& [value, text] :
         {std::pair{0.0f, "0"}, {-0.0f, "-0"}, {-1.24794135e-33f, "-1.24794135e-33"}}) {
        EXPECT_EQ(texts.Text(value), text);
        EXPECT_EQ(texts.Text(value), text);
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (int whole = 0; whole < 20000; ++whole) {
            ASSERT_EQ(texts.Text(static_cast<float>(whole) + 0.5f), std::to_string(whole) + ".5")
                << "pass " << pass;
        }
    }
}

}  // namespace
}  // namespace wxdecode
