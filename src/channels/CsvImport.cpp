#include "channels/CsvImport.h"

#include "channels/ChirpCsv.h"
#include "channels/CsvReader.h"
#include "channels/EditRules.h"
#include "channels/ToneTable.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace velmora {

namespace {

constexpr int kCellCount = 8;
constexpr int kNameLength = 8;
constexpr int kColumnTone1 = 3, kColumnTone2 = 4, kColumnPower = 5, kColumnLock = 6,
              kColumnScan = 7, kColumnName = 8;

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

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
    static const std::vector<std::string> list = BuildToneList(Language::English);
    const std::string upper = Upper(text);
    if (std::find(list.begin() + 1, list.end(), upper) != list.end()) {
        return upper;
    }
    return std::nullopt;
}

std::optional<std::string> CanonicalName(std::string_view text) {
    std::string name = Upper(text);
    if (name.size() > kNameLength) {
        return std::nullopt;
    }
    for (char c : name) {
        if (EncodeNameChar(c) == 0xFF) {
            return std::nullopt;
        }
    }
    return name;
}

// The cell text the grid would hold for what a file says, or nothing when the column's
// drop-down or editor could never produce it.
std::optional<std::string> CanonicalCell(int column, std::string_view text, Language lang) {
    switch (column) {
    case kColumnTone1:
    case kColumnTone2:
        return CanonicalTone(text, lang);
    case kColumnPower:
        return Word(text, {txt::PowerHigh, txt::PowerMiddle, txt::PowerLow}, lang);
    case kColumnLock:
        return Word(text, {txt::LockOn, txt::LockOff}, lang);
    case kColumnScan:
        return Word(text, {txt::ScanYes, txt::ScanNo}, lang);
    case kColumnName:
        return CanonicalName(text);
    default:
        return std::string(text);
    }
}

std::string CellReason(int column, std::string_view text, TextPair why, Language lang) {
    return FillText(txt::CsvBadCell, lang,
                    {std::string(txt::ColumnTitles[column].In(lang)), std::string(text),
                     std::string(why.In(lang))});
}

void Finish(CsvImportResult& result, const std::set<int>& changed) {
    result.changedChannels.assign(changed.begin(), changed.end());
}

// Rows of the layout export-csv writes: a header of column titles, then rows keyed by channel.
CsvImportResult ImportVelmoraRows(const CsvParse& parse, const ChannelGridTexts& grid,
                                  const BandLimits& band, Language lang) {
    CsvImportResult result{grid, {}, {}};
    const std::vector<std::string>& header = parse.rows.front().fields;
    std::array<int, 1 + kCellCount> fieldOf{}; // grid column -> field index, -1 when absent
    fieldOf.fill(-1);
    for (std::size_t field = 0; field < header.size(); ++field) {
        for (int column = 0; column <= kCellCount; ++column) {
            if (fieldOf[column] < 0 &&
                txt::ColumnTitles[column].Matches(TrimBlanks(header[field]))) {
                fieldOf[column] = static_cast<int>(field);
            }
        }
    }
    const std::size_t needed =
        static_cast<std::size_t>(*std::max_element(fieldOf.begin(), fieldOf.end())) + 1;
    std::set<int> changed;
    for (std::size_t at = 1; at < parse.rows.size(); ++at) {
        const CsvRow& row = parse.rows[at];
        if (row.fields.size() < needed) {
            result.rejected.push_back({row.line, FillText(txt::CsvShortRow, lang,
                                                          {std::to_string(row.fields.size()),
                                                           std::to_string(header.size())})});
            continue;
        }
        const std::string_view number = TrimBlanks(row.fields[fieldOf[0]]);
        const std::optional<int> channel = ParseChannelNumber(number);
        if (!channel) {
            result.rejected.push_back(
                {row.line, FillText(txt::CsvBadChannel, lang, {std::string(number)})});
            continue;
        }
        ImportCells cells;
        for (int column = 1; column <= kCellCount; ++column) {
            if (fieldOf[column] >= 0) {
                cells[column - 1] = std::string(TrimBlanks(row.fields[fieldOf[column]]));
            }
        }
        if (std::optional<std::string> reason =
                ApplyImportedRow(result.grid, *channel, cells, band, lang)) {
            result.rejected.push_back({row.line, std::move(*reason)});
        } else {
            changed.insert(*channel);
        }
    }
    Finish(result, changed);
    return result;
}

