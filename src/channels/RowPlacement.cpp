#include "channels/RowPlacement.h"

#include <string>

namespace velmora {

Placement PlaceRowsFrom(ChannelGridTexts& grid, int first, const std::vector<IncomingRow>& rows,
                        const TextPair& pastEndText, const BandLimits& band, Language lang) {
    Placement placement;
    ChannelGridTexts next = grid;
    int firstUnfit = 0;
    for (const IncomingRow& row : rows) {
        const int channel = first + placement.taken;
        const bool fits = channel < kChannelCount;
        // A row past the end is tried on an empty channel: the rules take or refuse it alike
        // anywhere, and the count of rows taken must not depend on where the list stops.
        ChannelTexts texts = fits ? next[static_cast<std::size_t>(channel)] : ChannelTexts{};
        if (std::optional<std::string> reason = ApplyImportedCells(texts, row.cells, band, lang)) {
            placement.refused.push_back({row.line, std::move(*reason)});
            continue;
        }
        if (fits) {
            next[static_cast<std::size_t>(channel)] = std::move(texts);
            placement.placed.push_back({row.line, channel});
        } else if (firstUnfit == 0) {
            firstUnfit = row.line;
        }
        ++placement.taken;
    }
    if (firstUnfit > 0) {
        placement.placed.clear();
        placement.pastEnd = CsvRejection{
            firstUnfit, FillText(pastEndText, lang,
                                 {std::to_string(placement.taken),
                                  std::to_string(kChannelCount - first), std::to_string(first)})};
        return placement;
    }
    grid = std::move(next);
    return placement;
}

} // namespace velmora
