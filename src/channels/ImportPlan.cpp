#include "channels/ImportPlan.h"

#include "channels/RowPlacement.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace velmora {

namespace {

// A row taken, with the texts its channel got.
struct Landed {
    int line = 0;
    int channel = 0;
    ChannelTexts texts;
};

void SortByLine(std::vector<CsvRejection>& lines) {
    std::stable_sort(lines.begin(), lines.end(),
                     [](const CsvRejection& a, const CsvRejection& b) { return a.line < b.line; });
}

// Each row at the channel number it carries.
void PlaceByNumber(ImportPlan& plan, const std::vector<ImportRow>& rows, const BandLimits& band,
                   Language lang, std::vector<Landed>& landed) {
    for (const ImportRow& row : rows) {
        // The number first: a row meant for channel 250 is refused for that, whatever else.
        const std::string number = row.number.value_or("");
        const std::optional<int> channel = ParseChannelNumber(number);
        if (row.refusal && !row.number) {
            plan.refused.push_back({row.line, *row.refusal}); // too short to have a number
            continue;
        }
        if (!channel) {
            plan.refused.push_back({row.line, FillText(txt::CsvBadChannel, lang, {number})});
            continue;
        }
        if (row.refusal) {
            plan.refused.push_back({row.line, *row.refusal});
            continue;
        }
        ChannelTexts& target = plan.grid[static_cast<std::size_t>(*channel)];
        if (std::optional<std::string> reason = ApplyImportedCells(target, row.cells, band, lang)) {
            plan.refused.push_back({row.line, std::move(*reason)});
            continue;
        }
        ++plan.accepted;
        landed.push_back({row.line, *channel, target});
    }
}

// The rows one after another from channel `first`, as Paste places them.
void PlaceFrom(ImportPlan& plan, int first, const std::vector<ImportRow>& rows,
               const BandLimits& band, Language lang, std::vector<Landed>& landed) {
    std::vector<IncomingRow> incoming;
    for (const ImportRow& row : rows) {
        if (row.refusal) {
            plan.refused.push_back({row.line, *row.refusal});
        } else {
            incoming.push_back({row.line, row.cells});
        }
    }
    Placement placement =
        PlaceRowsFrom(plan.grid, first, incoming, txt::MsgImportPastEnd, band, lang);
    plan.accepted = placement.taken;
    for (CsvRejection& refused : placement.refused) {
        plan.refused.push_back(std::move(refused));
    }
    SortByLine(plan.refused);
    plan.wholeRefusal = std::move(placement.pastEnd);
    for (const PlacedRow& row : placement.placed) {
        landed.push_back({row.line, row.channel, plan.grid[static_cast<std::size_t>(row.channel)]});
    }
}

std::vector<ImportWarning> Repeats(const std::vector<Landed>& landed, Language lang) {
    std::vector<ImportWarning> warnings;
    std::map<std::tuple<std::string, std::string, std::string>, const Landed*> first;
    for (const Landed& row : landed) {
        const std::string& rx = Cell(row.texts, Column::Rx);
        if (rx.empty()) {
            continue; // a channel cleared
        }
        const auto [at, isFirst] = first.try_emplace(
            {rx, Cell(row.texts, Column::DecodeTone), Cell(row.texts, Column::EncodeTone)}, &row);
        if (isFirst) {
            continue;
        }
        const Landed& earlier = *at->second;
        warnings.push_back(
            {row.line, earlier.line, earlier.channel,
             FillText(txt::CsvSameAsEarlier, lang,
                      {std::to_string(earlier.channel), std::to_string(earlier.line)})});
    }
    return warnings;
}

} // namespace

bool ImportPlan::Done() const {
    if (wholeRefusal) {
        return false;
    }
    return options.skipRefused ? accepted > 0 : refused.empty();
}

std::vector<CsvRejection> ImportPlan::AllRefusals() const {
    std::vector<CsvRejection> all = refused;
    if (wholeRefusal) {
        all.push_back(*wholeRefusal);
    }
    SortByLine(all);
    return all;
}

ImportPlan PlanImport(std::string_view csv, const ChannelGridTexts& grid, const BandLimits& band,
                      Language lang, const ImportOptions& options) {
    ImportPlan plan{options, grid, {}, 0, {}, {}, std::nullopt};
    if (options.at && (*options.at < 0 || *options.at >= kChannelCount)) {
        plan.wholeRefusal =
            CsvRejection{1, FillText(txt::CsvBadChannel, lang, {std::to_string(*options.at)})};
        return plan;
    }
    const ImportRows read = ReadImportRows(csv, lang);
    if (read.fileRefusal) {
        plan.wholeRefusal = read.fileRefusal;
        return plan;
    }
    std::vector<Landed> landed;
    if (options.at) {
        PlaceFrom(plan, *options.at, read.rows, band, lang, landed);
    } else {
        PlaceByNumber(plan, read.rows, band, lang, landed);
    }
    plan.warnings = Repeats(landed, lang);
    std::set<int> changed;
    for (const Landed& row : landed) {
        changed.insert(row.channel);
    }
    plan.changedChannels.assign(changed.begin(), changed.end());
    return plan;
}

std::vector<std::string> ImportReportLines(const ImportPlan& plan, Language lang) {
    std::vector<CsvRejection> notes = plan.AllRefusals();
    for (const ImportWarning& warning : plan.warnings) {
        notes.push_back({warning.line, FillText(txt::CsvWarning, lang, {warning.text})});
    }
    SortByLine(notes);
    std::vector<std::string> lines;
    for (const CsvRejection& note : notes) {
        lines.push_back("line " + std::to_string(note.line) + ": " + note.reason);
    }
    if (plan.options.skipRefused) {
        lines.push_back(
            FillText(txt::ImportSummary, lang,
                     {std::to_string(plan.Imported()), std::to_string(plan.refused.size())}));
    } else if (!plan.Done()) {
        lines.push_back(
            FillText(txt::ImportRejected, lang, {std::to_string(plan.AllRefusals().size())}));
    }
    return lines;
}

} // namespace velmora
