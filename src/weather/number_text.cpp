#include "weather/number_text.h"

#include <cstddef>
#include <numeric>

#include "weather/weather_reading.h"

namespace pluvetta {
namespace {

constexpr char kBlank = ' ';
// More fraction digits than this cannot change a double; ignoring them keeps 10^n finite.
constexpr std::size_t kMaxFractionDigits = 18;
// A magnitude with more integer digits than this is out of 16-bit range whatever follows.
constexpr std::size_t kMaxInt16Digits = 5;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The pieces of the number at the start of a text: sign, the digits before and after the
// point, and where the number ends.
struct NumberSpan {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
    std::size_t end = 0;

    bool HasDigits() const { return !whole.empty() || !fraction.empty(); }
};

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

NumberSpan ScanLeadingNumber(std::string_view text) {
    NumberSpan span;
    std::size_t at = 0;
    while (at < text.size() && text[at] == kBlank) ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        span.negative = text[at] == '-';
        ++at;
    }
    const std::size_t wholeStart = at;
    at = SkipDigits(text, at);
    span.whole = text.substr(wholeStart, at - wholeStart);
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionStart = at + 1;
        at = SkipDigits(text, fractionStart);
        span.fraction = text.substr(fractionStart, at - fractionStart);
    }
    span.end = at;
    return span;
}

}  // namespace

bool ReadsAsNumber(std::string_view text) {
    const NumberSpan span = ScanLeadingNumber(text);
    if (!span.HasDigits()) return false;
    for (std::size_t at = span.end; at < text.size(); ++at) {
        if (text[at] != kBlank) return false;
    }
    return true;
}

// The value of a run of decimal digits, in T.
template <typename T>
T DigitsValue(std::string_view digits) {
    return std::accumulate(digits.begin(), digits.end(), T{0},
                           [](T value, char c) { return value * 10 + (c - '0'); });
}

double LeadingNumber(std::string_view text) {
    const NumberSpan span = ScanLeadingNumber(text);
    double mantissa = DigitsValue<double>(span.whole);
    double scale = 1.0;
    const std::string_view fraction = span.fraction.substr(0, kMaxFractionDigits);
    for (char c : fraction) {
        mantissa = mantissa * 10.0 + (c - '0');
        scale *= 10.0;
    }
    // Both are whole numbers held exactly for short texts, so one division rounds once.
    const double value = mantissa / scale;
    return span.negative ? -value : value;
}

std::int16_t LeadingNumberRounded(std::string_view text) {
    const NumberSpan span = ScanLeadingNumber(text);
    std::string_view whole = span.whole;
    while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
    if (whole.size() > kMaxInt16Digits) return kNoField;

    std::int32_t magnitude = DigitsValue<std::int32_t>(whole);

    if (!span.fraction.empty()) {
        const int first = span.fraction.front() - '0';
        const bool beyondHalf = span.fraction.find_first_not_of('0', 1) != std::string_view::npos;
        const bool exactHalf = first == 5 && !beyondHalf;
        if (first > 5 || (first == 5 && beyondHalf) || (exactHalf && magnitude % 2 == 1)) {
            ++magnitude;
        }
    }

    const std::int32_t value = span.negative ? -magnitude : magnitude;
    if (value < INT16_MIN || value > INT16_MAX) return kNoField;
    return static_cast<std::int16_t>(value);
}

}  // namespace pluvetta
