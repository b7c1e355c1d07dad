#include "image/MemoryImage.h"

#include <utility>

namespace velmora {

MemoryImage NewImage() {
    MemoryImage image;
    image.fill(0xFF);
    // 0x1FE3, between the defaults, stays 0xFF: the radio does not use it.
    constexpr std::pair<std::size_t, std::uint8_t> defaults[] = {
        {offset::SquelchLevel, 0x01},
        {offset::TimeOutTimer, 0x01},
        {offset::TypeIndex, 0x00},
        {offset::BandIndex, 0x00},
        {offset::Step, 0x04},
        {offset::DisplayScanLedKeypad, 0xD4},
        {offset::PriorityEncoderMode, 0x21},
        {offset::VoiceSensitivity, 0x00},
        {offset::CallTone, 0x01},
        {offset::BatterySaver, 0x02},
        {offset::PriScanningTime, 0x00},
    };
    for (auto [at, value] : defaults) {
        image[at] = value;
    }
    return image;
}

} // namespace velmora
