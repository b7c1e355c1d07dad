#include "SoakGrowth.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace velmora::soak {

Growth JudgeGrowth(const std::vector<UsageSample>& samples) {
    Growth g;
    const std::size_t count = samples.size();
    if (count == 0) {
        return g;
    }
    g.window = std::min(GrowthWindow, std::max<std::size_t>(1, count / 2));
    const auto most = [&](std::size_t from, auto field) {
        auto value = samples[from].*field;
        for (std::size_t i = from; i < from + g.window; ++i) {
            value = std::max(value, samples[i].*field);
        }
        return value;
    };
    g.rssFirst = most(0, &UsageSample::rssKiB);
    g.rssLast = most(count - g.window, &UsageSample::rssKiB);
    g.fdsFirst = most(0, &UsageSample::fds);
    g.fdsLast = most(count - g.window, &UsageSample::fds);
    // A figure that could not be read anywhere is no proof of anything.
    const auto unread = [](const UsageSample& s) { return s.rssKiB < 0 || s.fds < 0; };
    const bool measured = std::none_of(samples.begin(), samples.end(), unread);
    g.rssGrew = !measured || g.rssLast - g.rssFirst > RssToleranceKiB;
    g.fdsGrew = !measured || g.fdsLast > g.fdsFirst;
    return g;
}

long ResidentKiB() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) {
        return -1;
    }
    long size = 0;
    long resident = -1;
    if (std::fscanf(statm, "%ld %ld", &size, &resident) != 2) {
        resident = -1;
    }
    std::fclose(statm);
    return resident < 0 ? -1 : resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

int OpenDescriptors() {
    DIR* dir = ::opendir("/proc/self/fd");
    if (dir == nullptr) {
        return -1;
    }
    int count = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.') {
            ++count;
        }
    }
    ::closedir(dir);
    return count - 1; // the list's own
}

} // namespace velmora::soak
