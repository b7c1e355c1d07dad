// Reading CSV text the way spreadsheets and other radio programs write it: RFC 4180 quoting
// (a quoted field may hold separators, doubled quotes and line breaks), CR LF, LF or CR line
// ends, an optional UTF-8 byte order mark in front. The separator is a parameter so that the
// tab-separated text a spreadsheet copies to the clipboard goes through the same reader.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct CsvRow {
    int line = 0; // 1-based line of the file on which the row starts
    std::vector<std::string> fields;
};

struct CsvParse {
    std::vector<CsvRow> rows; // blank lines are left out
    int badLine = 0;          // line of a quoted field that never ends; 0 when the text is whole
};

// The text without a leading UTF-8 byte order mark.
std::string_view WithoutBom(std::string_view text);

CsvParse ParseCsv(std::string_view text, char separator = ',');

} // namespace velmora
