#include "weather/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pluvetta {
namespace {

const NumberFormat kEnglish{".", ",", "-"};
const NumberFormat kItalian{",", ".", "-"};

struct FixedCase {
    double value;
    int decimals;
    const char* english;
    const char* italian;
};

TEST(FormatFixed, RoundsGroupsAndUsesTheLocaleSeparators) {
    const FixedCase cases[] = {
        {1013.2, 1, "1,013.2", "1.013,2"},
        {990.0, 1, "990.0", "990,0"},
        {0.5, 1, "0.5", "0,5"},
        {6.437388, 0, "6", "6"},
        {13.847684, 1, "13.8", "13,8"},
        {-7.221688, 1, "-7.2", "-7,2"},
        {-1234.56, 1, "-1,234.6", "-1.234,6"},
        {1234567.0, 0, "1,234,567", "1.234.567"},
        {-1000000.0, 0, "-1,000,000", "-1.000.000"},
        {999999.96, 1, "1,000,000.0", "1.000.000,0"},  // the carry opens a new group
        {100.0, 0, "100", "100"},
        {0.0, 2, "0.00", "0,00"},
        {12.345, -3, "12", "12"},  // negative places count as none
    };
    for (const FixedCase& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.decimals, kEnglish), c.english) << c.value;
        EXPECT_EQ(FormatFixed(c.value, c.decimals, kItalian), c.italian) << c.value;
    }
}

TEST(FormatFixed, ValueThatRoundsToZeroHasNoMinus) {
    for (const double value : {-0.04, -0.0, -0.049999, -1e-300}) {
        EXPECT_EQ(FormatFixed(value, 1, kEnglish), "0.0") << value;
    }
    EXPECT_EQ(FormatFixed(-0.4, 0, kEnglish), "0");
    EXPECT_EQ(FormatFixed(-0.06, 1, kEnglish), "-0.1");
}

TEST(FormatFixed, UsesTheLocaleMinusSignAndEmptyGroupSeparator) {
    const NumberFormat unusual{",", "", "\xAD"};
    EXPECT_EQ(FormatFixed(-1234567.3, 1, unusual),
              "\xAD"
              "1234567,3");
}

TEST(FormatFixed, HugeAndNonFiniteValuesGiveText) {
    const std::string huge = FormatFixed(std::numeric_limits<double>::max(), 2, kEnglish);
    EXPECT_EQ(huge.size(), 309u + 102u + 3u);  // digits, separators, ".00"
    EXPECT_EQ(huge.substr(0, 4), "179,");
    EXPECT_EQ(FormatFixed(std::nan(""), 1, kEnglish), "nan");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 1, kEnglish), "inf");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 1, kEnglish), "-inf");
}

}  // namespace
}  // namespace pluvetta
