#include "channels/DecimalMultiply.h"
#include "channels/DecimalText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace velmora {
namespace {

TEST(DecimalMultiplyTest, GivesTheDecimalProduct) {
    struct Case {
        double a, b, expected;
    };
    const Case cases[] = {
        {136.0125, 100000, 13601250}, // 13601249.999999998 in binary arithmetic
        {438.0125, 100000, 43801250},
        {438.012509, 100000, 43801250.9},
        {2541, 0.1, 254.1},
        {670, 0.1, 67.0},
        {43801250, 0.00001, 438.0125},
        {14250000, 0.00001, 142.5},
        {-136.0125, 100000, -13601250},
        {0.0, 123.4, 0.0},
        {1.0 / 3.0, 3, 0.999999999999999},               // operand rounded to 15 digits first
        {123456789012.345, 1e-30, 1.23456789012345e-19}, // beyond the quick path
        {11, 88891087037340.9, 977801957410749.9},       // a product beyond 2^53: rounded once
        {1e300, 1e300, HUGE_VAL},
        {-1e-300, 1e-300, -0.0},
        {HUGE_VAL, 2, HUGE_VAL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecimalMultiply(c.a, c.b), c.expected) << c.a << " * " << c.b;
    }
}

TEST(DecimalTextTest, ParsesTheLeadingNumberLikeAtof) {
    struct Case {
        std::string_view text;
        double expected;
    };
    const Case cases[] = {
        // Only the view is read, never what follows it.
        {std::string_view("12345", 2), 12},
        {std::string_view("1.25", 3), 1.2},
        {std::string_view("1e23", 3), 100},
        {std::string_view("1e5", 1), 1},
        {"438.0125", 438.0125},
        {"  142.5MHz", 142.5},
        {"+7", 7},
        {"-.5", -0.5},
        {"5.", 5},
        {"1e2", 100},
        {"1E-2x", 0.01},
        {"1e", 1},
        {"1e+", 1},
        {"", 0},
        {"abc", 0},
        {".", 0},
        {"-", 0},
        {"0x1A", 0},
        {"inf", 0},
        {"nan", 0},
        {"1,5", 1},
        {"1e999", std::numeric_limits<double>::max()},
        {"1e-999", 0},
        {"0.000e999", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseLeadingDecimal(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(DecimalTextTest, FormatsLikePrintf) {
    const std::pair<double, const char*> fiveDecimals[] = {
        {438.0125, "438.01250"}, {438.012509, "438.01251"}, {0.0, "0.00000"}};
    for (auto [value, expected] : fiveDecimals) {
        EXPECT_EQ(FormatFixed(value, 5), expected);
    }
    const std::pair<double, const char*> oneDecimal[] = {
        {67.0, "67.0"}, {254.1, "254.1"}, {100.0, "100.0"}, {0.05, "0.1"}};
    for (auto [value, expected] : oneDecimal) {
        EXPECT_EQ(FormatFixed(value, 1), expected);
    }
    EXPECT_EQ(FormatFixed(5.0, 0), "  5"); // width 3
    EXPECT_EQ(FormatFixed(-1.0, 0), " -1");
    EXPECT_EQ(FormatFixed(5.0, -1), "  5");
    EXPECT_EQ(FormatFixed(0.5, 60), "0." + std::string(40, '0').replace(0, 1, "5"));
}

} // namespace
} // namespace velmora