bool IsVelmoraHeader(const std::vector<std::string>& fields) {
    const auto has = [&](const TextPair& title) {
        return std::any_of(fields.begin(), fields.end(),
                           [&](const std::string& f) { return title.Matches(TrimBlanks(f)); });
    };
    return has(txt::ColumnTitles[0]) && has(txt::ColumnTitles[1]);
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
    ChannelTexts row = grid[static_cast<std::size_t>(channel)];
    if (cells[0] && cells[0]->empty()) {
        grid[static_cast<std::size_t>(channel)] = ChannelTexts{};
        return std::nullopt;
    }
    for (int column = 1; column <= kCellCount; ++column) {
        const std::optional<std::string>& cell = cells[column - 1];
        if (!cell) {
            continue;
        }
        std::string text = *cell;
        if (column > 2 && !(column == kColumnName && text.empty())) {
            std::optional<std::string> canonical = CanonicalCell(column, text, lang);
            if (!canonical) {
                return CellReason(column, text, txt::CsvNotAValue, lang);
            }
            text = std::move(*canonical);
        }
        const CommitResult commit = CommitCell(row, column, text, band, CommitKey::Enter, lang);
        if (commit.rejected) {
            return CellReason(column, *cell, commit.message.value_or(txt::CsvNotAValue), lang);
        }
        row = commit.row;
    }
    grid[static_cast<std::size_t>(channel)] = row;
    return std::nullopt;
}

CsvFormat DetectCsvFormat(std::string_view text) {
    // A quoted field left open further down does not hide the header above it.
    return FormatOf(ParseCsv(text, ','));
}

CsvImportResult ImportChannelsCsv(std::string_view text, const ChannelGridTexts& grid,
                                  const BandLimits& band, Language lang) {
    const CsvParse parse = ParseCsv(text, ',');
    if (parse.badLine > 0) {
        return {grid, {}, {{parse.badLine, std::string(txt::CsvOpenQuote.In(lang))}}};
    }
    switch (FormatOf(parse)) {
    case CsvFormat::Velmora:
        return ImportVelmoraRows(parse, grid, band, lang);
    case CsvFormat::Chirp:
        return ImportChirpRows(parse, grid, band, lang);
    case CsvFormat::Unknown:
        break;
    }
    const int line = parse.rows.empty() ? 1 : parse.rows.front().line;
    return {grid, {}, {{line, std::string(txt::CsvNoHeader.In(lang))}}};
}

CsvImportResult PasteChannelRows(std::string_view tsv, const ChannelGridTexts& grid,
                                 int firstChannel, const BandLimits& band, Language lang) {
    CsvImportResult result{grid, {}, {}};
    const CsvParse parse = ParseCsv(tsv, '\t');
    if (parse.badLine > 0) {
        result.rejected.push_back({parse.badLine, std::string(txt::CsvOpenQuote.In(lang))});
        return result;
    }
    std::set<int> changed;
    int next = firstChannel;
    for (const CsvRow& row : parse.rows) {
        const std::size_t count = row.fields.size();
        if (count != kCellCount && count != kCellCount + 1) {
            result.rejected.push_back({row.line, std::string(txt::CsvPasteColumns.In(lang))});
            ++next;
            continue;
        }
        const std::size_t first = count - kCellCount;
        std::optional<int> channel;
        if (first == 1) {
            const std::string_view number = TrimBlanks(row.fields[0]);
            channel = ParseChannelNumber(number);
            if (!channel) {
                result.rejected.push_back(
                    {row.line, FillText(txt::CsvBadChannel, lang, {std::string(number)})});
                continue;
            }
        } else {
            channel = ParseChannelNumber(std::to_string(next++));
            if (!channel) {
                result.rejected.push_back(
                    {row.line, FillText(txt::CsvBadChannel, lang, {std::to_string(next - 1)})});
                continue;
            }
        }
        ImportCells cells;
        for (int column = 0; column < kCellCount; ++column) {
            cells[column] = std::string(TrimBlanks(row.fields[first + column]));
        }
        if (std::optional<std::string> reason =
                ApplyImportedRow(result.grid, *channel, cells, band, lang)) {
            result.rejected.push_back({row.line, std::move(*reason)});
        } else {
            changed.insert(*channel);
        }
    }
    Finish(result, changed);
    return result;
}

std::string CopyChannelRows(const ChannelGridTexts& grid, int first, int last) {
    std::string tsv;
    for (int channel = std::max(first, 0); channel <= std::min(last, kChannelCount - 1);
         ++channel) {
        tsv += std::to_string(channel);
        for (const std::string& cell : grid[static_cast<std::size_t>(channel)]) {
            tsv += '\t';
            tsv += cell;
        }
        tsv += "\r\n";
    }
    return tsv;
}

} // namespace velmora
