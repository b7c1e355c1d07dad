#include "channels/ImageDiff.h"

#include "channels/ChannelTable.h"
#include "settings/OptionLines.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace velmora {

namespace {

constexpr std::size_t kNamesEnd = offset::ChannelNames + kChannelCount * kChannelNameSize;

// The channel whose record or name holds the byte, or -1.
int ChannelAt(std::size_t at) {
    if (at < kChannelCount * kChannelRecordSize) {
        return static_cast<int>(at / kChannelRecordSize);
    }
    if (at >= offset::ChannelNames && at < kNamesEnd) {
        return static_cast<int>((at - offset::ChannelNames) / kChannelNameSize);
    }
    return -1;
}

std::string Hex(unsigned value, int digits) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string Shown(const std::string& text, Language lang) {
    return text.empty() ? std::string(txt::DiffEmpty.In(lang)) : text;
}

std::string Label(std::string label) {
    while (!label.empty() && label.back() == ':') {
        label.pop_back();
    }
    return label;
}

using OptionTexts = std::array<OptionLine, kPrintedOptionLines>;

// What each image shows, decoded once: the byte check below asks about thousands of bytes.
struct Decoded {
    const MemoryImage& image;
    ChannelGridTexts channels;
    OptionTexts options;
};

// Whether the texts the program shows for the byte's area change when only this byte changes.
bool ShowsIn(const Decoded& shown, std::size_t at, std::uint8_t value, Language lang) {
    MemoryImage changed = shown.image;
    changed[at] = value;
    if (const int channel = ChannelAt(at); channel >= 0) {
        return shown.channels[static_cast<std::size_t>(channel)] !=
               DecodeChannel(changed, channel, lang);
    }
    const OptionTexts after = PrintedOptionLines(changed, lang);
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (shown.options[i].value != after[i].value) {
            return true;
        }
    }
    return false;
}

} // namespace

ImageComparison CompareImages(const MemoryImage& a, const MemoryImage& b, Language lang) {
    ImageComparison comparison;
    const Decoded left{a, DecodeAllChannels(a, lang), PrintedOptionLines(a, lang)};
    const Decoded right{b, DecodeAllChannels(b, lang), PrintedOptionLines(b, lang)};
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const ChannelTexts& rowA = left.channels[static_cast<std::size_t>(channel)];
        const ChannelTexts& rowB = right.channels[static_cast<std::size_t>(channel)];
        for (Column column : kColumns) {
            if (Cell(rowA, column) != Cell(rowB, column)) {
                comparison.cells.push_back(
                    {channel, column, Cell(rowA, column), Cell(rowB, column)});
            }
        }
    }
    for (std::size_t i = 0; i < left.options.size(); ++i) {
        if (left.options[i].value != right.options[i].value) {
            comparison.options.push_back(
                {Label(left.options[i].label), left.options[i].value, right.options[i].value});
        }
    }
    // Bytes that only together change a text (none of them alone does) would otherwise go
    // unmentioned: two images that differ always give at least one line.
    const bool describedAll = !comparison.cells.empty() || !comparison.options.empty();
    for (std::size_t at = 0; at < a.size(); ++at) {
        if (a[at] == b[at] ||
            (describedAll && (ShowsIn(left, at, b[at], lang) || ShowsIn(right, at, a[at], lang)))) {
            continue;
        }
        comparison.bytes.push_back({at, a[at], b[at]});
    }
    return comparison;
}

std::vector<std::string> DiffLines(const ImageComparison& comparison, Language lang) {
    std::vector<std::string> lines;
    for (const CellDifference& cell : comparison.cells) {
        lines.push_back(FillText(txt::DiffChannel, lang, {std::to_string(cell.channel)}) +
                        std::string(ColumnTitle(cell.column).In(lang)) + " " + Shown(cell.a, lang) +
                        " -> " + Shown(cell.b, lang));
    }
    for (const OptionDifference& option : comparison.options) {
        lines.push_back(std::string(txt::DiffOption.In(lang)) + option.label + ": " + option.a +
                        " -> " + option.b);
    }
    for (const ByteDifference& byte : comparison.bytes) {
        lines.push_back(std::string(txt::DiffByte.In(lang)) +
                        Hex(static_cast<unsigned>(byte.offset), 4) + ": " + Hex(byte.a, 2) +
                        " -> " + Hex(byte.b, 2));
    }
    return lines;
}

std::vector<std::string> DiffImages(const MemoryImage& a, const MemoryImage& b, Language lang) {
    return DiffLines(CompareImages(a, b, lang), lang);
}

std::optional<GridCell> NextDifference(const ImageComparison& comparison, GridCell from,
                                       bool forward) {
    const auto& cells = comparison.cells;
    if (cells.empty()) {
        return std::nullopt;
    }
    const auto cellOf = [](const CellDifference& d) { return GridCell{d.channel, d.column}; };
    if (forward) {
        const auto next = std::find_if(cells.begin(), cells.end(),
                                       [&](const CellDifference& d) { return from < cellOf(d); });
        return cellOf(next != cells.end() ? *next : cells.front());
    }
    const auto previous = std::find_if(cells.rbegin(), cells.rend(),
                                       [&](const CellDifference& d) { return cellOf(d) < from; });
    return cellOf(previous != cells.rend() ? *previous : cells.back());
}

} // namespace velmora
