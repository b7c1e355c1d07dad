#include "channels/EditRules.h"

#include "channels/CellInput.h"
#include "channels/DecimalMultiply.h"
#include "channels/DecimalText.h"

namespace velmora {

namespace {

// Channel steps the radio can tune: 2.5 kHz and 6.25 kHz, in units of 10 Hz. (The message
// says 5k, but every multiple of 2.5 kHz is a valid channel.)
constexpr std::int32_t kStep2500Hz = 250;
constexpr std::int32_t kStep6250Hz = 625;

struct FrequencyCheck {
    std::string text;                // the cell text: the frequency that will be stored
    std::optional<TextPair> message; // why it was refused, if it was
};

FrequencyCheck CheckFrequency(std::string_view editorText, BandLimits band) {
    FrequencyCheck check;
    const std::optional<std::int32_t> parsed = ParseFrequencyText(editorText);
    if (!parsed) {
        check.message = txt::MsgOutOfRange;
        return check;
    }
    const std::int32_t units = *parsed;
    // The cell shows the frequency that was checked and will be stored: digits below 10 Hz
    // are dropped, not rounded, since rounding 438.012509 up to 438.01251 would store a
    // frequency off the channel raster that no check has seen.
    check.text = FormatFixed(DecimalMultiply(static_cast<double>(units), 0.00001), 5);
    if (!band.usable || units < band.low || units > band.high) {
        check.message = txt::MsgOutOfRange;
    } else if (units % kStep2500Hz != 0 && units % kStep6250Hz != 0) {
        check.message = txt::MsgOffRaster;
    }
    return check;
}

} // namespace

CommitResult CommitCell(const ChannelTexts& row, Column column, std::string_view editorText,
                        BandLimits band, CommitKey /*key*/, Language lang) {
    CommitResult result{row, std::nullopt, false};
    ChannelTexts& out = result.row;
    const bool rxWasEmpty = Cell(row, Column::Rx).empty();
    const bool txWasEmpty = Cell(row, Column::Tx).empty();

    if (!IsFrequencyColumn(column)) {
        Cell(out, column) = rxWasEmpty && txWasEmpty ? std::string() : std::string(editorText);
        return result;
    }
    if (editorText.empty()) {
        if (column == Column::Rx) {
            out = ChannelTexts{};
        } else {
            Cell(out, Column::Tx).clear();
        }
        return result;
    }
    FrequencyCheck check = CheckFrequency(editorText, band);
    if (check.message) {
        result.message = check.message;
        result.rejected = true;
        return result;
    }
    if (column == Column::Tx) {
        Cell(out, Column::Tx) = rxWasEmpty ? std::string() : std::move(check.text);
        return result;
    }
    if (rxWasEmpty) {
        Cell(out, Column::Rx) = check.text;
        Cell(out, Column::Tx) = std::move(check.text);
        Cell(out, Column::DecodeTone) = txt::ToneNone.In(lang);
        Cell(out, Column::EncodeTone) = txt::ToneNone.In(lang);
        Cell(out, Column::Power) = txt::PowerHigh.In(lang);
        Cell(out, Column::Lock) = txt::LockOn.In(lang);
        Cell(out, Column::ScanAdd) = txt::ScanYes.In(lang);
        Cell(out, Column::Name).clear();
    } else {
        Cell(out, Column::Rx) = std::move(check.text);
    }
    return result;
}

} // namespace velmora
