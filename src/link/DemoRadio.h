// What the demo radio holds when the program starts it: a small club's channel list, so that a
// first Read shows what a radio's memory looks like in the grid.
#pragma once

#include "image/MemoryImage.h"

namespace velmora {

// A new radio's memory with eight channels on the 400-470 MHz band of the first model type.
MemoryImage DemoRadioMemory();

} // namespace velmora
