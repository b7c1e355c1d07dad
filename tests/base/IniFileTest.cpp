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

struct LookupCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::string expected;
    bool caseInsensitive = true;
};

class IniLookup : public testing::TestWithParam<LookupCase> {};

TEST_P(IniLookup, GivesTheStoredValue) {
    const LookupCase& c = GetParam();
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromBytes(c.file, "/nonexistent/Program.ini", false, c.caseInsensitive));
    EXPECT_EQ(ini.GetValue(c.section, c.key, kDefault), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniLookup,
    testing::Values(
        LookupCase{"CommentLeavesBlank", "[Setup]\r\nLanguage=English // x\r\n", "Setup",
                   "Language", "English "},
        LookupCase{"WebAddressCut", "[S]\nLink=http://example.org\n", "S", "Link", "http:"},
        LookupCase{"SemicolonStays", "[S]\nK=a;b\n", "S", "K", "a;b"},
        LookupCase{"TabSemicolonCuts", "[S]\nK=a \t;b\n", "S", "K", "a "},
        LookupCase{"EarliestMarkerCuts", "[S]\nK=p/*q//r\n", "S", "K", "p"},
        LookupCase{"FurtherEqualsInValue", "[S]\nK=b=c\n", "S", "K", "b=c"},
        LookupCase{"LastKeyWins", "[S]\nK=1\nK=2\n", "S", "K", "2"},
        LookupCase{"FirstSectionOnly", "[S]\nK=1\n[S]\nK=2\nJ=3\n", "S", "J", kDefault},
        LookupCase{"BlanksInHeaderMiss", "[ Setup ]\nK=1\n", "Setup", "K", kDefault},
        LookupCase{"BlanksInHeaderAreName", "[ Setup ]\nK=1\n", " Setup ", "K", "1"},
        LookupCase{"NamelessSection", "K=0\n[S]\nK=1\n", "", "K", "0"},
        LookupCase{"EmptyHeaderUnreachable", "K=0\n[]\nK=5\n", "", "K", "0"},
        LookupCase{"IgnoresCase", "[SETUP]\nLANGUAGE=x\n", "setup", "language", "x"},
        LookupCase{"ExactCase", "[SETUP]\nLANGUAGE=x\n", "SETUP", "language", kDefault, false},
        LookupCase{"BareWordIsEmptyValue", "[S]\nWord\n", "S", "Word", ""},
        LookupCase{"HashIsAKey", "[S]\n#K=1\n", "S", "#K", "1"},
        LookupCase{"TrimsEveryBlank", "\v[S]\f\r\n \t K \t=  v  v \f\v\r\n", "S", "K", "v  v"},
        LookupCase{"HeaderNeedsClosingLast", "[S] x\nK=1\n", "", "K", "1"},
        LookupCase{"LoneCrStaysInLine", "[S]\nK=a\rb\n", "S", "K", "a\rb"},
        LookupCase{"NoFinalLineEnd", "[S]\nK=1", "S", "K", "1"},
        LookupCase{"EmptyFile", "", "", "", kDefault},
        LookupCase{"NulBytesKept", std::string("[S]\nK=a\0b\n", 10), "S", "K",
                   std::string("a\0b", 3)},
        // GBK: a trail byte that looks like a letter is half of a character, never folded.
        LookupCase{"GbkTrailLetterSection",
                   "[\x81"
                   "A]\nK=1\n",
                   "\x81"
                   "a",
                   "K", kDefault},
        LookupCase{"GbkTrailLetterKey",
                   "[S]\n\xB0"
                   "a=1\n",
                   "S",
                   "\xB0"
                   "A",
                   kDefault},
        LookupCase{"GbkSameCharacter",
                   "[\x81"
                   "A]\nK=1\n",
                   "\x81"
                   "A",
                   "k", "1"},
        LookupCase{"GbkLetterAfterPairFolds",
                   "[\x81"
                   "Ab]\nK=1\n",
                   "\x81"
                   "AB",
                   "K", "1"},
        // A final ']' that is the trail byte of a character does not close a header.
        LookupCase{"GbkTrailBracketNoHeader", "[\x81]\nK=1\n", "", "K", "1"},
        LookupCase{"GbkTrailBracketThenBracket", "[\x81]]\nK=1\n", "\x81]", "K", "1"},
        LookupCase{"Utf8NotFolded", "[\xC3\x84]\nK=1\n", "\xC3\xA4", "K", kDefault},
        LookupCase{"BomNotInFirstLine", "\xEF\xBB\xBF[S]\nK=1\n", "S", "K", "1"}),
    [](const testing::TestParamInfo<LookupCase>& info) { return info.param.name; });

