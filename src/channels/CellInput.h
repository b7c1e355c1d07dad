// What the user may type or choose in a channel cell, decided once for the grid's editors, paste
// and CSV import, so that no way in quietly turns a value into another.
#pragma once

#include "channels/ChannelColumn.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Names are typed with at most six characters; the radio itself keeps up to eight, and a
// longer name read from it stays whole.
inline constexpr std::size_t kNameTypingLimit = 6;
inline constexpr std::size_t kNameLimit = 8;

// A frequency as typed or pasted, in MHz: blanks around it are ignored, a decimal comma reads
// as a point, and a trailing "MHz" (any case, with or without a space before it) is accepted.
// What remains must be digits with at most one decimal point or comma: "146,525" is 146.525 MHz,
// never 146 MHz. The number as plain decimal text ("146.525"), or nothing for any other text.
std::optional<std::string> FrequencyNumberText(std::string_view text);

// The same frequency in units of 10 Hz, truncated toward zero (438.012509 is 43801250), or
// nothing when the text is not a frequency. The grid, paste and CSV import all read Rx and Tx
// cells through this.
std::optional<std::int32_t> ParseFrequencyText(std::string_view text);

// The character a keystroke puts into a name: digits, A-Z, "-" and "_" as they are, a-z upper
// cased; nothing (the editor refuses the key) for every other character.
std::optional<char> NameKeyChar(char32_t typed);

// The name a pasted or imported cell stands for (letters upper-cased), or nothing when it holds
// a character a name cannot hold. Its length is not checked here.
std::optional<std::string> NameText(std::string_view text);

// The entries of a column's drop-down list in `lang`; empty for the columns typed into (Rx,
// Tx, Name).
const std::vector<std::string>& ListEntries(Column column, Language lang);

// What a column's editor opens with for a cell text.
struct ListChoices {
    std::vector<std::string> entries; // empty for the columns typed into
    int selected = -1;                // index into entries; -1 when entries is empty
};

// A list opens on the entry that is the cell text. A cell text that is no entry (a tone the
// radio holds that the list has not, the empty power text of power bits 11) comes first as an
// extra entry and is selected, so that visiting the cell and leaving it without a choice keeps
// the value: the commit then receives the cell's own text, which CommitCell keeps as it is.
ListChoices EditorChoices(Column column, std::string_view cellText, Language lang);

} // namespace velmora
