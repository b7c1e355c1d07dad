#include "channels/CsvReader.h"

namespace velmora {

std::string_view WithoutBom(std::string_view text) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    return text.starts_with(kBom) ? text.substr(kBom.size()) : text;
}

CsvParse ParseCsv(std::string_view input, char separator) {
    const std::string_view text = WithoutBom(input);
    CsvParse parse;
    CsvRow row;
    std::string field;
    int line = 1;
    bool quoted = false;     // inside a quoted field
    bool rowStarted = false; // something of the current row has been seen
    int quoteStartLine = 0;

    const auto endField = [&] {
        row.fields.push_back(std::move(field));
        field.clear();
    };
    const auto endRow = [&] {
        if (rowStarted) {
            endField();
            // A line holding nothing at all is no row; a line of empty fields is.
            if (!(row.fields.size() == 1 && row.fields[0].empty())) {
                parse.rows.push_back(std::move(row));
            }
        }
        row = CsvRow{};
        rowStarted = false;
    };

    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (!rowStarted) {
            row.line = line;
            rowStarted = true;
        }
        if (quoted) {
            if (c == '"') {
                if (at + 1 < text.size() && text[at + 1] == '"') {
                    field += '"';
                    ++at;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n' || (c == '\r' && !(at + 1 < text.size() && text[at + 1] == '\n'))) {
                    ++line;
                }
                field += c;
            }
            continue;
        }
        if (c == '"' && field.empty()) {
            quoted = true;
            quoteStartLine = line;
        } else if (c == separator) {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
                ++at;
            }
            if (row.fields.empty() && field.empty()) {
                rowStarted = false; // a blank line
            } else {
                endRow();
            }
            ++line;
        } else {
            field += c;
        }
    }
    if (quoted) {
        parse.badLine = quoteStartLine;
        return parse;
    }
    endRow();
    return parse;
}

} // namespace velmora
