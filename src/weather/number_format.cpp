#include "weather/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
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
    const auto rounded = static_cast<std::uint32_t>(whole) + (fraction > 0.5 ? 1u : 0u);

    // 5 with two places is written 0.05: the digits, with zeros in front up to one more than
    // the places.
    std::array<char, 16> digits;
    const auto places = static_cast<std::size_t>(decimals);
    char* digitsEnd =
        std::to_chars(digits.data() + places + 1, digits.data() + digits.size(), rounded).ptr;
    char* digitsBegin = digits.data() + places + 1;
    while (digitsEnd - digitsBegin < decimals + 1) *--digitsBegin = '0';
    const auto count = static_cast<std::size_t>(digitsEnd - digitsBegin);
    if (static_cast<std::size_t>(bufferEnd - buffer) < count + 1) return nullptr;
    char* out = buffer;
    const char* point = digitsEnd - places;
    for (const char* in = digitsBegin; in != point; ++in) *out++ = *in;
    if (places > 0) {
        *out++ = '.';
        for (const char* in = point; in != digitsEnd; ++in) *out++ = *in;
    }
    return out;
}

// Adds `piece` byte by byte: the pieces here are a few bytes long.
char* Put(char* out, std::string_view piece) {
    for (const char c : piece) *out++ = c;
    return out;
}

}  // namespace

void AppendFixed(std::string& text, double value, int decimals, const NumberFormat& format) {
    if (std::isnan(value)) {
        text += "nan";
        return;
    }
    if (std::isinf(value)) {
        if (value < 0) text += format.minusSign;
        text += "inf";
        return;
    }

    // to_chars rounds the exact binary value and never looks at the process locale, which the
    // desktop toolkit may have switched to the user's.
    std::array<char, kBufferSize> buffer;
    char* end = FormatPlainMagnitude(std::fabs(value), decimals, buffer.data(),
                                     buffer.data() + buffer.size());
    if (end == nullptr) {
        const auto result =
            std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                          std::chars_format::fixed, std::clamp(decimals, 0, kMaxDecimals));
        if (result.ec != std::errc{}) {
            text += '?';
            return;
        }
        end = result.ptr;
    }
    const std::string_view digits(buffer.data(), static_cast<std::size_t>(end - buffer.data()));

    std::size_t point = std::string_view::npos;
    bool roundsToZero = true;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (digits[i] == '.') {
            point = i;
        } else if (digits[i] != '0') {
            roundsToZero = false;
        }
    }
    const std::string_view integerPart = digits.substr(0, point);

    const bool minus = value < 0 && !roundsToZero;
    const std::size_t groups = integerPart.empty() ? 0 : (integerPart.size() - 1) / kGroupWidth;
    const std::string_view fractionPart =
        point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
    const std::size_t size =
        (minus ? format.minusSign.size() : 0) + integerPart.size() +
        groups * format.groupSeparator.size() +
        (point == std::string_view::npos ? 0
                                         : format.decimalSeparator.size() + fractionPart.size());

    const std::size_t start = text.size();
    text.resize(start + size);
    char* out = text.data() + start;
    if (minus) out = Put(out, format.minusSign);
    // The first group is what is left over by the groups of three after it.
    const std::size_t first = integerPart.size() - groups * kGroupWidth;
    out = Put(out, integerPart.substr(0, first));
    for (std::size_t at = first; at < integerPart.size(); at += kGroupWidth) {
        out = Put(out, format.groupSeparator);
        out = Put(out, integerPart.substr(at, kGroupWidth));
    }
    if (point != std::string_view::npos) {
        out = Put(out, format.decimalSeparator);
        Put(out, fractionPart);
    }
}

std::string FormatFixed(double value, int decimals, const NumberFormat& format) {
    std::string text;
    AppendFixed(text, value, decimals, format);
    return text;
}

}  // namespace pluvetta
