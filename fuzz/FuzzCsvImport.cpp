// CSV import in both layouts, and rows pasted from a spreadsheet, from arbitrary text. The
// import never crashes; what it refuses it names by a line of the text, and every channel it
// sets passes the edit rules as typing the row into the grid would, and survives being stored
// in the image and read back.
#include "channels/ChannelClipboard.h"
#include "channels/ChannelTable.h"
#include "channels/CsvImport.h"
#include "channels/EditRules.h"
#include "channels/ImportPlan.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

using namespace velmora;

namespace {

void Fail(const char* what, int channel) {
    std::fprintf(stderr, "%s (channel %d)\n", what, channel);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::uint8_t mode = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const Language lang = (mode & 1) ? Language::Chinese : Language::English;
    BandLimits band{13600000, 17400000, true};
    if (mode & 2) {
        band = {40000000, 48000000, true};
    }
    if ((mode & 0x0C) == 0x0C) {
        band.usable = false;
    }

    // A grid with a few channels already set, one of them in the other band.
    MemoryImage image = NewImage();
    EncodeChannel(image, 0, {"145.5", "145.5", "None", "None", "High", "Lock", "Yes", "CALL"});
    EncodeChannel(image, 7, {"438.0125", "", "67.0", "D754I", "Low", "Unlock", "No", ""});
    const ChannelGridTexts grid = DecodeAllChannels(image, lang);

    (void)DetectCsvFormat(text);
    // Pasted at channel 0, 25, ... 175; imported at the rows' own numbers, or from one of those
    // channels, skipping what is refused.
    const int first = (mode >> 5) * 25;
    CsvImportResult result;
    if (mode & 0x10) {
        result = PasteChannelRows(text, grid, first, band, lang);
    } else if (first == 0) {
        result = ImportChannelsCsv(text, grid, band, lang);
    } else {
        ImportPlan plan = PlanImport(text, grid, band, lang, {true, first});
        for (const std::string& line : ImportReportLines(plan, lang)) {
            if (line.empty()) {
                Fail("an empty report line", -1);
            }
        }
        result = {std::move(plan.grid), std::move(plan.changedChannels), plan.AllRefusals()};
    }

    // Lines end in LF, CR LF or a lone CR.
    int lines = 1;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\n' ||
            (text[at] == '\r' && !(at + 1 < text.size() && text[at + 1] == '\n'))) {
            ++lines;
        }
    }
    for (const CsvRejection& rejection : result.rejected) {
        if (rejection.line < 1 || rejection.line > lines || rejection.reason.empty()) {
            Fail("rejection without a line of the text", rejection.line);
        }
    }
    const std::vector<int>& changed = result.changedChannels;
    if (!std::is_sorted(changed.begin(), changed.end()) ||
        std::adjacent_find(changed.begin(), changed.end()) != changed.end()) {
        Fail("changed channels not ascending", -1);
    }
    MemoryImage stored = image;
    EncodeAllChannels(stored, result.grid);
    const ChannelGridTexts back = DecodeAllChannels(stored, lang);
    for (int i = 0; i < kChannelCount; ++i) {
        const ChannelTexts& row = result.grid[i];
        const bool listed = std::binary_search(changed.begin(), changed.end(), i);
        if (!listed) {
            if (row != grid[i]) {
                Fail("a channel changed that is not listed", i);
            }
            continue;
        }
        if (row[0].empty()) {
            if (!std::all_of(row.begin(), row.end(), [](const auto& t) { return t.empty(); })) {
                Fail("a cleared channel keeps settings", i);
            }
            continue;
        }
        // Typing the row's new frequencies again is accepted, and changes nothing.
        for (const Column column : {Column::Rx, Column::Tx}) {
            // A cell the rows did not bring keeps what the grid had, in or out of this band,
            // as typing only the other cells would leave it.
            if ((column == Column::Tx && Cell(row, Column::Tx).empty()) ||
                Cell(row, column) == Cell(grid[i], column)) {
                continue;
            }
            const CommitResult again =
                CommitCell(row, column, Cell(row, column), band, CommitKey::Enter, lang);
            if (again.rejected || again.row != row) {
                Fail("an imported frequency breaks the edit rules", i);
            }
        }
        if (back[i] != row) {
            for (std::size_t c = 0; c < row.size(); ++c) {
                std::fprintf(stderr, "column %zu: \"%s\" stored as \"%s\"\n", c + 1, row[c].c_str(),
                             back[i][c].c_str());
            }
            Fail("an imported row does not survive the image", i);
        }
    }
    return 0;
}
