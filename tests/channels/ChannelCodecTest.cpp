#include "channels/ChannelCodec.h"
#include "channels/ChannelTable.h"
#include "channels/ToneTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace velmora {
namespace {

using Bytes4 = std::array<std::uint8_t, 4>;
using Bytes = std::vector<std::uint8_t>;

// "5012 8043" as the bytes 50 12 80 43.
Bytes Hex(std::string_view text) {
    Bytes bytes;
    for (std::size_t at = text.find_first_not_of(' '); at < text.size();
         at = text.find_first_not_of(' ', at + 2)) {
        bytes.push_back(
            static_cast<std::uint8_t>(std::stoi(std::string(text.substr(at, 2)), nullptr, 16)));
    }
    return bytes;
}

// The `count` bytes from `at`: a channel's record at 16 * i, its name at 0xC90 + 8 * i.
Bytes BytesAt(const MemoryImage& image, int at, int count) {
    return {image.begin() + at, image.begin() + at + count};
}

TEST(FrequencyCodecTest, TextsAndBytes) {
    const struct {
        const char* text;
        Bytes4 bytes;
        const char* decoded; // what the bytes read back as
    } cases[] = {
        // clang-format off
        {"438.0125", {0x50, 0x12, 0x80, 0x43}, "438.01250"},
        {"438.012509", {0x50, 0x12, 0x80, 0x43}, "438.01250"}, // below 10 Hz truncated
        {"136.0125", {0x50, 0x12, 0x60, 0x13}, "136.01250"},   // not 49 12 60 13
        {"999.99999", {0x99, 0x99, 0x99, 0x99}, "999.99999"},
        {"0.00001", {0x01, 0x00, 0x00, 0x00}, ""}, // a top byte of 00 is no frequency
        {"", {0xFF, 0xFF, 0xFF, 0xFF}, ""},     {"abc", {0xFF, 0xFF, 0xFF, 0xFF}, ""},
        {"0.000001", {0xFF, 0xFF, 0xFF, 0xFF}, ""},
        // Beyond the eight digits: stored as no frequency, never as garbage BCD.
        {"1000", {0xFF, 0xFF, 0xFF, 0xFF}, ""}, {"-438.0125", {0xFF, 0xFF, 0xFF, 0xFF}, ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeFrequency(c.text), c.bytes) << c.text;
        EXPECT_EQ(DecodeFrequency(c.bytes), c.decoded) << c.text;
    }
    EXPECT_EQ(FrequencyUnits("1e30"), 2147483647);
    EXPECT_EQ(FrequencyUnits("-1e30"), -2147483647 - 1);
}

TEST(ToneCodecTest, BytesAndTexts) {
    const struct {
        std::uint8_t hi, lo;
        const char* text; // "None" is "无" in Chinese; the others read the same
    } cases[] = {
        {0x87, 0x54, "D754N"}, {0xC7, 0x54, "D754I"}, {0xFF, 0x12, "None"},
        {0x00, 0x70, "None"},  {0x06, 0x75, "67.5"}, // not a standard tone, shown as it is
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeTone(c.hi, c.lo, Language::English), c.text);
        EXPECT_EQ(DecodeTone(c.hi, c.lo, Language::Chinese),
                  std::string_view(c.text) == "None" ? "无" : c.text);
    }
    using Pair = std::pair<std::uint8_t, std::uint8_t>;
    EXPECT_EQ(EncodeTone("D023"), Pair(0xC0, 0x23)); // no "N": inverted
    EXPECT_EQ(EncodeTone("D6300N"), Pair(0xBF, 0x00));
    EXPECT_EQ(EncodeTone("D6200I"), Pair(0xFE, 0x00));
    // None in either language, and values the bytes cannot hold as what they are, store no tone.
    for (const char* text : {"None", "无", "800.0", "-67.0", "D6400N", "D6300I"}) {
        EXPECT_EQ(EncodeTone(text), Pair(0xFF, 0xFF)) << text;
    }
    for (Language lang : {Language::English, Language::Chinese}) {
        for (const std::string& text : BuildToneList(lang)) {
            const auto [hi, lo] = EncodeTone(text);
            EXPECT_EQ(DecodeTone(hi, lo, lang), text);
        }
    }
}

// The radio's tone list: None, the 50 CTCSS tones, the 105 DCS codes normal, then inverted. A
// typed text selects the first entry it begins, ignoring case.
TEST(ToneTableTest, EntriesAndPrefixSelection) {
    const auto english = BuildToneList(Language::English);
    const auto chinese = BuildToneList(Language::Chinese);
    ASSERT_EQ(english.size(), 261u);
    const std::pair<int, const char*> entries[] = {
        {0, "None"},   {1, "67.0"},    {13, "100.0"},  {50, "254.1"},
        {51, "D023N"}, {155, "D754N"}, {156, "D023I"}, {260, "D754I"},
    };
    for (auto [index, text] : entries) {
        EXPECT_EQ(english[index], text);
        EXPECT_EQ(FindListEntryByPrefix(english, text), index);
    }
    EXPECT_TRUE(std::equal(english.begin() + 1, english.end(), chinese.begin() + 1, chinese.end()));
    const std::pair<const char*, int> typed[] = {{"", 0},   {"d023n", 51}, {"67.5", 0},
                                                 {"1", 13}, {"D0", 51},    {"D023NX", 0}};
    for (auto [text, index] : typed) {
        EXPECT_EQ(FindListEntryByPrefix(english, text), index) << text;
    }
    EXPECT_EQ(FindListEntryByPrefix({}, "x"), 0);
}

