#include "base/StartupConfig.h"

#include "base/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace velmora {
namespace {

using test::TempFolder;
using test::WriteAll;

// The language, its help file and the flag the old code reads are set together.
TEST(StartupLanguage, SetsAllThreeGlobalsTogether) {
    constexpr auto en = Language::English, zh = Language::Chinese;
    const struct {
        std::string file; // empty: no file at all
        std::optional<Language> forced;
        Language expected;
    } cases[] = {
        // clang-format off
        {"[Setup]\nLanguage = Chinese\n", std::nullopt, zh},
        {"[SETUP]\nlanguage=Chinese\n", std::nullopt, zh}, // names in any case,
        {"[Setup]\nLanguage=chinese\n", std::nullopt, en}, // the value exactly
        {"[Setup]\nLanguage=Chinese // zh\n", std::nullopt, en}, // a comment leaves a blank
        {"[Setup]\nLanguage=English\n", std::nullopt, en}, {"", std::nullopt, en},
        {"[Setup]\nLanguage=Chinese\n", en, en},           {"", zh, zh},
        // clang-format on
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.File("Program.ini");
        if (!c.file.empty()) {
            WriteAll(path, c.file);
        }
        EXPECT_TRUE(LoadStartupConfig(path, c.forced));
        const bool chinese = c.expected == Language::Chinese;
        EXPECT_EQ(CurrentLanguage(), c.expected) << c.file;
        EXPECT_EQ(g_bChinese, chinese ? 1 : 0);
        EXPECT_EQ(g_strLanguage, chinese ? "Chinese" : "English");
        EXPECT_EQ(g_strHelpFile, chinese ? "chHelp.chm" : "enHelp.chm");
        g_iniFile.Clear(); // the folder goes away; nothing is to be written there
    }
}

TEST(LeadingDecimal, ReadsLikeAtoiWithoutOverflow) {
    const std::pair<std::string_view, int> cases[] = {
        // clang-format off
        {"", 0},   {"0", 0},   {"1", 1},   {"0x1", 0}, {"12abc", 12}, {" \t7", 7}, {"\r7", 7},
        {"+5", 5}, {"-3", -3}, {"abc", 0}, {"-", 0},  {"09", 9},  {"2147483647", INT_MAX},
        {"99999999999999999999", INT_MAX}, {"-2147483648", INT_MIN},
        {"-99999999999999999999", INT_MIN},
        // clang-format on
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(LeadingDecimal(text), expected) << text;
    }
}

TEST(ShowLanguageCommand, FollowsShowLang) {
    const struct {
        std::string file;
        bool shown;
    } cases[] = {
        {"[Setup]\nAppName=x\n", false},       {"[Setup]\nShowLang=1\n", true},
        {"[Setup]\nShowLang=0x1\n", false},    {"[Setup]\nShowLang=0\n", false},
        {"[Setup]\nShowLang=2 // on\n", true},
    };
    for (const auto& c : cases) {
        g_iniFile.LoadFromBytes(c.file, "", false, true);
        EXPECT_EQ(ShowLanguageCommand(), c.shown) << c.file;
    }
    g_iniFile.Clear();
}

// Marks its conversions so that the tests see which way a text went.
class MarkingCodec : public TextCodec {
public:
    std::string ToUtf8(std::string_view gbk) const override {
        return "u(" + std::string(gbk) + ")";
    }
    std::string FromUtf8(std::string_view utf8) const override {
        // Names arrive in UTF-8 and are ASCII here, which GBK holds unchanged.
        return std::string(utf8);
    }
};

TEST(ConfigText, ConvertsOnlyGbkFiles) {
    const MarkingCodec codec;
    const std::string gbk = "[Setup]\nAppName=VR\n[Chinese]\nCompany=\xB6\xD4\n";
    const std::string utf8 = "[Setup]\nAppName=VR\n[Chinese]\nCompany=对\n";
    SetStartupLanguage(Language::Chinese);

    g_iniFile.LoadFromBytes(gbk, "", false, true);
    SetTextCodec(nullptr);
    EXPECT_EQ(LanguageText("Company"), "\xB6\xD4");
    SetTextCodec(&codec);
    EXPECT_EQ(LanguageText("company"), "u(\xB6\xD4)");
    EXPECT_EQ(ConfigText("Setup", "AppName"), "u(VR)");
    EXPECT_EQ(ConfigText("Setup", "Missing"), "");

    g_iniFile.LoadFromBytes(utf8, "", false, true);
    EXPECT_EQ(LanguageText("Company"), "对");
    SetTextCodec(nullptr);
    SetStartupLanguage(Language::English);
    EXPECT_EQ(LanguageText("Company"), "");
    g_iniFile.Clear();
}

} // namespace
} // namespace velmora
