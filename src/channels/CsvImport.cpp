#include "channels/CsvImport.h"

#include "channels/CellInput.h"
#include "channels/ChirpCsv.h"
#include "channels/CsvReader.h"
#include "channels/EditRules.h"
#include "channels/ImportPlan.h"

#include <algorithm>
#include <charconv>

namespace velmora {

namespace {

std::optional<std::string> Word(std::string_view text, std::initializer_list<TextPair> words,
                                Language lang) {
    for (const TextPair& word : words) {
        if (word.Matches(text)) {
            return std::string(word.In(lang));
        }
    }
    return std::nullopt;
}

std::optional<std::string> CanonicalTone(std::string_view text, Language lang) {
    if (txt::ToneNone.Matches(text)) {
        return std::string(txt::ToneNone.In(lang));
    }
    const std::vector<std::string>& list = ListEntries(Column::DecodeTone, Language::English);
    std::string upper(text);
    for (char& c : upper) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (std::find(list.begin() + 1, list.end(), upper) != list.end()) {
        return upper;
    }
    return std::nullopt;
}

// The cell text the grid would hold for what a file says, or why the column's drop-down or
// editor could never produce it.
struct Canonical {
    std::optional<std::string> text;
    TextPair why = txt::CsvNotAValue;
};

Canonical CanonicalCell(Column column, std::string_view text, Language lang) {
    switch (column) {
    case Column::DecodeTone:
    case Column::EncodeTone:
        return {CanonicalTone(text, lang)};
    case Column::Power:
        return {Word(text, {txt::PowerHigh, txt::PowerMiddle, txt::PowerLow}, lang)};
    case Column::Lock:
        return {Word(text, {txt::LockOn, txt::LockOff}, lang)};
    case Column::ScanAdd:
        return {Word(text, {txt::ScanYes, txt::ScanNo}, lang)};
    case Column::Name: {
        std::optional<std::string> name = NameText(text);
        if (!name) {
            return {std::nullopt, txt::CsvBadNameChars};
        }
        if (name->size() > kNameLimit) {
            return {std::nullopt};
        }
        return {std::move(name)};
    }
    default:
        return {std::string(text)};
    }
}

std::string CellReason(Column column, std::string_view text, TextPair why, Language lang) {
    return FillText(
        txt::CsvBadCell, lang,
        {std::string(ColumnTitle(column).In(lang)), std::string(text), std::string(why.In(lang))});
}

// Rows of the layout export-csv writes: a header of column titles, then rows keyed by channel.
std::vector<ImportRow> ReadVelmoraRows(const CsvParse& parse, Language lang) {
    std::vector<ImportRow> rows;
    const std::vector<std::string>& header = parse.rows.front().fields;
    // Field index of the channel number and of each column in Column order, -1 when absent.
    int numberField = -1;
    std::array<int, kColumnCount> fieldOf{};
    fieldOf.fill(-1);
    for (std::size_t field = 0; field < header.size(); ++field) {
        const std::string_view title = TrimBlanks(header[field]);
        if (numberField < 0 && ChannelNumberTitle().Matches(title)) {
            numberField = static_cast<int>(field);
        }
        for (Column column : kColumns) {
            if (fieldOf[Index(column)] < 0 && ColumnTitle(column).Matches(title)) {
                fieldOf[Index(column)] = static_cast<int>(field);
            }
        }
    }
    const std::size_t needed =
        static_cast<std::size_t>(
            std::max(numberField, *std::max_element(fieldOf.begin(), fieldOf.end()))) +
        1;
    for (std::size_t at = 1; at < parse.rows.size(); ++at) {
        const CsvRow& row = parse.rows[at];
        ImportRow read{row.line, std::nullopt, {}, std::nullopt};
        if (row.fields.size() < needed) {
            read.refusal =
                FillText(txt::CsvShortRow, lang,
                         {std::to_string(row.fields.size()), std::to_string(header.size())});
            rows.push_back(std::move(read));
            continue;
        }
        read.number = std::string(TrimBlanks(row.fields[numberField]));
        for (Column column : kColumns) {
            if (const int field = fieldOf[Index(column)]; field >= 0) {
                read.cells[Index(column)] = std::string(TrimBlanks(row.fields[field]));
            }
        }
        rows.push_back(std::move(read));
    }
    return rows;
}

bool IsVelmoraHeader(const std::vector<std::string>& fields) {
    const auto has = [&](const TextPair& title) {
        return std::any_of(fields.begin(), fields.end(),
                           [&](const std::string& f) { return title.Matches(TrimBlanks(f)); });
    };
    return has(ChannelNumberTitle()) && has(ColumnTitle(Column::Rx));
}

CsvFormat FormatOf(const CsvParse& parse) {
    if (parse.rows.empty()) {
        return CsvFormat::Unknown;
    }
    const std::vector<std::string>& header = parse.rows.front().fields;
    if (IsChirpHeader(header)) {
        return CsvFormat::Chirp;
    }
    return IsVelmoraHeader(header) ? CsvFormat::Velmora : CsvFormat::Unknown;
}

} // namespace

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<int> ParseChannelNumber(std::string_view text) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value >= kChannelCount) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> ApplyImportedRow(ChannelGridTexts& grid, int channel,
                                            const ImportCells& cells, const BandLimits& band,
                                            Language lang) {
    return ApplyImportedCells(grid[static_cast<std::size_t>(channel)], cells, band, lang);
}

