// Whether the soak's process grew: its resident memory and its open file descriptors, taken
// after every run, compared between the first runs and the last.
#pragma once

#include <cstddef>
#include <vector>

namespace velmora::soak {

// Runs compared for growth: the first and the last this many (half the runs when fewer).
inline constexpr std::size_t GrowthWindow = 20;
// Resident memory may differ by this much between the two windows: the allocator keeps some
// freed memory, and the first transfers may not yet have touched all of what it holds. 200
// clean runs differ by a few KiB; a leak of 2 KiB a run shows over the 180 runs between.
inline constexpr long RssToleranceKiB = 256;

struct UsageSample {
    long rssKiB = -1; // -1: could not be read
    int fds = -1;
};

struct Growth {
    std::size_t window = 0;
    long rssFirst = -1; // the largest figure in each window
    long rssLast = -1;
    int fdsFirst = -1;
    int fdsLast = -1;
    bool rssGrew = false; // more than RssToleranceKiB, or not measured
    bool fdsGrew = false; // any growth at all, or not measured
};

// Empty samples give windows of 0 that did not grow.
Growth JudgeGrowth(const std::vector<UsageSample>& samples);

// The process's resident memory in KiB (from /proc/self/statm); -1 when it cannot be read.
long ResidentKiB();
// The process's open file descriptors (from /proc/self/fd), not counting the one that reads
// the list; -1 when it cannot be read.
int OpenDescriptors();

} // namespace velmora::soak
