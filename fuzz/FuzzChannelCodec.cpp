// The channel codec on any 8192 bytes: every channel decoded to its row texts, the texts encoded
// back and decoded again give the same texts, and the bytes the codec does not interpret (other
// memory, record bytes 13 to 15, the radio's own flag bits, empty channels) stay as they were.
#include "channels/ChannelCodec.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const Language lang = (data[0] & 1) ? Language::Chinese : Language::English;
    MemoryImage before{};
    before.fill(0xFF);
    std::memcpy(before.data(), data + 1, std::min(size - 1, kImageSize));

    MemoryImage after = before;
    ChannelTexts texts[200];
    bool empty[200];
    for (int i = 0; i < 200; ++i) {
        empty[i] = IsChannelEmpty(before, i);
        texts[i] = DecodeChannel(before, i, lang);
        if (!empty[i]) {
            EncodeChannel(after, i, texts[i]);
        }
    }
    for (int i = 0; i < 200; ++i) {
        const ChannelTexts again = DecodeChannel(after, i, lang);
        if (again != texts[i] || IsChannelEmpty(after, i) != empty[i]) {
            for (std::size_t c = 0; c < again.size(); ++c) {
                std::fprintf(stderr, "channel %d column %zu: \"%s\" -> \"%s\"\n", i, c + 1,
                             texts[i][c].c_str(), again[c].c_str());
            }
            std::abort();
        }
    }

    // What the codec may rewrite: bytes 0 to 12 of a channel's record (of byte 12 only the
    // power, lock and scan bits) and its name, for channels that are not empty.
    for (std::size_t at = 0; at < kImageSize; ++at) {
        bool mayChange = false;
        std::uint8_t keptBits = 0xFF;
        if (at < offset::ChannelRecords + 200 * kChannelRecordSize) {
            const std::size_t channel = at / kChannelRecordSize;
            const std::size_t within = at % kChannelRecordSize;
            if (!empty[channel] && within <= record::Flags) {
                mayChange = true;
                if (within == record::Flags) {
                    keptBits = static_cast<std::uint8_t>(
                        ~(record::PowerMask | record::LockBit | record::ScanBit));
                } else {
                    keptBits = 0;
                }
            }
        } else if (at >= offset::ChannelNames &&
                   at < offset::ChannelNames + 200 * kChannelNameSize) {
            const std::size_t channel = (at - offset::ChannelNames) / kChannelNameSize;
            if (!empty[channel]) {
                mayChange = true;
                keptBits = 0;
            }
        }
        if (((before[at] ^ after[at]) & (mayChange ? keptBits : 0xFF)) != 0) {
            std::fprintf(stderr, "byte 0x%04zX: %02X -> %02X\n", at, before[at], after[at]);
            std::abort();
        }
    }
    return 0;
}
