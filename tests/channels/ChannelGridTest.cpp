// Every grid operation at the first and the last channel, on a full and on an empty grid: what
// it does, that a refusal changes no byte, and that undo gives back exactly the image there was.
#include "channels/ChannelClipboard.h"
#include "channels/GridImages.h"

#include <gtest/gtest.h>

#include <functional>

namespace velmora {
namespace {

using test::Cells;
using test::FullImage;
using test::FullRow;
using test::GridOf;
using test::Stored;

const ChannelTexts kPasted{"446.00625", "", "67.0", "None", "Middle", "Unlock", "No", "PMR1"};
// Two such rows as a spreadsheet copies them.
const std::string kTwoRows = "446.00625\t\t67.0\tNone\tMiddle\tUnlock\tNo\tPMR1\r\n"
                             "446.00625\t\t67.0\tNone\tMiddle\tUnlock\tNo\tPMR1\r\n";

// The first of the two rows at r's end of the grid.
int PairStart(int r) {
    return r == 0 ? 0 : 198;
}

struct OpCase {
    const char* name;
    std::function<GridOutcome(ChannelGrid&, int r)> run;
    // Where it is refused: "never", "at 0", "at 199" or "when full" (on the full grid).
    std::string refused;
    // What the grid holds after it was done; `before` is the grid's texts before.
    std::function<void(const ChannelGridTexts& before, const ChannelGrid& after, int r)> check;
};

using Texts = ChannelGridTexts;
using G = ChannelGrid;

GridSelection Rows(std::initializer_list<int> rows) {
    return GridSelection::OfRows(rows);
}

GridSelection Row(int r) {
    return Rows({r});
}

// clang-format off
const OpCase kCases[] = {
    {"Edit", [](G& g, int r) { return g.Edit(r, Column::Rx, "446,00625 MHz"); }, "never",
     [](const Texts&, const G& g, int r) { EXPECT_EQ(g.Text(r, Column::Rx), "446.00625"); }},
    {"Paste", [](G& g, int r) { return g.Paste(kTwoRows, Row(r)); },
     "at 199", // two rows from 199 run past the end
     [](const Texts&, const G& g, int r) {
         EXPECT_EQ(std::pair(g.Row(r), g.Row(r + 1)), std::pair(kPasted, kPasted));
     }},
    {"Cut",
     [](G& g, int r) {
         const std::string expected = CopyChannelRows(g.Texts(), r, r);
         std::string copied;
         const GridOutcome outcome = g.Cut(Row(r), copied);
         EXPECT_EQ(copied, expected);
         return outcome;
     }, "never",
     [](const Texts&, const G& g, int r) { EXPECT_EQ(g.Row(r), ChannelTexts{}); }},
    {"Delete", [](G& g, int r) { return g.Delete(Cells({{r, Column::Name}})); }, "never",
     [](const Texts& before, const G& g, int r) {
         ChannelTexts expected = before[r];
         Cell(expected, Column::Name).clear();
         EXPECT_EQ(g.Row(r), expected);
     }},
    {"Insert Row", [](G& g, int r) { return g.InsertRows(Row(r)); },
     "when full", // channel 199 is in use
     [](const Texts& before, const G& g, int r) {
         EXPECT_EQ(g.Row(r), ChannelTexts{});
         EXPECT_EQ(g.Texts(), before); // nothing in use moved
     }},
    {"Delete Row", [](G& g, int r) { return g.DeleteRows(Row(r)); }, "never",
     [](const Texts& before, const G& g, int r) {
         for (int row = r; row < 199; ++row) {
             EXPECT_EQ(g.Row(row), before[row + 1]);
         }
         EXPECT_EQ(g.Row(199), ChannelTexts{});
     }},
    {"Move Up", [](G& g, int r) { return g.MoveUp(Row(r)); }, "at 0",
     [](const Texts& before, const G& g, int r) {
         EXPECT_EQ(std::pair(g.Row(r - 1), g.Row(r)), std::pair(before[r], before[r - 1]));
     }},
    {"Move Down", [](G& g, int r) { return g.MoveDown(Row(r)); }, "at 199",
     [](const Texts& before, const G& g, int r) {
         EXPECT_EQ(std::pair(g.Row(r), g.Row(r + 1)), std::pair(before[r + 1], before[r]));
     }},
    {"Sort", [](G& g, int r) { return g.Sort(Row(r), SortKey::RxFrequency); }, "never",
     [](const Texts& before, const G& g, int r) { // the full grid descends: now reversed
         EXPECT_EQ(g.Row(199 - r), before[r]);
     }},
    {"Fill Down", [](G& g, int r) { return g.FillDown(Rows({PairStart(r), PairStart(r) + 1})); },
     "never", [](const Texts& before, const G& g, int r) {
         EXPECT_EQ(g.Row(PairStart(r) + 1), before[PairStart(r)]);
     }},
    {"Import Channels",
     [](G& g, int r) {
         return g.Import("CH,Rx Frequency,Cha Name\n" + std::to_string(r) + ",446.00625,N\n", {});
     }, "never",
     [](const ChannelGridTexts&, const G& g, int r) {
         EXPECT_EQ(g.Text(r, Column::Rx), "446.00625");
         EXPECT_EQ(g.Text(r, Column::Name), "N");
     }},
};
// clang-format on

TEST(ChannelGridTest, EveryOperationAtBothEndsIsOneStepOrChangesNothing) {
    for (const bool full : {true, false}) {
        const MemoryImage image = full ? FullImage() : test::EmptyImage();
        for (const OpCase& c : kCases) {
            for (const int r : {0, 199}) {
                SCOPED_TRACE(std::string(c.name) + (full ? " full " : " empty ") +
                             std::to_string(r));
                ChannelGrid grid = GridOf(image);
                const ChannelGridTexts before = grid.Texts();
                const MemoryImage stored = Stored(grid, image);
                const GridOutcome outcome = c.run(grid, r);
                const bool refused =
                    c.refused == "at " + std::to_string(r) || (full && c.refused == "when full");
                ASSERT_EQ(outcome.refused, refused) << outcome.message;
                if (outcome.refused) { // the messages: RefusalsSayWhy
                    EXPECT_EQ(Stored(grid, image), stored);
                    EXPECT_FALSE(grid.CanUndo());
                    continue;
                }
                c.check(before, grid, r);
                const MemoryImage after = Stored(grid, image);
                ASSERT_EQ(grid.CanUndo(), !outcome.changedRows.empty());
                if (!grid.CanUndo()) {
                    EXPECT_EQ(after, stored);
                    continue;
                }
                EXPECT_EQ(grid.UndoName()->en, c.name);
                EXPECT_EQ(grid.Undo().changedRows, outcome.changedRows);
                EXPECT_FALSE(grid.CanUndo()) << "one step";
                EXPECT_EQ(Stored(grid, image), stored);
                EXPECT_EQ(grid.Redo().changedRows, outcome.changedRows);
                EXPECT_EQ(Stored(grid, image), after);
            }
        }
    }
}

// A channel that moves takes the bytes the grid does not show with it, and leaves none behind.
TEST(ChannelGridTest, MovedChannelsKeepTheirRecordAndNameBytes) {
    // Channels 0 to 9 in use, from 469.00000 down; the rest empty.
    const MemoryImage image = test::ImageWith([](int i) { return i < 10; });
    const struct {
        const char* what;
        std::function<GridOutcome(G&)> run;
        int from, to;                 // channel `from` ends up at `to`
        std::pair<int, int> selected; // the first and the last row picked afterwards
    } cases[] = {
        // clang-format off
        {"insert two", [](G& g) { return g.InsertRows(Rows({0, 4})); }, 5, 7, {0, 5}},
        {"delete", [](G& g) { return g.DeleteRows(Row(2)); }, 5, 4, {2, 2}},
        {"up", [](G& g) { return g.MoveUp(Rows({5, 6})); }, 5, 4, {4, 5}},
        {"down", [](G& g) { return g.MoveDown(Rows({4, 5})); }, 5, 6, {5, 6}},
        {"sort", [](G& g) { return g.Sort({}, SortKey::RxFrequency); }, 5, 4, {0, 199}},
        // clang-format on
    };
    for (const auto& c : cases) {
        ChannelGrid grid = GridOf(image);
        const GridOutcome outcome = c.run(grid);
        ASSERT_FALSE(outcome.refused) << c.what;
        const MemoryImage stored = Stored(grid, image);
        EXPECT_EQ(ReadChannelBytes(stored, c.to), ReadChannelBytes(image, c.from)) << c.what;
        EXPECT_EQ(grid.Row(c.to), FullRow(c.from)) << c.what;
        EXPECT_EQ(std::pair(outcome.selectRows.front(), outcome.selectRows.back()), c.selected)
            << c.what;
        grid.Undo();
        EXPECT_EQ(Stored(grid, image), image) << c.what;
    }
    // Insert Row: the empty row pushed off the end is the one that comes in; no byte is dropped.
    ChannelGrid inserted = GridOf(image);
    inserted.InsertRows(Row(2));
    EXPECT_EQ(ReadChannelBytes(Stored(inserted, image), 2), ReadChannelBytes(image, 199));
    // Delete Row clears the channel it takes out; the bytes the radio ignores in an empty
    // record go with it, and the rows after it move up whole.
    ChannelGrid grid = GridOf(image);
    grid.DeleteRows(Row(9));
    const MemoryImage stored = Stored(grid, image);
    EXPECT_TRUE(IsChannelEmpty(stored, 9));
    EXPECT_EQ(ReadChannelBytes(stored, 8), ReadChannelBytes(image, 8));
}

TEST(ChannelGridTest, RefusalsSayWhy) {
    ChannelGrid grid = GridOf(FullImage());
    const std::string none = "No channel is selected.",
                      pasted = "Nothing was pasted. These rows were refused:\n";
    const GridSelection name = GridSelection::OfCells({{4, Column::Name}});
    const struct {
        GridOutcome outcome;
        std::string message;
    } cases[] = {
        // clang-format off
        {grid.InsertRows(Rows({3, 4})),
         "No row was inserted: channel 198 is in use and would be pushed past channel 199."},
        {grid.MoveUp(Rows({0, 5})), "Channel 0 is the first channel; it cannot move up."},
        {grid.MoveDown(Rows({5, 199})), "Channel 199 is the last channel; it cannot move down."},
        {grid.Delete({}), none}, {grid.InsertRows({}), none}, {grid.DeleteRows({}), none},
        {grid.MoveDown({}), none}, {grid.DeleteRows(Rows({-1, 200})), none},
        {grid.Edit(3, Column::Tx, "146,52"), "Out of range,please input again."},
        {grid.Paste("1\t146.52\t\tNone\tNone\tHigh\tLock\tYes\t\r\n"
                    "2\t446.0030\t\tNone\tNone\tHigh\tLock\tYes\t\r\n", Row(5)),
         pasted + "line 1: Rx Frequency '146.52': Out of range,please input again.\nline 2: Rx "
                  "Frequency '446.0030': Error data Value, please input according the step "
                  "value(6.25K/5k)."},
        {grid.Paste("RPT\tA B", name),
         pasted + "line 1: 2 cells were copied side by side, but only 1 fit from the Cha Name "
                  "column to the last."},
        {grid.Paste("A B", name),
         pasted + "line 1: Cha Name 'A B': a name holds only 0-9, A-Z, - and _"},
        {grid.Paste("A", {}), pasted + "line 1: " + none},
        {grid.Paste("", Row(3)), pasted + "line 1: There is nothing to paste."},
        {grid.Paste("\"A", Row(3)), pasted + "line 1: a quoted field is never closed"},
        {grid.Paste("446.1\n446.2", Row(199)),
         pasted + "line 2: 2 rows were copied, but only 1 fit from channel 199 to channel 199."},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(c.outcome.refused);
        EXPECT_EQ(c.outcome.message, c.message);
    }
    EXPECT_EQ(grid.Texts(), GridOf(FullImage()).Texts());
    EXPECT_FALSE(grid.CanUndo());
    EXPECT_EQ(grid.Row(-1), grid.Row(0)); // a row outside the grid reads as channel 0

    ChannelGrid chinese = GridOf(FullImage(), Language::Chinese);
    EXPECT_EQ(chinese.MoveDown(Row(199)).message, "信道 199 是最后一个信道，无法下移。");
}

TEST(ChannelGridTest, HistoryNamesStepsAndKnowsTheSavedState) {
    ChannelGrid grid = GridOf(test::EmptyImage());
    EXPECT_TRUE(grid.IsClean());
    grid.Edit(0, Column::Rx, "446.00625");
    grid.Paste("446.1", GridSelection::OfCells({{1, Column::Rx}}));
    grid.MarkClean();
    grid.MoveDown(Row(0));
    EXPECT_EQ(grid.UndoName()->zh, "下移");
    EXPECT_FALSE(grid.IsClean());
    EXPECT_EQ(grid.Undo().selectRows, (std::vector<int>{0, 1}));
    EXPECT_TRUE(grid.IsClean()) << "undone back to the save";
    EXPECT_EQ(grid.RedoName()->en, "Move Down");
    grid.Undo();
    EXPECT_EQ(grid.UndoName()->en, "Edit");
    EXPECT_FALSE(grid.IsClean());
    grid.Edit(5, Column::Rx, "446.2"); // the undone steps and the saved state are gone
    EXPECT_FALSE(grid.CanRedo());
    grid.Undo();
    EXPECT_FALSE(grid.IsClean());
    grid.ShowChannels(FullImage()); // a read or an open starts afresh
    EXPECT_FALSE(grid.CanUndo());
    EXPECT_TRUE(grid.IsClean());
    EXPECT_FALSE(grid.Undo().refused);
}

} // namespace
} // namespace velmora
