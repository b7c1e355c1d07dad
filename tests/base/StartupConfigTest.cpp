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

// The language, its help file and the flag the old code reads are set together; the Language
// command shows when ShowLang reads as a number other than 0.
TEST(StartupConfig, SetsTheLanguageGlobalsTogetherAndFollowsShowLang) {
    constexpr auto en = Language::English, zh = Language::Chinese;
    const struct {
        std::string file; // empty: no file at all
        std::optional<Language> forced;
        Language expected;
        bool languageCommand;
    } cases[] = {
        // clang-format off
        {"[Setup]\nLanguage = Chinese\nShowLang=1\n", std::nullopt, zh, true},
        {"[SETUP]\nlanguage=Chinese\nShowLang=0x1\n", std::nullopt, zh, false}, // names in any case,
        {"[Setup]\nLanguage=chinese\nShowLang=0\n", std::nullopt, en, false},   // the value exactly
        {"[Setup]\nLanguage=Chinese // zh\nShowLang=2 // x\n", std::nullopt, en, true}, // a comment
        {"[Setup]\nLanguage=Chinese\n", en, en, false}, {"", zh, zh, false},   // leaves a blank
        // clang-format on
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.File("Program.ini");
        if (!c.file.empty()) {
            WriteAll(path, c.file);
        }
        EXPECT_TRUE(LoadStartupConfig(path, c.forced));
        EXPECT_EQ(CurrentLanguage(), c.expected) << c.file;
        EXPECT_EQ(g_bChinese, c.expected == zh ? 1 : 0);
        EXPECT_EQ(g_strLanguage, c.expected == zh ? "Chinese" : "English");
        EXPECT_EQ(g_strHelpFile, c.expected == zh ? "chHelp.chm" : "enHelp.chm");
        EXPECT_EQ(ShowLanguageCommand(), c.languageCommand) << c.file;
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

// Marks its conversions so that the tests see which way a text went.
class MarkingCodec : public TextCodec {
public:
    std::string ToUtf8(std::string_view gbk) const override {
        return "u(" + std::string(gbk) + ")";
    }
    // Names arrive in UTF-8 and are ASCII here, which GBK holds unchanged.
    std::string FromUtf8(std::string_view utf8) const override { return std::string(utf8); }
};

TEST(ConfigText, ConvertsOnlyGbkFiles) {
    const MarkingCodec codec;
    SetStartupLanguage(Language::Chinese);
    g_iniFile.LoadFromBytes("[Setup]\nAppName=VR\n[Chinese]\nCompany=\xB6\xD4\n", "", false, true);
    SetTextCodec(nullptr);
    EXPECT_EQ(LanguageText("Company"), "\xB6\xD4");
    SetTextCodec(&codec);
    EXPECT_EQ(LanguageText("company"), "u(\xB6\xD4)");
    EXPECT_EQ(ConfigText("Setup", "AppName"), "u(VR)");
    EXPECT_EQ(ConfigText("Setup", "Missing"), "");

    g_iniFile.LoadFromBytes("[Setup]\nAppName=VR\n[Chinese]\nCompany=对\n", "", false, true);
    EXPECT_EQ(LanguageText("Company"), "对");
    SetTextCodec(nullptr);
    SetStartupLanguage(Language::English);
    EXPECT_EQ(LanguageText("Company"), "");
    g_iniFile.Clear();
}

} // namespace
} // namespace velmora
