#include "float_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace wxdecode {
namespace {

// Texts written out by hand; each value twice in a row, so the second comes from memory.
TEST(FloatText, WritesTheShortestTextAgainAndAgain) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {0.0f, "0"},
        {-0.0f, "-0"},
        {25.0f, "25"},
        {4.828041f, "4.828041"},
        {-5572.778f, "-5572.778"},
        {-999.9f, "-999.9"},
        {1013.2f, "1013.2"},
        {100000.0f, "1e+05"},
        {1e-5f, "1e-05"},
        {-1.17549435e-38f, "-1.1754944e-38"},
        {std::numeric_limits<float>::max(), "3.4028235e+38"},
        {std::numeric_limits<float>::infinity(), "inf"},
        {std::numeric_limits<float>::quiet_NaN(), "nan"},
    };
    FloatText texts;
    for (const Case& c : cases) {
        EXPECT_EQ(texts.Text(c.value), c.text);
        EXPECT_EQ(texts.Text(c.value), c.text);
    }
}

// More values than the writer has room for, twice over: values that share a place take
// turns, and none is ever written as another.
TEST(FloatText, ManyValuesKeepTheirOwnTexts) {
    FloatText texts;
    for (int pass = 0; pass < 2; ++pass) {
        for (int whole = 0; whole < 20000; ++whole) {
            ASSERT_EQ(texts.Text(static_cast<float>(whole) + 0.5f), std::to_string(whole) + ".5")
                << "pass " << pass;
        }
    }
}

}  // namespace
}  // namespace wxdecode
