#include "channels/EditRules.h"
#include "channels/CellInput.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr BandLimits k400To470{40000000, 47000000, true};
const ChannelTexts kEmpty{};
const ChannelTexts kChannel{"438.01250", "439.01250", "67.0", "D023N", "Low", "Unlock", "No", "AB"};

ChannelTexts With(ChannelTexts row, Column column, std::string text) {
    Cell(row, column) = std::move(text);
    return row;
}

TEST(EditRulesTest, FrequencyChecks) {
    struct Case {
        const ChannelTexts& row;
        Column column;
        const char* typed;
        ChannelTexts expected;
        std::optional<TextPair> message;
    };
    const Case cases[] = {
        // Band edges are accepted.
        {kChannel, Column::Rx, "400", With(kChannel, Column::Rx, "400.00000"), {}},
        {kChannel, Column::Rx, "470", With(kChannel, Column::Rx, "470.00000"), {}},
        {kChannel, Column::Tx, "470", With(kChannel, Column::Tx, "470.00000"), {}},
        // 2.5 kHz and 6.25 kHz rasters.
        {kChannel, Column::Rx, "438.0025", With(kChannel, Column::Rx, "438.00250"), {}},
        {kChannel, Column::Rx, "438.00625", With(kChannel, Column::Rx, "438.00625"), {}},
        {kChannel, Column::Rx, "438.012509", With(kChannel, Column::Rx, "438.01250"), {}},
        // Blanks, a decimal comma and MHz are how people write frequencies.
        {kChannel, Column::Rx, " 438,0125 ", With(kChannel, Column::Rx, "438.01250"), {}},
        {kChannel, Column::Rx, "438.0125MHz", With(kChannel, Column::Rx, "438.01250"), {}},
        {kChannel, Column::Tx, "438,025 mhz", With(kChannel, Column::Tx, "438.02500"), {}},
        // Rejected: message, row untouched (Rx and Tx alike, empty rows stay empty).
        {kChannel, Column::Rx, "399.9975", kChannel, txt::MsgOutOfRange},
        {kChannel, Column::Rx, "470.0025", kChannel, txt::MsgOutOfRange},
        {kChannel, Column::Rx, "abc", kChannel, txt::MsgOutOfRange},
        {kChannel, Column::Rx, "438.0125 kHz", kChannel, txt::MsgOutOfRange},
        {kChannel, Column::Rx, "438.01.25", kChannel, txt::MsgOutOfRange},
        {kChannel, Column::Rx, "4.38e2", kChannel, txt::MsgOutOfRange},
        {kChannel, Column::Rx, "438.0030", kChannel, txt::MsgOffRaster},
        {kChannel, Column::Tx, "470.0025", kChannel, txt::MsgOutOfRange},
        {kChannel, Column::Tx, "438.0030", kChannel, txt::MsgOffRaster},
        {kEmpty, Column::Rx, "438.0030", kEmpty, txt::MsgOffRaster},
        // Emptying: Rx removes the channel, Tx only the Tx frequency.
        {kChannel, Column::Rx, "", kEmpty, {}},
        {kChannel, Column::Tx, "", With(kChannel, Column::Tx, ""), {}},
        // A Tx frequency needs a channel.
        {kEmpty, Column::Tx, "438.0125", kEmpty, {}},
    };
    for (CommitKey key : {CommitKey::LeaveCell, CommitKey::Enter}) {
        for (const Case& c : cases) {
            const CommitResult r =
                CommitCell(c.row, c.column, c.typed, k400To470, key, Language::English);
            EXPECT_EQ(r.row, c.expected) << c.typed;
            EXPECT_EQ(r.rejected, c.message.has_value()) << c.typed;
            ASSERT_EQ(r.message.has_value(), c.message.has_value()) << c.typed;
            if (c.message) {
                EXPECT_EQ(r.message->en, c.message->en) << c.typed;
            }
        }
    }
}

TEST(EditRulesTest, AnUnusableBandRefusesEveryFrequency) {
    const BandLimits unusable{40000000, 47000000, false};
    const CommitResult r =
        CommitCell(kEmpty, Column::Rx, "438.0125", unusable, CommitKey::Enter, Language::English);
    EXPECT_EQ(r.row, kEmpty);
    EXPECT_TRUE(r.rejected);
    ASSERT_TRUE(r.message.has_value());
    EXPECT_EQ(r.message->en, txt::MsgOutOfRange.en);
}

