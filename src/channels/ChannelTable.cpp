#include "channels/ChannelTable.h"

namespace velmora {

ChannelGridTexts DecodeAllChannels(const MemoryImage& image, Language lang) {
    ChannelGridTexts grid;
    for (int i = 0; i < kChannelCount; ++i) {
        grid[i] = DecodeChannel(image, i, lang);
    }
    return grid;
}

void EncodeAllChannels(MemoryImage& image, const ChannelGridTexts& grid) {
    for (int i = 0; i < kChannelCount; ++i) {
        EncodeChannel(image, i, grid[i]);
    }
}

} // namespace velmora
