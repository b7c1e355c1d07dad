// What committing one edited cell of a channel row does to the row: the band and channel-step
// checks of a frequency, the defaults of a new channel, and the rule that an empty row keeps no
// settings. The grid's in-place editors and the CSV import both go through here.
#pragma once

#include "app/Texts.h"
#include "channels/ChannelCodec.h"
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

// Commits editorText into `column` (1 to 8) of `row`.
//
// Rx (column 1): empty removes the channel (all eight texts empty); otherwise the text is
// shown with five decimals and, when the row was empty, creates a channel with Tx equal to
// Rx, no tones, High power, locked, scanned and no name (words in `lang`).
// Tx (column 2): empty means no transmit frequency; a Tx frequency needs a channel, so on an
// empty row the cell stays empty.
// A frequency outside the band (every frequency, when the band is not usable) or on neither the 2.5
// kHz nor the 6.25 kHz raster is rejected with txt::MsgOutOfRange or txt::MsgOffRaster, and the row
// stays exactly as it was: a typing slip never costs the user the channel. Columns 3 to 8 take the
// editor's text, except on a row with neither Rx nor Tx frequency, whose settings are not kept. Any
// other column leaves the row alone. Both keys commit alike; `key` is there for the caller, which
// moves on after Enter unless the commit was rejected.
CommitResult CommitCell(const ChannelTexts& row, int column, std::string_view editorText,
                        BandLimits band, CommitKey key, Language lang);

} // namespace velmora
