#include "app/decimal_number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>

namespace pluvetta {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos;
}

bool IsSign(char c) { return c == '+' || c == '-'; }

// A 32-bit float holds about seven decimal digits; more would only show binary noise.
constexpr int kMaxSignificantDigits = 7;
// Between these decimal exponents a value is written out in full, beyond them as 1.5e+20.
constexpr int kMinFixedExponent = -5;
constexpr int kMaxFixedExponent = 14;

struct Decimal {
    std::string digits;  // significant digits, no trailing zeros: value = d.ddd x 10^exponent
    int exponent = 0;
};

// The decimal digits of a positive finite value: the shortest that read back to it, or, with
// `precision`, rounded to precision + 1 digits.
Decimal ToDecimal(float magnitude, std::optional<int> precision) {
    std::array<char, 48> buffer{};
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    char* const end =
        precision
            ? std::to_chars(first, last, magnitude, std::chars_format::scientific, *precision).ptr
            : std::to_chars(first, last, magnitude, std::chars_format::scientific).ptr;
    const std::string_view text(first, static_cast<std::size_t>(end - first));
    const std::size_t e = text.find('e');
    Decimal decimal;
    for (char c : text.substr(0, e)) {
        if (c != '.') decimal.digits += c;
    }
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0') decimal.digits.pop_back();
    std::string_view exponent = text.substr(e + 1);
    if (exponent.front() == '+') exponent.remove_prefix(1);
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), decimal.exponent);
    return decimal;
}

}  // namespace

std::size_t DecimalNumberLength(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && IsSign(text[pos])) ++pos;
    const std::size_t intStart = pos;
    pos = SkipDigits(text, pos);
    std::size_t mantissaDigits = pos - intStart;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fracStart = pos + 1;
        const std::size_t fracEnd = SkipDigits(text, fracStart);
        mantissaDigits += fracEnd - fracStart;
        pos = fracEnd;
    }
    if (mantissaDigits == 0) return 0;

    // An exponent counts only when digits follow the letter; "12e" reads as 12.
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t expPos = pos + 1;
        if (expPos < text.size() && IsSign(text[expPos])) ++expPos;
        const std::size_t expEnd = SkipDigits(text, expPos);
        if (expEnd > expPos) pos = expEnd;
    }
    return pos;
}

template <typename T>
std::optional<T> ParseDecimalNumber(std::string_view text) {
    if (text.empty() || DecimalNumberLength(text) != text.size()) return std::nullopt;
    // from_chars takes a minus but not a plus.
    if (text.front() == '+') text.remove_prefix(1);
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

template std::optional<float> ParseDecimalNumber<float>(std::string_view);
template std::optional<double> ParseDecimalNumber<double>(std::string_view);

bool TakeGroupSeparator(std::string_view& text, std::string_view separator) {
    constexpr std::string_view kNoBreakSpace = "\xA0";
    for (const std::string_view mark : {separator, separator == kNoBreakSpace ? " " : separator}) {
        if (!mark.empty() && text.starts_with(mark)) {
            text.remove_prefix(mark.size());
            return true;
        }
    }
    return false;
}

std::optional<std::int16_t> RoundToInt16(double value) {
    constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
    // Out of reach before rounding also keeps the cast below defined.
    if (!std::isfinite(value) || value < kLowest - 1.0 || value > kHighest + 1.0) {
        return std::nullopt;
    }
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    if (whole < kLowest || whole > kHighest) return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

std::string FormatDecimalNumber(std::int16_t value) {
    std::array<char, 8> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string FormatDecimalNumber(float value) {
    if (value == 0.0f) return "0";
    if (!std::isfinite(value)) {
        std::array<char, 8> buffer{};
        return std::string(buffer.data(),
                           std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr);
    }
    const float magnitude = std::fabs(value);
    Decimal d = ToDecimal(magnitude, std::nullopt);
    if (d.digits.size() > kMaxSignificantDigits) {
        d = ToDecimal(magnitude, kMaxSignificantDigits - 1);
    }

    std::string out = value < 0 ? "-" : "";
    if (d.exponent < kMinFixedExponent || d.exponent > kMaxFixedExponent) {
        out += d.digits.front();
        if (d.digits.size() > 1) out += "." + d.digits.substr(1);
        const std::string power =
            FormatDecimalNumber(static_cast<std::int16_t>(std::abs(d.exponent)));
        return out + (d.exponent < 0 ? "e-" : "e+") + (power.size() < 2 ? "0" : "") + power;
    }
    if (d.exponent < 0) {
        return out + "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    }
    const auto wholeDigits = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= wholeDigits) {
        return out + d.digits + std::string(wholeDigits - d.digits.size(), '0');
    }
    return out + d.digits.substr(0, wholeDigits) + "." + d.digits.substr(wholeDigits);
}

}  // namespace pluvetta
