#include "weather/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace pluvetta {
namespace {

// Places beyond what a double carries would only print conversion noise; the cap also bounds
// the buffer below.
constexpr int kMaxDecimals = 17;
// The largest double written in full has 309 integer digits; add the point and the decimals.
constexpr std::size_t kBufferSize = 309 + 1 + kMaxDecimals + 3;
constexpr std::size_t kGroupWidth = 3;

}  // namespace

std::string FormatFixed(double value, int decimals, const NumberFormat& format) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? format.minusSign + "inf" : "inf";

    // to_chars rounds the exact binary value and never looks at the process locale, which the
    // desktop toolkit may have switched to the user's.
    std::array<char, kBufferSize> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                      std::chars_format::fixed, std::clamp(decimals, 0, kMaxDecimals));
    if (error != std::errc{}) return "?";
    const std::string_view digits(buffer.data(), static_cast<std::size_t>(end - buffer.data()));

    const std::size_t point = digits.find('.');
    const std::string_view integerPart = digits.substr(0, point);
    const bool roundsToZero = digits.find_first_not_of("0.") == std::string_view::npos;

    std::string text;
    if (value < 0 && !roundsToZero) text += format.minusSign;
    for (std::size_t i = 0; i < integerPart.size(); ++i) {
        if (i > 0 && (integerPart.size() - i) % kGroupWidth == 0) text += format.groupSeparator;
        text += integerPart[i];
    }
    if (point != std::string_view::npos) {
        text += format.decimalSeparator;
        text += digits.substr(point + 1);
    }
    return text;
}

}  // namespace pluvetta
