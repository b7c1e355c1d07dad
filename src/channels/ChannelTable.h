// The grid's working copy of all 200 channels, and its trip to and from the image.
#pragma once

#include "channels/ChannelCodec.h"

#include <array>

namespace velmora {

inline constexpr int kChannelCount = 200;
// Default-constructed, every cell is empty. Declare one as `ChannelGridTexts grid;`: clang 14
// crashes on `grid{}` (empty braces around 1600 strings).
using ChannelGridTexts = std::array<ChannelTexts, kChannelCount>;

// What the grid shows after filling itself from the image.
ChannelGridTexts DecodeAllChannels(const MemoryImage& image, Language lang);

// What a save or a write stores: every row encoded back into the image.
void EncodeAllChannels(MemoryImage& image, const ChannelGridTexts& grid);

} // namespace velmora
