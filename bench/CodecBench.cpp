// Decoding fills the whole grid from the image and encoding stores it back before every save
// and every write to the radio; both should stay far below anything a user could notice.
#include "channels/ChannelCodec.h"
#include "channels/ChannelTable.h"
#include "channels/ToneTable.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace velmora {
namespace {

// 200 channels that use every kind of field: CTCSS and DCS tones of both polarities, no tone,
// with and without Tx, every power level and flag combination, names of every length.
std::vector<ChannelTexts> VariedRows() {
    const std::vector<std::string> tones = BuildToneList(Language::English);
    const char* powers[] = {"High", "Middle", "Low"};
    const char* names[] = {"", "A", "CH-01", "REPEAT_9", "Z9"};
    std::vector<ChannelTexts> rows;
    for (int i = 0; i < kChannelCount; ++i) {
        const int units = 40000000 + 625 * 37 * i; // 400 MHz upward on the 6.25 kHz raster
        const std::string rx = std::to_string(units / 100000) + "." +
                               std::to_string(100000 + units % 100000).substr(1);
        rows.push_back({rx, i % 4 == 3 ? "" : rx, tones[(i * 7) % tones.size()],
                        tones[(i * 13 + 5) % tones.size()], powers[i % 3],
                        i % 2 ? "Lock" : "Unlock", i % 5 ? "Yes" : "No", names[i % 5]});
    }
    return rows;
}

MemoryImage VariedImage() {
    MemoryImage image;
    image.fill(0xFF);
    const std::vector<ChannelTexts> rows = VariedRows();
    for (int i = 0; i < kChannelCount; ++i) {
        if (i % 10 != 9) { // every tenth channel stays empty
            EncodeChannel(image, i, rows[static_cast<std::size_t>(i)]);
        }
    }
    return image;
}

void BM_DecodeAllChannels(benchmark::State& state) {
    const MemoryImage image = VariedImage();
    for (auto _ : state) {
        ChannelGridTexts grid = DecodeAllChannels(image, Language::English);
        benchmark::DoNotOptimize(grid);
    }
}
BENCHMARK(BM_DecodeAllChannels)->Unit(benchmark::kMicrosecond);

void BM_EncodeAllChannels(benchmark::State& state) {
    const MemoryImage source = VariedImage();
    const ChannelGridTexts grid = DecodeAllChannels(source, Language::English);
    MemoryImage image = source;
    for (auto _ : state) {
        EncodeAllChannels(image, grid);
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EncodeAllChannels)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace velmora
