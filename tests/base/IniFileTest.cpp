#include "base/IniFile.h"

#include "base/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace velmora {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

constexpr const char* kDefault = "<default>";

TEST(IniLookup, GivesTheStoredValue) {
    const struct {
        std::string file, section, key, expected;
        bool caseInsensitive = true;
    } cases[] = {
        // clang-format off
        {"[Setup]\r\nLanguage=English // x\r\n", "Setup", "Language", "English "}, // comment cut
        {"[S]\nLink=http://example.org\n", "S", "Link", "http:"},            // a web address too
        {"[S]\nK=a;b\n", "S", "K", "a;b"},           {"[S]\nK=a \t;b\n", "S", "K", "a "},
        {"[S]\nK=p/*q//r\n", "S", "K", "p"},         {"[S]\nK=b=c\n", "S", "K", "b=c"},
        {"[S]\nK=1\n[S]\nK=2\nJ=3\n", "S", "J", kDefault}, // only the first section is read
        {"[ Setup ]\nK=1\n", "Setup", "K", kDefault}, {"K=0\n[S]\nK=1\n", "", "K", "0"},
        {"K=0\n[]\nK=5\n", "", "K", "0"},            {"[S]\nK=a\rb\n", "S", "K", "a\rb"},
        {"[SETUP]\nLANGUAGE=x\n", "setup", "language", "x"}, {"[ZONE]\nZ=1\n", "zone", "z", "1"},
        {"[SETUP]\nLANGUAGE=x\n", "SETUP", "language", kDefault, false},
        {"\v[S]\f\r\n \t K \t=  v  v \f\v\r\n", "S", "K", "v  v"},
        {"[S] x\nK=1\n", "", "K", "1"},              // a header must close the line
        {std::string("[S]\nK=a\0b\n", 10), "S", "K", std::string("a\0b", 3)},
        // GBK: a trail byte that looks like a letter is half of a character, never folded.
        {"[\201A]\nK=1\n", "\201a", "K", kDefault},  {"[S]\n\260a=1\n", "S", "\260A", kDefault},
        {"[\201A]\nK=1\n", "\201A", "k", "1"},       {"[\201Ab]\nK=1\n", "\201AB", "K", "1"},
        // A final ']' that is the trail byte of a character does not close a header.
        {"[\201]\nK=1\n", "", "K", "1"},             {"[\201]]\nK=1\n", "\201]", "K", "1"},
        {"[\303\204]\nK=1\n", "\303\244", "K", kDefault}, // UTF-8 is not folded
        {"\357\273\277[S]\nK=1\n", "S", "K", "1"},        // nor is a BOM part of the first line
        // clang-format on
    };
    for (const auto& c : cases) {
        CIniFile ini;
        ASSERT_TRUE(ini.LoadFromBytes(c.file, "p", false, c.caseInsensitive));
        EXPECT_EQ(ini.GetValue(c.section, c.key, kDefault), c.expected) << c.file;
    }
}

TEST(IniWriteBack, WritesCanonicalText) {
    const std::pair<std::string, std::string> cases[] = {
        // clang-format off
        {"; top\n\nK = v // c\n[S]\nword\n=x\n  ;y=1\nA=1\nA=2\n[S]\nB=3\n",
         "K=v // c\r\n[S]\r\nword=\r\nA=1\r\nA=2\r\n[S]\r\nB=3\r\n"},
        {"[S]\n;K=1\n/K=1\n\\K=1\n*K=1\n=v\n#K=1\n", "[S]\r\n#K=1\r\n"}, // comment lines dropped
        // A later "[]" keeps its header so its keys do not join the section before it.
        {"[S]\nA=1\n[]\nK=1\n", "[S]\r\nA=1\r\n[]\r\nK=1\r\n"},
        {"\357\273\277[S]\nK=1\n", "\357\273\277[S]\r\nK=1\r\n"}, {"", ""},
        {"[\326\320]\r\nK=\316\304 a\r\n", "[\326\320]\r\nK=\316\304 a\r\n"},
        // clang-format on
    };
    for (const auto& [file, written] : cases) {
        CIniFile ini;
        ASSERT_TRUE(ini.LoadFromBytes(file, "/nonexistent/Program.ini", false, true));
        EXPECT_EQ(ini.ToBytes(), written);
    }
}

