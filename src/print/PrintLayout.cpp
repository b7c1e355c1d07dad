#include "print/PrintLayout.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace velmora {
namespace {

// Fills each "%d" of a page text with the next number.
std::string FormatNumbers(std::string_view pattern, std::initializer_list<int> numbers) {
    std::string out;
    auto next = numbers.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 'd' &&
            next != numbers.end()) {
            out += std::to_string(*next++);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

// Ceiling for units and line heights: far beyond any paper, and low enough that no position
// on the page (at most 60 columns or about 42 lines from the origin) can overflow an int,
// whatever a printer driver reports.
constexpr std::int64_t kMaxLength = INT_MAX / 128;

int Clamped(std::int64_t length) {
    return static_cast<int>(std::clamp<std::int64_t>(length, 0, kMaxLength));
}

// Pixels to twips, then to one of `parts` equal divisions, both divisions truncating.
int Unit(int pixels, int dpi, int parts) {
    if (pixels <= 0 || dpi <= 0) {
        return 0;
    }
    const std::int64_t twips = static_cast<std::int64_t>(pixels) * 1440 / dpi;
    return Clamped(twips / parts);
}

bool IsChannelRow(const ChannelTexts& row) {
    return !Cell(row, Column::Rx).empty();
}

} // namespace

PageUnits ComputePageUnits(const PrintArea& area) {
    return {Unit(area.heightPx, area.dpiY, 45), Unit(area.widthPx, area.dpiX, 66)};
}

PrintFontSize PageFontSize(PageUnits units) {
    return {-units.lineUnit, units.columnUnit};
}

PrintFontSize SmallFontSize(PageUnits units) {
    // Four fifths, truncated toward zero, in integers so no rounding of 0.8 creeps in.
    return {-(units.lineUnit * 4 / 5), units.columnUnit * 4 / 5};
}

ChannelPaging CountChannelPages(const ChannelGridTexts& grid) {
    ChannelPaging paging;
    paging.pageEnd.fill(kChannelCount);
    paging.pageEnd[0] = 0;
    int group = 0;
    for (int row = 1; row <= kChannelCount; ++row) {
        if (!IsChannelRow(grid[row - 1])) {
            continue;
        }
        ++paging.channelCount;
        if (paging.channelCount % kChannelsPerPage == 0 && group + 1 < kPageEndEntries) {
            paging.pageEnd[++group] = row;
        }
    }
    paging.channelPages = (paging.channelCount + kChannelsPerPage - 1) / kChannelsPerPage;
    return paging;
}

PrintLayout::PrintLayout(const ChannelGridTexts& grid, const MemoryImage& image,
                         std::string ownerText, Language lang, const PrintArea& area,
                         LineHeights heights)
    : grid_(grid), options_(PrintedOptionLines(image, lang)), owner_(std::move(ownerText)),
      lang_(lang), units_(ComputePageUnits(area)), heights_{Clamped(heights.pageFont),
                                                            Clamped(heights.smallFont)},
      paging_(CountChannelPages(grid_)) {}

PageOps PrintLayout::Page(int page) const {
    PageOps ops;
    if (page < 1 || page > PageCount()) {
        return ops;
    }
    AddFrame(ops);
    if (page == 1) {
        AddOptionsBody(ops);
    } else {
        AddChannelsBody(ops, page - 1);
    }
    AddFooter(ops, page);
    return ops;
}

void PrintLayout::AddFrame(PageOps& ops) const {
    const int h0 = heights_.pageFont;
    const int left = PageColumn(5);
    const int right = PageColumn(60);
    // A double rule under the title and a single one above the footer.
    ops.rules.push_back({left, right, -2 * h0 - 50});
    ops.rules.push_back({left, right, -2 * h0 - 120});
    ops.rules.push_back({left, right, -36 * h0 + h0 / 2});
}

void PrintLayout::AddOptionsBody(PageOps& ops) const {
    const int h0 = heights_.pageFont;
    const int h1 = heights_.smallFont;
    ops.texts.push_back({PageColumn(6), -h0, std::string(txt::PrintOptionTitle.In(lang_)), false});
    ops.texts.push_back({PageColumn(6), -4 * h1, std::string(txt::PrintFunction.In(lang_)), true});
    int line = 5;
    for (const OptionLine& option : options_) {
        ops.texts.push_back({PageColumn(9), -line * h1, option.label, true});
        ops.texts.push_back({PageColumn(35), -line * h1, option.value, true});
        ++line;
    }
}

void PrintLayout::AddChannelsBody(PageOps& ops, int channelPage) const {
    ops.texts.push_back(
        {PageColumn(6), -heights_.pageFont, std::string(txt::PrintChannelTitle.In(lang_)), false});
    if (channelPage < 1 || channelPage >= kPageEndEntries) {
        return;
    }
    const int first = paging_.pageEnd[channelPage - 1] + 1;
    const int last = paging_.pageEnd[channelPage];
    int block = 0;
    for (int row = first; row <= last && row <= kChannelCount; ++row) {
        if (IsChannelRow(grid_[row - 1])) {
            AddChannelBlock(ops, row, block % kChannelsPerPage);
            ++block;
        }
    }
}

void PrintLayout::AddChannelBlock(PageOps& ops, int gridRow, int block) const {
    const int h1 = heights_.smallFont;
    // Each block is 5.7 small-font lines high, truncated to whole twips once per block.
    const int d = static_cast<int>(static_cast<std::int64_t>(block) * 57 * h1 / 10);
    const ChannelTexts& cells = grid_[gridRow - 1];
    const auto y = [&](int line) { return -line * h1 - d; };
    const auto label = [&](const TextPair& pair) { return std::string(pair.In(lang_)); };

    // Grid row 1 is the priority channel, channel 0.
    ops.texts.push_back({PageColumn(4), y(4),
                         FormatNumbers(txt::PrintChannelNumber.In(lang_), {gridRow - 1}), true});
    // Lines 5 to 8: a label and its cell on the left, another pair on the right. The Scan
    // Add column is not printed.
    struct BlockLine {
        const TextPair* leftLabel;
        Column leftCell;
        const TextPair* rightLabel;
        Column rightCell;
    };
    constexpr BlockLine lines[] = {
        {&txt::PrintRxFrequency, Column::Rx, &txt::PrintTxFrequency, Column::Tx},
        {&txt::PrintDecode, Column::DecodeTone, &txt::PrintEncode, Column::EncodeTone},
        {&txt::PrintPower, Column::Power, &txt::PrintChannelLock, Column::Lock},
        {&txt::PrintChannelName, Column::Name, nullptr, Column::Name},
    };
    int k = 5;
    for (const BlockLine& line : lines) {
        ops.texts.push_back({PageColumn(5), y(k), label(*line.leftLabel), true});
        ops.texts.push_back({PageColumn(22), y(k), Cell(cells, line.leftCell), true});
        if (line.rightLabel != nullptr) {
            ops.texts.push_back({PageColumn(36), y(k), label(*line.rightLabel), true});
            ops.texts.push_back({PageColumn(55), y(k), Cell(cells, line.rightCell), true});
        }
        ++k;
    }
}

void PrintLayout::AddFooter(PageOps& ops, int page) const {
    // The body leaves the small font selected, and the footer is drawn with it.
    const int y = -36 * heights_.pageFont;
    ops.texts.push_back({PageColumn(10), y, owner_, true});
    ops.texts.push_back(
        {PageColumn(45), y, FormatNumbers(txt::PrintPageOf.In(lang_), {page, PageCount()}), true});
}

} // namespace velmora
