#include "channels/ChannelTable.h"

#include <algorithm>

namespace velmora {

namespace {

std::size_t RecordAt(int i) {
    return offset::ChannelRecords + kChannelRecordSize * static_cast<std::size_t>(i);
}

std::size_t NameAt(int i) {
    return offset::ChannelNames + kChannelNameSize * static_cast<std::size_t>(i);
}

} // namespace

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

ChannelBytes ReadChannelBytes(const MemoryImage& image, int i) {
    ChannelBytes bytes;
    bytes.fill(0xFF);
    if (IsChannelIndex(i)) {
        const auto record = image.begin() + static_cast<std::ptrdiff_t>(RecordAt(i));
        const auto name = image.begin() + static_cast<std::ptrdiff_t>(NameAt(i));
        std::copy(record, record + kChannelRecordSize, bytes.begin());
        std::copy(name, name + kChannelNameSize, bytes.begin() + kChannelRecordSize);
    }
    return bytes;
}

void WriteChannelBytes(MemoryImage& image, int i, const ChannelBytes& bytes) {
    if (!IsChannelIndex(i)) {
        return;
    }
    const auto nameBytes = bytes.begin() + kChannelRecordSize;
    std::copy(bytes.begin(), nameBytes, image.begin() + static_cast<std::ptrdiff_t>(RecordAt(i)));
    std::copy(nameBytes, bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(NameAt(i)));
}

} // namespace velmora
