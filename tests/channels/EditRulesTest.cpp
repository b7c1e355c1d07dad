#include "channels/EditRules.h"
#include "channels/CellInput.h"
#include "channels/GridImages.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::k400To470;
using test::With;

const ChannelTexts kEmpty{};
const ChannelTexts kTxOnly{"", "438.01250"};
const ChannelTexts kChannel{"438.01250", "439.01250", "67.0", "D023N", "Low", "Unlock", "No", "AB"};

// Typed or chosen in a cell of a channel (or of an empty row): the cell afterwards, or the
// refusal that leaves the row as it was. Both ways of leaving the cell commit alike.
TEST(EditRulesTest, EveryColumnCommitsAsTyping) {
    constexpr Column rx = Column::Rx, tx = Column::Tx;
    const std::string out(txt::MsgOutOfRange.en), raster(txt::MsgOffRaster.en);
    const struct {
        const ChannelTexts& row;
        Column column;
        const char* typed;
        std::string shown; // the cell afterwards, or the message
    } cases[] = {
        // clang-format off
        // Band edges; 2.5 kHz and 6.25 kHz rasters; below 10 Hz is cut off.
        {kChannel, rx, "400", "400.00000"},          {kChannel, rx, "470", "470.00000"},
        {kChannel, rx, "438.0025", "438.00250"},     {kChannel, rx, "438.00625", "438.00625"},
        {kChannel, rx, "438.012509", "438.01250"},
        // Blanks, a decimal comma and MHz are how people write frequencies.
        {kChannel, rx, " 438,0125 ", "438.01250"},   {kChannel, tx, "438,025 mhz", "438.02500"},
        // Refused, Rx and Tx alike; a refused row stays as it was.
        {kChannel, rx, "399.9975", out},             {kChannel, rx, "470.0025", out},
        {kChannel, rx, "438.0125 kHz", out},         {kChannel, rx, "4.38e2", out},
        {kChannel, rx, "438.0030", raster},          {kChannel, tx, "438.0030", raster},
        // Emptying Tx takes only the Tx frequency; a Tx frequency needs a channel.
        {kChannel, tx, "", ""},                      {kEmpty, tx, "438.0125", ""},
        // The other columns take the text as it is, even one no list holds (the radio's 69.3 Hz,
        // power bits 11); settings of an empty row are not kept, of a row with only Tx they are.
        {kChannel, Column::DecodeTone, "69.4", "69.4"}, {kTxOnly, Column::Lock, "Lock", "Lock"},
        {kChannel, Column::Power, "", ""},           {kEmpty, Column::Power, "High", ""},
        // clang-format on
    };
    for (CommitKey key : {CommitKey::LeaveCell, CommitKey::Enter}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.typed);
            const CommitResult r =
                CommitCell(c.row, c.column, c.typed, k400To470, key, Language::English);
            EXPECT_EQ(r.rejected, r.message.has_value());
            EXPECT_EQ(r.rejected ? std::string(r.message->en) : Cell(r.row, c.column), c.shown);
            EXPECT_EQ(r.row, r.rejected ? c.row : With(c.row, c.column, Cell(r.row, c.column)));
        }
    }
    // Emptying Rx removes the channel; an unusable band refuses every frequency.
    EXPECT_EQ(CommitCell(kChannel, rx, "", k400To470, CommitKey::Enter, Language::English).row,
              kEmpty);
    const CommitResult r = CommitCell(kEmpty, rx, "438.0125", {40000000, 47000000, false},
                                      CommitKey::Enter, Language::English);
    EXPECT_EQ(r.row, kEmpty);
    EXPECT_EQ(r.message->en, out);
    // A new channel takes the defaults in the grid's language (in English: GridEditsTest).
    EXPECT_EQ(
        CommitCell(kEmpty, rx, "438.0125", k400To470, CommitKey::Enter, Language::Chinese).row,
        (ChannelTexts{"438.01250", "438.01250", "无", "无", "高", "锁定", "有", ""}));
}

// Visiting a list cell and leaving it without choosing commits the entry the list opened on.
TEST(EditRulesTest, AListOpensOnTheCellTextAndLeavingItKeepsTheValue) {
    const struct {
        Column column;
        const char* cell;
        Language lang;
        std::size_t entries;
        int selected;
    } cases[] = {
        {Column::DecodeTone, "67.0", Language::English, 261, 1},
        {Column::EncodeTone, "D754I", Language::English, 261, 260},
        {Column::DecodeTone, "69.4", Language::English, 262, 0}, // not a standard tone
        {Column::Power, "", Language::English, 4, 0},            // power bits 11
        {Column::Power, "Lo", Language::English, 4, 0},          // no prefix match: kept whole
        {Column::Lock, "未锁定", Language::Chinese, 2, 1},
        {Column::ScanAdd, "No", Language::Chinese, 3, 0}, // an English word in a Chinese grid
        {Column::Rx, "438.01250", Language::English, 0, -1},
    };
    for (const auto& c : cases) {
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
        {U'A', 'A'},          {U'a', 'A'},          {U'z', 'Z'},           {U'0', '0'},
        {U'9', '9'},          {U'-', '-'},          {U'_', '_'},           {U' ', std::nullopt},
        {U'.', std::nullopt}, {U'/', std::nullopt}, {U'中', std::nullopt}, {U'\0', std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NameKeyChar(c.typed), c.inserted) << static_cast<unsigned>(c.typed);
    }
    EXPECT_EQ(NameText("rpt-1_a"), "RPT-1_A");
    EXPECT_EQ(NameText("RPT 1"), std::nullopt);
}

} // namespace
} // namespace velmora
