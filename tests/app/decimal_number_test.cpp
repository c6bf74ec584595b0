#include "app/decimal_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <locale>
#include <string>
#include <tuple>

#include "app/setup_form.h"

namespace pluvetta {
namespace {

// Under an Italian locale, with a decimal comma (scripts/install-deps.sh makes it). Read: text,
// the length of its leading number, its value when all of it is one number. Written: the
// shortest form of at most seven digits.
TEST(DecimalNumber, ReadsAndWritesWithAPointWhateverTheLocale) {
    const std::locale saved = std::locale::global(std::locale("it_IT.UTF-8"));
    const std::tuple<std::string, std::size_t, std::optional<double>> read[] = {
        {"+8001", 5, 8001}, {"-12.50", 6, -12.5}, {".5e4", 4, 5000}, {"1e+20", 5, 1e20},
        {"5.", 2, 5},       {"80e+x", 2, {}},     {"8001,5", 4, {}}, {"12.5.3", 4, {}},
        {"0x10", 1, {}},    {"-", 0, {}},         {"inf", 0, {}},    {"1e400", 5, {}}};
    for (const auto& [text, length, value] : read) {
        EXPECT_EQ(DecimalNumberLength(text), length) << text;
        EXPECT_EQ(ParseDecimalNumber<double>(text), value) << text;
    }
    EXPECT_EQ(ParseDecimalNumber<float>("1e39"), std::nullopt);
    const std::pair<float, const char*> written[] = {
        {-0.5f, "-0.5"},       {-0.0f, "0"},
        {1.0000001f, "1"},     {16777216.0f, "16777220"},
        {0.00001f, "0.00001"}, {0.000001f, "1e-06"},
        {1e20f, "1e+20"},      {std::numeric_limits<float>::max(), "3.402823e+38"}};
    for (const auto& [value, text] : written) EXPECT_EQ(FormatDecimalNumber(value), text) << value;
    EXPECT_EQ(FormatDecimalNumber(std::int16_t{-32768}), "-32768");
    std::locale::global(saved);
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbourAndOutOfRangeIsNone) {
    const std::pair<double, std::optional<std::int16_t>> cases[] = {
        {8000.5, 8000}, {8001.5, 8002}, {-0.5, 0},   {-32768.4, -32768},
        {32767.5, {}},  {-32768.6, {}}, {1e300, {}}, {std::nan(""), {}}};
    for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundToInt16(value), rounded) << value;
}

// Where the locale groups with a no-break space, the box shows one and the user types a space.
TEST(ReadUserNumber, ASpaceStandsForANoBreakSpaceGroupSeparatorOnly) {
    EXPECT_EQ(ReadUserNumber(" -1 234,5", {",", "\xA0", "-"}), -1234.5f);
    EXPECT_EQ(ReadUserNumber("1 234,5", {",", ".", "-"}), std::nullopt);
}

}  // namespace
}  // namespace pluvetta
