#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <tuple>
#include <vector>

#include "SoakGrowth.h"

namespace velmora::soak {
namespace {

// 200 runs (or `runs`) of 10000 KiB and 6 descriptors, with run `at` (0-based) showing `odd`.
std::vector<UsageSample> Runs(std::size_t at = 0, UsageSample odd = {10000, 6},
                              std::size_t runs = 200) {
    std::vector<UsageSample> samples(runs, UsageSample{10000, 6});
    samples[at] = odd;
    return samples;
}

TEST(SoakGrowth, ComparesTheLargestFiguresOfTheFirstAndLastTwentyRuns) {
    struct Case {
        const char* what;
        std::vector<UsageSample> samples;
        std::size_t window;
        long rssFirst, rssLast;
        int fdsFirst, fdsLast;
        bool rssGrew, fdsGrew;
    };
    const long over = 10000 + RssToleranceKiB + 1;
    const Case cases[] = {
        // clang-format off
        {"flat", Runs(), 20, 10000, 10000, 6, 6, false, false},
        {"warm-up: an early peak counts in the first window's favour", Runs(3, {10300, 6}), 20, 10300, 10000, 6, 6, false, false},
        {"just over", Runs(199, {over, 6}), 20, 10000, over, 6, 6, true, false},
        {"just in", Runs(180, {over - 1, 6}), 20, 10000, over - 1, 6, 6, false, false},
        {"one fd", Runs(190, {10000, 7}), 20, 10000, 10000, 6, 7, false, true},
        {"between the windows: not growth", Runs(100, {50000, 40}), 20, 10000, 10000, 6, 6, false, false},
        {"five runs: halves of 2", {{100, 5}, {100, 5}, {100, 5}, {100, 5}, {999, 6}}, 2, 100, 999, 5, 6, true, true},
        {"one run", {{100, 5}}, 1, 100, 100, 5, 5, false, false},
        {"unreadable", Runs(25, {10000, -1}, 50), 20, 10000, 10000, 6, 6, true, true},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Growth g = JudgeGrowth(c.samples);
        EXPECT_EQ(std::tuple(g.window, g.rssFirst, g.rssLast, g.fdsFirst, g.fdsLast, g.rssGrew,
                             g.fdsGrew),
                  std::tuple(c.window, c.rssFirst, c.rssLast, c.fdsFirst, c.fdsLast, c.rssGrew,
                             c.fdsGrew));
    }
    EXPECT_EQ(JudgeGrowth({}).window, 0u);
}

TEST(SoakGrowth, CountsEachOpenDescriptorAndTouchedMemory) {
    const int before = OpenDescriptors();
    ASSERT_GT(before, 2); // stdin, stdout, stderr at least
    const int fd = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(OpenDescriptors(), before + 1);
    ::close(fd);
    EXPECT_EQ(OpenDescriptors(), before);

    const long rss = ResidentKiB();
    ASSERT_GT(rss, 0);
    constexpr std::size_t kBytes = 16 << 20;
    const std::unique_ptr<char[]> block(new char[kBytes]);
    std::memset(block.get(), 0x5A, kBytes); // resident only once written
    EXPECT_GE(ResidentKiB() - rss, static_cast<long>(kBytes / 1024) - 1024);
    EXPECT_EQ(block[kBytes - 1], 0x5A);
}

} // namespace
} // namespace velmora::soak
