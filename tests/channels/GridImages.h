// Images for the grid model's tests: every channel in use, or none, each with bytes the grid
// does not show (flag bits 7, 6, 1, 0, record bytes 13 to 15, names of up to eight characters).
#pragma once

#include "channels/ChannelGrid.h"

#include <cstdio>

namespace velmora::test {

inline constexpr BandLimits k400To470{40000000, 47000000, true};

// Channel i of the full image: Rx descending from 469.00000 in 12.5 kHz steps (so sorting
// changes every row), power High/Middle/Low by i % 3, a name of eight characters.
inline ChannelTexts FullRow(int i) {
    const int units = 46900000 - 1250 * i;
    char rx[16];
    std::snprintf(rx, sizeof rx, "%d.%05d", units / 100000, units % 100000);
    const char* powers[] = {"High", "Middle", "Low"};
    char name[16];
    std::snprintf(name, sizeof name, "CH%03dX_Y", i);
    return {rx, rx, "None", i % 2 ? "67.0" : "D023N", powers[i % 3], "Lock", "Yes", name};
}

// Gives channel i bytes only the radio reads.
inline void AddHiddenBytes(MemoryImage& image, int i) {
    const std::size_t record = 16 * static_cast<std::size_t>(i);
    image[record + 12] |= i % 2 ? 0xC3 : 0x81;
    image[record + 13] = static_cast<std::uint8_t>(i);
    image[record + 14] = 0xA5;
    image[record + 15] = static_cast<std::uint8_t>(~i);
}

// Channels `used` in use, the others empty with name bytes left behind.
template <typename Used> MemoryImage ImageWith(Used used) {
    MemoryImage image = NewImage();
    for (int i = 0; i < kChannelCount; ++i) {
        if (used(i)) {
            EncodeChannel(image, i, FullRow(i));
            AddHiddenBytes(image, i);
        } else {
            image[0x0C90 + 8 * static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % 36);
        }
    }
    return image;
}

inline MemoryImage FullImage() {
    return ImageWith([](int) { return true; });
}

inline MemoryImage EmptyImage() {
    return ImageWith([](int) { return false; });
}

inline ChannelGrid GridOf(const MemoryImage& image, Language lang = Language::English) {
    ChannelGrid grid(lang);
    grid.SetBand(k400To470);
    grid.ShowChannels(image);
    return grid;
}

// The row with one cell changed.
inline ChannelTexts With(ChannelTexts row, Column column, std::string text) {
    Cell(row, column) = std::move(text);
    return row;
}

inline GridSelection Cells(std::initializer_list<GridCell> cells) {
    return GridSelection::OfCells(cells);
}

// The image a save would write from the grid.
inline MemoryImage Stored(const ChannelGrid& grid, const MemoryImage& base) {
    MemoryImage image = base;
    grid.StoreChannels(image);
    return image;
}

} // namespace velmora::test
