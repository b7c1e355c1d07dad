#include "base/QtTextCodec.h"
#include "base/StartupConfig.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(QtTextCodec, ConvertsBothWays) {
    const QtTextCodec codec;
    ASSERT_TRUE(codec.IsValid());
    EXPECT_EQ(codec.ToUtf8("\xB6\xD4\xBD\xB2\xBB\xFA A"), "对讲机 A");
    EXPECT_EQ(codec.FromUtf8("对讲机 A"), "\xB6\xD4\xBD\xB2\xBB\xFA A");
    // A lead byte without its trail byte never yields broken UTF-8.
    EXPECT_EQ(codec.ToUtf8("a\xB6"), "a\xEF\xBF\xBD");
}

TEST(QtTextCodec, ReadsTheGbkFixtureInUtf8) {
    const QtTextCodec codec;
    SetTextCodec(&codec);
    CIniFile probe;
    ASSERT_TRUE(probe.Load(VELMORA_TEST_DATA "/ini/Program-gbk.ini", false, true));
    ASSERT_EQ(probe.Encoding(), IniEncoding::Gbk);

    ASSERT_TRUE(LoadStartupConfig(VELMORA_TEST_DATA "/ini/Program-gbk.ini", std::nullopt));
    EXPECT_EQ(CurrentLanguage(), Language::Chinese);
    EXPECT_EQ(LanguageText("Company"), "Velmora 对讲机工具");
    EXPECT_EQ(LanguageText("About Title"), "关于 Velmora");
    EXPECT_EQ(LanguageText("Copyrights"), "版权所有 (C) 2026 Velmora 开发者");
    EXPECT_EQ(ConfigText("Setup", "Field1"), "136-174MHz|400-470MHz");
    EXPECT_TRUE(ShowLanguageCommand());
    g_iniFile.Clear(); // never write to the fixture
    SetTextCodec(nullptr);
}

} // namespace
} // namespace velmora