TEST(IniEncoding, DetectsUtf8OrGbk) {
    CIniFile ini;
    ini.LoadFromBytes("K=对讲机\n", "p", false, true);
    EXPECT_EQ(ini.Encoding(), IniEncoding::Utf8);
    ini.LoadFromBytes("K=\xB6\xD4\xBD\xB2\xBB\xFA\n", "p", false, true);
    EXPECT_EQ(ini.Encoding(), IniEncoding::Gbk);
    // The first and last of each length; overlong forms, surrogates, code points past
    // U+10FFFF, stray and cut sequences are no UTF-8.
    const std::pair<std::string_view, bool> cases[] = {
        // clang-format off
        {"\xC2\x80", true},  {"\xDF\xBF", true},  {"\xE0\xA0\x80", true}, {"\xEF\xBF\xBF", true},
        {"\xED\x9F\xBF", true}, {"\xF0\x90\x80\x80", true}, {"\xF4\x8F\xBF\xBF", true},
        {"\xC0\xAF", false}, {"\xC1\xBF", false}, {"\xE0\x9F\xBF", false}, {"\xED\xA0\x80", false},
        {"\xF0\x8F\xBF\xBF", false}, {"\xF4\x90\x80\x80", false}, {"\xF5\x80\x80\x80", false},
        {"\x80", false}, {"\xC3\xC0", false}, {"\xE5\xAF\x41", false}, {"\xF0\x90\x80\xC0", false},
        {std::string_view("\xE5\xAF\xBF", 2), false}, {std::string_view("A\xE5\xAF\xBF", 3), false},
        // clang-format on
    };
    for (const auto& [bytes, valid] : cases) {
        EXPECT_EQ(IsValidUtf8(bytes), valid) << bytes;
    }
}

TEST(IniSetValue, ChangesAppendsAndRefusesLineBreaks) {
    CIniFile ini;
    ini.LoadFromBytes("[Setup]\nLanguage=English\nK=1\nK=2\n[Setup]\nK=9\n", "p", false, true);
    // Refused with a line break that would make a line of its own.
    EXPECT_FALSE(ini.SetValue("Setup", "K", "v\r\n[Evil]"));
    EXPECT_FALSE(ini.SetValue("S\n", "K", "v"));
    EXPECT_FALSE(ini.IsModified());
    EXPECT_TRUE(ini.SetValue("setup", "language", "ENGLISH"));
    EXPECT_FALSE(ini.IsModified()); // a case-only change is not worth writing
    ini.SetValue("Setup", "K", "2");
    EXPECT_FALSE(ini.IsModified());
    ini.SetValue("Setup", "K", "3"); // the later duplicate
    EXPECT_TRUE(ini.IsModified());
    ini.SetValue("Setup", "New", "n");
    ini.SetValue("Other", "X", "x");
    EXPECT_EQ(ini.ToBytes(), "[Setup]\r\nLanguage=ENGLISH\r\nK=1\r\nK=3\r\nNew=n\r\n[Setup]\r\nK="
                             "9\r\n[Other]\r\nX=x\r\n");
}

