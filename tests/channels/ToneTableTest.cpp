#include "channels/ToneTable.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ToneTableTest, Entries) {
    const auto english = BuildToneList(Language::English);
    const auto chinese = BuildToneList(Language::Chinese);
    ASSERT_EQ(english.size(), 261u);
    ASSERT_EQ(chinese.size(), 261u);
    const std::pair<int, const char*> entries[] = {
        {1, "67.0"},    {13, "100.0"},  {50, "254.1"},  {51, "D023N"},
        {155, "D754N"}, {156, "D023I"}, {260, "D754I"},
    };
    for (auto [index, text] : entries) {
        EXPECT_EQ(english[index], text);
    }
    EXPECT_EQ(english[0], "None");
    EXPECT_EQ(chinese[0], "无");
    EXPECT_TRUE(std::equal(english.begin() + 1, english.end(), chinese.begin() + 1));
}

TEST(ToneTableTest, SelectsTheFirstEntryBeginningWithTheText) {
    const std::vector<std::string> tones = BuildToneList(Language::English);
    const std::vector<std::string> power = {"High", "Middle", "Low"};
    struct Case {
        const std::vector<std::string>& items;
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {tones, "", 0},        {tones, "None", 0},    {tones, "67.0", 1},   {tones, "254.1", 50},
        {tones, "d023n", 51},  {tones, "D754I", 260}, {tones, "67.5", 0},   {tones, "1", 13},
        {tones, "D0", 51},     {power, "low", 2},     {power, "Middle", 1}, {power, "高", 0},
        {power, "Highest", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindListEntryByPrefix(c.items, c.text), c.expected) << c.text;
    }
    EXPECT_EQ(FindListEntryByPrefix({}, "x"), 0);
}

} // namespace
} // namespace velmora
