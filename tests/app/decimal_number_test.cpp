#include "app/decimal_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

#include "app/decimal_comma_locale.h"

namespace pluvetta {
namespace {

// Text, the length of its leading number, the value when all of it is one number.
const std::tuple<std::string, std::size_t, std::optional<double>> kReadCases[] = {
    {"8001", 4, 8001},
    {"+8001", 5, 8001},
    {"-12.50", 6, -12.5},
    {".5e4", 4, 5000},
    {"1.0305e3", 8, 1030.5},
    {"5.", 2, 5},
    {"80e", 2, {}},
    {"80e+x", 2, {}},
    {"8001xyz", 4, {}},
    {"8001,5", 4, {}},
    {"12.5.3", 4, {}},
    {"1 2", 1, {}},
    {"0x10", 1, {}},
    {" 8001", 0, {}},
    {"", 0, {}},
    {"-", 0, {}},
    {".", 0, {}},
    {"nan", 0, {}},
    {"inf", 0, {}},
    {"1e400", 5, {}},
    {"9e" + std::string(20, '9'), 22, {}},
};

TEST(DecimalNumber, ReadsSignDigitsPointAndExponentOnly) {
    testing::DecimalCommaLocale locale;  // the point must stay the decimal separator
    ASSERT_EQ(locale.Written(), "12,5 12,5");
    for (const auto& [text, length, value] : kReadCases) {
        EXPECT_EQ(DecimalNumberLength(text), length) << text;
        EXPECT_EQ(ParseDecimalNumber<double>(text), value) << text;
    }
    EXPECT_EQ(ParseDecimalNumber<float>("1e39"), std::nullopt);
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbourAndOutOfRangeIsNone) {
    const std::pair<double, std::optional<std::int16_t>> cases[] = {
        {8000.5, 8000}, {8001.5, 8002}, {-0.5, 0},   {-32768.4, -32768},
        {32767.5, {}},  {-32768.6, {}}, {1e300, {}}, {std::nan(""), {}},
    };
    for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundToInt16(value), rounded) << value;
}

TEST(FormatDecimalNumber, ShortestFormOfAtMostSevenDigitsWithAPoint) {
    testing::DecimalCommaLocale locale;
    const std::pair<float, const char*> cases[] = {
        {-0.5f, "-0.5"},
        {-0.0f, "0"},
        {1.0000001f, "1"},
        {16777216.0f, "16777220"},
        {123456789.0f, "123456800"},
        {0.00001f, "0.00001"},
        {0.000001f, "1e-06"},
        {1.5e-8f, "1.5e-08"},
        {1e20f, "1e+20"},
        {std::numeric_limits<float>::max(), "3.402823e+38"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatDecimalNumber(value), text) << value;
    EXPECT_EQ(FormatDecimalNumber(std::int16_t{-32768}), "-32768");
}

}  // namespace
}  // namespace pluvetta
