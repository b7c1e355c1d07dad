// Products of frequencies and tones with their scale factors, free of binary rounding error.
#pragma once

namespace velmora {

// a * b as a decimal calculator would give it: each operand is taken as the decimal number it
// stands for, rounded to 15 significant digits (so 136.0125 is 136.0125 and not the binary
// value just below it), the two are multiplied exactly and the product is returned as the
// nearest double. 136.0125 * 100000 is 13601250 exactly; 2541 * 0.1 is 254.1.
// Every scaling between a frequency or tone text and its stored integer goes through here, so
// that truncating the product never loses a digit the user typed.
double DecimalMultiply(double a, double b);

} // namespace velmora
