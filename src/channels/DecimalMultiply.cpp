#include "channels/DecimalMultiply.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace velmora {

namespace {

// A finite decimal: (negative ? -1 : 1) * mantissa * 10^exponent.
struct Decimal {
    std::uint64_t mantissa = 0;
    int exponent = 0;
    bool negative = false;
};

constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
constexpr std::uint64_t kLargestExactInteger = std::uint64_t{1} << 53;
constexpr double kFifteenDigits = 1e15;

void DropTrailingZeros(Decimal& d) {
    while (d.mantissa != 0 && d.mantissa % 10 == 0) {
        d.mantissa /= 10;
        ++d.exponent;
    }
}

// The double rounded to 15 significant digits.
//
// Quick path: a decimal m / 10^k with m below 10^15 whose nearest double is `value` is that
// rounding, because 15-digit decimals survive the trip through a double unchanged. Typed
// frequencies and tones, and the scale factors, are all found this way within a few tries
// (the division is exact in its operands and rounded once). Anything else is printed once in
// scientific notation, which rounds correctly.
Decimal ToDecimal(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude < kFifteenDigits) {
        for (int k = 0; k <= kMaxExactPower; ++k) {
            const double scaled = std::nearbyint(magnitude * kExactPowers[k]);
            if (scaled >= kFifteenDigits) {
                break;
            }
            if (scaled / kExactPowers[k] == magnitude) {
                d.mantissa = static_cast<std::uint64_t>(scaled);
                d.exponent = -k;
                DropTrailingZeros(d);
                return d;
            }
        }
    }
    char text[32];
    const auto printed =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14);
    // "d.dddddddddddddde±XX"
    const char* p = text;
    for (; p != printed.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            d.mantissa = d.mantissa * 10 + static_cast<unsigned>(*p - '0');
        }
    }
    int exponent = 0;
    if (p != printed.ptr) {
        ++p;
        const bool negativeExponent = *p == '-';
        std::from_chars(p + 1, printed.ptr, exponent);
        exponent = negativeExponent ? -exponent : exponent;
    }
    d.exponent = exponent - 14;
    DropTrailingZeros(d);
    return d;
}

} // namespace

double DecimalMultiply(double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return a * b;
    }
    const Decimal x = ToDecimal(a);
    const Decimal y = ToDecimal(b);
    if (x.mantissa == 0 || y.mantissa == 0) {
        return 0.0;
    }
    // Both mantissas are below 10^15, so the exact product stays below 10^30 < 2^128.
    unsigned __int128 product = static_cast<unsigned __int128>(x.mantissa) * y.mantissa;
    int exponent = x.exponent + y.exponent;
    const bool negative = x.negative != y.negative;

    // One correctly rounded IEEE operation on exact operands gives the nearest double.
    if (product <= kLargestExactInteger && exponent >= -kMaxExactPower &&
        exponent <= kMaxExactPower) {
        const double m = static_cast<double>(static_cast<std::uint64_t>(product));
        const double r = exponent >= 0 ? m * kExactPowers[exponent] : m / kExactPowers[-exponent];
        return negative ? -r : r;
    }

    // Otherwise write the exact product out and let the parser round it.
    char text[64];
    char* end = text + sizeof text;
    char* p = end;
    do {
        *--p = static_cast<char>('0' + static_cast<int>(product % 10));
        product /= 10;
    } while (product != 0);
    const std::size_t digits = static_cast<std::size_t>(end - p);
    char buffer[96];
    char* out = buffer;
    for (std::size_t i = 0; i < digits; ++i) {
        *out++ = p[i];
    }
    *out++ = 'e';
    out = std::to_chars(out, buffer + sizeof buffer, exponent).ptr;
    double result = 0.0;
    const auto parsed = std::from_chars(buffer, out, result);
    if (parsed.ec == std::errc::result_out_of_range) {
        result = exponent > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -result : result;
}

} // namespace velmora