std::optional<std::string> ApplyImportedCells(ChannelTexts& target, const ImportCells& cells,
                                              const BandLimits& band, Language lang) {
    if (const std::optional<std::string>& rx = cells[Index(Column::Rx)]; rx && rx->empty()) {
        target = ChannelTexts{};
        return std::nullopt;
    }
    ChannelTexts row = target;
    for (Column column : kColumns) {
        const std::optional<std::string>& cell = cells[Index(column)];
        // A list has no empty entry: an empty cell there says as little as a missing column.
        if (!cell || (IsListColumn(column) && cell->empty())) {
            continue;
        }
        std::string text = *cell;
        if (!IsFrequencyColumn(column) && !text.empty()) {
            Canonical canonical = CanonicalCell(column, text, lang);
            if (!canonical.text) {
                return CellReason(column, text, canonical.why, lang);
            }
            text = std::move(*canonical.text);
        }
        const CommitResult commit = CommitCell(row, column, text, band, CommitKey::Enter, lang);
        if (commit.rejected) {
            return CellReason(column, *cell, commit.message.value_or(txt::CsvNotAValue), lang);
        }
        row = commit.row;
    }
    target = std::move(row);
    return std::nullopt;
}

CsvFormat DetectCsvFormat(std::string_view text) {
    // A quoted field left open further down does not hide the header above it.
    return FormatOf(ParseCsv(text, ','));
}

ImportRows ReadImportRows(std::string_view text, Language lang) {
    const CsvParse parse = ParseCsv(text, ',');
    if (parse.badLine > 0) {
        return {{}, CsvRejection{parse.badLine, std::string(txt::CsvOpenQuote.In(lang))}};
    }
    switch (FormatOf(parse)) {
    case CsvFormat::Velmora:
        return {ReadVelmoraRows(parse, lang), std::nullopt};
    case CsvFormat::Chirp:
        return {ReadChirpRows(parse, lang), std::nullopt};
    case CsvFormat::Unknown:
        break;
    }
    const int line = parse.rows.empty() ? 1 : parse.rows.front().line;
    return {{}, CsvRejection{line, std::string(txt::CsvNoHeader.In(lang))}};
}

CsvImportResult ImportChannelsCsv(std::string_view text, const ChannelGridTexts& grid,
                                  const BandLimits& band, Language lang) {
    ImportPlan plan = PlanImport(text, grid, band, lang, {});
    return {std::move(plan.grid), std::move(plan.changedChannels), plan.AllRefusals()};
}

} // namespace velmora
