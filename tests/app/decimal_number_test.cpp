#include "app/decimal_number.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <tuple>

namespace pluvetta {
namespace {

// While alive, both the C locale and the C++ global locale write numbers with a decimal
// comma, as on an Italian desktop (scripts/install-deps.sh makes the it_IT.UTF-8 locale).
class DecimalCommaLocale {
  public:
    DecimalCommaLocale() : savedC_(std::setlocale(LC_ALL, nullptr)) {
        std::setlocale(LC_ALL, "it_IT.UTF-8");
        std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    }
    ~DecimalCommaLocale() {
        std::locale::global(savedCpp_);
        std::setlocale(LC_ALL, savedC_.c_str());
    }
    // "12,5 12,5" when C and C++ both write 12.5 with a comma.
    static std::string Written() {
        char c[16];
        std::snprintf(c, sizeof c, "%.1f", 12.5);
        std::ostringstream cpp;
        cpp << 12.5;
        return c + (" " + cpp.str());
    }

  private:
    struct CommaPoint : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    std::string savedC_;
    std::locale savedCpp_;
};

// Text, the length of its leading number, the value when all of it is one number.
TEST(DecimalNumber, ReadsSignDigitsPointAndExponentOnlyWhateverTheLocale) {
    DecimalCommaLocale locale;
    ASSERT_EQ(locale.Written(), "12,5 12,5");
    // clang-format off
    const std::tuple<std::string, std::size_t, std::optional<double>> cases[] = {
        {"8001", 4, 8001}, {"+8001", 5, 8001}, {"-12.50", 6, -12.5}, {".5e4", 4, 5000},
        {"1.0305e3", 8, 1030.5}, {"5.", 2, 5}, {"80e", 2, {}}, {"80e+x", 2, {}},
        {"8001xyz", 4, {}}, {"8001,5", 4, {}}, {"12.5.3", 4, {}}, {"1 2", 1, {}},
        {"0x10", 1, {}}, {" 8001", 0, {}}, {"", 0, {}}, {"-", 0, {}}, {".", 0, {}},
        {"nan", 0, {}}, {"inf", 0, {}}, {"1e400", 5, {}}, {"9e" + std::string(20, '9'), 22, {}},
    };
    // clang-format on
    for (const auto& [text, length, value] : cases) {
        EXPECT_EQ(DecimalNumberLength(text), length) << text;
        EXPECT_EQ(ParseDecimalNumber<double>(text), value) << text;
    }
    EXPECT_EQ(ParseDecimalNumber<float>("1e39"), std::nullopt);
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbourAndOutOfRangeIsNone) {
    // clang-format off
    const std::pair<double, std::optional<std::int16_t>> cases[] = {
        {8000.5, 8000}, {8001.5, 8002}, {-0.5, 0}, {-32768.4, -32768},
        {32767.5, {}}, {-32768.6, {}}, {1e300, {}}, {std::nan(""), {}},
    };
    // clang-format on
    for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundToInt16(value), rounded) << value;
}

TEST(FormatDecimalNumber, ShortestFormOfAtMostSevenDigitsWithAPointWhateverTheLocale) {
    DecimalCommaLocale locale;
    // clang-format off
    const std::pair<float, const char*> cases[] = {
        {-0.5f, "-0.5"}, {-0.0f, "0"}, {1.0000001f, "1"}, {16777216.0f, "16777220"},
        {123456789.0f, "123456800"}, {0.00001f, "0.00001"}, {0.000001f, "1e-06"},
        {1.5e-8f, "1.5e-08"}, {1e20f, "1e+20"}, {std::numeric_limits<float>::max(), "3.402823e+38"},
    };
    // clang-format on
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatDecimalNumber(value), text) << value;
    EXPECT_EQ(FormatDecimalNumber(std::int16_t{-32768}), "-32768");
}

}  // namespace
}  // namespace pluvetta
