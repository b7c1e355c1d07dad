// The frequencies the channel editor accepts for the chosen band, in the image's frequency
// unit (10 Hz), both inclusive.
#pragma once

#include <cstdint>

namespace velmora {

struct BandLimits {
    std::int32_t low = 0;
    std::int32_t high = 0;
    // False when the band text holds a negative number or one too large for a frequency: every
    // frequency is then refused, whatever low and high say.
    bool usable = true;
};

} // namespace velmora
