// What paste, fill, sort, find and compare do to particular rows; pasted and searched texts are
// read as typing reads them (empty cells, decimal commas and MHz).
#include "channels/GridImages.h"
#include "channels/ImageDiff.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::Cells;
using test::GridOf;
using test::ImageWith;
using test::With;

const ChannelTexts kFive = test::FullRow(5);
const ChannelTexts kSix = test::FullRow(6);

TEST(GridEditsTest, PasteLandsAtTheSelectionThroughTheRulesOfTyping) {
    const MemoryImage image = ImageWith([](int i) { return i == 5 || i == 6; });
    const ChannelTexts fresh{"446.00625", "446.00625", "None", "None", "High", "Lock", "Yes", "N"};
    const struct {
        const char* what;
        const char* text;
        GridSelection at;
        std::vector<std::pair<int, ChannelTexts>> rows; // every row that changes
    } cases[] = {
        {"one value into each picked cell",
         "Middle",
         Cells({{5, Column::Power}, {6, Column::Power}, {7, Column::Power}}),
         {{5, With(kFive, Column::Power, "Middle")}, {6, With(kSix, Column::Power, "Middle")}}},
        {"the copied number says nothing; a new channel gets defaults for empty list cells",
         "5\t446.00625\t446.00625\t\t\t\t\t\tN",
         GridSelection::OfRows({40, 41}),
         {{40, fresh}}},
        {"an existing channel keeps them; an empty Rx clears",
         "446.00625\t\t\t\t\t\t\tb\r\n\t\t\t\t\t\t\t\r\n",
         GridSelection::OfRows({5}),
         {{5, With(With(With(kFive, Column::Rx, "446.00625"), Column::Tx, ""), Column::Name, "B")},
          {6, ChannelTexts{}}}},
        {"a block at the top-left picked cell",
         "Middle\tUnlock\r\nLow\tLock\r\n",
         Cells({{6, Column::Lock}, {5, Column::Power}}),
         {{5, With(With(kFive, Column::Power, "Middle"), Column::Lock, "Unlock")},
          {6, With(kSix, Column::Power, "Low")}}},
        {"two rows up to the last channel",
         "446.1\n446.2",
         GridSelection::OfRows({198}),
         {{198, {"446.10000", "446.10000", "None", "None", "High", "Lock", "Yes", ""}},
          {199, {"446.20000", "446.20000", "None", "None", "High", "Lock", "Yes", ""}}}},
    };
    for (const auto& c : cases) {
        ChannelGrid grid = GridOf(image);
        ChannelGridTexts expected = grid.Texts();
        std::vector<int> changed;
        for (const auto& [row, texts] : c.rows) {
            expected[static_cast<std::size_t>(row)] = texts;
            changed.push_back(row);
        }
        const GridOutcome outcome = grid.Paste(c.text, c.at);
        ASSERT_FALSE(outcome.refused) << c.what << ": " << outcome.message;
        EXPECT_EQ(grid.Texts(), expected) << c.what;
        EXPECT_EQ(outcome.changedRows, changed) << c.what;
    }
    // Copied rows carry their numbers, empty rows too, as a spreadsheet takes them.
    EXPECT_EQ(
        GridOf(image).Copy(GridSelection::OfRows({5, 7})),
        "5\t468.93750\t468.93750\tNone\t67.0\tLow\tLock\tYes\tCH005X_Y\r\n7\t\t\t\t\t\t\t\t\r\n");
    // Cells of the first two channels: one line each, the first one too.
    EXPECT_EQ(GridOf(image).Copy(Cells({{0, Column::Name}, {1, Column::Name}})), "\r\n\r\n");
}

TEST(GridEditsTest, FillDownCommitsEachCellAsTyping) {
    ChannelGrid grid = GridOf(ImageWith([](int i) { return i == 5; }));
    // Whole rows: the first picked row is copied into the others.
    ASSERT_FALSE(grid.FillDown(GridSelection::OfRows({5, 8, 9})).refused);
    EXPECT_EQ(std::pair(grid.Row(8), grid.Row(9)), std::pair(kFive, kFive));
    // A frequency filled into an empty row makes a new channel with its own defaults; settings
    // filled into an empty row are not kept.
    grid.FillDown(
        Cells({{5, Column::Rx}, {12, Column::Rx}, {5, Column::Power}, {13, Column::Power}}));
    EXPECT_EQ(grid.Row(12), (ChannelTexts{Cell(kFive, Column::Rx), Cell(kFive, Column::Rx), "None",
                                          "None", "High", "Lock", "Yes", ""}));
    EXPECT_EQ(grid.Row(13), ChannelTexts{});
    // A band that no longer holds the source refuses the whole fill.
    grid.SetBand({13600000, 17400000, true});
    const GridOutcome refused = grid.FillDown(Cells({{5, Column::Rx}, {20, Column::Rx}}));
    EXPECT_EQ(refused.message, "Nothing was filled: channel 20: Out of range,please input again.");
    EXPECT_EQ(grid.Row(20), ChannelTexts{});
}