// A missing file is created and written when the object goes; an unchanged one is never
// rewritten; a failed save keeps the change pending; what cannot be read gives defaults, takes
// no value and is never written over.
TEST(IniFileOnDisk, WrittenOnlyWhenChangedAndNeverOverWhatItCannotRead) {
    TempFolder folder;
    const std::string path = folder.File("Program.ini");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Load(path, true, true));
        EXPECT_TRUE(std::filesystem::exists(path));
        ini.SetValue("Setup", "Language", "Chinese");
    }
    EXPECT_EQ(ReadAll(path), "[Setup]\r\nLanguage=Chinese\r\n");
    // No line break after the last value: it is read to its last letter.
    WriteAll(path, "; comment\n[Setup]\nLanguage=English");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Open("Program.ini", true, true, folder.File("velmora")));
        EXPECT_EQ(ini.Path(), path);
        EXPECT_EQ(ini.GetValue("Setup", "Language", ""), "English");
        ini.SetValue("Setup", "Language", "english");
        EXPECT_TRUE(ini.Save());
    }
    EXPECT_EQ(ReadAll(path), "; comment\n[Setup]\nLanguage=English");

    WriteAll(folder.File("plain"), "x"); // a file where a folder should be
    CIniFile unsaved;
    ASSERT_TRUE(unsaved.LoadFromBytes("K=1\n", folder.File("plain/Program.ini"), false, true));
    unsaved.SetValue("", "K", "2");
    EXPECT_FALSE(unsaved.Save());
    EXPECT_TRUE(unsaved.IsModified());

    const std::string huge = folder.File("huge.ini");
    WriteAll(huge, "[S]\nK=1\n");
    std::filesystem::resize_file(huge, CIniFile::kMaxFileBytes + 1);
    for (const std::string& unreadable :
         {huge, folder.File(""), folder.File("plain/Program.ini")}) {
        CIniFile ini;
        EXPECT_FALSE(ini.Load(unreadable, true, true)) << unreadable;
        EXPECT_EQ(ini.Path(), "");
        EXPECT_EQ(ini.GetValue("S", "K", "d"), "d");
        EXPECT_FALSE(ini.SetValue("S", "K", "2"));
    }
    EXPECT_EQ(std::filesystem::file_size(huge), CIniFile::kMaxFileBytes + 1);
    EXPECT_EQ(ReadAll(folder.File("plain")), "x");

    // A GBK file changed and changed back is written byte for byte as it was.
    const std::string original = ReadAll(VELMORA_TEST_DATA "/ini/Program-gbk.ini");
    ASSERT_FALSE(original.empty());
    WriteAll(path, original);
    CIniFile gbk;
    ASSERT_TRUE(gbk.Load(path, false, true));
    gbk.SetValue("Setup", "Language", "English");
    gbk.SetValue("Setup", "Language", "Chinese");
    ASSERT_TRUE(gbk.Save());
    EXPECT_FALSE(gbk.IsModified());
    EXPECT_EQ(ReadAll(path), original);
}

TEST(IniLargeInput, ManySectionsLongLinesAndBinaryBytesStillWork) {
    std::string text;
    const int sections = 60000;
    for (int i = 0; i < sections; ++i) {
        text += "[S" + std::to_string(i) + "]\nK=" + std::to_string(i) + "\n";
    }
    const std::string longValue(4 * 1024 * 1024, 'v');
    text += "Long=" + longValue + "\n";
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromBytes(text, "p", false, true));
    EXPECT_EQ(ini.SectionCount(), static_cast<std::size_t>(sections) + 1);
    for (int i = 0; i < sections; i += 997) {
        const std::string number = std::to_string(i);
        EXPECT_EQ(ini.GetValue(std::string("s").append(number), "k", ""), number);
    }
    EXPECT_EQ(ini.GetValue("S59999", "Long", "").size(), longValue.size());
    std::string bytes;
    for (int i = 0; i < 200000; ++i) {
        bytes += static_cast<char>((i * 7919) & 0xFF);
    }
    ASSERT_TRUE(ini.LoadFromBytes(bytes + "\n[Setup]\nK=1\n", "p", false, true));
    EXPECT_EQ(ini.GetValue("Setup", "K", ""), "1");
    EXPECT_TRUE(ini.SetValue("Setup", "K", "2"));
    EXPECT_EQ(ini.GetValue("Setup", "K", ""), "2");
}

} // namespace
} // namespace velmora
