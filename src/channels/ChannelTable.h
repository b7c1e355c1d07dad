// The grid's working copy of all 200 channels, and its trip to and from the image.
#pragma once

#include "channels/ChannelCodec.h"

#include <array>
#include <cstdint>

namespace velmora {

inline constexpr int kChannelCount = 200;

// A channel's index: 0..199.
constexpr bool IsChannelIndex(int i) {
    return i >= 0 && i < kChannelCount;
}

// Default-constructed, every cell is empty. Declare one as `ChannelGridTexts grid;`: clang 14
// crashes on `grid{}` (empty braces around 1600 strings).
using ChannelGridTexts = std::array<ChannelTexts, kChannelCount>;

// What the grid shows after filling itself from the image.
ChannelGridTexts DecodeAllChannels(const MemoryImage& image, Language lang);

// What a save or a write stores: every row encoded back into the image.
void EncodeAllChannels(MemoryImage& image, const ChannelGridTexts& grid);

// Everything the image holds for one channel: its 16-byte record, then its 8 name bytes. The
// grid shows only part of it (flag bits 7, 6, 1, 0, record bytes 13 to 15 and the radio's
// longer names are not cells), so a channel that moves to another row takes all of these
// bytes with it.
using ChannelBytes = std::array<std::uint8_t, kChannelRecordSize + kChannelNameSize>;

// The bytes of channel i; all FF for an index outside 0..199.
ChannelBytes ReadChannelBytes(const MemoryImage& image, int i);

// Puts the bytes back as channel i; an index outside 0..199 writes nothing.
void WriteChannelBytes(MemoryImage& image, int i, const ChannelBytes& bytes);

} // namespace velmora
