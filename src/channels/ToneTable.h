// The squelch tones a channel can decode or encode, in the order the tone drop-down lists show
// them: no tone, the 50 standard CTCSS tones, the 105 DCS codes in normal polarity, the same
// 105 codes inverted.
#pragma once

#include "base/Texts.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// CTCSS tones in units of 0.1 Hz, ascending.
inline constexpr std::array<int, 50> kCtcssTones = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
    1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};

// DCS codes as their three decimal digits (code 023 is 23), ascending; 105 of them.
inline constexpr std::array<int, 105> kDcsCodes = {
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115,
    116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223,
    225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315,
    325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432, 445, 446,
    452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624,
    627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};

inline constexpr std::size_t kToneListSize = 1 + kCtcssTones.size() + 2 * kDcsCodes.size();

// The 261 tone texts: "None" ("无" in Chinese), "67.0" ... "254.1", "D023N" ... "D754N",
// "D023I" ... "D754I". They are exactly the texts the channel codec decodes, so a decoded cell
// finds its entry by text, and every entry encodes back to the bytes it came from.
std::vector<std::string> BuildToneList(Language lang);

// The entry a drop-down list selects when it opens on a cell's text: the first whose text
// begins with `text`, ignoring the case of ASCII letters; entry 0 when none does. A cell text
// the list does not hold (a non-standard tone read from a radio) therefore opens on entry 0.
int FindListEntryByPrefix(const std::vector<std::string>& items, std::string_view text);

} // namespace velmora
