#include "app/decimal_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace pluvetta {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos;
}

bool IsSign(char c) { return c == '+' || c == '-'; }

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

}  // namespace pluvetta
