#pragma once

#include <string>

namespace pluvetta {

// The user's way of writing numbers, taken from the desktop's locale by the shell. Texts are
// Latin-1 bytes like everything else in the core.
struct NumberFormat {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
    std::string minusSign = "-";
};

// The value rounded to `decimals` places, with a digit before the separator and the locale's
// decimal separator, digit grouping and minus sign. A value that rounds to zero has no minus.
std::string FormatFixed(double value, int decimals, const NumberFormat& format);
// The same text added to the end of `text`.
void AppendFixed(std::string& text, double value, int decimals, const NumberFormat& format);

}  // namespace pluvetta
