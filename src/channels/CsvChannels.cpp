#include "channels/CsvChannels.h"

#include "base/Texts.h"

namespace velmora {

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string ExportChannelsCsv(const ChannelGridTexts& grid, Language lang) {
    std::string csv;
    csv += CsvField(ChannelNumberTitle().In(lang));
    for (Column column : kColumns) {
        csv += ',';
        csv += CsvField(ColumnTitle(column).In(lang));
    }
    csv += "\r\n";
    for (std::size_t channel = 0; channel < grid.size(); ++channel) {
        const ChannelTexts& row = grid[channel];
        if (Cell(row, Column::Rx).empty()) {
            continue;
        }
        csv += std::to_string(channel);
        for (const std::string& cell : row) {
            csv += ',';
            csv += CsvField(cell);
        }
        csv += "\r\n";
    }
    return csv;
}

} // namespace velmora
