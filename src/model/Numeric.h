#pragma once
// The number conventions every procedure shares: rounding halves to even, parsing typed text,
// and the display formats.
#include <string>
#include <string_view>

namespace magmo {

// Round to the nearest integer, halves to even; throws SimError("Overflow") outside 16 bits.
int cint(double v);
// Integer part: rounds down (toward minus infinity).
int intPart(double v);
// Value of the longest leading part of the text that reads as a number; 0 for none.
float numVal(std::string_view text);
// Leading numeric value of the text, as a parser of typed input: blanks skipped, 0 for none.
double val(std::string_view text);
// Format with one of the patterns "0", "0.0", "0.00", "0.000", "0,000", "0,000.0",
// "0,000,000.0", "0%"; an empty pattern gives the general number format.
std::string format(double v, std::string_view pattern);
// General number format of a single-precision value (shortest text that reads back exactly).
std::string generalNumber(double v);

}  // namespace magmo