struct WriteCase {
    const char* name;
    std::string file;
    std::string written;
};

class IniWriteBack : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteBack, WritesCanonicalText) {
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromBytes(GetParam().file, "/nonexistent/Program.ini", false, true));
    EXPECT_EQ(ini.ToBytes(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWriteBack,
    testing::Values(WriteCase{"DropsCommentsAndSpacing",
                              "; top\n\nK = v // c\n[S]\nword\n=x\n  ;y=1\nA=1\nA=2\n[S]\nB=3\n",
                              "K=v // c\r\n[S]\r\nword=\r\nA=1\r\nA=2\r\n[S]\r\nB=3\r\n"},
                    // A later "[]" keeps its header so its keys do not join the section before it.
                    WriteCase{"CommentLinesDropped", "[S]\n;K=1\n/K=1\n\\K=1\n*K=1\n=v\n#K=1\n",
                              "[S]\r\n#K=1\r\n"},
                    WriteCase{"EmptyHeaderKept", "[S]\nA=1\n[]\nK=1\n",
                              "[S]\r\nA=1\r\n[]\r\nK=1\r\n"},
                    WriteCase{"KeepsBom", "\xEF\xBB\xBF[S]\nK=1\n", "\xEF\xBB\xBF[S]\r\nK=1\r\n"},
                    WriteCase{"EmptyStaysEmpty", "", ""},
                    WriteCase{"Utf8ByteExact", "[Chinese]\r\nCompany=对讲机\r\n",
                              "[Chinese]\r\nCompany=对讲机\r\n"},
                    WriteCase{"GbkByteExact", "[\xD6\xD0]\r\nK=\xCE\xC4 a\r\n",
                              "[\xD6\xD0]\r\nK=\xCE\xC4 a\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

TEST(IniEncoding, DetectsUtf8OrGbk) {
    CIniFile ini;
    ini.LoadFromBytes("[S]\nK=v\n", "p", false, true);
    EXPECT_EQ(ini.Encoding(), IniEncoding::Utf8);
    ini.LoadFromBytes("K=对讲机\n", "p", false, true);
    EXPECT_EQ(ini.Encoding(), IniEncoding::Utf8);
    ini.LoadFromBytes("K=\xB6\xD4\xBD\xB2\xBB\xFA\n", "p", false, true);
    EXPECT_EQ(ini.Encoding(), IniEncoding::Gbk);
    // Overlong forms, surrogates and cut sequences are no UTF-8.
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE5\xAF"}) {
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
    }
}

TEST(IniSetValue, ChangesAndAppends) {
    CIniFile ini;
    ini.LoadFromBytes("[Setup]\nLanguage=English\nK=1\nK=2\n[Setup]\nK=9\n", "p", false, true);
    EXPECT_TRUE(ini.SetValue("setup", "language", "ENGLISH"));
    EXPECT_FALSE(ini.IsModified()); // a case-only change is not worth writing
    EXPECT_EQ(ini.GetValue("Setup", "Language", ""), "ENGLISH");
    ini.SetValue("Setup", "K", "2");
    EXPECT_FALSE(ini.IsModified());
    ini.SetValue("Setup", "K", "3"); // the later duplicate
    EXPECT_TRUE(ini.IsModified());
    ini.SetValue("Setup", "New", "n");
    ini.SetValue("Other", "X", "x");
    EXPECT_EQ(ini.ToBytes(), "[Setup]\r\nLanguage=ENGLISH\r\nK=1\r\nK=3\r\nNew=n\r\n[Setup]\r\nK="
                             "9\r\n[Other]\r\nX=x\r\n");
}

TEST(IniSetValue, RefusedWithoutFileOrWithLineBreak) {
    CIniFile empty;
    EXPECT_FALSE(empty.SetValue("S", "K", "v"));
    EXPECT_FALSE(empty.IsModified());
    EXPECT_EQ(empty.GetValue("S", "K", "d"), "d");

    CIniFile ini;
    ini.LoadFromBytes("", "p", false, true);
    EXPECT_FALSE(ini.SetValue("S", "K", "v\r\n[Evil]"));
    EXPECT_FALSE(ini.SetValue("S\n", "K", "v"));
    EXPECT_FALSE(ini.IsModified());
    EXPECT_EQ(ini.ToBytes(), "");
}

TEST(IniFileOnDisk, MissingFileIsCreatedAndWrittenOnClose) {
    TempFolder folder;
    const std::string path = folder.File("Program.ini");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Load(path, true, true));
        EXPECT_TRUE(std::filesystem::exists(path));
        EXPECT_EQ(ini.GetValue("Setup", "Language", "d"), "d");
        ini.SetValue("Setup", "Language", "Chinese");
    }
    EXPECT_EQ(ReadAll(path), "[Setup]\r\nLanguage=Chinese\r\n");
}

TEST(IniFileOnDisk, UnchangedFileIsNotRewritten) {
    TempFolder folder;
    const std::string path = folder.File("Program.ini");
    WriteAll(path, "; comment\n[Setup]\nLanguage=English\n");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Load(path, true, true));
        ini.SetValue("Setup", "Language", "english");
        EXPECT_TRUE(ini.Save());
    }
    EXPECT_EQ(ReadAll(path), "; comment\n[Setup]\nLanguage=English\n");
}

