#include "weather/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

namespace pluvetta {
namespace {

TEST(FormatFixed, RoundsTheStoredValueGroupsAndUsesTheLocaleSeparators) {
    const NumberFormat english{".", ",", "-"}, italian{",", ".", "-"};
    const std::tuple<double, int, const char*, const char*> cases[] = {
        {1013.2, 1, "1,013.2", "1.013,2"},
        {999999.96, 1, "1,000,000.0", "1.000.000,0"},  // the carry opens a new group
        {12.345, -3, "12", "12"},                      // negative places count as none
        {-0.04, 1, "0.0", "0,0"},                      // rounds to zero: no minus
        {-0.06, 1, "-0.1", "-0,1"},
        {NAN, 1, "nan", "nan"},
        {-INFINITY, 1, "-inf", "-inf"},
        // A decimal text that looks like a half is rarely one in binary: the stored value counts.
        {0.05, 1, "0.1", "0,1"},                                   // stored a little above 0.05
        {0.15, 1, "0.1", "0,1"},                                   // stored a little below 0.15
        {2.675, 2, "2.67", "2,67"},                                // stored below 2.675
        {0.0005, 3, "0.001", "0,001"},                             // stored above 0.0005
        {999999.95, 1, "999,999.9", "999.999,9"},                  // stored below the half
        {1234567890.06, 1, "1,234,567,890.1", "1.234.567.890,1"},  // too large to scale
    };
    for (const auto& [value, decimals, inEnglish, inItalian] : cases) {
        EXPECT_EQ(FormatFixed(value, decimals, english), inEnglish) << value;
        EXPECT_EQ(FormatFixed(value, decimals, italian), inItalian) << value;
    }
    EXPECT_EQ(FormatFixed(-1234567.3, 1, NumberFormat{",", "", "\xAD"}), "\2551234567,3");
    const std::string huge = FormatFixed(std::numeric_limits<double>::max(), 2, english);
    EXPECT_EQ(huge.size(), 309u + 102u + 3u);  // digits, separators, ".00"
    EXPECT_EQ(huge.substr(0, 4), "179,");
}

}  // namespace
}  // namespace pluvetta
