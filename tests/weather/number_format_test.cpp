#include "weather/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pluvetta {
namespace {

TEST(FormatFixed, RoundsGroupsAndUsesTheLocaleSeparators) {
    const NumberFormat english{".", ",", "-"};
    const NumberFormat italian{",", ".", "-"};
    struct FixedCase {
        double value;
        int decimals;
        const char *english, *italian;
    };
    const FixedCase cases[] = {
        {1013.2, 1, "1,013.2", "1.013,2"},
        {0.5, 1, "0.5", "0,5"},
        {6.437388, 0, "6", "6"},
        {-7.221688, 1, "-7.2", "-7,2"},
        {-1234.56, 1, "-1,234.6", "-1.234,6"},
        {-1000000.0, 0, "-1,000,000", "-1.000.000"},
        {999999.96, 1, "1,000,000.0", "1.000.000,0"},  // the carry opens a new group
        {100.0, 0, "100", "100"},
        {12.345, -3, "12", "12"},  // negative places count as none
        {-0.04, 1, "0.0", "0,0"},  // rounds to zero: no minus
        {-0.0, 2, "0.00", "0,00"},
        {-0.4, 0, "0", "0"},
        {-0.06, 1, "-0.1", "-0,1"}};
    for (const FixedCase& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.decimals, english), c.english) << c.value;
        EXPECT_EQ(FormatFixed(c.value, c.decimals, italian), c.italian) << c.value;
    }
    const NumberFormat unusual{",", "", "\xAD"};
    EXPECT_EQ(FormatFixed(-1234567.3, 1, unusual), "\2551234567,3");
}

// Decimal texts that look like halves are rarely halves in binary: the value stored rounds as
// it is, and only a true binary half may go either way.
TEST(FormatFixed, RoundsTheStoredValueNotItsDecimalText) {
    const NumberFormat english;
    struct Case {
        double value;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {0.05, 1, "0.1"},             // stored a little above 0.05
        {0.15, 1, "0.1"},             // stored a little below 0.15
        {2.675, 2, "2.67"},           // stored below 2.675
        {1.005, 2, "1.00"},           // stored below 1.005
        {0.0005, 3, "0.001"},         // stored above 0.0005
        {999999.95, 1, "999,999.9"},  // stored below the half
        {5e8 + 0.25, 0, "500,000,000"},
        {1234567890.06, 1, "1,234,567,890.1"},  // too large to scale: the exact path
        {0.001, 3, "0.001"},
        {0.0004, 3, "0.000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.decimals, english), c.expected) << c.value;
    }
    // A true half (exact in binary) may round either way, but to a neighbour.
    const std::string half = FormatFixed(1013.25, 1, english);
    EXPECT_TRUE(half == "1,013.2" || half == "1,013.3") << half;
}

TEST(FormatFixed, HugeAndNonFiniteValuesGiveText) {
    const NumberFormat english;
    const std::string huge = FormatFixed(std::numeric_limits<double>::max(), 2, english);
    EXPECT_EQ(huge.size(), 309u + 102u + 3u);  // digits, separators, ".00"
    EXPECT_EQ(huge.substr(0, 4), "179,");
    EXPECT_EQ(FormatFixed(std::nan(""), 1, english), "nan");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 1, english), "-inf");
}

}  // namespace
}  // namespace pluvetta