// Channels 0 and 199 alike: the record from the flags byte 0x82 (the radio's bits 7 and 1 set, 6
// and 0 clear) and bytes 13-15 A1 B2 C3, the name, and nothing else changes.
TEST(ChannelCodecTest, RowTextsToBytesAndBack) {
    const struct {
        ChannelTexts texts;
        Bytes record, name;
        ChannelTexts englishBack, chineseBack;
    } cases[] = {
        // clang-format off
        {{"438.0125", "", "None", "D754I", "High", "Lock", "Yes", "AZ-_09"},
         Hex("50128043 FFFFFFFF FFFF54C7 AEA1B2C3"), {10, 35, 36, 38, 0, 9, 0xFF, 0xFF},
         {"438.01250", "", "None", "D754I", "High", "Lock", "Yes", "AZ-_09"},
         {"438.01250", "", "无", "D754I", "高", "锁定", "有", "AZ-_09"}},
        {{"142.5", "142.5", "67.0", "254.1", "中", "未锁定", "无", "CHANNEL8"},
         Hex("00002514 00002514 70064125 92A1B2C3"), {12, 17, 10, 23, 23, 14, 21, 8},
         {"142.50000", "142.50000", "67.0", "254.1", "Middle", "Unlock", "No", "CHANNEL8"},
         {"142.50000", "142.50000", "67.0", "254.1", "中", "未锁定", "无", "CHANNEL8"}},
        // Empty power stores Low; unknown lock and scan words fall back to locked and scanned;
        // a lower-case name stores no characters.
        {{"142.5", "bad", "", "x", "", "maybe", "", "abc"},
         Hex("00002514 FFFFFFFF FFFFFFFF 8EA1B2C3"), Bytes(8, 0xFF),
         {"142.50000", "", "None", "None", "Low", "Lock", "Yes", ""},
         {"142.50000", "", "无", "无", "低", "锁定", "有", ""}},
        // clang-format on
    };
    for (const auto& c : cases) {
        for (const int i : {0, 199}) {
            MemoryImage image = NewImage();
            std::ranges::copy(Hex("82A1B2C3"), image.begin() + 16 * i + 12);
            EncodeChannel(image, i, c.texts);
            EXPECT_EQ(DecodeChannel(image, i, Language::English), c.englishBack);
            EXPECT_EQ(DecodeChannel(image, i, Language::Chinese), c.chineseBack);
            MemoryImage expected = NewImage();
            std::copy_n(c.record.begin(), 16, expected.begin() + 16 * i);
            std::copy_n(c.name.begin(), 8, expected.begin() + 0xC90 + 8 * i);
            EXPECT_EQ(image, expected);
        }
    }
}

// Tx top byte 00: no Tx; power bits 11: empty; code 37 ends the name. A top Rx byte of 00
// empties even an otherwise valid record; a channel outside 0-199 is empty and never written.
TEST(ChannelCodecTest, DecodeDetailsAndEmptyChannels) {
    MemoryImage image = NewImage();
    std::ranges::copy(Hex("50128043 00000000 23807000 30000000"), image.begin() + 16 * 5);
    std::ranges::copy(Bytes{10, 11, 37, 12, 13, 14, 15, 16}, image.begin() + 0xC90 + 8 * 5);
    const ChannelTexts expected = {"438.01250", "", "D023N", "None", "", "Unlock", "No", "AB"};
    EXPECT_EQ(DecodeChannel(image, 5, Language::English), expected);
    image[16 * 5 + 3] = 0x00;
    EXPECT_TRUE(IsChannelEmpty(image, 5));
    EXPECT_EQ(DecodeChannel(image, 5, Language::English), ChannelTexts{});
    EXPECT_TRUE(IsChannelEmpty(image, 200));
    EXPECT_TRUE(IsChannelEmpty(image, -1));
    const MemoryImage before = image;
    EncodeChannel(image, -1, {"438.0125"});
    EncodeChannel(image, 200, {"438.0125"});
    EXPECT_EQ(image, before);
}

// Writing a channel that is in use: a changed cell changes its bytes; a tone that reads as what
// the cell shows, in either language, keeps its bytes; clearing keeps the name.
TEST(ChannelCodecTest, RewritingAChannelInUse) {
    MemoryImage image = NewImage();
    EncodeChannel(image, 7, {"438.0125", "438.0125", "67.0", "None", "High", "Lock", "Yes", "AB"});
    image[16 * 7 + 11] = 0x00; // encode tone 00 70: no tone, as the radio may store it
    EncodeChannel(image, 7, {"438.0125", "438.0125", "D023N", "无", "High", "Lock", "Yes", "AB"});
    EXPECT_EQ(BytesAt(image, 16 * 7, 16), Hex("50128043 50128043 2380FF00 EFFFFFFF"));
    EncodeChannel(image, 7, {"438.0125", "438.0125", "D023N", "67.0", "High", "Lock", "Yes", "AB"});
    EXPECT_EQ(BytesAt(image, 16 * 7, 16), Hex("50128043 50128043 23807006 EFFFFFFF"));
    EncodeChannel(image, 7, ChannelTexts{});
    EXPECT_EQ(BytesAt(image, 16 * 7, 16), Bytes(16, 0xFF));
    EXPECT_EQ(BytesAt(image, 0xC90 + 8 * 7, 8), Hex("0A0BFFFF FFFFFFFF")); // "AB" stays
}

} // namespace
} // namespace velmora
