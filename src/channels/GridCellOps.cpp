#include "channels/GridCellOps.h"

#include "base/TextChars.h"

#include "channels/CellInput.h"
#include "channels/EditRules.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr Column kSearched[] = {Column::Rx, Column::Tx, Column::Name};

std::string_view TrimmedQuery(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

void ClearCells(ChannelGridTexts& grid, const GridSelection& at, const BandLimits& band,
                Language lang) {
    for (const GridCell& cell : at.Cells()) {
        ChannelTexts& row = grid[static_cast<std::size_t>(cell.row)];
        if (at.IsRows()) {
            row = ChannelTexts{};
        } else if (!IsListColumn(cell.column)) {
            row = CommitCell(row, cell.column, "", band, CommitKey::LeaveCell, lang).row;
        }
    }
}

std::optional<std::string> FillDown(ChannelGridTexts& grid, const GridSelection& at,
                                    const BandLimits& band, Language lang) {
    ChannelGridTexts filled = grid;
    for (Column column : kColumns) {
        std::optional<std::string> value;
        for (const GridCell& cell : at.Cells()) {
            if (cell.column != column) {
                continue;
            }
            ChannelTexts& row = filled[static_cast<std::size_t>(cell.row)];
            if (!value) {
                value = Cell(row, column);
                continue;
            }
            const CommitResult commit =
                CommitCell(row, column, *value, band, CommitKey::LeaveCell, lang);
            if (commit.rejected) {
                return FillText(txt::MsgFillRefused, lang,
                                {std::to_string(cell.row),
                                 std::string(commit.message.value_or(txt::CsvNotAValue).In(lang))});
            }
            row = commit.row;
        }
    }
    grid = std::move(filled);
    return std::nullopt;
}

std::optional<GridCell> FindCell(const ChannelGridTexts& grid, std::string_view query,
                                 GridCell from) {
    const std::string_view trimmed = TrimmedQuery(query);
    if (trimmed.empty()) {
        return std::nullopt;
    }
    const std::string needle = Lower(trimmed);
    const std::optional<std::string> frequency = FrequencyNumberText(trimmed);
    constexpr int kCells = kChannelCount * static_cast<int>(kColumnCount);
    const int start = std::clamp(from.row, 0, kChannelCount - 1) * static_cast<int>(kColumnCount) +
                      static_cast<int>(Index(from.column));
    for (int step = 1; step <= kCells; ++step) {
        const int at = (start + step) % kCells;
        const GridCell cell{at / static_cast<int>(kColumnCount),
                            kColumns[static_cast<std::size_t>(at) % kColumnCount]};
        if (std::find(std::begin(kSearched), std::end(kSearched), cell.column) ==
            std::end(kSearched)) {
            continue;
        }
        const std::string text = Lower(Cell(grid[static_cast<std::size_t>(cell.row)], cell.column));
        if (text.find(needle) != std::string::npos ||
            (frequency && IsFrequencyColumn(cell.column) &&
             text.find(*frequency) != std::string::npos)) {
            return cell;
        }
    }
    return std::nullopt;
}

} // namespace velmora
