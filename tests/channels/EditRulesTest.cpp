#include "channels/EditRules.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr BandLimits k400To470{40000000, 47000000, true};
const ChannelTexts kEmpty{};
const ChannelTexts kChannel{"438.01250", "439.01250", "67.0", "D023N", "Low", "Unlock", "No", "AB"};

ChannelTexts With(ChannelTexts row, int column, std::string text) {
    row[static_cast<std::size_t>(column - 1)] = std::move(text);
    return row;
}

TEST(EditRulesTest, FrequencyChecks) {
    struct Case {
        const ChannelTexts& row;
        int column;
        const char* typed;
        ChannelTexts expected;
        std::optional<TextPair> message;
    };
    const Case cases[] = {
        // Band edges are accepted.
        {kChannel, 1, "400", With(kChannel, 1, "400.00000"), {}},
        {kChannel, 1, "470", With(kChannel, 1, "470.00000"), {}},
        {kChannel, 2, "470", With(kChannel, 2, "470.00000"), {}},
        // 2.5 kHz and 6.25 kHz rasters.
        {kChannel, 1, "438.0025", With(kChannel, 1, "438.00250"), {}},
        {kChannel, 1, "438.00625", With(kChannel, 1, "438.00625"), {}},
        {kChannel, 1, "438.012509", With(kChannel, 1, "438.01250"), {}},
        // Rejected: message, row untouched (Rx and Tx alike, empty rows stay empty).
        {kChannel, 1, "399.9975", kChannel, txt::MsgOutOfRange},
        {kChannel, 1, "470.0025", kChannel, txt::MsgOutOfRange},
        {kChannel, 1, "abc", kChannel, txt::MsgOutOfRange},
        {kChannel, 1, "438.0030", kChannel, txt::MsgOffRaster},
        {kChannel, 2, "470.0025", kChannel, txt::MsgOutOfRange},
        {kChannel, 2, "438.0030", kChannel, txt::MsgOffRaster},
        {kEmpty, 1, "438.0030", kEmpty, txt::MsgOffRaster},
        // Emptying: Rx removes the channel, Tx only the Tx frequency.
        {kChannel, 1, "", kEmpty, {}},
        {kChannel, 2, "", With(kChannel, 2, ""), {}},
        // A Tx frequency needs a channel.
        {kEmpty, 2, "438.0125", kEmpty, {}},
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
        CommitCell(kEmpty, 1, "438.0125", unusable, CommitKey::Enter, Language::English);
    EXPECT_EQ(r.row, kEmpty);
    EXPECT_TRUE(r.rejected);
    ASSERT_TRUE(r.message.has_value());
    EXPECT_EQ(r.message->en, txt::MsgOutOfRange.en);
}

TEST(EditRulesTest, NewChannelDefaults) {
    const ChannelTexts english{"438.01250", "438.01250", "None", "None", "High", "Lock", "Yes", ""};
    const ChannelTexts chinese{"438.01250", "438.01250", "无", "无", "高", "锁定", "有", ""};
    EXPECT_EQ(CommitCell(kEmpty, 1, "438.0125", k400To470, CommitKey::Enter, Language::English).row,
              english);
    EXPECT_EQ(CommitCell(kEmpty, 1, "438.0125", k400To470, CommitKey::Enter, Language::Chinese).row,
              chinese);
}

TEST(EditRulesTest, SettingsColumns) {
    struct Case {
        const ChannelTexts& row;
        int column;
        const char* chosen;
        ChannelTexts expected;
    };
    const ChannelTexts txOnly = With(kEmpty, 2, "438.01250");
    const Case cases[] = {
        {kChannel, 5, "High", With(kChannel, 5, "High")},
        {kChannel, 3, "D754I", With(kChannel, 3, "D754I")},
        {kChannel, 8, "NAME", With(kChannel, 8, "NAME")},
        {kEmpty, 5, "High", kEmpty}, // settings of an empty row are not kept
        {kEmpty, 8, "AB", kEmpty},
        {txOnly, 6, "Lock", With(txOnly, 6, "Lock")},
        {kChannel, 0, "x", kChannel},
        {kChannel, 9, "x", kChannel},
    };
    for (const Case& c : cases) {
        const CommitResult r = CommitCell(c.row, c.column, c.chosen, k400To470,
                                          CommitKey::LeaveCell, Language::English);
        EXPECT_EQ(r.row, c.expected) << c.column;
        EXPECT_FALSE(r.rejected);
        EXPECT_FALSE(r.message.has_value());
    }
}

} // namespace
} // namespace velmora
