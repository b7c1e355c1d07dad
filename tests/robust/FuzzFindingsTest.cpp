// What the fuzzers found, kept as plain cases (their inputs are in tests/fuzz/corpus too), and
// hostile configuration values.
#include "base/IniFile.h"
#include "channels/ChannelCodec.h"
#include "settings/ProductBand.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

// Loads bytes, writes them out and loads the written text: both must answer alike.
struct RoundTrip {
    explicit RoundTrip(std::string_view bytes) {
        EXPECT_TRUE(first.LoadFromBytes(bytes, "Program.ini", false, true));
    }
    void Reload() {
        written = first.ToBytes();
        EXPECT_TRUE(second.LoadFromBytes(written, "Program.ini", false, true));
        EXPECT_EQ(second.ToBytes(), written);
    }
    CIniFile first;
    CIniFile second;
    std::string written;
};

TEST(IniFuzzFindings, BlanksAroundASetValueAreDroppedAtOnce) {
    RoundTrip ini("[Product]\r\nType=2\r\n");
    EXPECT_TRUE(ini.first.SetValue("Product", "Note", " \tnote \t"));
    EXPECT_EQ(ini.first.GetValue("Product", "Note", "-"), "note");
    ini.Reload();
    EXPECT_EQ(ini.written, "[Product]\r\nType=2\r\nNote=note\r\n");
    EXPECT_EQ(ini.second.GetValue("Product", "Note", "-"), "note");
}

TEST(IniFuzzFindings, EncodingIsDecidedByTheLinesTheFileKeeps) {
    // GBK bytes only in a comment, which a save drops; the header is UTF-8 "[中]". Read as
    // GBK, its last ']' would pair with the byte before it and the header would be lost.
    RoundTrip ini("; \xC4\xE3\xBA\xC3\r\n[\xE4\xB8\xAD]\r\nK=v\r\n");
    EXPECT_EQ(ini.first.Encoding(), IniEncoding::Utf8);
    EXPECT_EQ(ini.first.GetValue("\xE4\xB8\xAD", "K", "-"), "v");
    ini.Reload();
    EXPECT_EQ(ini.written, "[\xE4\xB8\xAD]\r\nK=v\r\n");
    EXPECT_EQ(ini.second.GetValue("\xE4\xB8\xAD", "K", "-"), "v");

    // A GBK value that is kept keeps the file GBK.
    RoundTrip gbk("[S]\r\nName=\xC4\xE3\xBA\xC3\r\n");
    EXPECT_EQ(gbk.first.Encoding(), IniEncoding::Gbk);
}

TEST(IniFuzzFindings, UtF8FileRefusesBytesThatWouldTurnItIntoGbk) {
    RoundTrip ini("[\xE4\xB8\xAD]\r\nK=v\r\n");
    EXPECT_FALSE(ini.first.SetValue("S", "K", "\xC4\xE3"));
    EXPECT_FALSE(ini.first.SetValue("S", "\xFF", "v"));
    EXPECT_FALSE(ini.first.SetValue("\xC4", "K", "v"));
    EXPECT_TRUE(ini.first.SetValue("S", "K", "\xE4\xB8\xAD"));
    ini.Reload();
    EXPECT_EQ(ini.second.Encoding(), IniEncoding::Utf8);
    EXPECT_EQ(ini.second.GetValue("\xE4\xB8\xAD", "K", "-"), "v");
    EXPECT_EQ(ini.second.GetValue("S", "K", "-"), "\xE4\xB8\xAD");

    RoundTrip gbk("[S]\r\nName=\xC4\xE3\r\n");
    EXPECT_TRUE(gbk.first.SetValue("S", "Other", "\xBA\xC3"));
}

TEST(IniFuzzFindings, FirstKeyThatStartsWithByteOrderMarkBytesStaysWhole) {
    RoundTrip ini(std::string("\t\xEF\xBB\xBFKey=1\r\n[S]\r\nA=2\r\n"));
    EXPECT_EQ(ini.first.GetValue("", "\xEF\xBB\xBFKey", "-"), "1");
    ini.Reload();
    EXPECT_EQ(ini.written, "\r\n\xEF\xBB\xBFKey=1\r\n[S]\r\nA=2\r\n");
    EXPECT_EQ(ini.second.GetValue("", "\xEF\xBB\xBFKey", "-"), "1");
    EXPECT_EQ(ini.second.GetValue("S", "A", "-"), "2");
}

TEST(IniHostileInput, DevicesAndFifosAreNoConfiguration) {
    CIniFile ini;
    for (const char* path : {"/dev/zero", "/dev/null"}) {
        EXPECT_FALSE(ini.Load(path, true, true)) << path;
        EXPECT_EQ(ini.Path(), "") << path;
        EXPECT_FALSE(ini.SetValue("S", "K", "v")) << path;
        EXPECT_TRUE(ini.Save()) << path; // nothing to write, and nothing written
    }
}

