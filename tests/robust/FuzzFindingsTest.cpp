// What the fuzzers found, kept as plain cases (their inputs are in tests/fuzz/corpus too), and
// hostile configuration values.
#include "base/IniFile.h"
#include "channels/ChannelCodec.h"
#include "settings/ProductBand.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

// Each file is loaded, changed, written out and the written text loaded again: both loads
// answer alike, and writing the second out gives the same text.
TEST(IniFuzzFindings, WhatIsSetAndKeptSurvivesAWriteAndAReload) {
    struct Entry {
        const char *section, *key, *value;
        bool accepted = true; // a value set: whether it is taken
    };
    const struct {
        const char* what;
        std::string file;
        std::vector<Entry> sets;
        IniEncoding encoding;
        std::string written;
        std::vector<Entry> lookups;
    } cases[] = {
        // clang-format off
        {"blanks around a set value are dropped at once", "[Product]\r\nType=2\r\n",
         {{"Product", "Note", " \tnote \t", true}}, IniEncoding::Utf8,
         "[Product]\r\nType=2\r\nNote=note\r\n", {{"Product", "Note", "note"}}},
        // GBK bytes only in a comment, which a save drops; the header is UTF-8 "[中]". Read as
        // GBK, its last ']' would pair with the byte before it and the header would be lost.
        {"the encoding is decided by the lines the file keeps",
         "; \xC4\xE3\xBA\xC3\r\nTop=1\r\n[\xE4\xB8\xAD]\r\nK=v\r\n", {}, IniEncoding::Utf8,
         "Top=1\r\n[\xE4\xB8\xAD]\r\nK=v\r\n", {{"", "Top", "1"}, {"\xE4\xB8\xAD", "K", "v"}}},
        {"a GBK value that is kept keeps the file GBK", "[S]\r\nName=\xC4\xE3\r\n",
         {{"S", "Other", "\xBA\xC3", true}}, IniEncoding::Gbk,
         "[S]\r\nName=\xC4\xE3\r\nOther=\xBA\xC3\r\n", {{"S", "Name", "\xC4\xE3"}}},
        {"a UTF-8 file refuses bytes that would turn it into GBK", "[\xE4\xB8\xAD]\r\nK=v\r\n",
         {{"S", "K", "\xC4\xE3", false}, {"S", "\xFF", "v", false}, {"\xC4", "K", "v", false},
          {"S", "K", "\xE4\xB8\xAD", true}}, IniEncoding::Utf8,
         "[\xE4\xB8\xAD]\r\nK=v\r\n[S]\r\nK=\xE4\xB8\xAD\r\n",
         {{"\xE4\xB8\xAD", "K", "v"}, {"S", "K", "\xE4\xB8\xAD"}}},
        {"a first key that starts with byte-order-mark bytes stays whole",
         "\t\xEF\xBB\xBFKey=1\r\n[S]\r\nA=2\r\n", {}, IniEncoding::Utf8,
         "\r\n\xEF\xBB\xBFKey=1\r\n[S]\r\nA=2\r\n", {{"", "\xEF\xBB\xBFKey", "1"}, {"S", "A", "2"}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CIniFile first;
        ASSERT_TRUE(first.LoadFromBytes(c.file, "Program.ini", false, true));
        for (const Entry& set : c.sets) {
            EXPECT_EQ(first.SetValue(set.section, set.key, set.value), set.accepted) << set.value;
        }
        CIniFile second;
        ASSERT_TRUE(second.LoadFromBytes(first.ToBytes(), "Program.ini", false, true));
        for (const CIniFile* ini : {&first, &second}) {
            EXPECT_EQ(ini->ToBytes(), c.written);
            EXPECT_EQ(ini->Encoding(), c.encoding);
            for (const Entry& lookup : c.lookups) {
                EXPECT_EQ(ini->GetValue(lookup.section, lookup.key, "-"), lookup.value);
            }
        }
    }
}

// Power bits 11 and frequency or tone digits that are not decimal are values the grid cannot
// show exactly; writing the row back after an edit of another cell must keep them.
TEST(ChannelFuzzFindings, UnshowableValuesSurviveAnEditOfAnotherCell) {
    const struct {
        const char* what;
        std::size_t at; // record byte
        std::uint8_t value;
    } cases[] = {
        {"power bits 11", record::Flags, 0x3C},
        {"Tx top byte F5 (not BCD)", record::TxFrequency + 3, 0xF5},
        {"Rx low byte AB", record::RxFrequency, 0xAB},
        {"decode tone 0x0A 0xFF", record::DecodeToneLo, 0xFF},
        {"encode tone DCS 0xC7 0xAA", record::EncodeToneLo, 0xAA},
    };
    for (const auto& c : cases) {
        MemoryImage image = NewImage();
        const std::uint8_t rec[16] = {0x50, 0x12, 0x80, 0x43, 0x50, 0x12, 0x80, 0x43,
                                      0x70, 0x06, 0x54, 0xC7, 0x0C, 0xA1, 0xB2, 0xC3};
        std::copy(std::begin(rec), std::end(rec), image.begin() + 16 * 3);
        image[16 * 3 + c.at] = c.value;
        const MemoryImage before = image;
        ChannelTexts row = DecodeChannel(image, 3, Language::English);
        row[7] = "NEW";
        EncodeChannel(image, 3, row);
        EXPECT_TRUE(std::equal(image.begin() + 48, image.begin() + 64, before.begin() + 48))
            << c.what;
        EXPECT_EQ(DecodeChannel(image, 3, Language::English), row) << c.what;
    }
}

// Band texts straight from a hostile Program.ini: no undefined behaviour on the way to the
// three band bytes (the sanitizer build watches this), and no usable limits past 1000 MHz. A band
// whose numbers overflow is named unusable in the title, in both languages.
TEST(HostileBand, NumbersBeyondEveryRangeGiveDefinedBytesAndAnUnusableTitle) {
    const std::string huge(5000, '9');
    for (const std::string& band :
         {huge + "-" + huge + "MHz", "-" + huge + "-1MHz", std::string("1\0-2MHz", 7),
          std::string("-2147483648--2147483648MHz"), std::string("2147483647-2147483647MHz")}) {
        (void)BandBytesFor(band);
        EXPECT_FALSE(BandLimitsFor(band).usable && BandLimitsFor(band).high > 100000000) << band;
    }
    for (const std::string band : {"99999-99999MHz", "99999999999999999999999-1MHz"}) {
        const std::string english = "V  [ Type:T  Fre:" + band + " ] (unusable band)";
        EXPECT_EQ(MainWindowTitle("V", "T", band, Language::English), english);
        EXPECT_EQ(MainWindowTitle("V", "T", band, Language::Chinese),
                  "V  [ 类型:T  频率:" + band + " ] (频段不可用)");
        MemoryImage image = NewImage();
        const ProductState state = ApplyProductChoice(image, "T", band, "V", Language::English);
        EXPECT_EQ(state.title, english);
        EXPECT_FALSE(state.limits.usable) << band;
    }
}

} // namespace
} // namespace velmora