TEST(EditRulesTest, NewChannelDefaults) {
    const ChannelTexts english{"438.01250", "438.01250", "None", "None", "High", "Lock", "Yes", ""};
    const ChannelTexts chinese{"438.01250", "438.01250", "无", "无", "高", "锁定", "有", ""};
    for (const auto& [lang, expected] :
         {std::pair{Language::English, english}, std::pair{Language::Chinese, chinese}}) {
        EXPECT_EQ(CommitCell(kEmpty, Column::Rx, "438.0125", k400To470, CommitKey::Enter, lang).row,
                  expected);
    }
}

TEST(EditRulesTest, SettingsColumns) {
    struct Case {
        const ChannelTexts& row;
        Column column;
        const char* chosen;
        ChannelTexts expected;
    };
    const ChannelTexts txOnly = With(kEmpty, Column::Tx, "438.01250");
    const Case cases[] = {
        {kChannel, Column::Power, "High", With(kChannel, Column::Power, "High")},
        {kChannel, Column::DecodeTone, "D754I", With(kChannel, Column::DecodeTone, "D754I")},
        {kChannel, Column::Name, "NAME", With(kChannel, Column::Name, "NAME")},
        // A list text that is no entry (the radio's 69.3 Hz, power bits 11) stays as it is.
        {kChannel, Column::DecodeTone, "69.4", With(kChannel, Column::DecodeTone, "69.4")},
        {kChannel, Column::Power, "", With(kChannel, Column::Power, "")},
        {kEmpty, Column::Power, "High", kEmpty}, // settings of an empty row are not kept
        {kEmpty, Column::Name, "AB", kEmpty},
        {txOnly, Column::Lock, "Lock", With(txOnly, Column::Lock, "Lock")},
    };
    for (const Case& c : cases) {
        const CommitResult r = CommitCell(c.row, c.column, c.chosen, k400To470,
                                          CommitKey::LeaveCell, Language::English);
        EXPECT_EQ(r.row, c.expected) << c.chosen;
        EXPECT_FALSE(r.rejected);
        EXPECT_FALSE(r.message.has_value());
    }
}

// Visiting a list cell and leaving it without choosing commits the entry the list opened on.
TEST(EditRulesTest, AListOpensOnTheCellTextAndLeavingItKeepsTheValue) {
    struct Case {
        Column column;
        const char* cell;
        Language lang;
        std::size_t entries;
        int selected;
    };
    const Case cases[] = {
        {Column::DecodeTone, "67.0", Language::English, 261, 1},
        {Column::EncodeTone, "D754I", Language::English, 261, 260},
        {Column::DecodeTone, "69.4", Language::English, 262, 0}, // not a standard tone
        {Column::Power, "", Language::English, 4, 0},            // power bits 11
        {Column::Power, "Low", Language::English, 3, 2},
        {Column::Power, "Lo", Language::English, 4, 0}, // no prefix match: kept whole
        {Column::Lock, "未锁定", Language::Chinese, 2, 1},
        {Column::ScanAdd, "No", Language::Chinese, 3, 0}, // an English word in a Chinese grid
        {Column::Rx, "438.01250", Language::English, 0, -1},
        {Column::Name, "AB", Language::English, 0, -1},
    };
    for (const Case& c : cases) {
        const ListChoices choices = EditorChoices(c.column, c.cell, c.lang);
        ASSERT_EQ(choices.entries.size(), c.entries) << c.cell;
        EXPECT_EQ(choices.selected, c.selected) << c.cell;
        if (c.selected < 0) {
            continue;
        }
        const std::string& opened = choices.entries[static_cast<std::size_t>(c.selected)];
        EXPECT_EQ(opened, c.cell);
        const ChannelTexts row = With(kChannel, c.column, c.cell);
        EXPECT_EQ(CommitCell(row, c.column, opened, k400To470, CommitKey::LeaveCell, c.lang).row,
                  row);
    }
}

TEST(EditRulesTest, NameKeystrokes) {
    const struct {
        char32_t typed;
        std::optional<char> inserted;
    } cases[] = {
        {U'A', 'A'},          {U'z', 'Z'},          {U'0', '0'},           {U'9', '9'},
        {U'-', '-'},          {U'_', '_'},          {U' ', std::nullopt},  {U'.', std::nullopt},
        {U'/', std::nullopt}, {U'é', std::nullopt}, {U'中', std::nullopt}, {U'\0', std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NameKeyChar(c.typed), c.inserted) << static_cast<unsigned>(c.typed);
    }
    EXPECT_EQ(NameText("rpt-1_a"), "RPT-1_A");
    EXPECT_EQ(NameText("RPT 1"), std::nullopt);
}

} // namespace
} // namespace velmora
