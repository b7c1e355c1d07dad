// What committing one edited cell of a channel row does to the row: the band and channel-step
// checks of a frequency, the defaults of a new channel, and the rule that an empty row keeps no
// settings. The grid's in-place editors and the CSV import both go through here.
#pragma once

#include "base/Texts.h"
#include "channels/ChannelCodec.h"
#include "channels/ChannelColumn.h"
#include "settings/BandLimits.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora {

enum class CommitKey { LeaveCell, Enter };

struct CommitResult {
    ChannelTexts row;                // the row's texts after the commit
    std::optional<TextPair> message; // message to show (caption txt::MsgCaution), if any
    bool rejected = false;           // a check failed (Enter then does not move on)
};

// Commits editorText into `column` of `row`.
//
// Rx: empty removes the channel (all eight texts empty); otherwise the text is
// shown with five decimals and, when the row was empty, creates a channel with Tx equal to
// Rx, no tones, High power, locked, scanned and no name (words in `lang`).
// Tx: empty means no transmit frequency; a Tx frequency needs a channel, so on an
// empty row the cell stays empty.
// A frequency is read by ParseFrequencyText (blanks, a decimal comma and "MHz" allowed). Text that
// is no frequency, a frequency outside the band (every frequency, when the band is not usable) or
// on neither the 2.5 kHz nor the 6.25 kHz raster is rejected with txt::MsgOutOfRange or
// txt::MsgOffRaster, and the row stays exactly as it was: a typing slip never costs the user the
// channel. The other columns take the editor's text as it is (a list cell's text that is no entry
// of its list included, so that leaving it unchosen keeps it), except on a row with neither Rx nor
// Tx frequency, whose settings are not kept. Both keys commit alike; `key` is there for the
// caller, which moves on after Enter unless the commit was rejected.
CommitResult CommitCell(const ChannelTexts& row, Column column, std::string_view editorText,
                        BandLimits band, CommitKey key, Language lang);

} // namespace velmora
