// Every operation of the channel grid model on a full grid of 200 channels, and its undo. Each
// runs between two key presses of the user, so each should stay far below anything noticeable
// (the goal: 5 ms apiece).
#include "channels/ChannelClipboard.h"
#include "channels/ChannelGrid.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>

namespace velmora {
namespace {

constexpr BandLimits k400To470{40000000, 47000000, true};

// `channels` channels in use from 469.00000 down, every field and a hidden byte varying.
MemoryImage FullImage(int channels, int shift = 0) {
    MemoryImage image = NewImage();
    const char* powers[] = {"High", "Middle", "Low"};
    const char* tones[] = {"None", "67.0", "D023N", "D754I", "254.1"};
    for (int i = 0; i < channels; ++i) {
        const int units = 46900000 - 1250 * ((i * 7 + shift) % kChannelCount);
        char rx[16];
        std::snprintf(rx, sizeof rx, "%d.%05d", units / 100000, units % 100000);
        char name[16];
        std::snprintf(name, sizeof name, "CH%03d", (i * 13 + shift) % kChannelCount);
        EncodeChannel(image, i,
                      {rx, i % 4 ? rx : "", tones[i % 5], tones[(i + shift) % 5], powers[i % 3],
                       i % 2 ? "Lock" : "Unlock", i % 7 ? "Yes" : "No", name});
        image[16 * static_cast<std::size_t>(i) + 13] = static_cast<std::uint8_t>(i);
    }
    return image;
}

ChannelGrid GridOf(const MemoryImage& image) {
    ChannelGrid grid(Language::English);
    grid.SetBand(k400To470);
    grid.ShowChannels(image);
    return grid;
}

using Operation = std::function<GridOutcome(ChannelGrid&)>;

// Times the operation alone, with its undo outside the clock.
void RunOperation(benchmark::State& state, const MemoryImage& image, const Operation& op) {
    ChannelGrid grid = GridOf(image);
    for (auto _ : state) {
        benchmark::DoNotOptimize(op(grid));
        state.PauseTiming();
        grid.Undo();
        state.ResumeTiming();
    }
}

// Times the undo alone.
void RunUndo(benchmark::State& state, const MemoryImage& image, const Operation& op) {
    ChannelGrid grid = GridOf(image);
    for (auto _ : state) {
        state.PauseTiming();
        op(grid);
        state.ResumeTiming();
        benchmark::DoNotOptimize(grid.Undo());
    }
}

const GridSelection kAll = GridSelection::OfRowRange(0, kChannelCount - 1);

const std::string& Copied() {
    static const std::string text = CopyChannelRows(
        DecodeAllChannels(FullImage(kChannelCount, 3), Language::English), 0, kChannelCount - 1);
    return text;
}

// Insert Row needs a free last row: 199 channels in use.
const struct {
    const char* name;
    int channels;
    Operation op;
} kOperations[] = {
    {"Paste200Rows", kChannelCount,
     [](ChannelGrid& g) { return g.Paste(Copied(), GridSelection::OfRows({0})); }},
    {"InsertAtFirstRow", kChannelCount - 1,
     [](ChannelGrid& g) { return g.InsertRows(GridSelection::OfRows({0})); }},
    {"DeleteFirstRow", kChannelCount,
     [](ChannelGrid& g) { return g.DeleteRows(GridSelection::OfRows({0})); }},
    {"Sort200ByRx", kChannelCount,
     [](ChannelGrid& g) { return g.Sort(kAll, SortKey::RxFrequency); }},
    {"Sort200ByName", kChannelCount, [](ChannelGrid& g) { return g.Sort(kAll, SortKey::Name); }},
    {"FillDown200Rows", kChannelCount, [](ChannelGrid& g) { return g.FillDown(kAll); }},
    {"MoveDown200Rows", kChannelCount - 1,
     [](ChannelGrid& g) { return g.MoveDown(GridSelection::OfRowRange(0, kChannelCount - 2)); }},
};

void BM_FindNoMatch(benchmark::State& state) {
    const ChannelGrid grid = GridOf(FullImage(kChannelCount));
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid.Find("NOSUCHNAME", {0, Column::Rx}));
    }
}
BENCHMARK(BM_FindNoMatch)->Unit(benchmark::kMillisecond);

void BM_CompareTwoFullImages(benchmark::State& state) {
    const MemoryImage document = FullImage(kChannelCount);
    const MemoryImage other = FullImage(kChannelCount, 5);
    const ChannelGrid grid = GridOf(document);
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid.Compare(document, other));
    }
}
BENCHMARK(BM_CompareTwoFullImages)->Unit(benchmark::kMillisecond);

void BM_StoreChannels(benchmark::State& state) {
    MemoryImage image = FullImage(kChannelCount);
    const ChannelGrid grid = GridOf(image);
    for (auto _ : state) {
        grid.StoreChannels(image);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_StoreChannels)->Unit(benchmark::kMillisecond);

int Register() {
    for (const auto& operation : kOperations) {
        const MemoryImage image = FullImage(operation.channels);
        const Operation op = operation.op;
        benchmark::RegisterBenchmark(
            (std::string("BM_") + operation.name).c_str(),
            [image, op](benchmark::State& s) { RunOperation(s, image, op); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_") + operation.name + "_Undo").c_str(),
                                     [image, op](benchmark::State& s) { RunUndo(s, image, op); })
            ->Unit(benchmark::kMillisecond);
    }
    return 0;
}
const int kRegistered = Register();

} // namespace
} // namespace velmora
