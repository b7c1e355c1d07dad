// A calling-frequency list that mixes bands and modes, imported into a 136-174 MHz radio: all or
// nothing, skipping what the radio cannot take, at its own numbers or from a chosen channel.
#include "base/TempFolder.h"
#include "channels/ChannelGrid.h"
#include "channels/ChannelTable.h"
#include "channels/GridImages.h"

#include <gtest/gtest.h>

#include <map>

namespace velmora {
namespace {

const BandLimits kVhf{13600000, 17400000, true};

// Rows 3, 4, 8 and 10 of the list as the grid takes them; the others are below the band (2),
// above it (5, 6, 7: 223.5, 446.0 and 1294.5 MHz), numbered 250 (8) or AM (9).
const ChannelTexts kCall{"146.52000", "146.52000", "None", "None", "High", "Lock", "Yes", "2MCALL"};
const ChannelTexts kRepeater{"145.75000", "145.15000", "None", "100.0",
                             "High",      "Lock",      "Yes",  "RPTA"};
const ChannelTexts kSimplex{"147.55000", "147.55000", "123.0", "123.0",
                            "High",      "Unlock",    "No",    "SIMPLEX"};
const ChannelTexts kCallAgain = test::With(kCall, Column::Name, "CALLAGAI");

std::string MixedBandList() {
    return test::ReadAll(VELMORA_TEST_DATA "/exchange/mixed-band.csv");
}

// The refused rows' lines, then `more`.
std::vector<std::string> Refusals(bool numbered, const std::vector<std::string>& more) {
    std::vector<std::string> lines;
    for (const auto& [line, rx] :
         {std::pair{2, "52.52500"}, {5, "223.50000"}, {6, "446.00000"}, {7, "1294.50000"}}) {
        lines.push_back("line " + std::to_string(line) + ": Rx Frequency '" + rx +
                        "': Out of range,please input again.");
    }
    if (numbered) {
        lines.push_back("line 8: '250' is not a channel number (0-199)");
    }
    lines.push_back("line 9: mode AM: this radio transmits FM only");
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

std::string RepeatOf(int channel) {
    return "line 10: warning: same Rx frequency and tones as channel " + std::to_string(channel) +
           " (line 3)";
}

TEST(ImportWhatFits, MixedBandListWithAndWithoutSkipAndAt) {
    const struct {
        const char* what;
        ImportOptions options;
        bool done;
        int accepted;
        std::vector<std::string> report; // import-csv's stderr
        std::map<int, ChannelTexts> channels;
    } cases[] = {
        // clang-format off
        {"all or nothing", {}, false, 3,
         Refusals(true, {RepeatOf(1), "Nothing was written: 6 row(s) were rejected."}), {}},
        {"skip refused at 0", {true, 0}, true, 4,
         Refusals(false, {RepeatOf(0), "imported 4, skipped 5"}),
         {{0, kCall}, {1, kRepeater}, {2, kSimplex}, {3, kCallAgain}}},
        {"at 200", {true, 200}, false, 0,
         {"line 1: '200' is not a channel number (0-199)", "imported 0, skipped 0"}, {}},
        // Skipped rows take no channel: four rows fill 196 to 199 and do not fit from 197.
        {"skip refused at 196", {true, 196}, true, 4,
         Refusals(false, {RepeatOf(196), "imported 4, skipped 5"}),
         {{196, kCall}, {197, kRepeater}, {198, kSimplex}, {199, kCallAgain}}},
        {"skip refused at 197", {true, 197}, false, 4,
         Refusals(false, {"line 10: 4 channels would be imported, but only 3 fit from "
                          "channel 197 to channel 199.", "imported 0, skipped 5"}), {}},
        // clang-format on
    };
    const std::string csv = MixedBandList();
    MemoryImage image = NewImage();
    EncodeChannel(image, 1, {"150.00000", "", "None", "None", "Low", "Lock", "Yes", "OLD"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ChannelGrid grid;
        grid.SetBand(kVhf);
        grid.ShowChannels(image);
        const ImportPlan plan = PlanImport(csv, grid.Texts(), kVhf, Language::English, c.options);
        EXPECT_EQ(ImportReportLines(plan, Language::English), c.report);

        const GridOutcome outcome = grid.Import(csv, c.options);
        EXPECT_EQ(outcome.refused, !c.done);
        EXPECT_EQ(outcome.accepted, c.accepted);
        MemoryImage expected = image;
        for (const auto& [channel, texts] : c.channels) {
            EncodeChannel(expected, channel, texts);
        }
        EXPECT_EQ(test::Stored(grid, image), expected);
    }
}

TEST(ImportWhatFits, RefusedRowsAskToImportTheOthersInTheLanguage) {
    ChannelGrid grid(Language::Chinese);
    grid.SetBand(kVhf);
    const GridOutcome outcome = grid.Import(MixedBandList(), {});
    ASSERT_TRUE(outcome.canSkipRefused);
    EXPECT_TRUE(outcome.message.starts_with("以下各行无法导入：\n第 2 行: 接收频率“52.52500”："))
        << outcome.message;
    EXPECT_TRUE(outcome.message.ends_with("\n第 9 行: 模式 AM：本机只能收发 FM\n\n导入其余 3 "
                                          "个信道吗？"))
        << outcome.message;
    ASSERT_EQ(outcome.warnings.size(), 1u);
    EXPECT_EQ(outcome.warnings[0].text, "接收频率和亚音与信道 1（第 3 行）相同");
    // Yes: the same import, skipping; the record bytes of the repeater channel exactly.
    ASSERT_FALSE(grid.Import(MixedBandList(), {true, std::nullopt}).refused);
    const MemoryImage stored = test::Stored(grid, NewImage());
    const std::vector<std::uint8_t> record(stored.begin() + 2 * kChannelRecordSize,
                                           stored.begin() + 2 * kChannelRecordSize + 12);
    EXPECT_EQ(record, (std::vector<std::uint8_t>{0x00, 0x50, 0x57, 0x14, 0x00, 0x50, 0x51, 0x14,
                                                 0xFF, 0xFF, 0x00, 0x10}));
    // Nothing to ask when nothing else would be imported, nor when the rows run past 199.
    EXPECT_FALSE(grid.Import("Location,Frequency,Mode\n0,146.52,DV\n", {}).canSkipRefused);
    EXPECT_FALSE(grid.Import(MixedBandList(), {false, 199}).canSkipRefused);
}

} // namespace
} // namespace velmora
