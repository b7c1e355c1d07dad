// What differs between two memory images, in the words the program shows them in.
//
// The comparison names each differing grid cell (channel, column, both texts), each differing
// line of the printed options page, and every differing byte that neither explains: one where
// putting either image's value into the other changes no text the program shows (the bytes the
// radio keeps for itself, unused areas, type and band). When no cell or option differs, every
// differing byte is listed, so two images that differ always say so.
//
// As lines, channels first, then options, then bytes:
//   channel 5: Rx Frequency 438.01250 -> 438.02500
//   option Step: 12.5k -> 25k
//   byte 0x0C85: 0xFF -> 0x00
// an empty cell reading "(empty)".
#pragma once

#include "base/Texts.h"
#include "channels/ChannelColumn.h"
#include "channels/GridSelection.h"
#include "image/MemoryImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// In each difference `a` is the first image's value and `b` the other's.
struct CellDifference {
    int channel = 0;
    Column column = Column::Rx;
    std::string a;
    std::string b;
};

struct OptionDifference {
    std::string label; // without its colon
    std::string a;
    std::string b;
};

struct ByteDifference {
    std::size_t offset = 0;
    std::uint8_t a = 0;
    std::uint8_t b = 0;
};

struct ImageComparison {
    std::vector<CellDifference> cells; // by channel, then column
    std::vector<OptionDifference> options;
    std::vector<ByteDifference> bytes; // by offset
    bool Same() const { return cells.empty() && options.empty() && bytes.empty(); }
};

ImageComparison CompareImages(const MemoryImage& a, const MemoryImage& b, Language lang);

// The lines velmora-cli diff prints for a comparison.
std::vector<std::string> DiffLines(const ImageComparison& comparison, Language lang);

// DiffLines of CompareImages.
std::vector<std::string> DiffImages(const MemoryImage& a, const MemoryImage& b, Language lang);

// The differing cell after `from` (forward) or before it, row by row and wrapping round; nothing
// when no cell differs. Next and Previous Difference walk the grid with it.
std::optional<GridCell> NextDifference(const ImageComparison& comparison, GridCell from,
                                       bool forward);

} // namespace velmora
