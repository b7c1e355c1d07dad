#include "channels/ChannelClipboard.h"

#include "channels/CsvReader.h"
#include "channels/RowPlacement.h"

#include <algorithm>
#include <set>

namespace velmora {

namespace {

// A copied row with its channel number in front.
constexpr std::size_t kNumberedRow = kColumnCount + 1;

struct PastedLine {
    int line = 0;
    std::vector<std::string> cells;
};

CsvImportResult Refused(const ChannelGridTexts& grid, int line, std::string reason) {
    return {grid, {}, {{line, std::move(reason)}}};
}

// One value into each picked cell.
void FillEachCell(CsvImportResult& result, std::set<int>& pasted, const PastedLine& value,
                  const GridSelection& at, const BandLimits& band, Language lang) {
    for (const GridCell& cell : at.Cells()) {
        ImportCells cells;
        cells[Index(cell.column)] = value.cells.front();
        if (std::optional<std::string> reason =
                ApplyImportedRow(result.grid, cell.row, cells, band, lang)) {
            result.rejected.push_back({value.line, std::move(*reason)});
            return;
        }
        pasted.insert(cell.row);
    }
}

// The lines as a block whose top-left corner is `corner`: row after row from the corner's
// channel, as an import placed at a channel lands.
void PlaceBlock(CsvImportResult& result, std::set<int>& pasted,
                const std::vector<PastedLine>& lines, GridCell corner, const BandLimits& band,
                Language lang) {
    const std::size_t first = Index(corner.column);
    std::vector<IncomingRow> rows;
    for (const PastedLine& line : lines) {
        if (first + line.cells.size() > kColumnCount) {
            result.rejected.push_back(
                {line.line,
                 FillText(txt::MsgPasteTooWide, lang,
                          {std::to_string(line.cells.size()), std::to_string(kColumnCount - first),
                           std::string(ColumnTitle(corner.column).In(lang))})});
            continue;
        }
        IncomingRow row{line.line, {}};
        for (std::size_t j = 0; j < line.cells.size(); ++j) {
            row.cells[first + j] = line.cells[j];
        }
        rows.push_back(std::move(row));
    }
    Placement placement =
        PlaceRowsFrom(result.grid, corner.row, rows, txt::MsgPastePastEnd, band, lang);
    for (CsvRejection& refused : placement.refused) {
        result.rejected.push_back(std::move(refused));
    }
    if (placement.pastEnd) {
        result.rejected.push_back(std::move(*placement.pastEnd));
    }
    std::stable_sort(result.rejected.begin(), result.rejected.end(),
                     [](const CsvRejection& a, const CsvRejection& b) { return a.line < b.line; });
    for (const PlacedRow& row : placement.placed) {
        pasted.insert(row.channel);
    }
}

} // namespace

std::string CopyChannelRows(const ChannelGridTexts& grid, int first, int last) {
    return CopySelection(grid, GridSelection::OfRowRange(first, last));
}

std::string CopySelection(const ChannelGridTexts& grid, const GridSelection& selection) {
    std::string tsv;
    int row = -1;
    for (const GridCell& cell : selection.Cells()) {
        if (cell.row != row) {
            tsv += row < 0 ? "" : "\r\n";
            row = cell.row;
            if (selection.IsRows()) {
                tsv += std::to_string(row) + '\t';
            }
        } else {
            tsv += '\t';
        }
        tsv += Cell(grid[static_cast<std::size_t>(cell.row)], cell.column);
    }
    return row < 0 ? tsv : tsv + "\r\n";
}

CsvImportResult PasteText(std::string_view tsv, const ChannelGridTexts& grid,
                          const GridSelection& at, const BandLimits& band, Language lang) {
    const CsvParse parse = ParseCsv(tsv, '\t');
    if (parse.badLine > 0) {
        return Refused(grid, parse.badLine, std::string(txt::CsvOpenQuote.In(lang)));
    }
    if (parse.rows.empty()) {
        return Refused(grid, 1, std::string(txt::MsgClipboardEmpty.In(lang)));
    }
    if (at.IsEmpty()) {
        return Refused(grid, 1, std::string(txt::MsgNothingSelected.In(lang)));
    }
    CsvImportResult result{grid, {}, {}};
    std::vector<PastedLine> lines;
    for (const CsvRow& row : parse.rows) {
        if (row.fields.size() > kNumberedRow) {
            result.rejected.push_back({row.line, std::string(txt::CsvPasteColumns.In(lang))});
            continue;
        }
        // The number a copied row starts with says where it came from, not where it goes.
        const std::size_t skip = row.fields.size() == kNumberedRow ? 1 : 0;
        PastedLine line{row.line, {}};
        for (std::size_t j = skip; j < row.fields.size(); ++j) {
            line.cells.emplace_back(TrimBlanks(row.fields[j]));
        }
        lines.push_back(std::move(line));
    }
    std::set<int> pasted;
    if (result.rejected.empty()) {
        const bool oneValue = lines.size() == 1 && lines.front().cells.size() == 1;
        if (oneValue && !at.IsRows() && at.Cells().size() > 1) {
            FillEachCell(result, pasted, lines.front(), at, band, lang);
        } else {
            PlaceBlock(result, pasted, lines, at.TopLeft(), band, lang);
        }
    }
    if (!result.rejected.empty()) {
        result.grid = grid;
        return result;
    }
    result.changedChannels.assign(pasted.begin(), pasted.end());
    return result;
}

CsvImportResult PasteChannelRows(std::string_view tsv, const ChannelGridTexts& grid,
                                 int firstChannel, const BandLimits& band, Language lang) {
    return PasteText(tsv, grid, GridSelection::OfRows({firstChannel}), band, lang);
}

} // namespace velmora
