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

// The fast path below scales by a power of ten in double arithmetic. Below this bound the
// product is off from the exact one by less than kTieMargin, so a fraction that far from one
// half rounds as the exact binary value would.
constexpr double kFastScaledLimit = 1e9;
constexpr double kTieMargin = 1e-6;
constexpr std::array<double, 4> kPowersOfTen = {1.0, 10.0, 100.0, 1000.0};

// Writes the digits of |value| rounded to `decimals` places ("1013.2") into `buffer` when the
// rounding is plain; returns the end, or nullptr when the exact path must decide.
char* FormatPlainMagnitude(double magnitude, int decimals, char* buffer, const char* bufferEnd) {
    if (decimals < 0 || decimals >= static_cast<int>(kPowersOfTen.size())) return nullptr;
    const double scaled = magnitude * kPowersOfTen[static_cast<std::size_t>(decimals)];
    if (!(scaled < kFastScaledLimit)) return nullptr;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) <= kTieMargin) return nullptr;
    const auto rounded = static_cast<unsigned long>(whole) + (fraction > 0.5 ? 1u : 0u);

    // The digits padded with zeros to at least one more than the places: 5 with two places
    // is 005, written 0.05.
    const auto places = static_cast<std::size_t>(decimals);
    std::array<char, 24> padded{};
    padded.fill('0');
    const auto [digitsEnd, error] =
        std::to_chars(padded.data() + places + 1, padded.data() + padded.size(), rounded);
    if (error != std::errc{}) return nullptr;
    const auto count = static_cast<std::size_t>(digitsEnd - (padded.data() + places + 1));
    const std::size_t width = std::max(count, places + 1);
    // Shift the digits so that they end the padded field of `width` characters.
    const char* first = digitsEnd - width;
    if (static_cast<std::size_t>(bufferEnd - buffer) < width + 1) return nullptr;
    char* out = std::copy(first, first + (width - places), buffer);
    if (places > 0) {
        *out++ = '.';
        out = std::copy(first + (width - places), static_cast<const char*>(digitsEnd), out);
    }
    return out;
}

}  // namespace

std::string FormatFixed(double value, int decimals, const NumberFormat& format) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? format.minusSign + "inf" : "inf";

    // to_chars rounds the exact binary value and never looks at the process locale, which the
    // desktop toolkit may have switched to the user's.
    std::array<char, kBufferSize> buffer;
    char* end = FormatPlainMagnitude(std::fabs(value), decimals, buffer.data(),
                                     buffer.data() + buffer.size());
    if (end == nullptr) {
        const auto result =
            std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                          std::chars_format::fixed, std::clamp(decimals, 0, kMaxDecimals));
        if (result.ec != std::errc{}) return "?";
        end = result.ptr;
    }
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
