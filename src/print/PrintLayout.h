// The printed report as a pure page model: every text and rule of every page, positioned in
// twips, with no window system behind it. The renderer only creates the two fonts, measures
// their line heights, and draws what a page lists.
//
// Page 1 lists the option settings; every following page lists seven channels. Coordinates
// have their origin at the top-left corner of the printable area with y growing upwards, so
// everything below the top has a negative y; (x, y) is the top-left corner of a text.
//
//        5cu                                              60cu
//   -H0   6cu "Option" / "Channel"          (page font)
//   -2·H0-50   ───────────────────────────────────────────
//   -2·H0-120  ───────────────────────────────────────────
//   ...  body (small font; options: -n·H1, channels: -k·H1 - d)
//   -36·H0+H0/2 ──────────────────────────────────────────
//   -36·H0 10cu owner text              45cu "Page p of n"
#pragma once

#include "base/Texts.h"
#include "channels/ChannelTable.h"
#include "image/MemoryImage.h"
#include "settings/OptionLines.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr int kChannelsPerPage = 7;
// Entry 0 plus one boundary per full page of seven: 200 channels need 28 boundaries, and the
// 29th channel page ends at the last row.
inline constexpr int kPageEndEntries = 30;
static_assert(kPageEndEntries * kChannelsPerPage > kChannelCount);

// The channel pages print the grid's texts (ChannelTexts in Column order; grid rows 1 to 200,
// channels 0 to 199, at index 0 to 199).

// The printable area of the page as the printer reports it.
struct PrintArea {
    int widthPx = 0;
    int heightPx = 0;
    int dpiX = 0;
    int dpiY = 0;
};

// The page is laid out on a grid of 66 columns and 45 lines, in twips.
struct PageUnits {
    int lineUnit = 0;
    int columnUnit = 0;
    bool operator==(const PageUnits&) const = default;
};
PageUnits ComputePageUnits(const PrintArea& area);

// Size of a print font in twips: a negative height is the character height (without internal
// leading); the width is the average character width.
struct PrintFontSize {
    int height = 0;
    int width = 0;
    bool operator==(const PrintFontSize&) const = default;
};
inline constexpr std::string_view kPrintFontFace = "Times New Roman";
inline constexpr int kPrintFontWeight = 400;
PrintFontSize PageFontSize(PageUnits units);  // titles
PrintFontSize SmallFontSize(PageUnits units); // body and footer: four fifths of the page font

// Line heights (text height plus external leading) of the two fonts as created for the
// page, in twips: H0 of the page font, H1 of the small font.
struct LineHeights {
    int pageFont = 0;
    int smallFont = 0;
};

struct DrawText {
    int x = 0;
    int y = 0;
    std::string text;
    bool smallFont = false;
    bool operator==(const DrawText&) const = default;
};
struct DrawRule {
    int x1 = 0;
    int x2 = 0;
    int y = 0;
    bool operator==(const DrawRule&) const = default;
};
struct PageOps {
    std::vector<DrawText> texts;
    std::vector<DrawRule> rules;
};

// Which grid rows each channel page covers. A row counts as a channel when its Rx Frequency
// cell holds text. pageEnd[0] = 0; pageEnd[k] = the grid row (1-based) of the (7·k)-th
// channel; entries after the last full group of seven are 200, so the last page runs to the
// end of the grid. Channel page c prints rows pageEnd[c-1]+1 to pageEnd[c].
struct ChannelPaging {
    std::array<int, kPageEndEntries> pageEnd{};
    int channelCount = 0;
    int channelPages = 0;
};
ChannelPaging CountChannelPages(const ChannelGridTexts& grid);

class PrintLayout {
public:
    // Takes its own copy of the grid texts and the option lines, so every page of one job
    // comes from the same state of the document, and the page count in the footers matches
    // the pages there are.
    PrintLayout(const ChannelGridTexts& grid, const MemoryImage& image, std::string ownerText,
                Language lang, const PrintArea& area, LineHeights heights);

    // The options page plus the channel pages.
    int PageCount() const { return 1 + paging_.channelPages; }
    PageUnits Units() const { return units_; }
    const ChannelPaging& Paging() const { return paging_; }

    // Page p, counted from 1. A page number outside 1..PageCount() gives an empty page.
    PageOps Page(int page) const;

private:
    void AddFrame(PageOps& ops) const;
    void AddOptionsBody(PageOps& ops) const;
    void AddChannelsBody(PageOps& ops, int channelPage) const;
    void AddChannelBlock(PageOps& ops, int gridRow, int block) const;
    void AddFooter(PageOps& ops, int page) const;
    int PageColumn(int n) const { return n * units_.columnUnit; }

    ChannelGridTexts grid_;
    std::array<OptionLine, kPrintedOptionLines> options_;
    std::string owner_;
    Language lang_;
    PageUnits units_;
    LineHeights heights_;
    ChannelPaging paging_;
};

} // namespace velmora
