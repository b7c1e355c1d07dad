// Decimal numbers in cell texts, read and written the same way whatever the process locale is
// (a Chinese or German desktop must not turn 438.01250 into 438,01250).
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// The number at the start of text, read as the C library's atof reads it in the C locale:
// leading blanks, an optional sign, digits with an optional '.', an optional exponent.
// Whatever follows is ignored; a text with no number in front gives 0. Hexadecimal, "inf" and
// "nan" are not numbers here, and a value too large for a double gives the largest double.
double ParseLeadingDecimal(std::string_view text);

// The value with exactly `decimals` digits after the point, right-aligned in a field of at
// least three characters: the "%3.5f" and "%3.1f" texts of the grid, with a '.' always.
std::string FormatFixed(double value, int decimals);

} // namespace velmora
