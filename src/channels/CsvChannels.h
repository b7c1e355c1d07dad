// Channel lists as CSV text: UTF-8, "," separators, "." decimals, RFC 4180 quoting, CR LF.
// The layout is the grid's: a header of the nine column titles, then one row per channel that
// is not empty, its number 0-199 first and its eight cell texts as the grid shows them.
#pragma once

#include "channels/ChannelTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

std::string ExportChannelsCsv(const ChannelGridTexts& grid, Language lang);

// One CSV field, quoted when it holds a separator, a quote or a line break.
std::string CsvField(std::string_view text);

} // namespace velmora
