#pragma once

#include <cstdint>
#include <string_view>

namespace pluvetta {

// True when the text, after optional leading and trailing blanks, is an optional sign and
// digits with at most one decimal point ("5.", ".5" and "+.5" count; "", ".", "+", "1e3",
// "1,5" and "0x1" do not). Blanks are spaces.
bool ReadsAsNumber(std::string_view text);

// The number at the start of the text: leading blanks skipped, then an optional sign and the
// longest run of digits with at most one decimal point. 0 when there are no digits. Exact for
// texts of up to 15 digits, which is all the fixed-position fields hold.
double LeadingNumber(std::string_view text);

// The leading number rounded to the nearest integer, halves to the even neighbour, worked out
// on the decimal digits themselves so that any length is exact. kNoField when the rounded
// value lies outside -32768..32767.
std::int16_t LeadingNumberRounded(std::string_view text);

}  // namespace pluvetta
