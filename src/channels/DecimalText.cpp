#include "channels/DecimalText.h"

#include "base/TextChars.h"

#include <charconv>
#include <limits>

namespace velmora {

double ParseLeadingDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t mantissaDigits = 0;
    // Digits before the point that are not leading zeros: tells overflow from underflow.
    long long magnitude = 0;
    bool seenNonZero = false;
    while (i < text.size() && IsDigit(text[i])) {
        seenNonZero = seenNonZero || text[i] != '0';
        magnitude += seenNonZero ? 1 : 0;
        ++i;
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            if (!seenNonZero) {
                seenNonZero = text[i] != '0';
                magnitude -= seenNonZero ? 0 : 1;
            }
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return 0.0;
    }
    std::size_t end = i;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                if (exponent < 1000000) {
                    exponent = exponent * 10 + (text[j] - '0');
                }
                ++j;
            }
            exponent = negativeExponent ? -exponent : exponent;
            end = j;
        }
    }
    double value = 0.0;
    const auto parsed =
        std::from_chars(text.data() + start, text.data() + end, value, std::chars_format::general);
    if (parsed.ec == std::errc::result_out_of_range) {
        value = seenNonZero && magnitude + exponent > 0 ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

std::string FormatFixed(double value, int decimals) {
    // The largest double has 309 integer digits; no cell shows more than a few decimals.
    constexpr int kMostDecimals = 40;
    decimals = decimals < 0 ? 0 : (decimals > kMostDecimals ? kMostDecimals : decimals);
    char text[400];
    const auto printed =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (printed.ec != std::errc{}) {
        return {};
    }
    std::string result(text, printed.ptr);
    constexpr std::size_t kWidth = 3;
    if (result.size() < kWidth) {
        result.insert(0, kWidth - result.size(), ' ');
    }
    return result;
}

} // namespace velmora
