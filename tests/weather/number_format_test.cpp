#include "weather/number_format.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace pluvetta {
namespace {

const NumberFormat kEnglish{".", ",", "-"};

TEST(FormatFixed, RoundsGroupsAndUsesTheLocaleSeparators) {
    const NumberFormat italian{",", ".", "-"};
    const std::tuple<double, int, const char*, const char*> cases[] = {
        {1013.2, 1, "1,013.2", "1.013,2"},
        {-7.221688, 1, "-7.2", "-7,2"},
        {-1234.56, 1, "-1,234.6", "-1.234,6"},
        {-1000000.0, 0, "-1,000,000", "-1.000.000"},
        {999999.96, 1, "1,000,000.0", "1.000.000,0"},  // the carry opens a new group
        {100.0, 0, "100", "100"},
        {12.345, -3, "12", "12"},  // negative places count as none
        {-0.04, 1, "0.0", "0,0"},  // rounds to zero: no minus
        {-0.0, 2, "0.00", "0,00"},
        {-0.06, 1, "-0.1", "-0,1"}};
    for (const auto& [value, decimals, english, inItalian] : cases) {
        EXPECT_EQ(FormatFixed(value, decimals, kEnglish), english) << value;
        EXPECT_EQ(FormatFixed(value, decimals, italian), inItalian) << value;
    }
    EXPECT_EQ(FormatFixed(-1234567.3, 1, NumberFormat{",", "", "\xAD"}), "\2551234567,3");
}

// Decimal texts that look like halves are rarely halves in binary: the value stored rounds as
// it is, and only a true binary half may go either way.
TEST(FormatFixed, RoundsTheStoredValueNotItsDecimalText) {
    const std::tuple<double, int, const char*> cases[] = {
        {0.05, 1, "0.1"},             // stored a little above 0.05
        {0.15, 1, "0.1"},             // stored a little below 0.15
        {2.675, 2, "2.67"},           // stored below 2.675
        {1.005, 2, "1.00"},           // stored below 1.005
        {0.0005, 3, "0.001"},         // stored above 0.0005
        {999999.95, 1, "999,999.9"},  // stored below the half
        {5e8 + 0.25, 0, "500,000,000"},
        {1234567890.06, 1, "1,234,567,890.1"},  // too large to scale: the exact path
    };
    for (const auto& [value, decimals, expected] : cases) {
        EXPECT_EQ(FormatFixed(value, decimals, kEnglish), expected) << value;
    }
    EXPECT_THAT(FormatFixed(1013.25, 1, kEnglish), ::testing::AnyOf("1,013.2", "1,013.3"));
}

TEST(FormatFixed, HugeAndNonFiniteValuesGiveText) {
    const std::string huge = FormatFixed(std::numeric_limits<double>::max(), 2, kEnglish);
    EXPECT_EQ(huge.size(), 309u + 102u + 3u);  // digits, separators, ".00"
    EXPECT_EQ(huge.substr(0, 4), "179,");
    EXPECT_EQ(FormatFixed(std::nan(""), 1, kEnglish), "nan");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 1, kEnglish), "-inf");
}

}  // namespace
}  // namespace pluvetta
