#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <vector>

#include "SoakGrowth.h"

namespace velmora::soak {
namespace {

std::vector<UsageSample> Flat(std::size_t runs, long rss, int fds) {
    return std::vector<UsageSample>(runs, UsageSample{rss, fds});
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
    std::vector<UsageSample> warmUp = Flat(200, 10000, 6);
    warmUp[3].rssKiB = 10300; // an early peak counts in the first window's favour
    std::vector<UsageSample> justOver = Flat(200, 10000, 6);
    justOver[199].rssKiB = 10000 + RssToleranceKiB + 1;
    std::vector<UsageSample> justIn = Flat(200, 10000, 6);
    justIn[180].rssKiB = 10000 + RssToleranceKiB;
    std::vector<UsageSample> oneFd = Flat(200, 10000, 6);
    oneFd[190].fds = 7;
    std::vector<UsageSample> middle = Flat(200, 10000, 6);
    middle[100] = {50000, 40}; // between the windows: not growth
    std::vector<UsageSample> few = {{100, 5}, {100, 5}, {100, 5}, {100, 5}, {999, 6}};
    std::vector<UsageSample> unread = Flat(50, 10000, 6);
    unread[25].fds = -1;
    const Case cases[] = {
        {"flat", Flat(200, 10000, 6), 20, 10000, 10000, 6, 6, false, false},
        {"warm-up", warmUp, 20, 10300, 10000, 6, 6, false, false},
        {"just over", justOver, 20, 10000, 10257, 6, 6, true, false},
        {"just in", justIn, 20, 10000, 10256, 6, 6, false, false},
        {"one fd", oneFd, 20, 10000, 10000, 6, 7, false, true},
        {"middle", middle, 20, 10000, 10000, 6, 6, false, false},
        {"five runs: halves of 2", few, 2, 100, 999, 5, 6, true, true},
        {"one run", Flat(1, 100, 5), 1, 100, 100, 5, 5, false, false},
        {"unreadable", unread, 20, 10000, 10000, 6, 6, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Growth g = JudgeGrowth(c.samples);
        EXPECT_EQ(g.window, c.window);
        EXPECT_EQ(g.rssFirst, c.rssFirst);
        EXPECT_EQ(g.rssLast, c.rssLast);
        EXPECT_EQ(g.fdsFirst, c.fdsFirst);
        EXPECT_EQ(g.fdsLast, c.fdsLast);
        EXPECT_EQ(g.rssGrew, c.rssGrew);
        EXPECT_EQ(g.fdsGrew, c.fdsGrew);
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