TEST(IniFileOnDisk, FailedSaveKeepsChangePending) {
    TempFolder folder;
    WriteAll(folder.File("plain"), "x");
    CIniFile ini;
    // The folder part of the path is a regular file: nothing can be written there.
    ASSERT_TRUE(ini.LoadFromBytes("K=1\n", folder.File("plain/Program.ini"), false, true));
    ini.SetValue("", "K", "2");
    EXPECT_FALSE(ini.Save());
    EXPECT_TRUE(ini.IsModified());
    EXPECT_EQ(ReadAll(folder.File("plain")), "x");
}

TEST(IniFileOnDisk, UnreadableTargetsGiveDefaults) {
    TempFolder folder;
    const std::string huge = folder.File("huge.ini");
    WriteAll(huge, "[S]\nK=1\n");
    std::filesystem::resize_file(huge, CIniFile::kMaxFileBytes + 1);
    WriteAll(folder.File("plain"), "x");
    for (const std::string& path : {huge, folder.File(""), folder.File("plain/Program.ini")}) {
        CIniFile ini;
        EXPECT_FALSE(ini.Load(path, true, true)) << path;
        EXPECT_EQ(ini.Path(), "");
        EXPECT_EQ(ini.GetValue("S", "K", "d"), "d");
        EXPECT_FALSE(ini.SetValue("S", "K", "2"));
    }
    EXPECT_EQ(std::filesystem::file_size(huge), CIniFile::kMaxFileBytes + 1);
}

TEST(IniFileOnDisk, OpenLooksBesideTheProgram) {
    TempFolder folder;
    WriteAll(folder.File("Program.ini"), "[Setup]\nAppName=VR\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Open("Program.ini", false, true, folder.File("velmora")));
    EXPECT_EQ(ini.Path(), folder.File("Program.ini"));
    EXPECT_EQ(ini.GetValue("Setup", "AppName", ""), "VR");
}

TEST(IniFileOnDisk, GbkFixtureRoundTripsByteExact) {
    const std::string fixture = VELMORA_TEST_DATA "/ini/Program-gbk.ini";
    const std::string original = ReadAll(fixture);
    ASSERT_FALSE(original.empty());
    TempFolder folder;
    const std::string path = folder.File("Program.ini");
    WriteAll(path, original);
    CIniFile ini;
    ASSERT_TRUE(ini.Load(path, false, true));
    EXPECT_EQ(ini.Encoding(), IniEncoding::Gbk);
    ini.SetValue("Setup", "Language", "English");
    ini.SetValue("Setup", "Language", "Chinese");
    ASSERT_TRUE(ini.Save());
    EXPECT_FALSE(ini.IsModified());
    EXPECT_EQ(ReadAll(path), original);
}

TEST(IniLargeInput, LongLinesAndManySectionsStayFast) {
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
}

TEST(IniLargeInput, BinaryBytesStillGiveAWorkingObject) {
    std::string bytes;
    for (int i = 0; i < 200000; ++i) {
        bytes += static_cast<char>((i * 7919) & 0xFF);
    }
    bytes += "\n[Setup]\nK=1\n";
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromBytes(bytes, "p", false, true));
    EXPECT_EQ(ini.GetValue("Setup", "K", ""), "1");
    EXPECT_TRUE(ini.SetValue("Setup", "K", "2"));
    EXPECT_EQ(ini.GetValue("Setup", "K", ""), "2");
}

} // namespace
} // namespace velmora
