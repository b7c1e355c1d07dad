// The eight fields of a channel row, named once for the codec, the edit rules, the CSV code,
// printing and the grid.
//
//   Column      Rx  Tx  DecodeTone  EncodeTone  Power  Lock  ScanAdd  Name
//   index        0   1      2           3         4     5       6       7
//   grid column  1   2      3           4         5     6       7       8   (0 is the label)
//
// The index is a row's position in ChannelTexts; the grid column is the number the user sees,
// the channel number's column being 0.
#pragma once

#include "base/Texts.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace velmora {

enum class Column { Rx, Tx, DecodeTone, EncodeTone, Power, Lock, ScanAdd, Name };

inline constexpr std::size_t kColumnCount = 8;

inline constexpr std::array<Column, kColumnCount> kColumns = {
    Column::Rx,    Column::Tx,   Column::DecodeTone, Column::EncodeTone,
    Column::Power, Column::Lock, Column::ScanAdd,    Column::Name};

// The eight cell texts of a channel row, in Column order.
using ChannelTexts = std::array<std::string, kColumnCount>;

constexpr std::size_t Index(Column column) {
    return static_cast<std::size_t>(column);
}

// The column at index 0..7; nothing for any other index.
constexpr std::optional<Column> ColumnAt(std::size_t index) {
    return index < kColumnCount ? std::optional<Column>(kColumns[index]) : std::nullopt;
}

inline std::string& Cell(ChannelTexts& row, Column column) {
    return row[Index(column)];
}
inline const std::string& Cell(const ChannelTexts& row, Column column) {
    return row[Index(column)];
}

// The column's title in the grid header, CSV headers and comparisons.
constexpr const TextPair& ColumnTitle(Column column) {
    return txt::ColumnTitles[Index(column) + 1];
}
// The title of the channel number's column ("CH").
constexpr const TextPair& ChannelNumberTitle() {
    return txt::ColumnTitles[0];
}

// The columns edited with a drop-down list: their texts are entries of a fixed list.
constexpr bool IsListColumn(Column column) {
    return column == Column::DecodeTone || column == Column::EncodeTone ||
           column == Column::Power || column == Column::Lock || column == Column::ScanAdd;
}

constexpr bool IsFrequencyColumn(Column column) {
    return column == Column::Rx || column == Column::Tx;
}

} // namespace velmora
