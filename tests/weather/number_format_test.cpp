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
