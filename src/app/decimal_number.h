#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pluvetta {

// Numbers typed on the command line and kept in the alarms file are always written with a
// point, whatever the user's locale; these helpers read and write them without ever
// consulting it.

// Length of the decimal number at the start of `text`: an optional sign, digits with an optional
// point and fraction (one digit at least), an optional exponent. 0 when the text starts with none.
std::size_t DecimalNumberLength(std::string_view text);

// The value of `text` when all of it is one decimal number as above and it fits a T (float or
// double); nullopt otherwise, also for values too large or too small for T.
template <typename T>
std::optional<T> ParseDecimalNumber(std::string_view text);

// `value` rounded to the nearest whole number, an exact half to the even neighbour; nullopt
// when the result does not fit a 16-bit signed integer or the value is not finite.
std::optional<std::int16_t> RoundToInt16(double value);

// A whole number in plain decimal digits: -5, 96.
std::string FormatDecimalNumber(std::int16_t value);

// The shortest form that reads back to the value, cut to at most seven significant digits,
// with a point and no exponent for ordinary magnitudes (-5, 1040, 12.5, 0.00001) and an
// exponent beyond them (1e-06, 1.5e+20).
std::string FormatDecimalNumber(float value);

// Takes the locale's group separator off the front of `text`. Where it is a no-break space
// (0xA0), an ordinary space does too: that is what a user types for the one a box shows.
bool TakeGroupSeparator(std::string_view& text, std::string_view separator);

}  // namespace pluvetta