// Power bits 11 and frequency or tone digits that are not decimal are values the grid cannot
// show exactly; writing the row back after an edit of another cell must keep them.
TEST(ChannelFuzzFindings, UnshowableValuesSurviveAnEditOfAnotherCell) {
    struct Case {
        const char* what;
        std::size_t at; // record byte
        std::uint8_t value;
    };
    const Case cases[] = {
        {"power bits 11", record::Flags, 0x3C},
        {"Tx top byte F5 (not BCD)", record::TxFrequency + 3, 0xF5},
        {"Tx top byte 1A", record::TxFrequency + 3, 0x1A},
        {"Rx low byte AB", record::RxFrequency, 0xAB},
        {"decode tone 0x0A 0xFF", record::DecodeToneLo, 0xFF},
        {"encode tone DCS 0xC7 0xAA", record::EncodeToneLo, 0xAA},
    };
    for (const Case& c : cases) {
        MemoryImage image = NewImage();
        const std::uint8_t rec[16] = {0x50, 0x12, 0x80, 0x43, 0x50, 0x12, 0x80, 0x43,
                                      0x70, 0x06, 0x54, 0xC7, 0x0C, 0xA1, 0xB2, 0xC3};
        std::copy(std::begin(rec), std::end(rec), image.begin() + 16 * 3);
        image[16 * 3 + c.at] = c.value;
        const MemoryImage before = image;
        ChannelTexts row = DecodeChannel(image, 3, Language::English);
        const ChannelTexts shown = row;
        row[7] = "NEW";
        EncodeChannel(image, 3, row);
        EXPECT_TRUE(std::equal(image.begin() + 48, image.begin() + 64, before.begin() + 48))
            << c.what;
        ChannelTexts expected = shown;
        expected[7] = "NEW";
        EXPECT_EQ(DecodeChannel(image, 3, Language::English), expected) << c.what;
    }
    // A new channel with no power word still stores Low, as before.
    MemoryImage image = NewImage();
    EncodeChannel(image, 4, {"145.5", "", "", "", "", "", "", ""});
    EXPECT_EQ(image[16 * 4 + record::Flags] & record::PowerMask, record::PowerLow);
}

TEST(HostileBand, UnusableBandIsNamedInTheTitleInBothLanguages) {
    const struct {
        const char* band;
        const char* english;
        const char* chinese;
    } cases[] = {
        {"136-174MHz", "V  [ Type:T  Fre:136-174MHz ]", "V  [ 类型:T  频率:136-174MHz ]"},
        {"21474-21474MHz", "V  [ Type:T  Fre:21474-21474MHz ]",
         "V  [ 类型:T  频率:21474-21474MHz ]"},
        {"99999-99999MHz", "V  [ Type:T  Fre:99999-99999MHz ] (unusable band)",
         "V  [ 类型:T  频率:99999-99999MHz ] (频段不可用)"},
        {"-5-10MHz", "V  [ Type:T  Fre:-5-10MHz ] (unusable band)",
         "V  [ 类型:T  频率:-5-10MHz ] (频段不可用)"},
        {"99999999999999999999999-1MHz",
         "V  [ Type:T  Fre:99999999999999999999999-1MHz ] (unusable band)",
         "V  [ 类型:T  频率:99999999999999999999999-1MHz ] (频段不可用)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MainWindowTitle("V", "T", c.band, Language::English), c.english);
        EXPECT_EQ(MainWindowTitle("V", "T", c.band, Language::Chinese), c.chinese);
        MemoryImage image = NewImage();
        const ProductState state = ApplyProductChoice(image, "T", c.band, "V", Language::English);
        EXPECT_EQ(state.title, c.english);
        EXPECT_EQ(state.limits.usable,
                  std::string(c.english).find("unusable") == std::string::npos);
    }
}

TEST(HostileBand, NumbersBeyondEveryRangeGiveDefinedBytes) {
    // Band texts straight from a hostile Program.ini: no undefined behaviour on the way to the
    // three band bytes (the sanitizer build watches this), and no usable limits.
    const std::string huge(5000, '9');
    for (const std::string& band :
         {huge + "-" + huge + "MHz", "-" + huge + "-1MHz", std::string("1\0-2MHz", 7),
          std::string("-2147483648--2147483648MHz"), std::string("2147483647-2147483647MHz")}) {
        (void)BandBytesFor(band);
        EXPECT_FALSE(BandLimitsFor(band).usable && BandLimitsFor(band).high > 100000000) << band;
    }
}

} // namespace
} // namespace velmora
