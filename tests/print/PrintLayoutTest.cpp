#include "print/PrintLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <numeric>
#include <ostream>
#include <string>
#include <vector>

namespace velmora {

// Readable failures for the page model's value types.
void PrintTo(const DrawText& t, std::ostream* os) {
    *os << "{" << t.x << ", " << t.y << ", \"" << t.text << "\", " << t.smallFont << "}";
}
void PrintTo(const DrawRule& r, std::ostream* os) {
    *os << "{" << r.x1 << ", " << r.x2 << ", " << r.y << "}";
}

namespace {

// A4-like page at 600 dpi: 11520 × 15840 twips → column unit 174, line unit 352.
constexpr PrintArea kArea{4800, 6600, 600, 600};
// Odd heights so that halves and the 5.7-line blocks truncate.
constexpr LineHeights kHeights{401, 321};

ChannelGridTexts GridWith(const std::vector<int>& channels) {
    ChannelGridTexts grid;
    for (int ch : channels) {
        const std::string n = std::to_string(ch);
        grid[ch] = {
            "4" + n + ".00000", "4" + n + ".12500", "67.0", "D023N", "High", "Unlock", "Yes",
            "NAME" + n};
    }
    return grid;
}

PrintLayout Layout(const ChannelGridTexts& grid) {
    return PrintLayout(grid, NewImage(), "Owner Ltd", Language::English, kArea, kHeights);
}

// The channel numbers a page prints, in order.
std::vector<int> ChannelsOn(const PageOps& ops) {
    std::vector<int> out;
    for (const DrawText& t : ops.texts) {
        if (t.text.starts_with("Channel ") && t.text.ends_with(":") && t.x == 4 * 174) {
            out.push_back(std::stoi(t.text.substr(8)));
        }
    }
    return out;
}

const DrawText* Find(const PageOps& ops, const std::string& text) {
    const auto found = std::ranges::find(ops.texts, text, &DrawText::text);
    return found == ops.texts.end() ? nullptr : &*found;
}

TEST(PageUnits, FromPrintableArea) {
    // Both divisions truncate: 4799 px → 11517 twips → 174; 6599 px → 15837 → 351.
    EXPECT_EQ(ComputePageUnits({4799, 6599, 600, 600}), (PageUnits{351, 174}));
    // Pixel counts whose twips overflow 32 bits, and a printer that reports no resolution.
    EXPECT_EQ(ComputePageUnits({2000000, 2000000, 72, 72}), (PageUnits{888888, 606060}));
    EXPECT_EQ(ComputePageUnits({4800, 6600, 0, 0}), (PageUnits{0, 0}));
    EXPECT_EQ(ComputePageUnits({-5, 6600, 600, 600}), (PageUnits{352, 0}));
    // A driver reporting absurd sizes gets units capped where no position can overflow.
    EXPECT_EQ(ComputePageUnits({INT_MAX, INT_MAX, 1, 1}),
              (PageUnits{INT_MAX / 128, INT_MAX / 128}));
    EXPECT_EQ(PageFontSize({352, 174}), (PrintFontSize{-352, 174}));
    EXPECT_EQ(SmallFontSize({352, 174}), (PrintFontSize{-281, 139}));
}

TEST(PrintLayout, OptionsPageExactPositions) {
    const PageOps page = Layout(GridWith({})).Page(1);
    const std::vector<DrawRule> rules = {
        {870, 10440, -852}, {870, 10440, -922}, {870, 10440, -36 * 401 + 200}};
    EXPECT_EQ(page.rules, rules);
    ASSERT_EQ(page.texts.size(), 2u + 32u + 2u);
    EXPECT_EQ(page.texts[0], (DrawText{1044, -401, "Option", false}));
    EXPECT_EQ(page.texts[1], (DrawText{1044, -1284, "Function", true}));
    EXPECT_EQ(page.texts[2], (DrawText{1566, -1605, "Time Out Timer:", true}));
    EXPECT_EQ(page.texts[3], (DrawText{6090, -1605, "1", true}));
    EXPECT_EQ(page.texts[32], (DrawText{1566, -6420, "Battery Saver:", true}));
    EXPECT_EQ(page.texts[33], (DrawText{6090, -6420, "0.4", true}));
    EXPECT_EQ(page.texts[34], (DrawText{1740, -14436, "Owner Ltd", true}));
    EXPECT_EQ(page.texts[35], (DrawText{7830, -14436, "Page 1 of 1", true}));
}

TEST(PrintLayout, ChannelBlocksExactPositions) {
    const PageOps page = Layout(GridWith({0, 1, 2, 3, 4, 5, 6})).Page(2);
    ASSERT_EQ(page.texts.size(), 1u + 7u * 15u + 2u); // fifteen texts a block: no Scan Add
    EXPECT_EQ(page.texts[0], (DrawText{1044, -401, "Channel", false}));
    // First block: lines 4 to 8 below the top.
    const std::vector<DrawText> first = {
        {696, -1284, "Channel 0:", true}, {870, -1605, "Receive Frequency:", true},
        {3828, -1605, "40.00000", true},  {6264, -1605, "Transceive Frequency:", true},
        {9570, -1605, "40.12500", true},  {870, -1926, "QT/DQT Decode:", true},
        {3828, -1926, "67.0", true},      {6264, -1926, "QT/DQT Encode:", true},
        {9570, -1926, "D023N", true},     {870, -2247, "Power:", true},
        {3828, -2247, "High", true},      {6264, -2247, "Channel Lock:", true},
        {9570, -2247, "Unlock", true},    {870, -2568, "Channel Name:", true},
        {3828, -2568, "NAME0", true},
    };
    // The name line has no right-hand pair.
    EXPECT_EQ(std::vector<DrawText>(page.texts.begin() + 1, page.texts.begin() + 16), first);
    // Block 1 lies trunc(5.7 × 321) = 1829 lower, block 6 trunc(6 × 5.7 × 321) = 10978.
    EXPECT_EQ(*Find(page, "Channel 1:"), (DrawText{696, -1284 - 1829, "Channel 1:", true}));
    EXPECT_EQ(*Find(page, "Channel 6:"), (DrawText{696, -1284 - 10978, "Channel 6:", true}));
}

// The channels in use, seven to a page in grid order, each page numbered "of" the whole job; a
// page number outside the job gives an empty page.
TEST(PrintLayout, EveryChannelOnceSevenToAPage) {
    std::vector<int> all(kChannelCount);
    std::iota(all.begin(), all.end(), 0);
    const std::vector<int> grids[] = {
        {}, {10, 11, 12, 13, 14, 15, 16}, {0, 5, 9, 20, 21, 22, 100, 199}, {0, 199}, all};
    for (const std::vector<int>& channels : grids) {
        const auto layout = Layout(GridWith(channels));
        const int count = static_cast<int>(channels.size());
        const int pages = 1 + (count + 6) / 7;
        ASSERT_EQ(layout.PageCount(), pages) << count;
        for (int p = 1; p <= pages; ++p) {
            const PageOps page = layout.Page(p);
            const int first = p == 1 ? 0 : 7 * (p - 2),
                      last = p == 1 ? 0 : std::min(first + 7, count);
            EXPECT_EQ(ChannelsOn(page),
                      std::vector(channels.begin() + first, channels.begin() + last))
                << "page " << p << " of " << count;
            EXPECT_EQ(page.texts.back().text,
                      "Page " + std::to_string(p) + " of " + std::to_string(pages));
        }
        for (int p : {INT_MIN, 0, pages + 1, INT_MAX}) {
            EXPECT_TRUE(layout.Page(p).texts.empty() && layout.Page(p).rules.empty()) << p;
        }
    }
}

TEST(PrintLayout, BoundariesFollowTheGridWhenChannelsAreCleared) {
    ChannelGridTexts grid = GridWith({2, 4, 6, 8, 10, 12, 14, 16, 18});
    for (int ch : {2, 8, 12}) {
        grid[ch][0].clear(); // every other cell of the channel still holds text
    }
    grid[30][0] = "146.00000";
    grid[31][0] = "146.00000";
    const auto after = Layout(grid);
    EXPECT_EQ(after.PageCount(), 3);
    EXPECT_EQ(after.Paging().pageEnd[1], 31); // now the 7th channel is 30
    EXPECT_EQ(ChannelsOn(after.Page(2)), (std::vector<int>{4, 6, 10, 14, 16, 18, 30}));
    EXPECT_EQ(ChannelsOn(after.Page(3)), (std::vector<int>{31}));
    EXPECT_EQ(Find(after.Page(2), "NAME8"), nullptr);
}

TEST(PrintLayout, AbsurdLineHeightsAreCapped) {
    const PrintLayout layout(GridWith({0, 1, 2, 3, 4, 5, 6}), NewImage(), "", Language::English,
                             {INT_MAX, INT_MAX, 1, 1}, {INT_MAX, INT_MAX});
    const int cap = INT_MAX / 128;
    const PageOps page = layout.Page(2);
    EXPECT_EQ(page.rules[0], (DrawRule{5 * cap, 60 * cap, -2 * cap - 50}));
    EXPECT_EQ(Find(page, "Channel 6:")->y, -4 * cap - static_cast<int>(6LL * 57 * cap / 10));
    EXPECT_EQ(page.texts.back().y, -36 * cap);
    // No owner text: the page number still prints.
    EXPECT_EQ(page.texts.back().text, "Page 2 of 2");
    const PrintLayout negative(GridWith({}), NewImage(), "", Language::English, kArea, {-5, -7});
    EXPECT_EQ(negative.Page(1).rules[2].y, 0);
}

} // namespace
} // namespace velmora
