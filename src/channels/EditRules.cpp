#include "channels/EditRules.h"

#include "channels/DecimalMultiply.h"
#include "channels/DecimalText.h"

namespace velmora {

namespace {

// Channel steps the radio can tune: 2.5 kHz and 6.25 kHz, in units of 10 Hz. (The message
// says 5k, but every multiple of 2.5 kHz is a valid channel.)
constexpr std::int32_t kStep2500Hz = 250;
constexpr std::int32_t kStep6250Hz = 625;

enum Column { kColumnRx = 1, kColumnTx = 2, kColumnDecodeTone = 3, kColumnName = 8 };

struct FrequencyCheck {
    std::string text;                // the cell text: the frequency that will be stored
    std::optional<TextPair> message; // why it was refused, if it was
};

FrequencyCheck CheckFrequency(std::string_view editorText, BandLimits band) {
    FrequencyCheck check;
    const std::int32_t units = FrequencyUnits(editorText);
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

CommitResult CommitCell(const ChannelTexts& row, int column, std::string_view editorText,
                        BandLimits band, CommitKey /*key*/, Language lang) {
    CommitResult result{row, std::nullopt, false};
    ChannelTexts& out = result.row;
    const bool rxWasEmpty = row[0].empty();
    const bool txWasEmpty = row[1].empty();

    if (column == kColumnRx || column == kColumnTx) {
        if (editorText.empty()) {
            if (column == kColumnRx) {
                out = ChannelTexts{};
            } else {
                out[1].clear();
            }
            return result;
        }
        FrequencyCheck check = CheckFrequency(editorText, band);
        if (check.message) {
            result.message = check.message;
            result.rejected = true;
            return result;
        }
        if (column == kColumnTx) {
            out[1] = rxWasEmpty ? std::string() : std::move(check.text);
            return result;
        }
        if (rxWasEmpty) {
            out[0] = check.text;
            out[1] = std::move(check.text);
            out[2] = txt::ToneNone.In(lang);
            out[3] = txt::ToneNone.In(lang);
            out[4] = txt::PowerHigh.In(lang);
            out[5] = txt::LockOn.In(lang);
            out[6] = txt::ScanYes.In(lang);
            out[7].clear();
        } else {
            out[0] = std::move(check.text);
        }
        return result;
    }

    if (column >= kColumnDecodeTone && column <= kColumnName) {
        const std::size_t cell = static_cast<std::size_t>(column - 1);
        out[cell] = rxWasEmpty && txWasEmpty ? std::string() : std::string(editorText);
    }
    return result;
}

} // namespace velmora