TEST(GridEditsTest, SortIsStableWithEmptyChannelsLast) {
    ChannelGrid unsorted = GridOf(test::EmptyImage());
    const std::pair<const char*, const char*> rows[] = {
        {"446.1", "B"}, {"", ""}, {"440", ""}, {"446.1", "A"}, {"430", "B"}};
    for (int row = 0; row < 5; ++row) {
        unsorted.Edit(row, Column::Rx, rows[row].first);
        unsorted.Edit(row, Column::Name, rows[row].second);
    }
    const struct {
        GridSelection at;
        SortKey key;
        const char* order;
    } cases[] = {
        {{}, SortKey::RxFrequency, "430B 440 446B 446A  "},
        {{}, SortKey::Name, "446A 446B 430B 440  "},
        {GridSelection::OfRows({2, 3, 4}), SortKey::RxFrequency, "446B  430B 440 446A "},
    };
    for (const auto& c : cases) {
        ChannelGrid grid = unsorted;
        grid.Sort(c.at, c.key);
        std::string order; // each row's first three Rx digits and its name
        for (int row = 0; row < 5; ++row) {
            order += grid.Text(row, Column::Rx).substr(0, 3) + grid.Text(row, Column::Name) + " ";
        }
        EXPECT_EQ(order, c.order);
    }
}

TEST(GridEditsTest, FindMatchesFrequencyAndNameTextsFromAPositionAndWraps) {
    ChannelGrid grid = GridOf(ImageWith([](int) { return false; }));
    grid.Edit(3, Column::Rx, "446.52");
    grid.Edit(10, Column::Rx, "440");
    grid.Edit(10, Column::Name, "CALLZ");
    const struct {
        const char* query;
        GridCell from;
        std::optional<GridCell> found;
    } cases[] = {
        {"446,52 MHz", {0, Column::Name}, GridCell{3, Column::Rx}},
        {"446.52", {3, Column::Rx}, GridCell{3, Column::Tx}},
        {" callz", {0, Column::Rx}, GridCell{10, Column::Name}},
        {"CALLZ", {10, Column::Name}, GridCell{10, Column::Name}}, // round to itself
        {"446.52", {199, Column::Name}, GridCell{3, Column::Rx}},
        {"None", {0, Column::Rx}, std::nullopt}, // tones are not searched
        {" ", {0, Column::Rx}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(grid.Find(c.query, c.from), c.found) << c.query;
    }
}

// The grid compares what it shows, saved or not (the lines themselves: ImageDiff), and the
// difference walks go round.
TEST(GridEditsTest, CompareTakesTheGridAsItShowsAndWalksTheDifferences) {
    const MemoryImage document = ImageWith([](int i) { return i < 10; });
    MemoryImage file = document;
    EncodeChannel(file, 7, With(test::FullRow(7), Column::Rx, "445.00000"));
    file[offset::Step] = 5;
    ChannelGrid grid = GridOf(document);
    grid.Edit(3, Column::Name, "NEW");

    const ImageComparison comparison = grid.Compare(document, file);
    EXPECT_EQ(DiffLines(comparison, Language::English),
              (std::vector<std::string>{"channel 3: Cha Name NEW -> CH003X_Y",
                                        "channel 7: Rx Frequency 468.91250 -> 445.00000",
                                        "option Step: 12.5k -> 25k"}));
    const struct {
        GridCell from;
        bool forward;
        GridCell next;
    } walks[] = {
        {{0, Column::Rx}, true, {3, Column::Name}},  {{3, Column::Name}, true, {7, Column::Rx}},
        {{7, Column::Rx}, true, {3, Column::Name}},  {{3, Column::Name}, false, {7, Column::Rx}},
        {{5, Column::Tx}, false, {3, Column::Name}},
    };
    for (const auto& walk : walks) {
        EXPECT_EQ(NextDifference(comparison, walk.from, walk.forward), walk.next);
    }
    EXPECT_EQ(NextDifference({}, {0, Column::Rx}, true), std::nullopt);
}

} // namespace
} // namespace velmora
