// What differs between two memory images, in the words the program shows them in.
//
// One line per difference, channels first, then options, then bytes:
//   channel 5: Rx Frequency 438.01250 -> 438.02500
//   option Step: 12.5k -> 25k
//   byte 0x0C85: 0xFF -> 0x00
// Channel lines compare the eight grid texts (an empty cell reads "(empty)"), option lines the
// printed options page. A byte line is written for every differing byte that no channel or
// option line explains: one where putting either image's value into the other changes no text
// the program shows (the bytes the radio keeps for itself, unused areas, type and band).
#pragma once

#include "app/Texts.h"
#include "image/MemoryImage.h"

#include <string>
#include <vector>

namespace velmora {

std::vector<std::string> DiffImages(const MemoryImage& a, const MemoryImage& b, Language lang);

} // namespace velmora
